#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace ventaro::teste {

// A fresh folder of its own for the running test, removed when the object goes. Its name holds
// the test's suite and name, the process and a count, so that tests running side by side (ctest
// -j) or one test making several never share one.
class PastaTemporaria {
  public:
    PastaTemporaria() {
        static int contador = 0;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string nome = "ventaro_";
        if (info != nullptr) {
            nome += std::string(info->test_suite_name()) + "_" + info->name() + "_";
        }
        for (char& c : nome) {
            if (c == '/') c = '_';  // parameterised names hold slashes
        }
        caminho_ = std::filesystem::temp_directory_path() /
                   (nome + std::to_string(::getpid()) + "_" + std::to_string(contador++));
        std::filesystem::remove_all(caminho_);
        std::filesystem::create_directories(caminho_);
    }
    ~PastaTemporaria() {
        std::error_code ec;
        std::filesystem::remove_all(caminho_, ec);
    }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    const std::filesystem::path& Caminho() const { return caminho_; }
    std::filesystem::path operator/(const std::filesystem::path& nome) const {
        return caminho_ / nome;
    }
    // Writes `conteudo` to the file `nome` of the folder, byte for byte; its path.
    std::filesystem::path Escrever(std::string_view nome, std::string_view conteudo) const {
        const auto arquivo = caminho_ / nome;
        std::ofstream(arquivo, std::ios::binary) << conteudo;
        return arquivo;
    }

  private:
    std::filesystem::path caminho_;
};

}  // namespace ventaro::teste
