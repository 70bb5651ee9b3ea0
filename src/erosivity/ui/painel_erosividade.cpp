#include "erosivity/ui/painel_erosividade.h"

#include <QAction>
#include <QDir>
#include <QStandardPaths>

#include "erosivity/ui/tfrm_erosividade.h"
#include "ui/dialogos.h"
#include "ui/janela_paineis.h"

namespace ventaro {

QString PastaSaidaErosividadePadrao() {
    QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documentos.isEmpty()) documentos = QDir::homePath();
    return QDir(documentos).filePath(QStringLiteral("Ventaro"));
}

TfrmErosividade* RegistrarPainelErosividade(JanelaPaineis& janela,
                                            const std::filesystem::path& arquivo_banco,
                                            std::function<ConfiguracaoSerie()> configuracao) {
    auto* painel = new TfrmErosividade(janela.Dlg(), arquivo_banco, std::move(configuracao),
                                       PastaSaidaErosividadePadrao(), janela.AreaPaineis());
    QObject::connect(painel, &TfrmErosividade::statusAlterado, painel,
                     [&janela](const QString& texto) { janela.DefinirStatus(texto); });
    janela.RegistrarPainel(painel, janela.Item(QStringLiteral("mmiErosividade1")),
                           [&janela, painel] {
                               janela.DefinirStatus(QStringLiteral("Erosividade"));
                               painel->Exibir();
                           });
    return painel;
}

void AbrirPainelErosividade(JanelaPaineis& janela, TfrmErosividade& painel) {
    janela.MostrarPainel(&painel);
    janela.DefinirStatus(QStringLiteral("Erosividade"));
    try {
        painel.Exibir();
    } catch (const std::exception& erro) {
        RelatarErro(janela.Dlg(), painel.window(), erro);
    }
}

}  // namespace ventaro
