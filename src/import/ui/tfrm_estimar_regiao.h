#pragma once

#include <QWidget>
#include <exception>
#include <filesystem>
#include <optional>

#include "import/importacao_regiao.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QThread;

namespace ventaro {

class Dialogos;

// Estimates a region's storm laws from INMET hourly records: the files, the region and the
// options as `ventaro-cli estimar-regiao` takes them; the files are read and the laws fitted on
// a worker thread, the region's rows replaced (after a question when it has some) and the
// report shown in the panel's message box.
class TfrmEstimarRegiao : public QWidget {
    Q_OBJECT
  public:
    TfrmEstimarRegiao(Dialogos& dialogos, std::filesystem::path arquivo_banco,
                      QWidget* pai = nullptr);
    ~TfrmEstimarRegiao() override;

    // The menu command: an empty message box, the fields as they were.
    void Abrir();
    void AdicionarArquivo(const QString& arquivo);
    bool Estimando() const { return trabalhador_ != nullptr; }

    QListWidget* lbArquivos() const { return lb_arquivos_; }
    QPushButton* btnAdicionar() const { return btn_adicionar_; }
    QPushButton* btnRemover() const { return btn_remover_; }
    QLineEdit* edtRegiao() const { return edt_regiao_; }
    QLineEdit* edtFatorPico() const { return edt_fator_pico_; }
    QLineEdit* edtMinimo() const { return edt_minimo_; }
    QPushButton* btnEstimar() const { return btn_estimar_; }
    QPushButton* btnFechar() const { return btn_fechar_; }
    QPlainTextEdit* memMensagens() const { return mem_mensagens_; }

  signals:
    // The estimation ended, written or not.
    void estimativaTerminada();
    void fechado();

  private:
    void btnAdicionarClick();
    void btnEstimarClick();
    void FimDaEstimativa();
    void Habilitar(bool habilitar);
    void Relatar(const QString& texto);

    Dialogos& dialogos_;
    std::filesystem::path arquivo_banco_;
    int regiao_ = 0;
    QThread* trabalhador_ = nullptr;
    std::optional<EstimativaArquivos> resultado_;
    std::exception_ptr erro_;

    QListWidget* lb_arquivos_;
    QPushButton* btn_adicionar_;
    QPushButton* btn_remover_;
    QLineEdit* edt_regiao_;
    QLineEdit* edt_fator_pico_;
    QLineEdit* edt_minimo_;
    QPushButton* btn_estimar_;
    QPushButton* btn_fechar_;
    QPlainTextEdit* mem_mensagens_;
};

}  // namespace ventaro
