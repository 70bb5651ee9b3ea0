// ventaro-relatorio: runs the generator for the chosen stations and settings and writes a report
// of the monthly statistics and regressions, with its charts, without opening a window.
//
// Exit codes: 0 success, 2 a command line that cannot be understood, 1 any other failure, with
// one line on stderr saying what failed.

#include <unistd.h>

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <iostream>
#include <optional>

#include "cli/erro_uso.h"
#include "cli/progresso_terminal.h"
#include "cli/separador_decimal.h"
#include "core/erro.h"
#include "core/estatisticas_serie.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "views/relatorio/escrever_relatorio.h"
#include "views/relatorio/opcoes_relatorio.h"

namespace {

constexpr int kSaidaErro = 1;
constexpr int kSaidaUso = 2;

int Executar(const ventaro::OpcoesRelatorio& opcoes) {
    using namespace ventaro;
    const EntradaGeracao entrada = PrepararGeracao(opcoes.Geracao);
    const ConfiguracaoSerie& config = entrada.Configuracao;
    ResultadoCalculo resultado;
    {
        std::optional<ProgressoTerminal> barra;
        if (::isatty(STDERR_FILENO)) {
            barra.emplace(stderr, config.NumAnos, LarguraDoTerminal(STDERR_FILENO));
        }
        resultado = TCalcularSerieSintetica().Calcular(entrada.Dados, config, ModoCalculo::Normal,
                                                       {nullptr, barra ? &*barra : nullptr});
    }
    for (const auto& aviso : resultado.Avisos) {
        std::fprintf(stderr, "ventaro-relatorio: aviso: %s\n", aviso.c_str());
    }
    TDados estatisticas;
    CalcularEstatisticasSerie(estatisticas, resultado.Clima, config.NumAnos, config.APartir);
    EscreverRelatorio(opcoes.Pasta,
                      Resultados{resultado.Clima, entrada.Dados, estatisticas, config},
                      SeparadorDecimalDoAmbiente());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ventaro::OpcoesRelatorio opcoes;
    try {
        opcoes = ventaro::LerOpcoesRelatorio(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ventaro::ErroUso& e) {
        std::cerr << "ventaro-relatorio: " << e.what() << "\n"
                  << "Use \"ventaro-relatorio --help\" para ver as opções.\n";
        return kSaidaUso;
    }
    if (opcoes.Ajuda) {
        std::cout << ventaro::AjudaRelatorio();
        return 0;
    }
    // A report opens no window: the charts are drawn offscreen, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    // Qt adopts the user's locale for the C library too; the libraries below read and write
    // numbers with ".", and the user's separator reaches the report explicitly.
    std::setlocale(LC_NUMERIC, "C");
    try {
        return Executar(opcoes);
    } catch (const ventaro::ErroUso& e) {
        std::cerr << "ventaro-relatorio: " << e.what() << "\n";
        return kSaidaUso;
    } catch (const ventaro::ErroVentaro& e) {
        std::cerr << "ventaro-relatorio: " << e.what() << "\n";
        return kSaidaErro;
    } catch (const std::exception& e) {
        std::cerr << "ventaro-relatorio: erro: " << e.what() << "\n";
        return kSaidaErro;
    }
}
