#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace ventaro {

// Exit codes of the erosivity commands besides 0 (every station computed), 1 (failure) and 2
// (a command line that cannot be understood).
inline constexpr int kSaidaEstacoesIgnoradas = 3;  // some stations skipped, the others written

// What `ventaro-cli erosividade` was asked; unset options take the defaults.
struct OpcoesErosividade {
    std::string banco;
    std::optional<std::string> estado;
    std::optional<std::string> lista;
    std::string anos;
    std::optional<std::string> a_partir;
    bool sem_correcao = false;
    std::string pasta = ".";
    std::optional<std::string> tarefas;
    std::optional<std::string> parte;
};

// Runs an erosivity batch over a state's rainfall stations or a list file into `pasta`/teste2,
// one line per station on `mensagens` as it is written (skipped stations with the reason) and a
// closing summary. SIGINT and SIGTERM stop it after the stations done, which stay written.
// Returns the exit code: 0, kSaidaEstacoesIgnoradas, or 128 + the signal when Ctrl+C or
// SIGTERM stopped it; failures throw.
int ExecutarErosividade(const OpcoesErosividade& opcoes, std::ostream& mensagens);

// What `ventaro-cli erosividade-juntar` was asked.
struct OpcoesErosividadeJuntar {
    std::string pasta;
    std::vector<std::string> partes;
};

// Merges the part folders into `pasta` as one run of the whole batch would leave it. Returns
// 0, or kSaidaEstacoesIgnoradas when the batch skipped stations (named on `mensagens`).
int ExecutarErosividadeJuntar(const OpcoesErosividadeJuntar& opcoes, std::ostream& mensagens);

}  // namespace ventaro
