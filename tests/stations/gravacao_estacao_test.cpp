#include "stations/gravacao_estacao.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "banco_teste.h"
#include "core/erro.h"
#include "stations/colunas_dados.h"
#include "stations/estacoes.h"

namespace ventaro {
namespace {

// Every row of every station table, as text, to compare whole database states.
std::string Conteudo(const std::filesystem::path& arquivo) {
    SQLite::Database db(arquivo.string());
    std::string s;
    for (const char* tabela :
         {"EstacaoClima", "DadosClima", "EstacaoPrec", "DadosPrec", "TotaisPrec"}) {
        SQLite::Statement q(db,
                            std::string("select * from ") + tabela + " order by CodEstacao, rowid");
        while (q.executeStep()) {
            s += tabela;
            for (int i = 0; i < q.getColumnCount(); ++i) {
                s += '|';
                s += q.getColumn(i).getString();
            }
            s += "\n";
        }
    }
    return s;
}

// A database from the schema, opened for writing, with its file's content at hand.
class BancoTeste {
  public:
    BancoTeste() : banco_(temp_.Arquivo(), BancoDados::Modo::Escrita) {}
    BancoDados& Banco() { return banco_; }
    const std::filesystem::path& Arquivo() const { return temp_.Arquivo(); }
    std::string Conteudo() const { return ventaro::Conteudo(temp_.Arquivo()); }

  private:
    teste::BancoTemporario temp_;
    BancoDados banco_;
};

// Every field of the climatological block set, each to its own value, so that a column written
// from or read into the wrong field, or not at all, changes the station read back.
TDados ClimaExemplo(double deslocamento) {
    TDados d;
    for (int mes = 1; mes <= 12; ++mes) {
        double k = mes + deslocamento;
        const auto proximo = [&k] { return k += 0.015625; };
        for (Mensal<double>* campo :
             {&d.XTMaxSe,   &d.XTMaxCh,   &d.STMaxSe,      &d.STMaxCh,   &d.XTMinSe,
              &d.XTMinCh,   &d.STMinSe,   &d.STMinCh,      &d.XRadSe,    &d.XRadCh,
              &d.SRadSe,    &d.SRadCh,    &d.XVVentoSe,    &d.SVVentoSe, &d.SkewVVentoSe,
              &d.XVVentoCh, &d.SVVentoCh, &d.SkewVVentoCh, &d.XUmidSe,   &d.XUmidCh,
              &d.SUmidSe,   &d.SUmidCh}) {
            (*campo)[mes] = proximo();
        }
        d.DUmidosClima[mes] = 40 + mes;
        d.DSecosClima[mes] = 100 - mes;
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j) {
                d.MatrizA[mes](i, j) = proximo();
                d.MatrizB[mes](i, j) = i >= j ? proximo() : 0.0;
            }
        }
    }
    d.XResJanTMax = 0.25;
    d.XResJanTMin = -0.5;
    d.XResJanRad = 0.125;
    return d;
}

IdentidadeEstacao Identidade(int64_t codigo) {
    return {codigo, "BELO HORIZONTE", "Belo Horizonte", 3, -19.93, -43.95, 915.47};
}

// The station as a load must give it back: the written block with the identity's fields.
TDados ComIdentidadeClima(TDados d, const IdentidadeEstacao& e) {
    d.CodEstacaoClima = static_cast<int32_t>(e.Codigo);
    d.SetNomeClima(e.Nome);
    d.LatitudeClima = e.Latitude;
    d.LongitudeClima = e.Longitude;
    d.AltitudeClima = e.Altitude.value_or(0);
    return d;
}

TEST(GravarEstacaoClima, WritesAStationThatLoadsBackWhole) {
    BancoTeste bt;
    BancoDados& banco = bt.Banco();
    const TDados clima = ClimaExemplo(0);
    EXPECT_FALSE(ExisteEstacaoClima(banco, 83587));
    EXPECT_EQ(GravarEstacaoClima(banco, Identidade(83587), clima, 21), ResultadoGravacao::Nova);
    EXPECT_TRUE(ExisteEstacaoClima(banco, 83587));

    TDados lido;
    CarregarEstacaoClima(banco, "83587", lido);
    EXPECT_EQ(lido, ComIdentidadeClima(clima, Identidade(83587)));
    SQLite::Database db(bt.Arquivo().string());
    EXPECT_EQ(db.execAndGet("select NumAnos from EstacaoClima").getInt(), 21);
    // Columns are found by their names, not by position.
    EXPECT_EQ(db.execAndGet("select MatrizA23 from DadosClima where Mes = 4").getDouble(),
              clima.MatrizA[4](1, 2));
    EXPECT_EQ(db.execAndGet("select SkewVVentoSe from DadosClima where Mes = 9").getDouble(),
              clima.SkewVVentoSe[9]);
}

TEST(GravarEstacaoClima, ReplacesAnExistingStationWhole) {
    BancoTeste bt;
    BancoDados& banco = bt.Banco();
    GravarEstacaoClima(banco, Identidade(83587), ClimaExemplo(0), 21);
    GravarEstacaoClima(banco, Identidade(83179), ClimaExemplo(0), 7);
    EXPECT_EQ(GravarEstacaoClima(banco, Identidade(83587), ClimaExemplo(1), 22),
              ResultadoGravacao::Substituida);
    SQLite::Database db(bt.Arquivo().string());
    EXPECT_EQ(db.execAndGet("select count(*) from DadosClima where CodEstacao = 83587").getInt(),
              12);
    EXPECT_EQ(db.execAndGet("select count(*) from DadosClima").getInt(), 24);
    EXPECT_EQ(db.execAndGet("select NumAnos from EstacaoClima where CodEstacao = 83587").getInt(),
              22);
}

TEST(GravarEstacaoClima, AFailureHalfwayLeavesTheDatabaseAsItWas) {
    BancoTeste bt;
    GravarEstacaoClima(bt.Banco(), Identidade(83587), ClimaExemplo(0), 21);
    // The seventh month's insert fails, after the old rows were deleted and six new months
    // were written.
    SQLite::Database(bt.Arquivo().string(), SQLite::OPEN_READWRITE)
        .exec(
            "create trigger falha before insert on DadosClima when new.Mes = 7 "
            "begin select raise(abort, 'disco cheio'); end");
    const std::string antes = bt.Conteudo();
    BancoDados& banco = bt.Banco();
    try {
        GravarEstacaoClima(banco, Identidade(83587), ClimaExemplo(5), 30);
        FAIL() << "the failed write was reported as a success";
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("83587"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("disco cheio"), std::string::npos) << e.what();
    }
    EXPECT_EQ(bt.Conteudo(), antes);
    // A new station fails the same way and leaves nothing behind.
    EXPECT_THROW(GravarEstacaoClima(banco, Identidade(83179), ClimaExemplo(0), 5), ErroVentaro);
    EXPECT_EQ(bt.Conteudo(), antes);
    EXPECT_FALSE(ExisteEstacaoClima(banco, 83179));
}

TEST(GravarEstacaoClima, RefusesUndefinedValues) {
    BancoTeste bt;
    BancoDados& banco = bt.Banco();
    TDados clima = ClimaExemplo(0);
    clima.MatrizB[9](2, 1) = std::nan("");
    try {
        GravarEstacaoClima(banco, Identidade(83587), clima, 21);
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("MatrizB32"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("mês 9"), std::string::npos) << e.what();
    }
    EXPECT_EQ(bt.Conteudo(), "");
}

TDados PrecExemplo(double x) {
    TDados d;
    for (int mes = 1; mes <= 12; ++mes) {
        d.XPrec[mes] = x + mes;
        d.SPrec[mes] = 2 * x + mes;
        d.SkewPrec[mes] = 1.5 + mes;
        d.PCC[mes] = 0.6 + mes / 100.0;
        d.PCS[mes] = 0.2 + mes / 100.0;
        d.DUmidos[mes] = 100 + mes;
        d.DSecos[mes] = 210 - mes;
        d.XTotal[mes] = 10 * x + mes;
        d.STotal[mes] = 4 * x + 0.5 * mes;
        d.CovTotalAnual[mes] = 100 * x - mes;
    }
    d.TemTotaisPrec = true;
    return d;
}

TEST(GravarEstacaoPrec, WritesReplacesAndRollsBack) {
    BancoTeste bt;
    BancoDados& banco = bt.Banco();
    IdentidadeEstacao estacao{2345024, "JACAREI", "JACAREI", 3, -23.2833, -45.95, 570};
    EXPECT_EQ(GravarEstacaoPrec(banco, estacao, PrecExemplo(8), 49), ResultadoGravacao::Nova);
    TDados lido;
    CarregarEstacaoPrec(banco, "02345024", lido);
    TDados esperado = PrecExemplo(8);
    esperado.CodEstacao = 2345024;
    esperado.SetNome("JACAREI");
    esperado.Regiao = 3;
    esperado.Latitude = -23.2833;
    esperado.Longitude = -45.95;
    esperado.Altitude = 570;
    // No regional laws in this database: they read as zeros, as in a new container.
    EXPECT_EQ(lido, esperado);

    EXPECT_EQ(GravarEstacaoPrec(banco, estacao, PrecExemplo(9), 50),
              ResultadoGravacao::Substituida);
    const std::string antes = bt.Conteudo();
    SQLite::Database(bt.Arquivo().string(), SQLite::OPEN_READWRITE)
        .exec(
            "create trigger falha before insert on DadosPrec when new.Mes = 12 "
            "begin select raise(abort, 'falha forçada'); end");
    EXPECT_THROW(GravarEstacaoPrec(banco, estacao, PrecExemplo(10), 51), ErroVentaro);
    EXPECT_EQ(bt.Conteudo(), antes);
}

// The record's totals go with the station: replaced by a station without them, they are gone;
// a database made before their table existed gets it on the first write, and reads as "none"
// before that.
TEST(GravarEstacaoPrec, TotalsComeAndGoWithTheStationAndOldDatabasesGetTheirTable) {
    BancoTeste bt;
    BancoDados& banco = bt.Banco();
    IdentidadeEstacao estacao{2345024, "JACAREI", "JACAREI", 3, -23.2833, -45.95, 570};
    GravarEstacaoPrec(banco, estacao, PrecExemplo(8), 49);
    TDados sem_totais = PrecExemplo(8);
    sem_totais.TemTotaisPrec = false;
    GravarEstacaoPrec(banco, estacao, sem_totais, 49);
    TDados lido = PrecExemplo(3);  // a container that held another station's totals
    CarregarEstacaoPrec(banco, "2345024", lido);
    EXPECT_FALSE(lido.TemTotaisPrec);
    EXPECT_EQ(lido.STotal, Mensal<double>{});
    SQLite::Database db(bt.Arquivo().string());
    EXPECT_EQ(db.execAndGet("select count(*) from TotaisPrec").getInt(), 0);

    teste::BancoTemporario antigo;
    antigo.Executar("drop table TotaisPrec");
    BancoDados banco_antigo(antigo.Arquivo(), BancoDados::Modo::Escrita);
    GravarEstacaoPrec(banco_antigo, estacao, sem_totais, 49);
    antigo.Executar("drop table TotaisPrec");
    CarregarEstacaoPrec(banco_antigo, "2345024", lido);
    EXPECT_FALSE(lido.TemTotaisPrec);
    GravarEstacaoPrec(banco_antigo, estacao, PrecExemplo(8), 49);
    CarregarEstacaoPrec(banco_antigo, "2345024", lido);
    EXPECT_TRUE(lido.TemTotaisPrec);
    EXPECT_EQ(lido.CovTotalAnual, PrecExemplo(8).CovTotalAnual);
}

TEST(GravarEstacaoPrec, UnknownAltitudeStaysUnknown) {
    BancoTeste bt;
    BancoDados& banco = bt.Banco();
    IdentidadeEstacao estacao{447002, "RETA KM-32", "IMPERATRIZ", 1, -4.8297, -47.2692, {}};
    GravarEstacaoPrec(banco, estacao, PrecExemplo(8), 33);
    SQLite::Database db(bt.Arquivo().string());
    EXPECT_EQ(db.execAndGet("select Altitude is null from EstacaoPrec").getInt(), 1);
}

}  // namespace
}  // namespace ventaro

namespace ventaro {
namespace {

// The column tables name every monthly column of the schema once, and nothing else.
TEST(ColunasDados, MatchTheSchemaColumnForColumn) {
    teste::BancoTemporario temp;
    SQLite::Database db(temp.Arquivo().string());
    for (const auto& [tabela, colunas] :
         {std::pair{"DadosPrec", ColunasDadosPrec()}, std::pair{"DadosClima", ColunasDadosClima()},
          std::pair{"TotaisPrec", ColunasTotaisPrec()}}) {
        std::set<std::string> esquema;
        SQLite::Statement q(db,
                            std::string("select name from pragma_table_info('") + tabela + "')");
        while (q.executeStep()) esquema.insert(q.getColumn(0).getString());
        std::set<std::string> tabela_colunas = {"CodEstacao", "Mes"};
        for (const ColunaMensal& c : colunas) {
            EXPECT_TRUE(tabela_colunas.insert(c.Nome()).second) << tabela << ": " << c.Nome();
        }
        EXPECT_EQ(tabela_colunas, esquema) << tabela;
    }
}

}  // namespace
}  // namespace ventaro
