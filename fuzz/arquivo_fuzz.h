#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/erro.h"

namespace ventaro::fuzz {

// The folder of the inputs: memory when the system has it, since on ext4 rewriting a truncated
// file forces it to disk on every input.
inline std::filesystem::path PastaEntradas() {
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec)) return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

// The readers take a path, as the importers give them: each input is written to one file of
// the process, overwritten by the next input and removed at exit.
inline std::filesystem::path EscreverEntrada(const uint8_t* dados, std::size_t tamanho,
                                             const char* extensao) {
    static const std::filesystem::path arquivo = [&] {
        auto caminho = PastaEntradas() / ("ventaro_fuzz_" + std::to_string(::getpid()) + extensao);
        static const std::filesystem::path remover = caminho;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove(remover, ec);
        });
        return caminho;
    }();
    std::ofstream saida(arquivo, std::ios::binary | std::ios::trunc);
    saida.write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));
    return arquivo;
}

// Runs `f`, taking an ErroVentaro (the readers' refusal of a bad file) as a normal outcome.
// Any other exception escapes and libFuzzer reports it as a crash.
template <typename F>
void Recusavel(F&& f) {
    try {
        f();
    } catch (const ErroVentaro&) {
    }
}

}  // namespace ventaro::fuzz
