#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "support/pasta_temporaria.h"

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

}  // namespace ventaro::teste
