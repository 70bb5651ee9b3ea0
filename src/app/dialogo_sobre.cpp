#include "app/dialogo_sobre.h"

#include <sqlite3.h>

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "versao.h"

namespace ventaro {

namespace {

QString Desconhecida(const char* versao) {
    return versao[0] == '\0' ? QStringLiteral("versão desconhecida") : QString::fromUtf8(versao);
}

}  // namespace

std::vector<Biblioteca> Bibliotecas() {
    return {
        {QStringLiteral("Qt"), QString::fromLatin1(qVersion()),
         QStringLiteral("LGPL-3.0-only ou GPL-2.0-only")},
        {QStringLiteral("QCustomPlot"), Desconhecida(kVersaoQCustomPlot),
         QStringLiteral("GPL-3.0-or-later")},
        {QStringLiteral("SQLite"), QString::fromLatin1(sqlite3_libversion()),
         QStringLiteral("domínio público")},
        {QStringLiteral("SQLiteCpp"), Desconhecida(kVersaoSQLiteCpp), QStringLiteral("MIT")},
        {QStringLiteral("mdbtools (libmdb)"), Desconhecida(kVersaoLibmdb),
         QStringLiteral("LGPL-2.0-or-later")},
        {QStringLiteral("GLib"), Desconhecida(kVersaoGlib), QStringLiteral("LGPL-2.1-or-later")},
        {QStringLiteral("Boost.Math"), Desconhecida(kVersaoBoost), QStringLiteral("BSL-1.0")},
    };
}

DialogoSobre::DialogoSobre(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("dlgSobre"));
    setWindowTitle(QStringLiteral("Sobre o Ventaro 2.0"));

    auto* icone = new QLabel(this);
    icone->setPixmap(QIcon(QStringLiteral(":/ventaro/ventaro.svg")).pixmap(64, 64));
    icone->setAlignment(Qt::AlignTop);

    auto* nome = new QLabel(QStringLiteral("<b style=\"font-size:large\">Ventaro 2.0</b><br>"
                                           "Gerador estocástico de séries climáticas diárias "
                                           "para estações brasileiras."),
                            this);
    nome->setWordWrap(true);

    lbl_versao_ =
        new QLabel(QStringLiteral("Versão %1").arg(QString::fromStdString(TextoVersao())), this);
    lbl_versao_->setObjectName(QStringLiteral("lblVersao"));
    lbl_versao_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    lbl_licenca_ = new QLabel(
        QStringLiteral("Este programa é software livre: pode ser redistribuído e modificado sob os "
                       "termos da Licença Pública Geral GNU (GNU GPL), versão 3 ou, a seu "
                       "critério, qualquer versão posterior (GPL-3.0-or-later). É distribuído sem "
                       "nenhuma garantia. O texto da licença acompanha o programa (arquivo "
                       "LICENSE)."),
        this);
    lbl_licenca_->setObjectName(QStringLiteral("lblLicenca"));
    lbl_licenca_->setWordWrap(true);

    QString linhas;
    for (const Biblioteca& b : Bibliotecas()) {
        linhas +=
            QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                .arg(b.Nome.toHtmlEscaped(), b.Versao.toHtmlEscaped(), b.Licenca.toHtmlEscaped());
    }
    lbl_bibliotecas_ = new QLabel(
        QStringLiteral("Bibliotecas:<table cellspacing=\"0\" cellpadding=\"2\">%1</table>")
            .arg(linhas),
        this);
    lbl_bibliotecas_->setObjectName(QStringLiteral("lblBibliotecas"));
    lbl_bibliotecas_->setTextFormat(Qt::RichText);

    btn_fechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    btn_fechar_->setObjectName(QStringLiteral("btnFechar"));
    btn_fechar_->setDefault(true);
    connect(btn_fechar_, &QPushButton::clicked, this, &QDialog::accept);

    auto* textos = new QVBoxLayout;
    textos->addWidget(nome);
    textos->addWidget(lbl_versao_);
    textos->addWidget(lbl_licenca_);
    textos->addWidget(lbl_bibliotecas_);
    auto* conteudo = new QHBoxLayout;
    conteudo->addWidget(icone);
    conteudo->addLayout(textos, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btn_fechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(conteudo);
    layout->addLayout(botoes);
    // The wrapped texts get a reading width, and the box the height they then need.
    for (QLabel* texto : {nome, lbl_licenca_}) texto->setMinimumWidth(420);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace ventaro
