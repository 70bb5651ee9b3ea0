#pragma once

#include <string>
#include <utility>

#include "core/erro.h"

namespace ventaro {

// A failed import step as the user reads it: the message the panels show ("Erro ao ler
// arquivo. ...", "Não foi possível gravar os dados da estação") and what went wrong (file, line,
// station), which the panels show as the message's detail. what() joins both on one line for
// the command line: "<message>. (<detail>)".
class ErroImportacao : public ErroVentaro {
  public:
    explicit ErroImportacao(std::string mensagem, std::string detalhe = {})
        : ErroVentaro(Juntar(mensagem, detalhe)),
          mensagem_(std::move(mensagem)),
          detalhe_(std::move(detalhe)) {}

    const std::string& Mensagem() const { return mensagem_; }
    const std::string& Detalhe() const { return detalhe_; }

  private:
    static std::string Juntar(const std::string& mensagem, const std::string& detalhe) {
        std::string texto = mensagem;
        if (!texto.empty() && texto.back() != '.') texto += '.';
        if (!detalhe.empty()) texto += " (" + detalhe + ")";
        return texto;
    }

    std::string mensagem_;
    std::string detalhe_;
};

}  // namespace ventaro
