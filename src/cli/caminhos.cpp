#include "cli/caminhos.h"

#include "stations/local_banco.h"

namespace ventaro {

std::filesystem::path PastaDoExecutavel() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return std::filesystem::current_path(ec);
    return exe.parent_path();
}

std::filesystem::path BancoPadrao() {
    return LocalizarBanco(LocaisPadrao(PastaDoExecutavel())).Arquivo;
}

bool MesmoArquivo(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec)) {
        const bool mesmo = std::filesystem::equivalent(a, b, ec);
        if (!ec) return mesmo;
    }
    const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ec), ec);
    const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ec), ec);
    return ca == cb;
}

}  // namespace ventaro
