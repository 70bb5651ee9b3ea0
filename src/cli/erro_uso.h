#pragma once

#include <stdexcept>
#include <string>

namespace ventaro {

// A command line that parses but asks for something impossible (no station kind, a year that is
// not a number): reported like a parse error, with exit code 2.
class ErroUso : public std::runtime_error {
  public:
    explicit ErroUso(const std::string& mensagem) : std::runtime_error(mensagem) {}
};

}  // namespace ventaro
