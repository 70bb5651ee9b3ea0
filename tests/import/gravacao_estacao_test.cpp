#include "stations/gravacao_estacao.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "core/erro.h"
#include "stations/estacoes.h"
#include "teste_util.h"

namespace ventaro {
namespace {

// A station database created from the project's schema in a temporary folder.
class BancoTeste {
  public:
    BancoTeste() : arquivo_(pasta_.Caminho() / "bd.sqlite") {
        std::ifstream in(std::filesystem::path(VENTARO_SOURCE_DIR) / "data" / "schema.sql");
        std::stringstream esquema;
        esquema << in.rdbuf();
        SQLite::Database db(arquivo_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(esquema.str());
    }
    const std::filesystem::path& Arquivo() const { return arquivo_; }
    // Every row of every station table, as text, to compare whole database states.
    std::string Conteudo() const {
        SQLite::Database db(arquivo_.string());
        std::string s;
        for (const char* tabela : {"EstacaoClima", "DadosClima", "EstacaoPrec", "DadosPrec"}) {
            SQLite::Statement q(
                db, std::string("select * from ") + tabela + " order by CodEstacao, rowid");
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

  private:
    teste::PastaTemporaria pasta_;
    std::filesystem::path arquivo_;
};

TDados ClimaExemplo(double deslocamento) {
    TDados d;
    for (int mes = 1; mes <= 12; ++mes) {
        d.XTMaxSe[mes] = 28 + mes * 0.1 + deslocamento;
        d.XTMaxCh[mes] = 26 + mes * 0.1;
        d.STMaxSe[mes] = 2.5;
        d.STMaxCh[mes] = 2.1;
        d.XTMinSe[mes] = 16;
        d.XTMinCh[mes] = 17;
        d.STMinSe[mes] = 2;
        d.STMinCh[mes] = 1.5;
        d.XRadSe[mes] = 20;
        d.XRadCh[mes] = 15;
        d.SRadSe[mes] = 3;
        d.SRadCh[mes] = 4;
        d.XVVentoSe[mes] = 2;
        d.SVVentoSe[mes] = 0.7;
        d.SkewVVentoSe[mes] = 0.3;
        d.XVVentoCh[mes] = 2.2;
        d.SVVentoCh[mes] = 0.8;
        d.SkewVVentoCh[mes] = 0.4;
        d.XUmidSe[mes] = 0.7;
        d.XUmidCh[mes] = 0.85;
        d.SUmidSe[mes] = 0.1;
        d.SUmidCh[mes] = 0.08;
        d.DUmidosClima[mes] = 40 + mes;
        d.DSecosClima[mes] = 100 - mes;
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j) {
                d.MatrizA[mes](i, j) = 0.1 * static_cast<double>(i * 3 + j) + mes;
                d.MatrizB[mes](i, j) = i >= j ? 0.5 + static_cast<double>(i + j) : 0.0;
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

TEST(GravarEstacaoClima, WritesAStationThatLoadsBack) {
    BancoTeste bt;
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
    const TDados clima = ClimaExemplo(0);
    EXPECT_FALSE(ExisteEstacaoClima(banco, 83587));
    EXPECT_EQ(GravarEstacaoClima(banco, Identidade(83587), clima, 21), ResultadoGravacao::Nova);
    EXPECT_TRUE(ExisteEstacaoClima(banco, 83587));

    TDados lido;
    CarregarEstacaoClima(banco, "83587", lido);
    EXPECT_EQ(lido.CodEstacaoClima, 83587);
    EXPECT_EQ(lido.NomeClima(), "BELO HORIZONTE");
    EXPECT_EQ(lido.LatitudeClima, -19.93);
    EXPECT_EQ(lido.XResJanTMin, -0.5);
    for (int mes = 1; mes <= 12; ++mes) {
        EXPECT_EQ(lido.XTMaxSe[mes], clima.XTMaxSe[mes]);
        EXPECT_EQ(lido.SkewVVentoCh[mes], clima.SkewVVentoCh[mes]);
        EXPECT_EQ(lido.SUmidCh[mes], clima.SUmidCh[mes]);
        EXPECT_EQ(lido.DUmidosClima[mes], clima.DUmidosClima[mes]);
        EXPECT_EQ(lido.MatrizA[mes], clima.MatrizA[mes]);
        EXPECT_EQ(lido.MatrizB[mes], clima.MatrizB[mes]);
    }
    SQLite::Database db(bt.Arquivo().string());
    EXPECT_EQ(db.execAndGet("select NumAnos from EstacaoClima").getInt(), 21);
    EXPECT_EQ(db.execAndGet("select MatrizA23 from DadosClima where Mes = 4").getDouble(),
              clima.MatrizA[4](1, 2));
}

TEST(GravarEstacaoClima, ReplacesAnExistingStationWhole) {
    BancoTeste bt;
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
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
    {
        BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
        GravarEstacaoClima(banco, Identidade(83587), ClimaExemplo(0), 21);
    }
    // The seventh month's insert fails, after the old rows were deleted and six new months
    // were written.
    SQLite::Database(bt.Arquivo().string(), SQLite::OPEN_READWRITE)
        .exec(
            "create trigger falha before insert on DadosClima when new.Mes = 7 "
            "begin select raise(abort, 'disco cheio'); end");
    const std::string antes = bt.Conteudo();
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
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
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
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
        d.SPrec[mes] = 2 * x;
        d.SkewPrec[mes] = 1.5;
        d.PCC[mes] = 0.6;
        d.PCS[mes] = 0.2;
        d.DUmidos[mes] = 100;
        d.DSecos[mes] = 210;
    }
    return d;
}

TEST(GravarEstacaoPrec, WritesReplacesAndRollsBack) {
    BancoTeste bt;
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
    IdentidadeEstacao estacao{2345024, "JACAREI", "JACAREI", 3, -23.2833, -45.95, 570};
    EXPECT_EQ(GravarEstacaoPrec(banco, estacao, PrecExemplo(8), 49), ResultadoGravacao::Nova);
    TDados lido;
    CarregarEstacaoPrec(banco, "02345024", lido);
    EXPECT_EQ(lido.CodEstacao, 2345024);
    EXPECT_EQ(lido.Regiao, 3);
    EXPECT_EQ(lido.XPrec[12], 20);
    EXPECT_EQ(lido.DSecos[3], 210);

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

}  // namespace
}  // namespace ventaro

namespace ventaro {
namespace {

TEST(GravarEstacaoPrec, UnknownAltitudeStaysUnknown) {
    BancoTeste bt;
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
    IdentidadeEstacao estacao{447002, "RETA KM-32", "IMPERATRIZ", 1, -4.8297, -47.2692, {}};
    GravarEstacaoPrec(banco, estacao, PrecExemplo(8), 33);
    SQLite::Database db(bt.Arquivo().string());
    EXPECT_EQ(db.execAndGet("select Altitude is null from EstacaoPrec").getInt(), 1);
}

}  // namespace
}  // namespace ventaro
