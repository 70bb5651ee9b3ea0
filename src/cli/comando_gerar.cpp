#include <CLI/CLI.hpp>

#include <memory>
#include <string>

#include "cli/comandos.h"
#include "cli/executar.h"
#include "cli/interrupcao.h"

namespace ventaro {

void RegistrarGerar(CLI::App& app) {
    auto opcoes = std::make_shared<OpcoesGerar>();
    CLI::App* cmd = app.add_subcommand(
        "gerar",
        "Gera a série sintética diária das estações escolhidas e grava o arquivo da série.");
    cmd->add_option("--db", opcoes->banco,
                    "Banco de dados de estações (padrão: bd.sqlite ao lado do executável, ou a "
                    "cópia do usuário em ~/.local/share/ventaro)")
        ->type_name("ARQ");
    cmd->add_option("--pluviometrica", opcoes->pluviometrica, "Código da estação pluviométrica")
        ->type_name("COD")
        ->required();
    cmd->add_option("--climatologica", opcoes->climatologica, "Código da estação climatológica")
        ->type_name("COD");
    cmd->add_option("--anos", opcoes->anos, "Número de anos da série (padrão: 10)")->type_name("N");
    cmd->add_option("--a-partir", opcoes->a_partir, "Primeiro ano simulado (padrão: 1)")
        ->type_name("ANO");
    cmd->add_flag("--sem-correcao", opcoes->sem_correcao, "Não faz as correções na série gerada");
    cmd->add_flag("--variabilidade-anual", opcoes->variabilidade_anual,
                  "Dá aos totais mensais e anuais de chuva a variabilidade interanual do registro "
                  "da estação pluviométrica");

    std::string nomes;
    for (const char* nome : kNomesVariaveis) nomes += std::string(nomes.empty() ? "" : ",") + nome;
    const CLI::Validator variavel(
        [](std::string& valor) -> std::string {
            for (const char* nome : kNomesVariaveis) {
                if (valor == nome) return {};
            }
            return "variável desconhecida \"" + valor + "\"";
        },
        "");
    cmd->add_option("--variaveis", opcoes->variaveis,
                    "Variáveis a simular, separadas por vírgula: " + nomes +
                        " (padrão: as que os parâmetros das estações permitem)")
        ->type_name("LISTA")
        ->delimiter(',')
        ->check(variavel);
    const CLI::Validator separador(
        [](std::string& valor) -> std::string {
            return valor == "." || valor == "," ? std::string()
                                                : "use \".\" ou \",\", não \"" + valor + "\"";
        },
        "");
    cmd->add_option("--separador-decimal", opcoes->separador,
                    "Separador decimal do arquivo, . ou , (padrão: o das configurações regionais)")
        ->type_name("SEP")
        ->check(separador);
    cmd->add_option("--saida", opcoes->saida, "Arquivo da série sintética a gravar")
        ->type_name("ARQ")
        ->required();
    cmd->add_option("--estatisticas", opcoes->estatisticas,
                    "Grava também um CSV com as estatísticas mensais observadas e geradas")
        ->type_name("ARQ.csv");
    cmd->callback([opcoes] {
        const InterrupcaoPorSinal interrupcao;
        ExecutarGerar(*opcoes, &interrupcao);
    });
}

}  // namespace ventaro
