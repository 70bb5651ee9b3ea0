#include "views/relatorio/opcoes_relatorio.h"

#include <optional>
#include <set>

#include "cli/erro_uso.h"

namespace ventaro {

namespace {

std::vector<std::string> SepararVirgulas(const std::string& lista) {
    std::vector<std::string> nomes;
    std::size_t inicio = 0;
    while (true) {
        const std::size_t virgula = lista.find(',', inicio);
        nomes.push_back(lista.substr(inicio, virgula - inicio));
        if (virgula == std::string::npos) return nomes;
        inicio = virgula + 1;
    }
}

}  // namespace

OpcoesRelatorio LerOpcoesRelatorio(const std::vector<std::string>& argumentos) {
    OpcoesRelatorio o;
    OpcoesGerar& g = o.Geracao;
    std::set<std::string> vistas;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        std::string nome = argumentos[i];
        if (nome == "-h" || nome == "--help") {
            o.Ajuda = true;
            return o;
        }
        std::optional<std::string> valor;
        if (const auto igual = nome.find('=');
            nome.starts_with("--") && igual != std::string::npos) {
            valor = nome.substr(igual + 1);
            nome = nome.substr(0, igual);
        }
        if (!vistas.insert(nome).second) throw ErroUso("A opção " + nome + " foi dada duas vezes.");
        if (nome == "--sem-correcao") {
            if (valor) throw ErroUso("A opção --sem-correcao não leva valor.");
            g.sem_correcao = true;
            continue;
        }
        const std::set<std::string> com_valor = {"--db",   "--pluviometrica", "--climatologica",
                                                 "--anos", "--a-partir",      "--variaveis",
                                                 "--pasta"};
        if (!com_valor.contains(nome)) throw ErroUso("Argumento não esperado: " + nome + ".");
        if (!valor) {
            if (i + 1 >= argumentos.size()) throw ErroUso("A opção " + nome + " pede um valor.");
            valor = argumentos[++i];
        }
        if (nome == "--db") g.banco = *valor;
        if (nome == "--pluviometrica") g.pluviometrica = *valor;
        if (nome == "--climatologica") g.climatologica = *valor;
        if (nome == "--anos") g.anos = *valor;
        if (nome == "--a-partir") g.a_partir = *valor;
        if (nome == "--variaveis") g.variaveis = SepararVirgulas(*valor);
        if (nome == "--pasta") o.Pasta = *valor;
    }
    if (g.pluviometrica.empty()) throw ErroUso("A opção --pluviometrica é obrigatória.");
    if (o.Pasta.empty()) throw ErroUso("A opção --pasta é obrigatória.");
    return o;
}

std::string AjudaRelatorio() {
    return "Gera a série sintética das estações escolhidas e grava um relatório das estatísticas\n"
           "mensais e das regressões, sem abrir janela.\n"
           "\n"
           "Uso: ventaro-relatorio --pluviometrica COD [--climatologica COD] [OPÇÕES] --pasta DIR\n"
           "\n"
           "Opções:\n"
           "  --db ARQ               Banco de dados de estações (padrão: bd.sqlite ao lado do\n"
           "                         executável, ou a cópia do usuário em\n"
           "                         ~/.local/share/ventaro)\n"
           "  --pluviometrica COD    Código da estação pluviométrica (exigida)\n"
           "  --climatologica COD    Código da estação climatológica\n"
           "  --anos N               Número de anos da série (padrão: 10)\n"
           "  --a-partir ANO         Primeiro ano simulado (padrão: 1)\n"
           "  --sem-correcao         Não faz as correções na série gerada\n"
           "  --variaveis LISTA      Variáveis a simular, separadas por vírgula:\n"
           "                         prec,tmax,tmin,rad,vvento,umid (padrão: as que os\n"
           "                         parâmetros das estações permitem)\n"
           "  --pasta DIR            Pasta do relatório (exigida): relatorio.html, mensal.csv,\n"
           "                         regressao.csv e graficos/\n"
           "  -h, --help             Mostra esta ajuda e sai\n";
}

}  // namespace ventaro
