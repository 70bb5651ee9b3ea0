#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/comandos.h"
#include "cli/executar.h"

namespace ventaro {

void RegistrarEstimarRegiao(CLI::App& app) {
    auto opcoes = std::make_shared<OpcoesEstimarRegiao>();
    CLI::App* cmd = app.add_subcommand(
        "estimar-regiao",
        "Estima as leis de tempestade de uma região (duração, intensidade de pico e tempo de "
        "pico) a partir de séries horárias de estações automáticas do INMET e substitui as da "
        "região no banco de dados.");
    cmd->add_option("--db", opcoes->banco,
                    "Banco de dados de estações (padrão: bd.sqlite ao lado do executável, ou a "
                    "cópia do usuário em ~/.local/share/ventaro)")
        ->type_name("ARQ");
    cmd->add_option("--regiao", opcoes->regiao, "Número da região (1 a 7)")
        ->type_name("N")
        ->required();
    cmd->add_option("--fator-pico", opcoes->fator_pico,
                    "Multiplica a maior lâmina horária para obter a intensidade de pico "
                    "(padrão: 1)")
        ->type_name("F");
    cmd->add_option("--minimo", opcoes->minimo,
                    "Mínimo de tempestades por mês e classe de lâmina; uma célula com menos "
                    "toma emprestadas as de células vizinhas (padrão: 10)")
        ->type_name("K");
    cmd->add_option("arquivos", opcoes->arquivos,
                    "Séries horárias do INMET (portal de dados históricos ou BDMEP)")
        ->type_name("ARQ")
        ->required();
    cmd->callback([opcoes] { ExecutarEstimarRegiao(*opcoes, std::cout); });
}

}  // namespace ventaro
