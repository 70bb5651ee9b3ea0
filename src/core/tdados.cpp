#include "core/tdados.h"

namespace ventaro {

TDados::TDados() {
    for (int mes = 1; mes <= 12; ++mes) {
        MatrizA[mes].Dimensionar(3, 3);
        MatrizB[mes].Dimensionar(3, 3);
    }
}

void TDados::SetNome(std::string_view nome) {
    nome_ = CortarNome(nome);
}

void TDados::SetNomeClima(std::string_view nome) {
    nome_clima_ = CortarNome(nome);
}

std::string CortarNome(std::string_view texto, std::size_t max_caracteres) {
    std::size_t caracteres = 0;
    std::size_t i = 0;
    while (i < texto.size()) {
        if (caracteres == max_caracteres) return std::string(texto.substr(0, i));
        // Skip the continuation bytes of a UTF-8 sequence.
        ++i;
        while (i < texto.size() && (static_cast<unsigned char>(texto[i]) & 0xC0) == 0x80) ++i;
        ++caracteres;
    }
    return std::string(texto);
}

}  // namespace ventaro
