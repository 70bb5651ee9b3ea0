#include <unistd.h>
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/caminhos.h"
#include "cli/comandos_importar.h"
#include "cli/executar_importar.h"
#include "core/erro.h"

namespace ventaro {

void RegistrarImportarAna(CLI::App& app) {
    auto o = std::make_shared<OpcoesImportarAna>();
    auto banco = std::make_shared<std::string>();
    auto arquivos = std::make_shared<std::vector<std::string>>();
    auto inventario = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "importar-ana",
        "Insere estações pluviométricas a partir das chuvas diárias da ANA (exportações do "
        "HidroWeb ou banco de dados Access).");
    cmd->add_option("--db", *banco,
                    "Banco de dados de estações (padrão: bd.sqlite ao lado do executável, ou a "
                    "cópia do usuário em ~/.local/share/ventaro)")
        ->type_name("ARQ");
    cmd->add_option("arquivos", *arquivos, "Arquivos do HidroWeb ou um banco de dados Access")
        ->type_name("ARQUIVO")
        ->required();
    cmd->add_option("--inventario", *inventario,
                    "Inventário de estações da ANA (nome, município, coordenadas, altitude)")
        ->type_name("ARQ.csv");
    auto* estado = cmd->add_option("--estado", o->estado,
                                   "Todas as estações deste estado (banco de dados Access)")
                       ->type_name("NOME");
    auto* todas = cmd->add_flag("--todas", o->todas, "Todas as estações do banco de dados Access");
    auto* estacao =
        cmd->add_option("--estacao", o->estacao, "Somente esta estação")->type_name("COD");
    estado->excludes(todas)->excludes(estacao);
    todas->excludes(estacao);
    cmd->add_option("--regiao", o->regiao,
                    "Número da região (1 a 7) de todas as estações; sem ela, é perguntado "
                    "(obrigatória quando a entrada não é um terminal)")
        ->type_name("N");
    auto* substituir =
        cmd->add_flag("--substituir", o->substituir, "Substitui as estações já cadastradas");
    auto* manter =
        cmd->add_flag("--manter", o->manter, "Mantém as estações já cadastradas sem avisar");
    substituir->excludes(manter);
    cmd->add_option("--nome", o->nome, "Nome de uma estação fora do inventário")->type_name("T");
    cmd->add_option("--municipio", o->municipio, "Município de uma estação fora do inventário")
        ->type_name("T");
    cmd->add_option("--latitude", o->latitude, "Latitude de uma estação fora do inventário")
        ->type_name("G");
    cmd->add_option("--longitude", o->longitude, "Longitude de uma estação fora do inventário")
        ->type_name("G");
    cmd->add_option("--altitude", o->altitude, "Altitude de uma estação fora do inventário")
        ->type_name("M");
    cmd->callback([o, banco, arquivos, inventario] {
        o->banco = banco->empty() ? BancoPadrao() : std::filesystem::path(*banco);
        o->arquivos.assign(arquivos->begin(), arquivos->end());
        if (!inventario->empty()) o->inventario = *inventario;
        o->entrada_interativa = ::isatty(STDIN_FILENO) != 0;
        if (ExecutarImportarAna(*o, std::cout, std::cin) == 0) {
            throw ErroVentaro("Nenhuma estação importada.");
        }
    });
}

}  // namespace ventaro
