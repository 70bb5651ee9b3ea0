#include "import/ui/paineis_importacao.h"

#include <QAction>

#include "app/tmain_frame.h"
#include "import/ui/tfrm_importar_clima.h"
#include "import/ui/tfrm_importar_prec.h"

namespace ventaro {

void RegistrarPaineisImportacao(TMainFrame& janela, DialogosImportacao& dialogos,
                                const std::filesystem::path& arquivo_banco) {
    auto* texto = new TfrmImportarClima(TfrmImportarClima::Origem::Arquivo, janela.Dlg(), dialogos,
                                        arquivo_banco, &janela);
    janela.RegistrarPainel(texto, janela.Item(QStringLiteral("mmiImportarDeArquivoTexto")),
                           [texto] { texto->Abrir(); });
    auto* prec = new TfrmImportarPrecBD(janela.Dlg(), dialogos, arquivo_banco, &janela);
    janela.RegistrarPainel(prec, janela.Item(QStringLiteral("mmiImportarDadosANA")),
                           [prec] { prec->Abrir(); });
    auto* bd = new TfrmImportarClima(TfrmImportarClima::Origem::BancoDados, janela.Dlg(), dialogos,
                                     arquivo_banco, &janela);
    janela.RegistrarPainel(bd, janela.Item(QStringLiteral("mmiImportarDeOutroBD")),
                           [bd] { bd->Abrir(); });
}

}  // namespace ventaro
