#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/comandos_erosividade.h"
#include "cli/executar_erosividade.h"

namespace ventaro {

void RegistrarErosividade(CLI::App& app) {
    auto o = std::make_shared<OpcoesErosividade>();
    CLI::App* cmd = app.add_subcommand(
        "erosividade",
        "Calcula a erosividade (KE25 e EI30 pelas duas equações de energia) das estações "
        "pluviométricas de um estado ou de uma lista: arquivos de texto por mês, por ano e de "
        "médias, e a planilha erosividade.xlsx, em PASTA/teste2.");
    cmd->add_option("--db", o->banco,
                    "Banco de dados de estações (padrão: bd.sqlite ao lado do executável)")
        ->type_name("ARQ");
    auto* estado = cmd->add_option("--estado", o->estado,
                                   "Todas as estações pluviométricas deste estado (código)")
                       ->type_name("COD");
    auto* lista =
        cmd->add_option("--lista", o->lista, "Arquivo de texto com um código de estação por linha")
            ->type_name("ARQ");
    estado->excludes(lista);
    cmd->add_option("--anos", o->anos, "Número de anos simulados por estação")
        ->type_name("N")
        ->required();
    cmd->add_option("--a-partir", o->a_partir, "Primeiro ano simulado (padrão: 1)")
        ->type_name("ANO");
    cmd->add_flag("--sem-correcao", o->sem_correcao, "Não faz as correções na série gerada");
    cmd->add_option("--pasta", o->pasta,
                    "Pasta onde fica teste2/ com os arquivos (padrão: a pasta atual)")
        ->type_name("DIR");
    cmd->add_option("--tarefas", o->tarefas,
                    "Estações calculadas ao mesmo tempo, uma por núcleo (padrão: o número de "
                    "núcleos; 1 calcula uma após a outra)")
        ->type_name("N");
    cmd->add_option("--parte", o->parte,
                    "Só a parte K de N do lote (as estações K, K+N, K+2N, ...), para dividir o "
                    "lote entre máquinas; cada parte em sua própria --pasta, depois "
                    "erosividade-juntar")
        ->type_name("K/N");
    cmd->footer(
        "Códigos de saída: 0 todas as estações calculadas; 1 falha (o lote para; o que já foi "
        "gravado fica); 2 linha de comando inválida; 3 alguma estação não pôde ser carregada ou "
        "simulada e foi ignorada (as outras foram gravadas); 130 ou 143 interrompido por "
        "Ctrl+C ou SIGTERM (as estações já calculadas ficam gravadas).");
    cmd->callback([o] {
        const int saida = ExecutarErosividade(*o, std::cerr);
        if (saida != 0) throw CLI::RuntimeError(saida);
    });
}

}  // namespace ventaro
