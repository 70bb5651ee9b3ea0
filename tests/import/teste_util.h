#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace ventaro::teste {

// Fixture files copied from the agencies' real exports.
inline std::filesystem::path Dados(std::string_view nome) {
    return std::filesystem::path(VENTARO_SOURCE_DIR) / "tests" / "import" / "dados" / nome;
}

inline std::string LerTexto(const std::filesystem::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A file in a fresh temporary folder of the running test.
class PastaTemporaria {
  public:
    PastaTemporaria() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        pasta_ = std::filesystem::temp_directory_path() /
                 ("ventaro_import_" + std::string(info->test_suite_name()) + "_" + info->name() +
                  "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(pasta_);
        std::filesystem::create_directories(pasta_);
    }
    ~PastaTemporaria() {
        std::error_code ec;
        std::filesystem::remove_all(pasta_, ec);
    }
    const std::filesystem::path& Caminho() const { return pasta_; }
    std::filesystem::path Escrever(std::string_view nome, std::string_view conteudo) const {
        const auto arquivo = pasta_ / nome;
        std::ofstream(arquivo, std::ios::binary) << conteudo;
        return arquivo;
    }

  private:
    std::filesystem::path pasta_;
};

}  // namespace ventaro::teste
