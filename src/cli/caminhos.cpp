#include "cli/caminhos.h"

namespace ventaro {

std::filesystem::path PastaDoExecutavel() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return std::filesystem::current_path(ec);
    return exe.parent_path();
}

std::filesystem::path BancoPadrao() {
    return PastaDoExecutavel() / "bd.sqlite";
}

}  // namespace ventaro
