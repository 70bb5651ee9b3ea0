#include "stations/local_banco.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "core/erro.h"
#include "output/motivo_erro.h"
#include "stations/banco_dados.h"

namespace ventaro {

namespace {

namespace fs = std::filesystem;

constexpr char kNomeBanco[] = "bd.sqlite";
constexpr char kPastaPrograma[] = "ventaro";

std::string Variavel(const char* nome) {
    const char* valor = std::getenv(nome);
    return valor == nullptr ? std::string() : std::string(valor);
}

// The absolute entries of a colon-separated list; relative ones are ignored, as XDG asks.
std::vector<fs::path> Pastas(std::string_view lista) {
    std::vector<fs::path> pastas;
    while (!lista.empty()) {
        const auto fim = lista.find(':');
        const fs::path pasta(lista.substr(0, fim));
        if (pasta.is_absolute()) pastas.push_back(pasta);
        if (fim == std::string_view::npos) break;
        lista.remove_prefix(fim + 1);
    }
    return pastas;
}

bool Existe(const fs::path& arquivo) {
    std::error_code ec;
    return fs::is_regular_file(arquivo, ec);
}

// Messages are built by appending: GCC 12 warns falsely on a chain of + starting with a literal.
[[noreturn]] void FalhaCopia(const fs::path& amostra, const fs::path& destino, int erro) {
    std::string m = "Não foi possível copiar o banco de dados de exemplo ";
    m += amostra.string();
    m += " para ";
    m += destino.string();
    m += ": ";
    m += MotivoErro(erro);
    throw ErroVentaro(m += ".");
}

// Copies the sample under a private name and links it into place: the copy appears whole or
// not at all, and a copy made meanwhile by another program starting at the same time is kept.
void CopiarAmostra(const fs::path& amostra, const fs::path& destino) {
    std::error_code ec;
    fs::create_directories(destino.parent_path(), ec);
    if (ec) FalhaCopia(amostra, destino, ec.value());
    std::string nome(1, '.');
    nome += destino.filename().string();
    nome += '.';
    nome += std::to_string(::getpid());
    fs::path temporario = destino;
    temporario.replace_filename(nome += ".tmp");
    fs::copy_file(amostra, temporario, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        const int erro = ec.value();
        fs::remove(temporario, ec);
        FalhaCopia(amostra, destino, erro);
    }
    // The installed sample is read-only; the user's copy must take the imports.
    fs::permissions(temporario, fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::add, ec);
    const int ligado = ::link(temporario.c_str(), destino.c_str());
    const int erro = ligado == 0 ? 0 : errno;
    fs::remove(temporario, ec);
    if (ligado != 0 && erro != EEXIST) FalhaCopia(amostra, destino, erro);
}

}  // namespace

LocaisBanco LocaisPadrao(const fs::path& pasta_executavel) {
    LocaisBanco locais;
    locais.PastaExecutavel = pasta_executavel;
    // An installation's own data folder: bin/../share.
    locais.PastasDados.push_back(pasta_executavel.parent_path() / "share");
    const std::string dirs = Variavel("XDG_DATA_DIRS");
    for (fs::path& pasta : Pastas(dirs.empty() ? "/usr/local/share:/usr/share" : dirs)) {
        locais.PastasDados.push_back(std::move(pasta));
    }
    fs::path dados_usuario = Variavel("XDG_DATA_HOME");
    if (!dados_usuario.is_absolute()) {
        const std::string home = Variavel("HOME");
        dados_usuario = home.empty() ? fs::path() : fs::path(home) / ".local" / "share";
    }
    if (!dados_usuario.empty()) locais.PastaUsuario = dados_usuario / kPastaPrograma;
    return locais;
}

BancoLocalizado LocalizarBanco(const LocaisBanco& locais) {
    const fs::path junto = locais.PastaExecutavel / kNomeBanco;
    if (Existe(junto)) return {junto, {}, false};

    const fs::path do_usuario =
        locais.PastaUsuario.empty() ? fs::path() : locais.PastaUsuario / kNomeBanco;
    if (!do_usuario.empty() && Existe(do_usuario)) return {do_usuario, {}, false};

    std::string procurados = junto.string();
    if (!do_usuario.empty()) procurados += ", " + do_usuario.string();
    for (const fs::path& pasta : locais.PastasDados) {
        const fs::path amostra = pasta / kPastaPrograma / kNomeBanco;
        if (!Existe(amostra)) {
            procurados += ", " + amostra.string();
            continue;
        }
        if (do_usuario.empty()) {
            std::string m = "O banco de dados de exemplo ";
            m += amostra.string();
            throw ErroVentaro(m +=
                              " não pode ser copiado: a pasta de dados do usuário é "
                              "desconhecida (HOME e XDG_DATA_HOME não estão definidas).");
        }
        CopiarAmostra(amostra, do_usuario);
        return {do_usuario, amostra, true};
    }
    std::string m = "Banco de dados de estações não encontrado. Procurado em: ";
    m += procurados;
    throw ErroVentaro(m += ".");
}

void VerificarBancoEstacoes(const fs::path& arquivo) {
    BancoDados banco(arquivo, BancoDados::Modo::Leitura);
    banco.VerificarTabelas(
        {"EstacaoPrec", "DadosPrec", "EstacaoClima", "DadosClima", "ParamRegiao"});
    banco.VerificarIntegridade();
}

}  // namespace ventaro
