#include "views/ui/paineis_visualizacao.h"

#include <QAction>

#include "ui/janela_paineis.h"
#include "ui/teclas_painel.h"
#include "views/ui/tfrm_grafico_curva.h"
#include "views/ui/tfrm_grafico_regressao.h"
#include "views/ui/tfrm_grafico_valores_diarios.h"
#include "views/ui/tfrm_grafico_valores_mensais.h"
#include "views/ui/tfrm_perfil.h"
#include "views/ui/tfrm_serie_sintetica.h"

namespace ventaro {

namespace {

// Esc closes a result panel as its "&Fechar" does; Enter has nothing to confirm.
template <typename Painel>
void FecharComEsc(Painel* painel) {
    new TeclasPainel(painel, {}, [painel] { emit painel->fechado(); });
}

// A result panel's "&Fechar" hides it and puts the window back to idle.
template <typename Painel>
void FecharParaOcioso(JanelaPaineis& janela, Painel* painel) {
    QObject::connect(painel, &Painel::fechado, painel, [&janela, painel] {
        painel->hide();
        janela.DefinirStatus(QStringLiteral("VENTARO 2.0"));
    });
    FecharComEsc(painel);
}

}  // namespace

void RegistrarPaineisVisualizacao(JanelaPaineis& janela, const FonteResultados& fonte) {
    QWidget* area = janela.AreaPaineis();
    Dialogos& dialogos = janela.Dlg();

    auto* diarios = new TfrmGraficoValoresDiarios(fonte, dialogos, area);
    janela.RegistrarPainel(diarios, janela.Item(QStringLiteral("mmiValoresDiarios")),
                           [diarios] { diarios->Exibir(); });
    FecharParaOcioso(janela, diarios);

    auto* mensais = new TfrmGraficoValoresMensais(fonte, dialogos, area);
    janela.RegistrarPainel(mensais, janela.Item(QStringLiteral("mmiValoresMensais")),
                           [mensais] { mensais->Exibir(); });
    FecharParaOcioso(janela, mensais);

    auto* regressao = new TfrmGraficoRegressao(fonte, dialogos, area);
    janela.RegistrarPainel(regressao, janela.Item(QStringLiteral("mmiRegressaoLinear")),
                           [regressao] { regressao->Exibir(); });
    FecharParaOcioso(janela, regressao);

    auto* curva = new TfrmGraficoCurva(fonte, area);
    janela.RegistrarPainel(curva, janela.Item(QStringLiteral("mmiPerfil")),
                           [curva] { curva->Exibir(); });
    FecharParaOcioso(janela, curva);

    // The profile opens over the storm table and closes back to it, status unchanged.
    auto* perfil = new TfrmPerfil(fonte, dialogos, area);
    janela.RegistrarPainel(perfil);
    QObject::connect(curva, &TfrmGraficoCurva::perfilPedido, perfil, [perfil](int64_t dia) {
        perfil->show();
        perfil->raise();
        perfil->MostrarPerfil(dia);
    });
    QObject::connect(perfil, &TfrmPerfil::fechado, perfil, &QWidget::hide);
    FecharComEsc(perfil);

    auto* serie = new TfrmSerieSintetica(fonte, area);
    janela.RegistrarPainel(serie, janela.Item(QStringLiteral("mmiSerieSintetica")),
                           [serie] { serie->Exibir(); });
    FecharParaOcioso(janela, serie);
}

}  // namespace ventaro
