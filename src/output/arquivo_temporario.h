#pragma once

#include <filesystem>
#include <string_view>

namespace ventaro {

// A file written beside its destination under a hidden name of its own and moved into place by
// Confirmar, so a failure never leaves a truncated file where another model may read it. The
// name is made unique for this process and created exclusively, so leftovers of a run that was
// killed never get in the way. Removed if never confirmed (also when the write fails or the
// scope is left by an error). Failures throw ErroVentaro naming the destination and the reason.
class ArquivoTemporario {
  public:
    explicit ArquivoTemporario(std::filesystem::path destino);
    // Creates and writes `conteudo` at once.
    ArquivoTemporario(std::filesystem::path destino, std::string_view conteudo);
    ~ArquivoTemporario();
    ArquivoTemporario(const ArquivoTemporario&) = delete;
    ArquivoTemporario& operator=(const ArquivoTemporario&) = delete;

    // Appends to the file.
    void Escrever(std::string_view texto);
    // Closes the file, which keeps its temporary name until Confirmar: many finished files may
    // wait for each other without holding a descriptor each.
    void Fechar();
    // Closes the file (unless closed already) and renames it to the destination.
    void Confirmar();

    const std::filesystem::path& Temporario() const { return temporario_; }

  private:
    void Remover();

    std::filesystem::path destino_;
    std::filesystem::path temporario_;
    int fd_ = -1;
};

}  // namespace ventaro
