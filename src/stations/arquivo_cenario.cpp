#include "stations/arquivo_cenario.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/erro.h"

namespace ventaro {

namespace {

// A scenario has thirteen short lines; anything far larger is not one.
constexpr std::uintmax_t kTamanhoMaximo = 1 << 20;

}  // namespace

CenarioClimatico CarregarCenario(const std::filesystem::path& arquivo) {
    const std::string origem = arquivo.string();
    std::error_code ec;
    if (std::filesystem::is_directory(arquivo, ec)) {
        throw ErroVentaro("Cenário " + origem + ": é uma pasta, não um arquivo.");
    }
    const auto tamanho = std::filesystem::file_size(arquivo, ec);
    if (!ec && tamanho > kTamanhoMaximo) {
        throw ErroVentaro("Cenário " + origem +
                          ": arquivo grande demais para um cenário (até 1 MB).");
    }
    std::ifstream in(arquivo, std::ios::binary);
    if (!in) {
        const int erro = errno;
        throw ErroVentaro("Não foi possível abrir o arquivo de cenário " + origem + ": " +
                          (erro == ENOENT   ? std::string("arquivo não encontrado")
                           : erro == EACCES ? std::string("permissão negada")
                                            : std::generic_category().message(erro)) +
                          ".");
    }
    std::ostringstream texto;
    texto << in.rdbuf();
    if (in.bad()) throw ErroVentaro("Não foi possível ler o arquivo de cenário " + origem + ".");
    return LerCenario(texto.str(), arquivo.filename().string(), origem);
}

}  // namespace ventaro
