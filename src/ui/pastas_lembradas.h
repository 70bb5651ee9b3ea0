#pragma once

#include <QString>

namespace ventaro {

// The kinds of file whose folder the file dialogs remember, each on its own.
enum class TipoArquivo {
    Nenhum,      // not remembered: the dialog opens in the user's home folder
    Serie,       // series files the program writes
    Estacoes,    // station lists and inventories
    Importacao,  // observation files and databases the stations are imported from
};

// The folder last used for each kind of file, kept between runs of the program in the user's
// settings (QSettings of the organisation `organizacao`, application "ventaro": on Linux
// ~/.config/ventaro/ventaro.conf).
class PastasLembradas {
  public:
    explicit PastasLembradas(QString organizacao = QStringLiteral("ventaro"));

    // The folder last used for `tipo`; the user's home folder when none was used yet, or when
    // the one remembered no longer exists.
    QString Pasta(TipoArquivo tipo) const;
    // Remembers the folder of the file `arquivo` for `tipo` (nothing for TipoArquivo::Nenhum).
    void Lembrar(TipoArquivo tipo, const QString& arquivo);

  private:
    QString organizacao_;
};

}  // namespace ventaro
