#pragma once

#include <stdexcept>
#include <string>

#include "core/erro.h"

namespace ventaro {

// A command line that parses but asks for something impossible (no station kind, a year that is
// not a number): reported like a parse error, with exit code 2.
class ErroUso : public std::runtime_error {
  public:
    explicit ErroUso(const std::string& mensagem) : std::runtime_error(mensagem) {}
};

// A command that did part of its work: some stations were imported, others failed (each named
// in the message). Exit code 3, so that scripts tell it from success and from total failure.
class ErroParcial : public ErroVentaro {
  public:
    using ErroVentaro::ErroVentaro;
};

// Work stopped by the user (Ctrl+C or SIGTERM) before any file was written. Exit code 128 plus
// the signal's number, as a shell reports a process the signal ended.
class ErroInterrompido : public ErroVentaro {
  public:
    explicit ErroInterrompido(int sinal)
        : ErroVentaro("Interrompido pelo usuário; nenhum arquivo foi gravado."), sinal_(sinal) {}
    int Sinal() const { return sinal_; }

  private:
    int sinal_;
};

}  // namespace ventaro
