#pragma once

#include <QString>
#include <QUrl>
#include <exception>
#include <optional>

#include "ui/pastas_lembradas.h"

class QWidget;

namespace ventaro {

// The standard dialogs and desktop services the window and its panels use. The program shows
// the platform's dialogs (DialogosQt); the GUI tests answer them through a fake.
class Dialogos {
  public:
    enum class Icone { Nenhum, Informacao, Aviso, Erro, Parar };

    virtual ~Dialogos() = default;

    // Save-file dialog. `filtro` uses Qt's ";;" between entries; `sufixo` is added to a name
    // typed without one. The dialog opens in the folder last used for `tipo` and offers
    // `nome_sugerido`. Empty when the user cancels.
    virtual std::optional<QString> NomeArquivoSalvar(QWidget* pai, const QString& titulo,
                                                     const QString& filtro, const QString& sufixo,
                                                     TipoArquivo tipo = TipoArquivo::Nenhum,
                                                     const QString& nome_sugerido = {}) = 0;
    // Open-file dialog, in the folder last used for `tipo`; empty when the user cancels.
    virtual std::optional<QString> NomeArquivoAbrir(QWidget* pai, const QString& titulo,
                                                    const QString& filtro,
                                                    TipoArquivo tipo = TipoArquivo::Nenhum) = 0;
    // Message box with one OK button. `detalhe`, when not empty, is offered behind the box's
    // details button, so that the message itself stays short.
    virtual void Mensagem(QWidget* pai, Icone icone, const QString& titulo, const QString& texto,
                          const QString& detalhe = {}) = 0;
    // Question with OK and Cancel; true for OK. `detalhe` as for Mensagem.
    virtual bool Confirmar(QWidget* pai, const QString& titulo, const QString& texto,
                           const QString& detalhe = {}) = 0;
    // Opens a web address with the desktop's default handler; the outcome is not reported.
    virtual void AbrirEndereco(const QUrl& endereco) = 0;
};

// The real dialogs. File dialogs remember their folders in `pastas`.
class DialogosQt : public Dialogos {
  public:
    explicit DialogosQt(PastasLembradas pastas = PastasLembradas());

    std::optional<QString> NomeArquivoSalvar(QWidget* pai, const QString& titulo,
                                             const QString& filtro, const QString& sufixo,
                                             TipoArquivo tipo,
                                             const QString& nome_sugerido) override;
    std::optional<QString> NomeArquivoAbrir(QWidget* pai, const QString& titulo,
                                            const QString& filtro, TipoArquivo tipo) override;
    void Mensagem(QWidget* pai, Icone icone, const QString& titulo, const QString& texto,
                  const QString& detalhe) override;
    bool Confirmar(QWidget* pai, const QString& titulo, const QString& texto,
                   const QString& detalhe) override;
    void AbrirEndereco(const QUrl& endereco) override;

  private:
    PastasLembradas pastas_;
};

// Caption of every message box that has no caption of its own.
inline constexpr char kTituloAplicacao[] = "Ventaro 2.0";

// The general error report: an error no handler dealt with is shown with its own text, captioned
// with the application title and a stop icon; the program goes on with the state it had.
void RelatarErro(Dialogos& dialogos, QWidget* pai, const std::exception& erro);

}  // namespace ventaro
