#include "import/ui/paineis_importacao.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "import/ui/tfrm_estimar_regiao.h"
#include "import/ui/tfrm_importar_clima.h"
#include "import/ui/tfrm_importar_prec.h"
#include "ui/janela_paineis.h"
#include "ui/teclas_painel.h"

namespace ventaro {

namespace {

// The INMET identity panel: Enter writes the station, Esc gives it up; once written, the status
// bar says which station went into the database.
void Ligar(JanelaPaineis& janela, TfrmImportarClima* painel) {
    TeclasPainel::Instalar(painel, painel->btnSelecionarEstacaoOk(),
                           painel->btnSelecionarEstacaoCancelar())
        ->FocoInicial(painel->edtRegiao());
    QObject::connect(painel, &TfrmImportarClima::estacaoGravada, painel, [&janela, painel] {
        janela.Avisar(QStringLiteral("Estação %1 %2 gravada no banco de estações.")
                          .arg(painel->edtCodigo()->text(), painel->edtNome()->text().trimmed()));
    });
}

}  // namespace

void RegistrarPaineisImportacao(JanelaPaineis& janela, DialogosImportacao& dialogos,
                                const std::filesystem::path& arquivo_banco) {
    auto* texto = new TfrmImportarClima(TfrmImportarClima::Origem::Arquivo, janela.Dlg(), dialogos,
                                        arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(texto, janela.Item(QStringLiteral("mmiImportarDeArquivoTexto")),
                           [texto] { texto->Abrir(); });
    Ligar(janela, texto);
    auto* prec =
        new TfrmImportarPrecBD(janela.Dlg(), dialogos, arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(prec, janela.Item(QStringLiteral("mmiImportarDadosANA")),
                           [prec] { prec->Abrir(); });
    TeclasPainel::Instalar(prec, prec->btnImportar(), prec->btnCancelar())
        ->FocoInicial(prec->sgEstacoesDados());
    QObject::connect(prec, &TfrmImportarPrecBD::estacoesGravadas, prec,
                     [&janela, prec] { janela.Avisar(prec->Resumo()); });
    auto* bd = new TfrmImportarClima(TfrmImportarClima::Origem::BancoDados, janela.Dlg(), dialogos,
                                     arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(bd, janela.Item(QStringLiteral("mmiImportarDeOutroBD")),
                           [bd] { bd->Abrir(); });
    Ligar(janela, bd);
    auto* regiao = new TfrmEstimarRegiao(janela.Dlg(), arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(regiao, janela.Item(QStringLiteral("mmiEstimarRegiao")),
                           [regiao] { regiao->Abrir(); });
    QObject::connect(regiao, &TfrmEstimarRegiao::fechado, regiao, &QWidget::hide);
    TeclasPainel::Instalar(regiao, regiao->btnEstimar(), regiao->btnFechar());
}

}  // namespace ventaro
