// ventaro-relatorio run without a display on the sample database: the files it writes, and its
// tables against the statistics ventaro-cli writes for the same run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/tregressao.h"
#include "support/pasta_temporaria.h"
#include "support/processo.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;

const fs::path kBin = VENTARO_BIN_DIR;
const fs::path kBanco = fs::path(VENTARO_BIN_DIR) / "bd.sqlite";

std::string Ler(const fs::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::vector<std::string>> Csv(const fs::path& arquivo) {
    std::vector<std::vector<std::string>> linhas;
    std::istringstream in(Ler(arquivo));
    for (std::string l; std::getline(in, l);) {
        std::vector<std::string> campos;
        std::istringstream cl(l);
        for (std::string c; std::getline(cl, c, ',');) campos.push_back(c);
        if (!l.empty() && l.back() == ',') campos.emplace_back();
        linhas.push_back(campos);
    }
    return linhas;
}

// Runs a built program in `pasta` with no display and no locale variables; its exit code.
int Rodar(const fs::path& programa, const std::vector<std::string>& args, const fs::path& pasta,
          std::string* erro = nullptr) {
    const teste::ResultadoProcesso r = teste::RodarProcesso(programa, args, pasta);
    if (erro != nullptr) *erro = r.erro;
    return r.codigo;
}

class Relatorio : public ::testing::Test {
  protected:
    teste::PastaTemporaria temporaria_;
    const fs::path pasta_ = temporaria_.Caminho();
};

TEST_F(Relatorio, WritesTheReportWithoutADisplayAndAgreesWithTheCommandLine) {
    const std::vector<std::string> estacoes = {"--db",
                                               kBanco.string(),
                                               "--pluviometrica",
                                               "2045012",
                                               "--climatologica",
                                               "83587",
                                               "--anos",
                                               "5",
                                               "--a-partir",
                                               "2000"};
    std::vector<std::string> args = estacoes;
    args.insert(args.end(), {"--pasta", "rel"});
    std::string erro;
    ASSERT_EQ(Rodar(kBin / "ventaro-relatorio", args, pasta_, &erro), 0) << erro;
    const fs::path rel = pasta_ / "rel";

    // One page that carries its pictures, and every chart as a file.
    const std::string html = Ler(rel / "relatorio.html");
    EXPECT_NE(html.find("CANDEIAS"), std::string::npos);
    EXPECT_NE(html.find("Média das precipitações diárias"), std::string::npos);
    EXPECT_NE(html.find("Erro padrão da estimativa = "), std::string::npos);
    std::size_t imagens = 0;
    for (std::size_t p = html.find("<img"); p != std::string::npos; p = html.find("<img", p + 1)) {
        ++imagens;
        EXPECT_EQ(html.compare(html.find("src=\"", p), 27, "src=\"data:image/png;base64,"), 0);
    }
    EXPECT_EQ(imagens, 42u + 36u + 19u);
    std::size_t pngs = 0;
    for (const auto& e : fs::directory_iterator(rel / "graficos")) {
        EXPECT_EQ(e.path().extension(), ".png");
        EXPECT_EQ(Ler(e.path()).substr(1, 3), "PNG");
        ++pngs;
    }
    EXPECT_EQ(pngs, imagens);

    const auto mensal = Csv(rel / "mensal.csv");
    const auto regressao = Csv(rel / "regressao.csv");
    ASSERT_EQ(mensal.size(), 1u + 42 * 12);
    ASSERT_EQ(regressao.size(), 1u + 36);
    EXPECT_EQ(mensal[0], (std::vector<std::string>{"painel", "aba", "mes", "observado", "gerado"}));
    EXPECT_EQ(regressao[0],
              (std::vector<std::string>{"painel", "aba", "inclinacao", "r2", "erro_padrao"}));

    // The same run through ventaro-cli gerar --estatisticas.
    args = {"gerar"};
    args.insert(args.end(), estacoes.begin(), estacoes.end());
    args.insert(args.end(), {"--saida", "serie.txt", "--estatisticas", "estatisticas.csv"});
    ASSERT_EQ(Rodar(kBin / "ventaro-cli", args, pasta_, &erro), 0) << erro;
    std::map<std::string, std::array<std::pair<double, double>, 12>> cli;
    for (const auto& l : Csv(pasta_ / "estatisticas.csv")) {
        if (l[0] == "campo") continue;
        cli[l[0]][std::stoul(l[1]) - 1] = {std::stod(l[2]), std::stod(l[3])};
    }
    // Each monthly tab that shows a field as it is, observed and generated.
    const std::map<std::pair<std::string, std::string>, std::string> diretos = {
        {{"Precipitação", "Média"}, "XPrec"},
        {{"Precipitação", "Desvio padrão"}, "SPrec"},
        {{"Precipitação", "Coeficiente de assimetria"}, "SkewPrec"},
        {{"Precipitação", "P(C/C)"}, "PCC"},
        {{"Precipitação", "P(C/S)"}, "PCS"},
        {{"Precipitação", "Duração"}, "XDur"},
        {{"Precipitação", "ii"}, "XIi"},
        {{"Precipitação", "Desvio ti*"}, "STi"},
        {{"Temperatura máxima", "Média dias secos"}, "XTMaxSe"},
        {{"Temperatura mínima", "Desvio dias chuvosos"}, "STMinCh"},
        {{"Radiação", "Média dias chuvosos"}, "XRadCh"},
        {{"Velocidade do vento", "Desvio dias secos"}, "SVVentoSe"},
        {{"Umidade", "Média dias secos"}, "XUmidSe"},
    };
    const auto perto = [](double a, double b) {
        return std::fabs(a - b) <= 1e-13 * std::max(1.0, std::fabs(b));
    };
    std::size_t conferidos = 0;
    std::map<std::string, std::array<std::pair<double, double>, 12>> pares;
    for (std::size_t i = 1; i < mensal.size(); ++i) {
        const auto& l = mensal[i];
        ASSERT_EQ(l.size(), 5u);
        const std::size_t m = std::stoul(l[2]) - 1;
        pares[l[0] + "/" + l[1]][m] = {l[3].empty() ? 0.0 : std::stod(l[3]), std::stod(l[4])};
        if (l[1] == "Dias chuvosos") {
            EXPECT_EQ(std::stod(l[4]), cli["DUmidos"][m].second);
        }
        const auto d = diretos.find({l[0], l[1]});
        if (d == diretos.end()) continue;
        const auto& [obs, gen] = cli[d->second][m];
        const bool so_gerado = d->second.starts_with("XDur") || d->second.starts_with("XIi") ||
                               d->second.starts_with("STi");
        EXPECT_EQ(l[3].empty(), so_gerado) << l[1];
        if (!so_gerado) {
            EXPECT_TRUE(perto(std::stod(l[3]), obs)) << l[0] << " " << l[1];
        }
        EXPECT_TRUE(perto(std::stod(l[4]), gen))
            << l[0] << " " << l[1] << " " << l[4] << " " << gen;
        ++conferidos;
    }
    EXPECT_EQ(conferidos, diretos.size() * 12);

    // The regressions are those of the monthly pairs.
    std::size_t regressoes = 0;
    for (std::size_t i = 1; i < regressao.size(); ++i) {
        const auto& l = regressao[i];
        const auto p = pares.find(l[0] + "/" + l[1]);
        ASSERT_NE(p, pares.end()) << l[0] << " " << l[1];
        std::array<double, 12> x{}, y{};
        for (std::size_t m = 0; m < 12; ++m) std::tie(x[m], y[m]) = p->second[m];
        TRegressao r;
        r.CalcularRegressao(x, y);
        EXPECT_EQ(std::stod(l[2]), r.Inclinacao()) << l[0] << " " << l[1];
        EXPECT_EQ(std::stod(l[3]), r.R2()) << l[0] << " " << l[1];
        EXPECT_EQ(std::stod(l[4]), r.ErroPadrao()) << l[0] << " " << l[1];
        ++regressoes;
    }
    EXPECT_EQ(regressoes, 36u);

    // A command line it cannot use: exit 2 and a word on stderr, no report.
    EXPECT_EQ(Rodar(kBin / "ventaro-relatorio", {"--pluviometrica", "2045012"}, pasta_, &erro), 2);
    EXPECT_NE(erro.find("--pasta"), std::string::npos) << erro;
    EXPECT_EQ(Rodar(kBin / "ventaro-relatorio",
                    {"--db", kBanco.string(), "--pluviometrica", "99999999", "--pasta", "x"},
                    pasta_, &erro),
              1);
    EXPECT_FALSE(fs::exists(pasta_ / "x" / "relatorio.html"));
}

}  // namespace
}  // namespace ventaro
