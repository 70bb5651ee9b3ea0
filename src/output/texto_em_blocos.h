#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace ventaro {

// The text of a long file built in a buffer of its own and handed on in blocks, so that a
// writer of a million lines never holds the whole file. Numbers are written by hand, with "."
// and a fixed number of decimals, whatever the locale: the files are read by other models.
class TextoEmBlocos {
  public:
    using Destino = std::function<void(std::string_view)>;

    explicit TextoEmBlocos(Destino destino, std::size_t tamanho_bloco = std::size_t{1} << 16);
    TextoEmBlocos(const TextoEmBlocos&) = delete;
    TextoEmBlocos& operator=(const TextoEmBlocos&) = delete;

    void Texto(std::string_view texto);
    void Caractere(char c);
    void Espacos(int n);
    // An integer, right-aligned in `largura` characters (wider when it needs more).
    void Inteiro(int64_t v, int largura = 0);
    // `unidades` / 10^decimais written exactly, with `decimais` digits after the point,
    // right-aligned in `largura` characters: Decimal(-5, 2) is "-0.05".
    void Decimal(int64_t unidades, int decimais, int largura = 0);
    // v with `decimais` digits after the point (0-6), right-aligned in `largura` characters.
    // Rounded as UnidadesDecimais does; a value that rounds to zero has no sign. NaN is "nan"
    // and the infinities "inf" and "-inf".
    void Fixo(double v, int decimais, int largura = 0);
    // Hands what is buffered to the destination. Call it once the text is complete: nothing is
    // handed on by the destructor.
    void Descarregar();

  private:
    char* Reservar(std::size_t n);

    Destino destino_;
    std::vector<char> buffer_;
    std::size_t usado_ = 0;
};

// v * 10^decimais rounded half away from zero to an integer, the units TextoEmBlocos::Decimal
// writes; false when v is not finite or too large for exact integer units (beyond 10^15).
bool UnidadesDecimais(double v, int decimais, int64_t& unidades);

}  // namespace ventaro
