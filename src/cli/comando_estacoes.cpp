#include <CLI/CLI.hpp>

#include <memory>

#include "cli/comandos.h"
#include "cli/executar.h"

namespace ventaro {

void RegistrarEstacoes(CLI::App& app) {
    auto opcoes = std::make_shared<OpcoesEstacoes>();
    CLI::App* cmd = app.add_subcommand(
        "estacoes", "Lista as estações do banco de dados, como a tela de seleção de estações.");
    cmd->add_option("--db", opcoes->banco,
                    "Banco de dados de estações (padrão: bd.sqlite ao lado do executável, ou a "
                    "cópia do usuário em ~/.local/share/ventaro)")
        ->type_name("ARQ");
    auto* prec = cmd->add_flag("--pluviometricas", opcoes->pluviometricas,
                               "Lista as estações pluviométricas");
    auto* clima = cmd->add_flag("--climatologicas", opcoes->climatologicas,
                                "Lista as estações climatológicas");
    prec->excludes(clima);
    cmd->add_option("--procurar", opcoes->procurar,
                    "Só as estações cujo código, nome ou município contém TEXTO")
        ->type_name("TEXTO");
    cmd->callback([opcoes] { ExecutarEstacoes(*opcoes); });
}

}  // namespace ventaro
