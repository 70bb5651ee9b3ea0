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

}  // namespace ventaro
