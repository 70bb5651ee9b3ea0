#include "output/texto_em_blocos.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

namespace ventaro {

namespace {

constexpr double kPotencias10[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};

// Beyond this the scaled value no longer holds every integer exactly.
constexpr double kMaxUnidades = 1e15;

// Longest number written: a double in fixed notation with 6 decimals and a sign.
constexpr std::size_t kMaxNumero = 330;

}  // namespace

bool UnidadesDecimais(double v, int decimais, int64_t& unidades) {
    assert(decimais >= 0 && decimais <= 6);
    const double x = v * kPotencias10[decimais];
    if (!(std::fabs(x) < kMaxUnidades)) return false;
    unidades = static_cast<int64_t>(std::round(x));
    return true;
}

TextoEmBlocos::TextoEmBlocos(Destino destino, std::size_t tamanho_bloco)
    : destino_(std::move(destino)), buffer_(tamanho_bloco + kMaxNumero) {}

char* TextoEmBlocos::Reservar(std::size_t n) {
    if (usado_ + n > buffer_.size()) {
        Descarregar();
        if (n > buffer_.size()) buffer_.resize(n);
    }
    return buffer_.data() + usado_;
}

void TextoEmBlocos::Descarregar() {
    if (usado_ > 0) destino_(std::string_view(buffer_.data(), usado_));
    usado_ = 0;
}

void TextoEmBlocos::Texto(std::string_view texto) {
    char* p = Reservar(texto.size());
    std::memcpy(p, texto.data(), texto.size());
    usado_ += texto.size();
}

void TextoEmBlocos::Caractere(char c) {
    *Reservar(1) = c;
    ++usado_;
}

void TextoEmBlocos::Espacos(int n) {
    if (n <= 0) return;
    const auto k = static_cast<std::size_t>(n);
    std::memset(Reservar(k), ' ', k);
    usado_ += k;
}

void TextoEmBlocos::Inteiro(int64_t v, int largura) {
    Decimal(v, 0, largura);
}

void TextoEmBlocos::Decimal(int64_t unidades, int decimais, int largura) {
    // Digits from the last one, then the sign, the padding and the digits in order.
    char digitos[24];
    int n = 0;
    const bool negativo = unidades < 0;
    uint64_t u = negativo ? 0 - static_cast<uint64_t>(unidades) : static_cast<uint64_t>(unidades);
    do {
        digitos[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0 || n <= decimais);
    const int comprimento = n + (decimais > 0 ? 1 : 0) + (negativo ? 1 : 0);
    const int folga = largura > comprimento ? largura - comprimento : 0;
    char* p = Reservar(static_cast<std::size_t>(folga + comprimento));
    std::memset(p, ' ', static_cast<std::size_t>(folga));
    p += folga;
    if (negativo) *p++ = '-';
    for (int i = n - 1; i >= 0; --i) {
        if (i == decimais - 1) *p++ = '.';
        *p++ = digitos[i];
    }
    usado_ += static_cast<std::size_t>(folga + comprimento);
}

void TextoEmBlocos::Fixo(double v, int decimais, int largura) {
    int64_t unidades = 0;
    if (UnidadesDecimais(v, decimais, unidades)) {
        Decimal(unidades, decimais, largura);
        return;
    }
    char texto[kMaxNumero];
    const auto r =
        std::to_chars(texto, texto + sizeof texto, v, std::chars_format::fixed, decimais);
    const auto comprimento = static_cast<int>(r.ptr - texto);
    Espacos(largura - comprimento);
    Texto(std::string_view(texto, static_cast<std::size_t>(comprimento)));
}

}  // namespace ventaro
