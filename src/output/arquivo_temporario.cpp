#include "output/arquivo_temporario.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/erro.h"
#include "output/motivo_erro.h"

namespace ventaro {

ArquivoTemporario::ArquivoTemporario(std::filesystem::path destino, std::string_view conteudo)
    : destino_(std::move(destino)) {
    const std::string nome = destino_.string();
    // A hidden name created exclusively, so two writers never share a temporary file.
    std::FILE* f = nullptr;
    for (int tentativa = 0; f == nullptr; ++tentativa) {
        temporario_ = destino_;
        std::string oculto(1, '.');
        oculto += destino_.filename().string();
        oculto += ".tmp";
        oculto += std::to_string(tentativa);
        temporario_.replace_filename(oculto);
        errno = 0;
        f = std::fopen(temporario_.c_str(), "wbx");
        if (f == nullptr && (errno != EEXIST || tentativa >= 99)) {
            const int erro = errno;
            throw ErroVentaro("Não foi possível criar o arquivo " + nome + ": " +
                              MotivoErro(erro != 0 ? erro : EIO));
        }
    }
    pendente_ = true;

    errno = 0;
    const bool gravou = std::fwrite(conteudo.data(), 1, conteudo.size(), f) == conteudo.size() &&
                        std::fflush(f) == 0;
    const int erro_gravacao = errno;
    const bool fechou = std::fclose(f) == 0;
    const int erro_fechamento = errno;
    if (!gravou || !fechou) {
        Remover();
        const int erro = !gravou ? erro_gravacao : erro_fechamento;
        throw ErroVentaro("Não foi possível gravar o arquivo " + nome + ": " +
                          MotivoErro(erro != 0 ? erro : EIO));
    }
}

ArquivoTemporario::~ArquivoTemporario() {
    if (pendente_) Remover();
}

void ArquivoTemporario::Confirmar() {
    std::error_code ec;
    std::filesystem::rename(temporario_, destino_, ec);
    if (ec) {
        Remover();
        throw ErroVentaro("Não foi possível substituir o arquivo " + destino_.string() + ": " +
                          MotivoErro(ec.value()));
    }
    pendente_ = false;
}

void ArquivoTemporario::Remover() {
    std::error_code ec;
    std::filesystem::remove(temporario_, ec);
    pendente_ = false;
}

}  // namespace ventaro
