#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/caminhos.h"
#include "cli/comandos_importar.h"
#include "cli/executar_importar.h"
#include "core/erro.h"

namespace ventaro {

void RegistrarImportarInmet(CLI::App& app) {
    auto o = std::make_shared<OpcoesImportarInmet>();
    auto banco = std::make_shared<std::string>();
    auto arquivo = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "importar-inmet",
        "Insere uma estação climatológica a partir de dados diários do INMET (arquivo texto, "
        "exportação do BDMEP ou banco de dados Access).");
    cmd->add_option("--db", *banco,
                    "Banco de dados de estações (padrão: bd.sqlite ao lado do executável, ou a "
                    "cópia do usuário em ~/.local/share/ventaro)")
        ->type_name("ARQ");
    cmd->add_option("arquivo", *arquivo, "Arquivo do INMET")->type_name("ARQUIVO")->required();
    cmd->add_option("--estacao", o->estacao, "Estação a importar de um banco de dados Access")
        ->type_name("COD");
    cmd->add_option("--codigo", o->codigo, "Código da estação (5 dígitos; padrão: o do arquivo)")
        ->type_name("COD");
    cmd->add_option("--regiao", o->regiao, "Número da região (1 a 7)")->type_name("N");
    cmd->add_option("--nome", o->nome, "Nome da estação (padrão: o do arquivo)")->type_name("T");
    cmd->add_option("--municipio", o->municipio, "Município (padrão: o nome da estação)")
        ->type_name("T");
    cmd->add_option("--latitude", o->latitude, "Latitude em graus decimais, sul negativa")
        ->type_name("G");
    cmd->add_option("--longitude", o->longitude, "Longitude em graus decimais, oeste negativa")
        ->type_name("G");
    cmd->add_option("--altitude", o->altitude, "Altitude em metros")->type_name("M");
    cmd->add_flag("--substituir", o->substituir,
                  "Substitui uma estação de mesmo código já cadastrada");
    cmd->callback([o, banco, arquivo] {
        o->banco = banco->empty() ? BancoPadrao() : std::filesystem::path(*banco);
        o->arquivo = *arquivo;
        if (ExecutarImportarInmet(*o, std::cout) == 0) {
            throw ErroVentaro("Nenhuma estação importada.");
        }
    });
}

}  // namespace ventaro
