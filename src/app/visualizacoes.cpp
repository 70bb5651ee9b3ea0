#include "app/visualizacoes.h"

#include "app/tmain_frame.h"
#include "views/ui/paineis_visualizacao.h"

namespace ventaro {

void RegistrarVisualizacoes(TMainFrame& janela) {
    RegistrarPaineisVisualizacao(janela, [&janela] {
        janela.AtualizarEstatisticas();
        return Resultados{janela.Clima(), janela.Dados(), janela.Estatisticas(),
                          janela.ConfiguracaoClima()};
    });
}

}  // namespace ventaro
