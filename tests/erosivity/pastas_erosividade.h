#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/leitor_xlsx.h"
#include "support/pasta_temporaria.h"

namespace ventaro::teste {

inline std::string LerArquivo(const std::filesystem::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Lines of a CR LF text file, without their ends.
inline std::vector<std::string> LinhasCrLf(const std::filesystem::path& arquivo) {
    const std::string texto = LerArquivo(arquivo);
    std::vector<std::string> linhas;
    for (std::size_t i = 0, fim; i < texto.size(); i = fim + 2) {
        fim = texto.find("\r\n", i);
        if (fim == std::string::npos) {
            linhas.push_back("SEM CR LF: " + texto.substr(i));
            break;
        }
        linhas.push_back(texto.substr(i, fim - i));
    }
    return linhas;
}

// The files of a batch folder ("teste2" and below), relative to it.
inline std::set<std::filesystem::path> ArquivosLote(const std::filesystem::path& pasta) {
    std::set<std::filesystem::path> arquivos;
    for (const auto& e : std::filesystem::recursive_directory_iterator(pasta / "teste2")) {
        if (e.is_regular_file()) arquivos.insert(std::filesystem::relative(e.path(), pasta));
    }
    return arquivos;
}

// The same files in both folders' "teste2": text byte for byte, workbooks cell for cell (their
// zip parts carry the time they were written).
inline ::testing::AssertionResult MesmosArquivos(const std::filesystem::path& a,
                                                 const std::filesystem::path& b) {
    const auto arquivos = ArquivosLote(a);
    if (arquivos != ArquivosLote(b)) {
        return ::testing::AssertionFailure() << "conjuntos de arquivos diferentes";
    }
    for (const auto& f : arquivos) {
        if (f.extension() == ".xlsx") {
            const auto x = LerXlsx(a / f);
            const auto y = LerXlsx(b / f);
            bool iguais = x.size() == y.size();
            for (std::size_t i = 0; iguais && i < x.size(); ++i) {
                iguais = x[i].nome == y[i].nome && x[i].celulas.size() == y[i].celulas.size();
                for (auto ix = x[i].celulas.begin(), iy = y[i].celulas.begin();
                     iguais && ix != x[i].celulas.end(); ++ix, ++iy) {
                    iguais = ix->first == iy->first && ix->second.texto == iy->second.texto &&
                             ix->second.valor == iy->second.valor &&
                             ix->second.formato == iy->second.formato;
                }
            }
            if (!iguais) return ::testing::AssertionFailure() << f << ": células diferentes";
        } else if (LerArquivo(a / f) != LerArquivo(b / f)) {
            return ::testing::AssertionFailure() << f << ": conteúdo diferente";
        }
    }
    return ::testing::AssertionSuccess() << arquivos.size() << " arquivos iguais";
}

// The sample station database the build makes, copied so a test may change it.
inline std::filesystem::path CopiarBancoAmostra(const PastaTemporaria& pasta) {
    const std::filesystem::path destino = pasta / "bd.sqlite";
    std::filesystem::copy_file(std::filesystem::path(VENTARO_BIN_DIR) / "bd.sqlite", destino);
    return destino;
}

}  // namespace ventaro::teste
