#include <gtest/gtest.h>

#include <SQLiteCpp/Backup.h>
#include <SQLiteCpp/SQLiteCpp.h>

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "core/calendario.h"
#include "core/erro.h"
#include "import/fonte_ana.h"
#include "import/importacao_ana.h"
#include "import/importacao_inmet.h"
#include "import/leitor_inmet_mdb.h"
#include "import/origem_ana.h"
#include "stations/estacoes.h"
#include "teste_util.h"

namespace ventaro {
namespace {

std::string ColunasDias(const char* prefixo) {
    std::string s;
    for (int d = 1; d <= 31; ++d) {
        char nome[16];
        std::snprintf(nome, sizeof nome, ", %s%02d real", prefixo, d);
        s += nome;
    }
    return s;
}

// An INMET Clima table in memory, as the copy of an Access database holds it.
class ClimaTeste {
  public:
    ClimaTeste() : db_(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE) {
        db_.exec("create table Clima (EstacaoCodigo integer, ParametroClima integer, Data text" +
                 ColunasDias("CLIMA") + ")");
    }
    // One row; `valor(d)` gives day d's cell, NaN for an empty cell.
    template <typename F>
    void Linha(int codigo, int variavel, int64_t ano, int mes, F&& valor) {
        std::string sql = "insert into Clima values (" + std::to_string(codigo) + ", " +
                          std::to_string(variavel) + ", '";
        char data[32];
        std::snprintf(data, sizeof data, "%04lld-%02d-01 00:00:00", static_cast<long long>(ano),
                      mes);
        sql += data + std::string("'");
        for (int d = 1; d <= 31; ++d) {
            const double v = d <= DiasNoMes(ano, mes) ? valor(d) : std::nan("");
            sql += std::isnan(v) ? ", null" : ", " + std::to_string(v);
        }
        db_.exec(sql + ")");
    }
    // All six variables for every month from (ano0, mes0) to (ano1, mes1).
    void Periodo(int codigo, int64_t ano0, int mes0, int64_t ano1, int mes1) {
        for (int64_t a = ano0; a <= ano1; ++a) {
            for (int m = a == ano0 ? mes0 : 1; m <= (a == ano1 ? mes1 : 12); ++m) {
                Mes(codigo, a, m);
            }
        }
    }
    void Mes(int codigo, int64_t a, int m) {
        Linha(codigo, 70, a, m, [](int d) { return d % 4 == 0 ? 5.0 + d : 0.0; });
        Linha(codigo, 11, a, m, [](int d) { return 27 + (d * 37 % 11) * 0.5; });
        Linha(codigo, 12, a, m, [](int d) { return 15 + (d * 13 % 7) * 0.6; });
        Linha(codigo, 80, a, m, [](int d) { return 4 + (d * 29 % 9); });
        Linha(codigo, 42, a, m, [](int d) { return 3.6 + (d * 17 % 5) * 1.8; });
        Linha(codigo, 90, a, m, [](int d) { return 60 + (d * 23 % 13) * 2; });
    }
    SQLite::Database& Db() { return db_; }

  private:
    SQLite::Database db_;
};

TEST(LerEstacaoClima, YearsSpanTheRowsAndMonthsOutsideAreInvalid) {
    ClimaTeste t;
    t.Periodo(83587, 1990, 3, 1995, 10);
    t.Periodo(83001, 2000, 1, 2000, 12);
    EXPECT_EQ(EstacoesClima(t.Db()), (std::vector<std::string>{"83001", "83587"}));
    const RegistroClima r = LerEstacaoClima(t.Db(), "83587", -19.9);
    ASSERT_EQ(r.Anos.size(), 6u);
    EXPECT_EQ(r.Anos[0].Ano, 1990);
    EXPECT_FALSE(r.Anos[0].Valido[1]);
    EXPECT_FALSE(r.Anos[0].Valido[2]);
    EXPECT_TRUE(r.Anos[0].Valido[3]);
    EXPECT_TRUE(r.Anos[5].Valido[10]);
    EXPECT_FALSE(r.Anos[5].Valido[11]);
    EXPECT_FALSE(r.Anos[5].Valido[12]);
    EXPECT_EQ(r.NumAnos(), 5);
}

TEST(LerEstacaoClima, AMissingVariableRowOrEmptyCellInvalidatesTheMonth) {
    ClimaTeste t;
    t.Periodo(83587, 1990, 1, 1990, 4);
    t.Db().exec("delete from Clima where ParametroClima = 42 and Data like '1990-02%'");
    t.Db().exec(
        "update Clima set CLIMA07 = null where ParametroClima = 11 and "
        "Data like '1990-03%'");
    const RegistroClima r = LerEstacaoClima(t.Db(), "83587", -19.9);
    EXPECT_TRUE(r.Anos[0].Valido[1]);
    EXPECT_FALSE(r.Anos[0].Valido[2]);
    EXPECT_FALSE(r.Anos[0].Valido[3]);
    EXPECT_TRUE(r.Anos[0].Valido[4]);
}

TEST(LerEstacaoClima, AveragesRowsAndConvertsUnits) {
    ClimaTeste t;
    t.Periodo(83587, 1990, 1, 1990, 12);
    // A second humidity row for January: 70 and 80 on every day give 75 %.
    t.Db().exec("update Clima set CLIMA05 = 70 where ParametroClima = 90 and Data like '1990-01%'");
    t.Linha(83587, 90, 1990, 1, [](int d) { return d == 5 ? 80.0 : 60 + (d * 23 % 13) * 2.0; });
    t.Db().exec("update Clima set CLIMA09 = 36 where ParametroClima = 42 and Data like '1990-01%'");
    const RegistroClima r = LerEstacaoClima(t.Db(), "83587", -19.9);
    const TDadosDia& d5 = r.Anos[0].Dias[1][5];
    EXPECT_DOUBLE_EQ(d5.Umid, 0.75);                    // per cent becomes a fraction
    EXPECT_DOUBLE_EQ(r.Anos[0].Dias[1][9].VVento, 10);  // 36 km/h
    EXPECT_NEAR(d5.Rad, RadiacaoInsolacao(*d5.Insolacao, 5, -19.9), 1e-12);
    // One complete year is enough for an Access database.
    EXPECT_EQ(r.NumAnos(), 1);
}

TEST(LerEstacaoClima, HumidityAlreadyAFractionIsKept) {
    ClimaTeste t;
    t.Periodo(83587, 1990, 1, 1990, 1);
    t.Db().exec("update Clima set CLIMA03 = 0.82 where ParametroClima = 90");
    const RegistroClima r = LerEstacaoClima(t.Db(), "83587", -19.9);
    EXPECT_DOUBLE_EQ(r.Anos[0].Dias[1][3].Umid, 0.82);
}

TEST(LerEstacaoClima, ImpossibleCellsAreReadAsEmptyAndYearsOutsideTheBoundsFail) {
    ClimaTeste t;
    t.Periodo(83587, 1990, 1, 1990, 12);
    auto trocar = [&](int variavel, int mes, const char* valor) {
        t.Db().exec("update Clima set CLIMA05 = " + std::string(valor) +
                    " where ParametroClima = " + std::to_string(variavel) +
                    " and Data like '1990-" + (mes < 10 ? "0" : "") + std::to_string(mes) + "%'");
    };
    trocar(70, 2, "1e26");
    trocar(12, 3, "-45");
    trocar(90, 4, "150");
    trocar(42, 5, "300");  // km/h: 83 m/s
    trocar(80, 6, "30");
    const RegistroClima r = LerEstacaoClima(t.Db(), "83587", -19.9);
    for (int mes = 1; mes <= 12; ++mes) EXPECT_EQ(r.Anos[0].Valido[mes], mes == 1 || mes > 6);
    ASSERT_EQ(r.Avisos.size(), 1u);
    EXPECT_NE(r.Avisos[0].find("Tabela Clima, estação 83587: 5 valores fora dos limites físicos"),
              std::string::npos)
        << r.Avisos[0];
    // In the order the variables are read.
    EXPECT_NE(r.Avisos[0].find("05/02/1990: precipitação 1e+26 mm; 05/03/1990: temperatura "
                               "mínima -45 °C; 05/06/1990: insolação 30 h; 05/05/1990: vento "
                               "83.3333 m/s; 05/04/1990: umidade relativa 150 %)"),
              std::string::npos)
        << r.Avisos[0];

    t.Linha(83587, 70, 9999, 1, [](int) { return 0.0; });
    try {
        LerEstacaoClima(t.Db(), "83587", -19.9);
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("\"9999-01-01 00:00:00\" (datas de 1800 a 2100)"),
                  std::string::npos)
            << e.what();
    }
}

TEST(ValidarIdentidadeClima, ChecksInThePanelsOrder) {
    TextoIdentidade t{"83587", "3", "BELO HORIZONTE", "Belo Horizonte", "-19,93", "-43.95", "915"};
    const auto ok = ValidarIdentidadeClima(t);
    ASSERT_TRUE(std::holds_alternative<IdentidadeEstacao>(ok));
    EXPECT_EQ(std::get<IdentidadeEstacao>(ok).Codigo, 83587);
    EXPECT_EQ(std::get<IdentidadeEstacao>(ok).Latitude, -19.93);

    auto mensagem = [](TextoIdentidade x) {
        const auto r = ValidarIdentidadeClima(x);
        return std::holds_alternative<std::string>(r) ? std::get<std::string>(r) : "";
    };
    auto com = [&](auto campo, const char* valor) {
        TextoIdentidade x = t;
        x.*campo = valor;
        return mensagem(x);
    };
    EXPECT_EQ(com(&TextoIdentidade::Codigo, "8358"), "Código inválido para estação");
    EXPECT_EQ(com(&TextoIdentidade::Codigo, "8358a"), "Código inválido para estação");
    EXPECT_EQ(com(&TextoIdentidade::Regiao, "0"), "Valor inválido para região");
    EXPECT_EQ(com(&TextoIdentidade::Regiao, "8"), "Valor inválido para região");
    EXPECT_EQ(com(&TextoIdentidade::Altitude, "alto"),
              "Os valores para latitude, longitude e altitude devem ser números reais.");
    TextoIdentidade duas = t;
    duas.Codigo = "1";
    duas.Regiao = "9";
    EXPECT_EQ(mensagem(duas), "Código inválido para estação");
}

// Means and deviations of the Belo Horizonte record computed here straight from the export's
// lines: valid months are those whose days all carry the six variables.
TEST(LerArquivoInmet, RealBdmepStationMatchesAnIndependentComputation) {
    const auto arquivo = teste::Dados("dados_83587_D_2005-01-01_2012-12-31.csv");
    LeituraInmet leitura = LerArquivoInmet(arquivo);
    EXPECT_EQ(leitura.Formato, FormatoArquivo::BdmepCsv);
    ASSERT_TRUE(leitura.DadosSuficientes());
    const TextoIdentidade id = IdentidadeDoArquivo(leitura.Registro.Identidade);
    EXPECT_EQ(id.Codigo, "83587");
    EXPECT_EQ(id.Latitude, "-19.93444444");
    const double latitude = -19.93444444;
    const ParametrosClima p = EstimarEstacaoClima(leitura.Registro, latitude);

    struct Dia {
        int mes;
        double tmax, tmin, rad, umid, vento, prec;
    };
    std::ifstream in(arquivo);
    std::string linha;
    std::map<std::pair<int, int>, std::vector<Dia>> meses;  // complete days by (year, month)
    std::map<std::pair<int, int>, int> linhas_mes;
    while (std::getline(in, linha)) {
        if (linha.size() < 10 || linha[4] != '-') continue;
        std::vector<std::string> c;
        std::stringstream ss(linha);
        for (std::string campo; std::getline(ss, campo, ';');) {
            for (char& ch : campo) {
                if (ch == ',') ch = '.';
            }
            c.push_back(campo);
        }
        const int ano = std::stoi(c[0].substr(0, 4));
        const int mes = std::stoi(c[0].substr(5, 2));
        const int dia = std::stoi(c[0].substr(8, 2));
        ++linhas_mes[{ano, mes}];
        // Insolação, precipitação, TMax, TMin, UR média, vento: columns 3, 4, 5, 7, 8, 10.
        bool completo = true;
        for (int k : {2, 3, 4, 6, 7, 9})
            completo = completo && c[static_cast<std::size_t>(k)] != "null";
        if (!completo) continue;
        const double insol = std::stod("0" + c[2]);
        int j = dia;
        for (int m = 1; m < mes; ++m) j += DiasNoMes(ano, m);
        meses[{ano, mes}].push_back({mes, std::stod("0" + c[4]), std::stod("0" + c[6]),
                                     RadiacaoInsolacao(insol, j, latitude),
                                     std::stod("0" + c[7]) / 100, std::stod("0" + c[9]),
                                     std::stod("0" + c[3])});
    }
    std::array<std::array<double, 3>, 13> se{}, ch{};  // n, sum TMax, sum Rad
    std::array<double, 13> soma2_tmax_se{};
    std::array<int, 13> anos{};
    for (const auto& [am, dias] : meses) {
        if (static_cast<int>(dias.size()) != DiasNoMes(am.first, am.second)) continue;
        ++anos[static_cast<std::size_t>(am.second)];
        for (const Dia& d : dias) {
            auto& g = (d.prec > 0 ? ch : se)[static_cast<std::size_t>(d.mes)];
            g[0] += 1;
            g[1] += d.tmax;
            g[2] += d.rad;
            if (d.prec == 0) soma2_tmax_se[static_cast<std::size_t>(d.mes)] += d.tmax * d.tmax;
        }
    }
    int minimo = 1000;
    for (int mes = 1; mes <= 12; ++mes) {
        const auto m = static_cast<std::size_t>(mes);
        minimo = std::min(minimo, anos[m]);
        EXPECT_EQ(p.Dados.DSecosClima[mes], se[m][0]) << mes;
        EXPECT_EQ(p.Dados.DUmidosClima[mes], ch[m][0]) << mes;
        EXPECT_NEAR(p.Dados.XTMaxSe[mes], se[m][1] / se[m][0], 1e-9) << mes;
        EXPECT_NEAR(p.Dados.XTMaxCh[mes], ch[m][1] / ch[m][0], 1e-9) << mes;
        EXPECT_NEAR(p.Dados.XRadCh[mes], ch[m][2] / ch[m][0], 1e-9) << mes;
        const double media = se[m][1] / se[m][0];
        EXPECT_NEAR(p.Dados.STMaxSe[mes],
                    std::sqrt((soma2_tmax_se[m] - se[m][0] * media * media) / (se[m][0] - 1)), 1e-6)
            << mes;
        // Belo Horizonte: warm, and wet days are cooler and darker than dry days.
        EXPECT_GT(p.Dados.XTMaxSe[mes], p.Dados.XTMaxCh[mes]) << mes;
        EXPECT_GT(p.Dados.XRadSe[mes], p.Dados.XRadCh[mes]) << mes;
        for (double v : {p.Dados.XUmidSe[mes], p.Dados.XUmidCh[mes]}) {
            EXPECT_GT(v, 0.4);
            EXPECT_LT(v, 1.0);
        }
    }
    EXPECT_EQ(p.NumAnos, minimo);
    EXPECT_EQ(p.NumAnos, 6);
}

TEST(LerArquivoInmet, RadiationFollowsTheIdentitysLatitude) {
    LeituraInmet leitura = LerArquivoInmet(teste::Dados("barra_1978_jan_fev.txt"));
    EXPECT_FALSE(leitura.DadosSuficientes());
    EXPECT_EQ(leitura.MensagemDadosInsuficientes(),
              "O arquivo selecionado não possui dados suficientes.");
    const TDadosDia dia = leitura.Registro.Anos[0].Dias[1][23];
    AtualizarRadiacao(leitura.Registro, -5.0);
    EXPECT_NE(leitura.Registro.Anos[0].Dias[1][23].Rad, dia.Rad);
    EXPECT_NEAR(leitura.Registro.Anos[0].Dias[1][23].Rad, RadiacaoInsolacao(11.6, 23, -5.0), 1e-12);
    EXPECT_THROW(LerArquivoInmet(teste::Dados("CHUVAS_02447049.TXT")), ErroVentaro);
    // An hourly BDMEP export shares the daily one's first column; it is told apart, not read
    // as 24 days per day.
    try {
        LerArquivoInmet(teste::Dados("dados_A840_H_2024-04-01_excerto.csv"));
        ADD_FAILURE();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("exportação horária do BDMEP, não dados "
                                             "climatológicos diários"),
                  std::string::npos)
            << e.what();
    }
}

// An ANA Hidro database in memory, as the copy of the Access file holds it.
class AnaTeste {
  public:
    AnaTeste() : db_(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE) {
        db_.exec(
            "create table ESTADO (Codigo integer, Nome text);"
            "create table Municipio (Codigo integer, Nome text);"
            "create table Estacao (Codigo integer, Nome text, MunicipioCodigo integer, "
            "EstadoCodigo integer, Latitude real, Longitude real, Altitude real, "
            "CodigoAdicional text, OperadoraCodigo integer);"
            "create table Chuvas (EstacaoCodigo integer, NivelConsistencia integer, Data text" +
            ColunasDias("Chuva") + ");");
        db_.exec(
            "insert into ESTADO values (13, 'SAO PAULO'), (9, 'MARANHAO');"
            "insert into Municipio values (35101, 'JACAREI'), (21001, 'IMPERATRIZ');"
            "insert into Estacao values (2345024, 'JACAREI', 35101, 13, -23.2833, -45.95, 570, "
            "null, 1), (2345029, 'JARDIM', 35101, 13, -23.3167, -45.8833, 660, null, 1), "
            "(2245000, 'FORA', 35101, 13, -23.3, -45.9, 1, null, 1), "
            "(447002, 'RETA KM-32', 21001, 9, -4.8297, -47.2692, null, null, 1);");
    }
    void Chuvas(int64_t codigo, int64_t ano0, int64_t ano1) {
        uint32_t s = static_cast<uint32_t>(codigo);
        for (int64_t a = ano0; a <= ano1; ++a) {
            for (int m = 1; m <= 12; ++m) {
                char data[32];
                std::snprintf(data, sizeof data, "%04lld-%02d-01 00:00:00",
                              static_cast<long long>(a), m);
                std::string sql =
                    "insert into Chuvas values (" + std::to_string(codigo) + ", 1, '" + data + "'";
                for (int d = 1; d <= 31; ++d) {
                    s = s * 1664525u + 1013904223u;
                    const double u = static_cast<double>(s) / 4294967296.0;
                    sql += d > DiasNoMes(a, m) ? std::string(", null")
                                               : ", " + std::to_string(u < 0.3 ? u * 60 : 0.0);
                }
                db_.exec(sql + ")");
            }
        }
    }
    SQLite::Database& Db() { return db_; }

  private:
    SQLite::Database db_;
};

TEST(OrigemAna, ListsStatesAndTheStationsWhoseCodeMatchesTheirDegrees) {
    AnaTeste t;
    OrigemAna origem(t.Db());
    EXPECT_EQ(origem.Estados(), (std::vector<std::string>{"MARANHAO", "SAO PAULO"}));
    ASSERT_EQ(origem.CodigoEstado("SAO PAULO"), 13);
    EXPECT_FALSE(origem.CodigoEstado("ACRE"));
    const auto sp = origem.EstacoesDoEstado(13);
    ASSERT_EQ(sp.size(), 2u);  // 2245000 encodes 22 degrees for a station at 23
    EXPECT_EQ(sp[0].Nome, "JACAREI");
    EXPECT_EQ(sp[1].Nome, "JARDIM");
    EXPECT_EQ(origem.EstacoesDoEstado(9).size(), 1u);
    const auto e = origem.Estacao(2345029);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Municipio, "JACAREI");
    EXPECT_EQ(e->Altitude, 660);
    EXPECT_FALSE(origem.Estacao(1));
}

TEST(OrigemAna, ImpossibleDepthsAreReadAsMissingAndYearsOutsideTheBoundsFail) {
    AnaTeste t;
    t.Chuvas(2345024, 1980, 1991);
    t.Db().exec("update Chuvas set Chuva03 = 1e26 where Data like '1983-01%'");
    t.Db().exec("update Chuvas set Chuva04 = -2 where Data like '1984-07%'");
    OrigemAna origem(t.Db());
    const LeituraChuvas l = origem.LerChuvas(2345024);
    ASSERT_EQ(l.Meses.size(), 144u);
    EXPECT_FALSE(l.Meses[36].Dias[2]);
    ASSERT_EQ(l.Avisos.size(), 1u);
    EXPECT_NE(l.Avisos[0].find("Tabela Chuvas, estação 2345024: 2 valores fora dos limites "
                               "físicos"),
              std::string::npos)
        << l.Avisos[0];
    EXPECT_NE(l.Avisos[0].find("(01/1983, dia 3: precipitação 1e+26 mm; 07/1984, dia 4: "
                               "precipitação -2 mm)"),
              std::string::npos)
        << l.Avisos[0];
    EXPECT_EQ(EstimarPrec(l.Meses).NumAnos, 10);

    t.Db().exec("update Chuvas set Data = '0001-01-01 00:00:00' where Data like '1985-01%'");
    EXPECT_THROW(origem.LerChuvas(2345024), ErroVentaro);
}

// Answers given in advance, and the questions asked and the reports received.
class DecisoesFixas : public DecisoesImportacaoAna {
  public:
    std::vector<RespostaSubstituir> respostas;
    std::optional<int> regiao = 3;
    std::string parar_no_estado;
    std::vector<std::string> perguntas, estados, linhas;
    std::vector<std::pair<int64_t, ResultadoEstacaoAna>> relatos;
    int regioes_pedidas = 0;
    int erros_chuvas = 0;
    bool ContinuarEstado(const std::string& nome, const std::vector<EstacaoAna>&) override {
        estados.push_back(nome);
        return nome != parar_no_estado;
    }
    void Mensagem(const std::string& linha) override { linhas.push_back(linha); }
    void ErroTabela(TabelaAna tabela) override { erros_chuvas += tabela == TabelaAna::Chuvas; }
    void Relatar(const EstacaoAna& e, ResultadoEstacaoAna r, int) override {
        relatos.emplace_back(e.Codigo, r);
    }
    RespostaSubstituir Substituir(const std::string& codigo8) override {
        perguntas.push_back(codigo8);
        const auto r = respostas.empty() ? RespostaSubstituir::Nao : respostas.front();
        if (!respostas.empty()) respostas.erase(respostas.begin());
        return r;
    }
    std::optional<int> Regiao(const EstacaoAna&) override {
        ++regioes_pedidas;
        return regiao;
    }
};

class BancoEstacoes {
  public:
    BancoEstacoes() : arquivo_(pasta_.Caminho() / "bd.sqlite") {
        std::ifstream in(std::filesystem::path(VENTARO_SOURCE_DIR) / "data" / "schema.sql");
        std::stringstream esquema;
        esquema << in.rdbuf();
        SQLite::Database(arquivo_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
            .exec(esquema.str());
        banco_ = std::make_unique<BancoDados>(arquivo_, BancoDados::Modo::Escrita);
    }
    BancoDados& Banco() { return *banco_; }
    int Contar(const std::string& sql) {
        return SQLite::Database(arquivo_.string()).execAndGet(sql).getInt();
    }

  private:
    teste::PastaTemporaria pasta_;
    std::filesystem::path arquivo_;
    std::unique_ptr<BancoDados> banco_;
};

TEST(ImportacaoAna, WritesNewStationsAndRemembersNoToAll) {
    AnaTeste t;
    t.Chuvas(2345024, 1980, 1991);
    t.Chuvas(2345029, 1980, 1988);  // nine years: skipped without a question
    OrigemAna origem(t.Db());
    BancoEstacoes bd;
    DecisoesFixas decisoes;
    {
        ImportacaoAna run(bd.Banco(), decisoes);
        for (const EstacaoAna& e : origem.EstacoesDoEstado(13)) {
            run.ImportarEstacao(*origem.Estacao(e.Codigo), origem.Chuvas(e.Codigo));
        }
        EXPECT_EQ(run.MensagensFinais(),
                  (std::vector<std::string>{"1 estação nova.", "0 estações substituídas.", "Fim"}));
        EXPECT_EQ(run.UltimoNumAnos(), 9);
    }
    EXPECT_EQ(decisoes.regioes_pedidas, 1);
    EXPECT_EQ(bd.Contar("select NumAnos from EstacaoPrec where CodEstacao = 2345024"), 12);
    EXPECT_EQ(bd.Contar("select Regiao from EstacaoPrec"), 3);
    EXPECT_EQ(bd.Contar("select count(*) from DadosPrec"), 12);

    // A second run: No to all is asked once and then holds for the run.
    t.Chuvas(2345029, 1989, 1990);
    decisoes.respostas = {RespostaSubstituir::NaoParaTodos};
    ImportacaoAna run(bd.Banco(), decisoes);
    EXPECT_EQ(run.ImportarEstacao(*origem.Estacao(2345024), origem.Chuvas(2345024)),
              ImportacaoAna::Resultado::Mantida);
    EXPECT_EQ(run.ImportarEstacao(*origem.Estacao(2345029), origem.Chuvas(2345029)),
              ImportacaoAna::Resultado::Nova);
    EXPECT_EQ(run.ImportarEstacao(*origem.Estacao(2345029), origem.Chuvas(2345029)),
              ImportacaoAna::Resultado::Mantida);
    EXPECT_EQ(decisoes.perguntas, (std::vector<std::string>{"02345024"}));
    EXPECT_EQ(run.Novas(), 1);
}

TEST(ImportacaoAna, YesToAllReplacesAndCancelledRegionWritesNothing) {
    AnaTeste t;
    t.Chuvas(447002, 1990, 2001);
    OrigemAna origem(t.Db());
    BancoEstacoes bd;
    DecisoesFixas decisoes;
    decisoes.regiao.reset();
    ImportacaoAna cancelada(bd.Banco(), decisoes);
    EXPECT_EQ(cancelada.ImportarEstacao(*origem.Estacao(447002), origem.Chuvas(447002)),
              ImportacaoAna::Resultado::SemRegiao);
    EXPECT_EQ(bd.Contar("select count(*) from EstacaoPrec"), 0);
    EXPECT_EQ(cancelada.MensagensFinais().front(), "0 estações novas.");

    decisoes.regiao = 1;
    ImportacaoAna run(bd.Banco(), decisoes);
    run.ImportarEstacao(*origem.Estacao(447002), origem.Chuvas(447002));
    decisoes.respostas = {RespostaSubstituir::SimParaTodos};
    decisoes.regiao = 2;
    EXPECT_EQ(run.ImportarEstacao(*origem.Estacao(447002), origem.Chuvas(447002)),
              ImportacaoAna::Resultado::Substituida);
    EXPECT_EQ(run.ImportarEstacao(*origem.Estacao(447002), origem.Chuvas(447002)),
              ImportacaoAna::Resultado::Substituida);
    EXPECT_EQ(decisoes.perguntas.size(), 1u);
    EXPECT_EQ(run.MensagensFinais(),
              (std::vector<std::string>{"1 estação nova.", "2 estações substituídas.", "Fim"}));
    EXPECT_EQ(bd.Contar("select Regiao from EstacaoPrec"), 2);
    EXPECT_EQ(bd.Contar("select count(*) from DadosPrec"), 12);
}

TEST(ImportacaoAna, AFailedWriteIsReportedAndLeavesNothing) {
    AnaTeste t;
    t.Chuvas(447002, 1990, 2001);
    OrigemAna origem(t.Db());
    BancoEstacoes bd;
    bd.Banco().Executar(
        "create trigger falha before insert on DadosPrec when new.Mes = 6 "
        "begin select raise(abort, 'falha'); end");
    DecisoesFixas decisoes;
    ImportacaoAna run(bd.Banco(), decisoes);
    EXPECT_EQ(run.ImportarEstacao(*origem.Estacao(447002), origem.Chuvas(447002)),
              ImportacaoAna::Resultado::Erro);
    // The line the user knows, then its cause, which the run's failures repeat.
    ASSERT_EQ(run.Mensagens().size(), 2u);
    EXPECT_EQ(run.Mensagens()[0], "Erro ao incluir estação 00447002.");
    EXPECT_NE(run.Mensagens()[1].find("\"falha\""), std::string::npos) << run.Mensagens()[1];
    ASSERT_EQ(run.Falhas().size(), 1u);
    EXPECT_EQ(run.Falhas()[0].rfind("Estação 00447002: Não foi possível gravar", 0), 0u)
        << run.Falhas()[0];
    EXPECT_EQ(bd.Contar("select count(*) from EstacaoPrec"), 0);
    EXPECT_EQ(bd.Contar("select count(*) from DadosPrec"), 0);
}

// A source over a copy of the test database, as CopiarBancoAna leaves it.
FonteAna FonteDe(SQLite::Database& db) {
    auto copia = std::make_unique<SQLite::Database>(":memory:",
                                                    SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    SQLite::Backup(*copia, db).executeStep();
    return FonteAna(std::move(copia));
}

TEST(ImportacaoAna, ImportsStatesInTurnReportsWhatFailsAndStopsWhenCancelled) {
    AnaTeste t;
    t.Chuvas(2345024, 1980, 1991);
    t.Chuvas(447002, 1990, 2001);  // JARDIM (2345029) has no rows
    FonteAna fonte = FonteDe(t.Db());
    BancoEstacoes bd;
    DecisoesFixas decisoes;
    ImportacaoAna run(bd.Banco(), decisoes);
    run.ImportarEstados(fonte, {"ACRE", "MARANHAO", "SAO PAULO"});
    EXPECT_EQ(decisoes.estados, (std::vector<std::string>{"MARANHAO", "SAO PAULO"}));
    EXPECT_EQ(run.MensagensFinais(),
              (std::vector<std::string>{"Erro importando estado ACRE.", "2 estações novas.",
                                        "0 estações substituídas.", "Fim"}));
    EXPECT_EQ(decisoes.linhas, run.Mensagens());
    using R = ResultadoEstacaoAna;
    EXPECT_EQ(decisoes.relatos,
              (std::vector<std::pair<int64_t, R>>{
                  {447002, R::Nova}, {2345024, R::Nova}, {2345029, R::PoucosAnos}}));
    EXPECT_EQ(bd.Contar("select Municipio = 'IMPERATRIZ' from EstacaoPrec "
                        "where CodEstacao = 447002"),
              1);

    // The front end stops the run before the second state: only the first is replaced.
    decisoes.respostas = {RespostaSubstituir::SimParaTodos};
    decisoes.parar_no_estado = "SAO PAULO";
    ImportacaoAna cancelada(bd.Banco(), decisoes);
    cancelada.ImportarEstados(fonte, {"MARANHAO", "SAO PAULO"});
    EXPECT_TRUE(cancelada.Cancelada());
    EXPECT_EQ(cancelada.Substituidas(), 1);

    // Rainfall that cannot be read skips each station with the table's line.
    t.Db().exec("drop table Chuvas");
    FonteAna sem_chuvas = FonteDe(t.Db());
    decisoes.linhas.clear();
    ImportacaoAna falha(bd.Banco(), decisoes);
    falha.ImportarEstacoes(sem_chuvas, *sem_chuvas.EstacoesDoEstado("SAO PAULO"));
    EXPECT_EQ(decisoes.linhas,
              (std::vector<std::string>{"Erro: Tabela Chuvas.", "Erro: Tabela Chuvas."}));
    EXPECT_EQ(decisoes.erros_chuvas, 2);
}

TEST(TextoPerguntaRegiao, ShowsTheStationsData) {
    EstacaoAna e;
    e.Codigo = 447002;
    e.Nome = "RETA KM-32";
    e.Municipio = "IMPERATRIZ";
    e.Latitude = -4.8297;
    e.Longitude = -47.2692;
    const std::string texto = TextoPerguntaRegiao(e);
    EXPECT_EQ(texto.rfind("Digite o número da região onde a estação está localizada (entre 1 e "
                          "7):\n\n       Dados da estação:\n\nCódigo: 00447002\n",
                          0),
              0u);
    EXPECT_NE(texto.find("Latitude: " + FormatarCoordenada("-4.8297", "Latitude") + "\n"),
              std::string::npos);
}

TEST(LerInventarioAna, ReadsTheInventoryColumnsByName) {
    teste::PastaTemporaria pasta;
    const auto arquivo = pasta.Escrever(
        "inv.csv",
        "Codigo;CodigoHidroWeb8;Nome;Municipio;Estado;UF;Latitude;Longitude;Altitude\n"
        "2345066;02345066;JACAREI;JACAREI;SAO PAULO;SP;-23.3167;-45.9667;\n"
        "447002;00447002;RETA KM-32;IMPERATRIZ;MARANHAO;MA;-4.8297;-47.2692;\n");
    const auto inv = LerInventarioAna(arquivo);
    ASSERT_EQ(inv.size(), 2u);
    EXPECT_EQ(inv.at(447002).Municipio, "IMPERATRIZ");
    EXPECT_EQ(inv.at(2345066).Latitude, -23.3167);
    EXPECT_FALSE(inv.at(2345066).Altitude);
}

}  // namespace
}  // namespace ventaro
