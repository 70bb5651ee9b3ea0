#pragma once

#include <stdexcept>
#include <string>

namespace ventaro {

// The one exception type of the project: input, file, database or parameter failures. The
// message is Portuguese and names the file, line, station, month or law at fault.
class ErroVentaro : public std::runtime_error {
  public:
    explicit ErroVentaro(const std::string& mensagem) : std::runtime_error(mensagem) {}
};

}  // namespace ventaro
