#include "stations/local_banco.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/erro.h"
#include "stations/banco_teste.h"

namespace ventaro {
namespace {

namespace fs = std::filesystem;

// An installation laid out as `cmake --install` leaves it (prefix/bin, prefix/share/ventaro),
// a system data folder and a home, all in a temporary folder removed at the end.
class LocalBancoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        raiz_ = fs::temp_directory_path() /
                ("ventaro_local_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(raiz_);
        fs::create_directories(raiz_ / "prefixo" / "bin");
        fs::create_directories(raiz_ / "sistema");
        locais_.PastaExecutavel = raiz_ / "prefixo" / "bin";
        locais_.PastasDados = {raiz_ / "prefixo" / "share", raiz_ / "sistema"};
        locais_.PastaUsuario = raiz_ / "casa" / ".local" / "share" / "ventaro";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(raiz_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(raiz_, ec);
    }

    // A station database with one rainfall station named `nome`, read-only like an installed
    // file.
    void Banco(const fs::path& arquivo, const std::string& nome) {
        fs::create_directories(arquivo.parent_path());
        teste::BancoTemporario banco;
        banco.Executar("insert into EstacaoPrec (CodEstacao, Nome) values (1, '" + nome + "')");
        fs::copy_file(banco.Arquivo(), arquivo);
        fs::permissions(arquivo,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    static std::string Nome(const fs::path& arquivo) {
        return SQLite::Database(arquivo.string()).execAndGet("select Nome from EstacaoPrec");
    }

    fs::path raiz_;
    LocaisBanco locais_;
};

// Where the database is taken from, for each layout: the build tree keeps its own; an
// installation copies its sample (found beside the executable's prefix or in the system's data
// folders) into the user's folder once, and uses that copy from then on.
TEST_F(LocalBancoTest, BuildTreeUsesItsOwnAndAnInstallationCopiesItsSampleOnce) {
    struct Caso {
        const char* nome;
        std::optional<fs::path> ao_lado, amostra, do_usuario;
        fs::path esperado;
        bool copiado;
    };
    const fs::path bin = locais_.PastaExecutavel;
    const fs::path usuario = locais_.PastaUsuario / "bd.sqlite";
    const fs::path instalada = raiz_ / "prefixo" / "share" / "ventaro" / "bd.sqlite";
    const fs::path sistema = raiz_ / "sistema" / "ventaro" / "bd.sqlite";
    const Caso casos[] = {
        {"árvore de construção", bin / "bd.sqlite", instalada, usuario, bin / "bd.sqlite", false},
        {"primeira execução instalada", {}, instalada, {}, usuario, true},
        {"amostra nas pastas do sistema", {}, sistema, {}, usuario, true},
        {"cópia do usuário já feita", {}, instalada, usuario, usuario, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        fs::remove_all(raiz_ / "prefixo" / "share");
        fs::remove_all(raiz_ / "sistema");
        fs::remove_all(raiz_ / "casa");
        fs::remove(bin / "bd.sqlite");
        if (c.ao_lado) Banco(*c.ao_lado, "AO LADO");
        if (c.amostra) Banco(*c.amostra, "AMOSTRA");
        if (c.do_usuario) Banco(*c.do_usuario, "DO USUARIO");

        const BancoLocalizado banco = LocalizarBanco(locais_);
        EXPECT_EQ(banco.Arquivo, c.esperado);
        EXPECT_EQ(banco.Copiado, c.copiado);
        if (c.copiado) {
            EXPECT_EQ(banco.Amostra, *c.amostra);
            EXPECT_EQ(Nome(banco.Arquivo), "AMOSTRA");
            // The copy takes imports even though the installed file is read-only, and the
            // installation is left as it was.
            SQLite::Database(banco.Arquivo.string(), SQLite::OPEN_READWRITE)
                .exec("update EstacaoPrec set Nome = 'IMPORTADA'");
            EXPECT_EQ(Nome(*c.amostra), "AMOSTRA");
            // The next start keeps the user's database, changes included.
            const BancoLocalizado depois = LocalizarBanco(locais_);
            EXPECT_EQ(depois.Arquivo, usuario);
            EXPECT_FALSE(depois.Copiado);
            EXPECT_EQ(Nome(usuario), "IMPORTADA");
            EXPECT_EQ(std::distance(fs::directory_iterator(locais_.PastaUsuario),
                                    fs::directory_iterator()),
                      1)
                << "no temporary copy is left behind";
        }
    }
}

TEST_F(LocalBancoTest, NoDatabaseOrAFailedCopyIsReportedWithThePlacesAndTheReason) {
    try {
        LocalizarBanco(locais_);
        FAIL() << "no database anywhere";
    } catch (const ErroVentaro& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("não encontrado"), std::string::npos) << m;
        for (const fs::path& p :
             {locais_.PastaExecutavel / "bd.sqlite", locais_.PastaUsuario / "bd.sqlite",
              raiz_ / "sistema" / "ventaro" / "bd.sqlite"}) {
            EXPECT_NE(m.find(p.string()), std::string::npos) << m;
        }
    }

    // The user's data folder cannot be made: a file stands where a folder should be.
    Banco(raiz_ / "prefixo" / "share" / "ventaro" / "bd.sqlite", "AMOSTRA");
    fs::create_directories(raiz_ / "casa" / ".local");
    std::ofstream(raiz_ / "casa" / ".local" / "share") << "x";
    try {
        LocalizarBanco(locais_);
        FAIL() << "the copy cannot be made";
    } catch (const ErroVentaro& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("Não foi possível copiar"), std::string::npos) << m;
        EXPECT_NE(m.find("não é uma pasta"), std::string::npos) << m;
    }
}

TEST(LocaisPadrao, FollowTheXdgVariables) {
    const auto Guardar = [](const char* nome) -> std::optional<std::string> {
        const char* v = std::getenv(nome);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto home = Guardar("HOME"), dados = Guardar("XDG_DATA_HOME"),
               dirs = Guardar("XDG_DATA_DIRS");

    ::setenv("HOME", "/casa/ana", 1);
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_DATA_DIRS");
    LocaisBanco l = LocaisPadrao("/opt/ventaro/bin");
    EXPECT_EQ(l.PastaUsuario, fs::path("/casa/ana/.local/share/ventaro"));
    EXPECT_EQ(l.PastasDados,
              (std::vector<fs::path>{"/opt/ventaro/share", "/usr/local/share", "/usr/share"}));

    ::setenv("XDG_DATA_HOME", "/dados", 1);
    ::setenv("XDG_DATA_DIRS", "/a:relativa:/b", 1);
    l = LocaisPadrao("/usr/bin");
    EXPECT_EQ(l.PastaUsuario, fs::path("/dados/ventaro"));
    EXPECT_EQ(l.PastasDados, (std::vector<fs::path>{"/usr/share", "/a", "/b"}));

    const auto Repor = [](const char* nome, const std::optional<std::string>& v) {
        if (v) {
            ::setenv(nome, v->c_str(), 1);
        } else {
            ::unsetenv(nome);
        }
    };
    Repor("HOME", home);
    Repor("XDG_DATA_HOME", dados);
    Repor("XDG_DATA_DIRS", dirs);
}

TEST(VerificarBancoEstacoes, NamesTheFileAndWhatIsWrong) {
    teste::BancoTemporario bom;
    EXPECT_NO_THROW(VerificarBancoEstacoes(bom.Arquivo()));

    teste::BancoTemporario sem_regiao;
    sem_regiao.Executar("drop table ParamRegiao");
    const fs::path lixo =
        fs::temp_directory_path() / ("ventaro_nao_banco_" + std::to_string(::getpid()) + ".sqlite");
    std::ofstream(lixo) << "isto não é um banco de dados, apenas texto comprido o bastante";
    const struct {
        fs::path arquivo;
        const char* trecho;
    } casos[] = {
        {fs::temp_directory_path() / "ventaro_nao_existe.sqlite", "não encontrado"},
        {sem_regiao.Arquivo(), "não tem a tabela ParamRegiao"},
        {lixo, "não é um banco de dados"},
    };
    for (const auto& c : casos) {
        try {
            VerificarBancoEstacoes(c.arquivo);
            ADD_FAILURE() << c.arquivo;
        } catch (const ErroVentaro& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find(c.arquivo.string()), std::string::npos) << m;
            EXPECT_NE(m.find(c.trecho), std::string::npos) << m;
        }
    }
    fs::remove(lixo);
}

}  // namespace
}  // namespace ventaro
