#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "generator/progresso.h"

namespace ventaro {

// A one-line progress bar drawn on a terminal: the step being simulated, the bar, the
// percentage and the years done. It redraws only when something visible changes, and clears
// its line when destroyed, so the messages that follow start on a clean line.
class ProgressoTerminal : public Progresso {
  public:
    // `largura` is the terminal's width in columns.
    ProgressoTerminal(std::FILE* saida, int64_t num_anos, int largura);
    ~ProgressoTerminal() override;
    ProgressoTerminal(const ProgressoTerminal&) = delete;
    ProgressoTerminal& operator=(const ProgressoTerminal&) = delete;

    void DefinirPasso(std::string_view texto) override;
    void DefinirFaixa(int64_t minimo, int64_t maximo) override;
    void NotificarProgresso(int64_t dia) override;

    // The line as it would be drawn now (without the carriage return and clearing codes).
    std::string Linha() const;

  private:
    void Desenhar();
    int Percentual() const;

    std::FILE* saida_;
    int64_t num_anos_;
    int largura_;
    std::string passo_;
    int64_t minimo_ = 0, maximo_ = 0, dia_ = 0;
    std::string ultima_;
    bool desenhou_ = false;
    int pct_desenhado_ = -1;
};

// Width of the terminal on `descritor`, or 80 when it cannot be asked.
int LarguraDoTerminal(int descritor);

}  // namespace ventaro
