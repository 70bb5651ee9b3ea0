#include "output/formatacao_em_ordem.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace ventaro {
namespace {

// Block b: b + 1 lines "b.k", some blocks far longer than the others so that the buffers grow
// and the threads overtake each other.
void Formatar(std::size_t b, BufferTexto& texto) {
    const std::size_t linhas = b % 7 == 3 ? 5000 : b + 1;
    for (std::size_t k = 0; k < linhas; ++k) {
        const std::string linha = std::to_string(b) + "." + std::to_string(k) + "\n";
        texto.Reservar(linha.size());
        char* p = texto.Fim();
        for (const char c : linha) *p++ = c;
        texto.Avancar(p);
    }
    if (b % 5 == 0) std::this_thread::yield();
}

TEST(FormatarEmOrdem, GivesTheBlocksInOrderOnOneThreadOrTwo) {
    std::string esperado;
    for (std::size_t b = 0; b < 40; ++b) {
        BufferTexto t;
        Formatar(b, t);
        esperado += t.Texto();
    }
    for (const bool ajudante : {false, true}) {
        for (int repeticao = 0; repeticao < 20; ++repeticao) {
            std::string texto;
            std::vector<std::size_t> tamanhos;
            FormatarEmOrdem(40, ajudante, Formatar, [&](std::string_view bloco) {
                texto += bloco;
                tamanhos.push_back(bloco.size());
            });
            ASSERT_EQ(texto, esperado) << ajudante;
            ASSERT_EQ(tamanhos.size(), 40u);
        }
    }
    std::size_t chamadas = 0;
    FormatarEmOrdem(0, true, Formatar, [&](std::string_view) { ++chamadas; });
    EXPECT_EQ(chamadas, 0u);
}

TEST(FormatarEmOrdem, AFailureOnEitherSideStopsTheWorkAndIsRethrown) {
    for (const bool ajudante : {false, true}) {
        std::vector<std::size_t> consumidos;
        const auto consumir = [&](std::string_view bloco) {
            if (consumidos.size() == 6) throw std::runtime_error("disco cheio");
            consumidos.push_back(bloco.size());
        };
        EXPECT_THROW(FormatarEmOrdem(30, ajudante, Formatar, consumir), std::runtime_error);
        EXPECT_EQ(consumidos.size(), 6u);

        std::size_t depois_da_falha = 0;
        const auto falhar_no_9 = [](std::size_t b, BufferTexto& t) {
            if (b == 9) throw std::runtime_error("sem memória");
            Formatar(b, t);
        };
        EXPECT_THROW(FormatarEmOrdem(30, ajudante, falhar_no_9,
                                     [&](std::string_view bloco) {
                                         if (bloco.starts_with("9.")) ++depois_da_falha;
                                     }),
                     std::runtime_error);
        EXPECT_EQ(depois_da_falha, 0u);
    }
}

}  // namespace
}  // namespace ventaro
