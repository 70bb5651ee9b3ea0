#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "stations/banco_dados.h"

namespace ventaro {

// A state of the station database.
struct Estado {
    int32_t Codigo = 0;
    std::string Nome;
    bool operator==(const Estado&) const = default;
};

// The states with a code below 30, by name.
std::vector<Estado> ListarEstados(BancoDados& banco);

// Number of rainfall stations of a state.
int ContarEstacoesEstado(BancoDados& banco, int32_t cod_estado);

// Codes of the rainfall stations of a state, ordered by code: a state's batch.
std::vector<std::string> EstacoesDoEstado(BancoDados& banco, int32_t cod_estado);

// A station list file: one rainfall-station code per line. Blank lines are skipped, each code
// is trimmed of spaces and tabs, and Windows line ends and a UTF-8 byte order mark are accepted.
// A code listed again (also with other leading zeros) is kept once, at its first line. A file
// that cannot be read fails with an ErroVentaro naming it.
std::vector<std::string> LerListaEstacoes(const std::filesystem::path& arquivo);

}  // namespace ventaro
