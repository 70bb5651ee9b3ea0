#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/caminhos.h"
#include "cli/erro_uso.h"
#include "cli/executar.h"
#include "stations/estacoes.h"

namespace ventaro {

namespace {

std::size_t Caracteres(std::string_view texto) {
    std::size_t n = 0;
    for (const char c : texto) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// The grid's columns as a table aligned on character counts (names and coordinates are UTF-8).
std::string Tabela(const std::vector<LinhaEstacao>& linhas) {
    using Celulas = std::vector<std::string>;
    std::vector<Celulas> tabela{
        {"Código", "Nome", "Município", "Região", "Latitude", "Longitude", "Altitude", "Anos"}};
    for (const auto& l : linhas) {
        tabela.push_back(
            {l.Codigo, l.Nome, l.Municipio, l.Regiao, l.Latitude, l.Longitude, l.Altitude, l.Anos});
    }
    std::vector<std::size_t> larguras(tabela.front().size(), 0);
    for (const auto& celulas : tabela) {
        for (std::size_t c = 0; c < celulas.size(); ++c) {
            larguras[c] = std::max(larguras[c], Caracteres(celulas[c]));
        }
    }
    std::string texto;
    for (const auto& celulas : tabela) {
        std::string linha;
        for (std::size_t c = 0; c < celulas.size(); ++c) {
            linha += celulas[c];
            if (c + 1 < celulas.size()) {
                linha.append(larguras[c] - Caracteres(celulas[c]) + 2, ' ');
            }
        }
        while (!linha.empty() && linha.back() == ' ') linha.pop_back();
        texto += linha + "\n";
    }
    return texto;
}

}  // namespace

void ExecutarEstacoes(const OpcoesEstacoes& opcoes) {
    if (opcoes.pluviometricas == opcoes.climatologicas) {
        throw ErroUso("Informe --pluviometricas ou --climatologicas (uma das duas).");
    }
    const TipoEstacao tipo =
        opcoes.pluviometricas ? TipoEstacao::Pluviometrica : TipoEstacao::Climatologica;
    BancoDados banco(opcoes.banco.empty() ? BancoPadrao() : std::filesystem::path(opcoes.banco));
    const auto linhas = opcoes.procurar ? ProcurarEstacoes(banco, tipo, *opcoes.procurar)
                                        : ListarEstacoes(banco, tipo);
    const std::string texto = Tabela(linhas);
    std::fwrite(texto.data(), 1, texto.size(), stdout);
    if (linhas.empty()) std::fputs("Nenhuma estação encontrada.\n", stderr);
}

}  // namespace ventaro
