#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

#include "import/importacao_ana.h"

class QListWidget;
class QPushButton;

namespace ventaro {

// The dialogs of the import panels beyond the window's standard ones (Dialogos): a Yes/No
// question, the replace confirmation with Yes / No / No to all / Yes to all, an input box and
// the station picker of an INMET database. The GUI tests answer them through a fake.
class DialogosImportacao {
  public:
    virtual ~DialogosImportacao() = default;
    // Yes/No with a question icon; true for Yes.
    virtual bool PerguntarSimNao(QWidget* pai, const QString& titulo, const QString& texto) = 0;
    virtual RespostaSubstituir ConfirmarSubstituicao(QWidget* pai, const QString& texto) = 0;
    // Input box; empty when cancelled.
    virtual std::optional<QString> PedirTexto(QWidget* pai, const QString& titulo,
                                              const QString& rotulo, const QString& inicial) = 0;
    // The station picker over `codigos`; the highlighted code when it closes, however it was
    // closed, or empty when none is highlighted.
    virtual std::optional<QString> EscolherEstacao(QWidget* pai, const QStringList& codigos) = 0;
};

class DialogosImportacaoQt : public DialogosImportacao {
  public:
    bool PerguntarSimNao(QWidget* pai, const QString& titulo, const QString& texto) override;
    RespostaSubstituir ConfirmarSubstituicao(QWidget* pai, const QString& texto) override;
    std::optional<QString> PedirTexto(QWidget* pai, const QString& titulo, const QString& rotulo,
                                      const QString& inicial) override;
    std::optional<QString> EscolherEstacao(QWidget* pai, const QStringList& codigos) override;
};

// The modal station picker: a list of codes and "Selecionar"; a double click also closes it.
class TfrmSelecionarEstacaoImportar : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSelecionarEstacaoImportar(QWidget* pai = nullptr);
    void Preencher(const QStringList& codigos);
    // The highlighted code, or empty.
    std::optional<QString> Selecionada() const;
    QListWidget* lbEstacoes() const { return lb_estacoes_; }

  private:
    QListWidget* lb_estacoes_;
    QPushButton* btn_selecionar_;
};

}  // namespace ventaro
