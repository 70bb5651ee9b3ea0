// ventaro-criar-bd: builds a station database from SQL text files, run in the order given
// (the schema first, then the data). The database is written to a temporary file beside the
// output and renamed over it only when every file ran, so a failed build never leaves a
// half-filled database behind.
//
//     ventaro-criar-bd -o bd.sqlite schema.sql dados1.sql dados2.sql ...

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string LerArquivo(const std::filesystem::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    if (!in) throw std::runtime_error("não foi possível ler " + arquivo.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path saida;
    std::vector<std::filesystem::path> entradas;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc) {
            saida = argv[++i];
        } else {
            entradas.emplace_back(arg);
        }
    }
    if (saida.empty() || entradas.empty()) {
        std::cerr << "Uso: ventaro-criar-bd -o SAIDA.sqlite ESQUEMA.sql [DADOS.sql...]\n";
        return 2;
    }

    std::filesystem::path temporario = saida;
    temporario += ".tmp";
    std::error_code ec;
    std::filesystem::remove(temporario, ec);
    std::filesystem::path atual;
    try {
        {
            SQLite::Database db(temporario.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            // One transaction for all files: fast, and nothing half-done if one fails.
            SQLite::Transaction transacao(db);
            for (const auto& entrada : entradas) {
                atual = entrada;
                db.exec(LerArquivo(entrada));
            }
            atual.clear();
            transacao.commit();
        }
        std::filesystem::rename(temporario, saida);
    } catch (const std::exception& e) {
        std::filesystem::remove(temporario, ec);
        std::cerr << "ventaro-criar-bd: " << (atual.empty() ? saida.string() : atual.string())
                  << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
