// Golden sums of `ventaro-cli gerar`: the series file and the statistics CSV of every sample
// station of bd.sqlite, with and without corrections, from three first years, for 1, 10 and 100
// years (plus the year-to-year variability, a rainfall station alone with a decimal comma and
// one 1000-year run), through the command's own code, compared with SHA-256 sums recorded
// before the generator and the writer were tuned for speed. Any change of a byte is a change
// of results. The runs read a copy of bd.sqlite whose regional storm laws are those the sums
// were recorded with (esperado/param_regiao_referencia.sql), so that the sums follow the
// generator and the writer, not the estimator that fills the sample's regional rows.

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/executar.h"
#include "support/pasta_temporaria.h"
#include "support/sha256.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;

// The sample rainfall stations, each paired with one climatological station.
struct Par {
    const char* pluviometrica;
    const char* climatologica;
    bool totais;  // the station keeps the record's totals (year-to-year variability)
};
constexpr Par kPares[] = {{"447002", "83179", true},  {"2045012", "83587", false},
                          {"2345024", "83967", true}, {"2345106", "83179", true},
                          {"2447049", "83587", true}, {"2852006", "83967", false}};

std::string Ler(const fs::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// name -> sum, as sha256sum writes them.
std::map<std::string, std::string> SomasEsperadas() {
    std::map<std::string, std::string> somas;
    std::istringstream in(
        Ler(fs::path(VENTARO_SOURCE_DIR) / "tests/cli/esperado/somas_serie.sha256"));
    for (std::string soma, nome; in >> soma >> nome;) somas[nome] = soma;
    return somas;
}

// A copy of the sample database in `pasta` with every regional storm law replaced, in one
// transaction, by the rows the sums were recorded with.
fs::path BancoDasSomas(const fs::path& pasta) {
    const fs::path banco = pasta / "bd.sqlite";
    fs::copy_file(fs::path(VENTARO_BIN_DIR) / "bd.sqlite", banco);
    SQLite::Database bd(banco.string(), SQLite::OPEN_READWRITE);
    SQLite::Transaction transacao(bd);
    bd.exec("delete from ParamRegiao");
    bd.exec(Ler(fs::path(VENTARO_SOURCE_DIR) / "tests/cli/esperado/param_regiao_referencia.sql"));
    transacao.commit();
    EXPECT_EQ(bd.execAndGet("select count(*) from ParamRegiao").getInt(), 180);
    return banco;
}

struct Caso {
    std::string nome;
    OpcoesGerar opcoes;
};

std::vector<Caso> Casos(const Par& par, const fs::path& banco) {
    const std::string p = par.pluviometrica;
    const std::string c = par.climatologica;
    const auto Opcoes = [&](bool com_clima, const std::string& anos, const std::string& a_partir) {
        OpcoesGerar o;
        o.banco = banco.string();
        o.pluviometrica = p;
        if (com_clima) o.climatologica = c;
        o.anos = anos;
        o.a_partir = a_partir;
        o.separador = ".";
        return o;
    };
    std::vector<Caso> casos;
    for (const bool correcao : {true, false}) {
        for (const char* a_partir : {"1", "1989", "2000"}) {
            for (const char* anos : {"1", "10", "100"}) {
                Caso caso{p + "-" + c + (correcao ? "-com-" : "-sem-") + a_partir + "-" + anos,
                          Opcoes(true, anos, a_partir)};
                caso.opcoes.sem_correcao = !correcao;
                casos.push_back(caso);
            }
        }
    }
    if (par.totais) {
        Caso caso{p + "-" + c + "-var-1989-100", Opcoes(true, "100", "1989")};
        caso.opcoes.variabilidade_anual = true;
        casos.push_back(caso);
    }
    Caso so_chuva{p + "-prec-virg-1989-100", Opcoes(false, "100", "1989")};
    so_chuva.opcoes.separador = ",";
    casos.push_back(so_chuva);
    if (p == "2045012") casos.push_back({p + "-" + c + "-com-1-1000", Opcoes(true, "1000", "1")});
    return casos;
}

class SomasSerie : public ::testing::TestWithParam<Par> {
  protected:
    teste::PastaTemporaria temporaria_;
    const fs::path pasta_ = temporaria_.Caminho();
};

TEST_P(SomasSerie, EveryRunOfTheStationWritesTheRecordedBytes) {
    const auto esperadas = SomasEsperadas();
    std::map<std::string, std::string> obtidas;
    const fs::path banco = BancoDasSomas(pasta_);
    for (Caso& caso : Casos(GetParam(), banco)) {
        caso.opcoes.saida = (pasta_ / (caso.nome + ".txt")).string();
        caso.opcoes.estatisticas = (pasta_ / (caso.nome + ".csv")).string();
        ExecutarGerar(caso.opcoes);
        for (const char* ext : {".txt", ".csv"}) {
            const fs::path arquivo = pasta_ / (caso.nome + ext);
            obtidas[arquivo.filename().string()] = teste::Sha256(Ler(arquivo));
            fs::remove(arquivo);
        }
    }
    // Every recorded sum of the station is checked, and nothing else.
    const std::string prefixo = std::string(GetParam().pluviometrica) + "-";
    std::map<std::string, std::string> da_estacao;
    for (const auto& [nome, soma] : esperadas) {
        if (nome.rfind(prefixo, 0) == 0) da_estacao[nome] = soma;
    }
    EXPECT_EQ(obtidas.size(), da_estacao.size());
    for (const auto& [nome, soma] : obtidas) {
        const auto e = da_estacao.find(nome);
        if (e == da_estacao.end()) {
            ADD_FAILURE() << nome << ": sem soma registrada (" << soma << ")";
        } else {
            EXPECT_EQ(soma, e->second) << nome;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EstacoesDeExemplo, SomasSerie, ::testing::ValuesIn(kPares),
                         [](const auto& parametro) {
                             return std::string("Estacao") + parametro.param.pluviometrica;
                         });

TEST(SomasSerie, EveryRecordedSumBelongsToASampleStationAndTheHashIsSha256) {
    for (const auto& [nome, soma] : SomasEsperadas()) {
        bool conhecida = false;
        for (const Par& par : kPares) {
            conhecida = conhecida || nome.rfind(std::string(par.pluviometrica) + "-", 0) == 0;
        }
        EXPECT_TRUE(conhecida) << nome;
        EXPECT_EQ(soma.size(), 64u) << nome;
    }
    EXPECT_EQ(SomasEsperadas().size(), 238u);
    // FIPS 180-4 examples: one block, two blocks, and an empty message.
    EXPECT_EQ(teste::Sha256("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(teste::Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(teste::Sha256(""),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

}  // namespace
}  // namespace ventaro
