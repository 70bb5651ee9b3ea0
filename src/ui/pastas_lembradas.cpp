#include "ui/pastas_lembradas.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace ventaro {

namespace {

QString Chave(TipoArquivo tipo) {
    switch (tipo) {
        case TipoArquivo::Serie:
            return QStringLiteral("pastas/serie");
        case TipoArquivo::Estacoes:
            return QStringLiteral("pastas/estacoes");
        case TipoArquivo::Importacao:
            return QStringLiteral("pastas/importacao");
        case TipoArquivo::Nenhum:
            break;
    }
    return {};
}

}  // namespace

PastasLembradas::PastasLembradas(QString organizacao) : organizacao_(std::move(organizacao)) {}

QString PastasLembradas::Pasta(TipoArquivo tipo) const {
    const QString chave = Chave(tipo);
    if (!chave.isEmpty()) {
        const QSettings config(QSettings::NativeFormat, QSettings::UserScope, organizacao_,
                               QStringLiteral("ventaro"));
        const QString pasta = config.value(chave).toString();
        if (!pasta.isEmpty() && QFileInfo(pasta).isDir()) return pasta;
    }
    return QDir::homePath();
}

void PastasLembradas::Lembrar(TipoArquivo tipo, const QString& arquivo) {
    const QString chave = Chave(tipo);
    if (chave.isEmpty() || arquivo.isEmpty()) return;
    QSettings config(QSettings::NativeFormat, QSettings::UserScope, organizacao_,
                     QStringLiteral("ventaro"));
    config.setValue(chave, QFileInfo(arquivo).absolutePath());
}

}  // namespace ventaro
