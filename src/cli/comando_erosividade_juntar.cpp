#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/comandos_erosividade.h"
#include "cli/executar_erosividade.h"

namespace ventaro {

void RegistrarErosividadeJuntar(CLI::App& app) {
    auto o = std::make_shared<OpcoesErosividadeJuntar>();
    CLI::App* cmd = app.add_subcommand(
        "erosividade-juntar",
        "Junta as pastas das partes de um lote de erosividade (erosividade --parte K/N) numa "
        "pasta, como se o lote inteiro tivesse sido calculado nela.");
    cmd->add_option("--pasta", o->pasta, "Pasta de destino (teste2/ fica dentro dela)")
        ->type_name("DEST")
        ->required();
    cmd->add_option("partes", o->partes, "Pastas das partes, todas as N")
        ->type_name("PASTA")
        ->required();
    cmd->footer(
        "Códigos de saída: 0 lote completo; 1 falha (partes que faltam, de lotes diferentes ou "
        "incompletas; nada é gravado); 2 linha de comando inválida; 3 o lote ignorou alguma "
        "estação.");
    cmd->callback([o] {
        const int saida = ExecutarErosividadeJuntar(*o, std::cerr);
        if (saida != 0) throw CLI::RuntimeError(saida);
    });
}

}  // namespace ventaro
