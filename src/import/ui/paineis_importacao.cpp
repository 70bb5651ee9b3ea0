#include "import/ui/paineis_importacao.h"

#include <QAction>

#include "import/ui/tfrm_estimar_regiao.h"
#include "import/ui/tfrm_importar_clima.h"
#include "import/ui/tfrm_importar_prec.h"
#include "ui/janela_paineis.h"

namespace ventaro {

void RegistrarPaineisImportacao(JanelaPaineis& janela, DialogosImportacao& dialogos,
                                const std::filesystem::path& arquivo_banco) {
    auto* texto = new TfrmImportarClima(TfrmImportarClima::Origem::Arquivo, janela.Dlg(), dialogos,
                                        arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(texto, janela.Item(QStringLiteral("mmiImportarDeArquivoTexto")),
                           [texto] { texto->Abrir(); });
    auto* prec =
        new TfrmImportarPrecBD(janela.Dlg(), dialogos, arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(prec, janela.Item(QStringLiteral("mmiImportarDadosANA")),
                           [prec] { prec->Abrir(); });
    auto* bd = new TfrmImportarClima(TfrmImportarClima::Origem::BancoDados, janela.Dlg(), dialogos,
                                     arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(bd, janela.Item(QStringLiteral("mmiImportarDeOutroBD")),
                           [bd] { bd->Abrir(); });
    auto* regiao = new TfrmEstimarRegiao(janela.Dlg(), arquivo_banco, janela.AreaPaineis());
    janela.RegistrarPainel(regiao, janela.Item(QStringLiteral("mmiEstimarRegiao")),
                           [regiao] { regiao->Abrir(); });
    QObject::connect(regiao, &TfrmEstimarRegiao::fechado, regiao, &QWidget::hide);
}

}  // namespace ventaro
