#include "output/arquivo_temporario.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "core/erro.h"
#include "output/motivo_erro.h"

namespace ventaro {

namespace {

// Names tried before giving up: far more than any folder holds of our own leftovers.
constexpr int kTentativasNome = 1000;

}  // namespace

ArquivoTemporario::ArquivoTemporario(std::filesystem::path destino) : destino_(std::move(destino)) {
    // ".<name>.<process>.<n>.tmp", created exclusively with the permissions a new file gets.
    // (Built by appending: GCC 12 warns falsely on a chain of + starting with a literal.)
    std::string base(1, '.');
    base += destino_.filename().string();
    base += '.';
    base += std::to_string(::getpid());
    base += '.';
    for (int tentativa = 0; fd_ < 0; ++tentativa) {
        temporario_ = destino_;
        temporario_.replace_filename(base + std::to_string(tentativa) + ".tmp");
        fd_ = ::open(temporario_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || tentativa + 1 >= kTentativasNome)) {
            const int erro = errno;
            throw ErroVentaro("Não foi possível criar o arquivo " + destino_.string() + ": " +
                              MotivoErro(erro));
        }
    }
}

ArquivoTemporario::ArquivoTemporario(std::filesystem::path destino, std::string_view conteudo)
    : ArquivoTemporario(std::move(destino)) {
    Escrever(conteudo);
}

ArquivoTemporario::~ArquivoTemporario() {
    if (fd_ >= 0 || !temporario_.empty()) Remover();
}

void ArquivoTemporario::Escrever(std::string_view texto) {
    while (!texto.empty()) {
        const ssize_t n = ::write(fd_, texto.data(), texto.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int erro = n < 0 ? errno : EIO;
            Remover();
            throw ErroVentaro("Não foi possível gravar o arquivo " + destino_.string() + ": " +
                              MotivoErro(erro));
        }
        texto.remove_prefix(static_cast<std::size_t>(n));
    }
}

void ArquivoTemporario::Fechar() {
    if (fd_ < 0) return;
    const int erro_fechamento = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    if (erro_fechamento != 0) {
        Remover();
        throw ErroVentaro("Não foi possível gravar o arquivo " + destino_.string() + ": " +
                          MotivoErro(erro_fechamento));
    }
}

void ArquivoTemporario::Confirmar() {
    Fechar();
    std::error_code ec;
    std::filesystem::rename(temporario_, destino_, ec);
    if (ec) {
        Remover();
        throw ErroVentaro("Não foi possível substituir o arquivo " + destino_.string() + ": " +
                          MotivoErro(ec.value()));
    }
    temporario_.clear();
}

void ArquivoTemporario::Remover() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    std::error_code ec;
    if (!temporario_.empty()) std::filesystem::remove(temporario_, ec);
    temporario_.clear();
}

}  // namespace ventaro
