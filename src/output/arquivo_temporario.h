#pragma once

#include <filesystem>
#include <string_view>

namespace ventaro {

// Text written to a new file beside its destination and moved into place by Confirmar, so a
// failure never leaves a truncated file where another model may read it. Removed if never
// confirmed. Failures throw ErroVentaro naming the destination and the reason.
class ArquivoTemporario {
  public:
    ArquivoTemporario(std::filesystem::path destino, std::string_view conteudo);
    ~ArquivoTemporario();
    ArquivoTemporario(const ArquivoTemporario&) = delete;
    ArquivoTemporario& operator=(const ArquivoTemporario&) = delete;

    void Confirmar();

  private:
    void Remover();

    std::filesystem::path destino_;
    std::filesystem::path temporario_;
    bool pendente_ = false;
};

}  // namespace ventaro
