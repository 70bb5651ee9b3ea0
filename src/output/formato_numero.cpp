#include "output/formato_numero.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace ventaro {

namespace {

// Below this magnitude the general format switches to scientific notation. The comparison is
// made on the value itself, before it is rounded to 15 digits.
constexpr double kMenorFixo = 0.00001;

// Fifteen significant digits: a leading digit and fourteen after the point of "%.14e".
constexpr int kDigitos = 15;

char* Copiar(char* p, const char* origem, std::size_t n) {
    std::memcpy(p, origem, n);
    return p + n;
}

char* Repetir(char* p, char c, int n) {
    if (n <= 0) return p;
    std::memset(p, c, static_cast<std::size_t>(n));
    return p + n;
}

// |v| rounded to 15 significant digits: the digits of "%.14e" without trailing zeros, and the
// exponent after rounding.
struct Decimal15 {
    char digitos[kDigitos];
    int n;
    int ex;
};

Decimal15 ArredondarPorTexto(double a) {
    // "d.dddddddddddddde+XX": correctly rounded like printf, and independent of any locale.
    char cientifica[32];
    const auto resultado = std::to_chars(cientifica, cientifica + sizeof cientifica, a,
                                         std::chars_format::scientific, kDigitos - 1);
    assert(resultado.ec == std::errc{});

    Decimal15 d;
    d.digitos[0] = cientifica[0];
    std::memcpy(d.digitos + 1, cientifica + 2, kDigitos - 1);
    d.n = kDigitos;
    while (d.n > 1 && d.digitos[d.n - 1] == '0') --d.n;

    const char* e = cientifica + kDigitos + 1;  // the 'e'
    d.ex = 0;
    for (const char* q = e + 2; q < resultado.ptr; ++q) d.ex = d.ex * 10 + (*q - '0');
    if (e[1] == '-') d.ex = -d.ex;
    return d;
}

#ifdef __SIZEOF_INT128__

__extension__ using Natural128 = unsigned __int128;

constexpr uint64_t kDezA15 = 1000000000000000;

constexpr std::array<Natural128, 21> kPotenciasDe10 = [] {
    std::array<Natural128, 21> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

constexpr std::array<char, 200> kPares = [] {
    std::array<char, 200> p{};
    for (std::size_t i = 0; i < 100; ++i) {
        p[2 * i] = static_cast<char>('0' + i / 10);
        p[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return p;
}();

// Writes the `n` digits of q (q < 10^n) two at a time, from the last.
void EscreverDigitos(char* destino, uint64_t q, int n) {
    int i = n;
    while (i >= 2) {
        const auto par = static_cast<std::size_t>(q % 100) * 2;
        q /= 100;
        i -= 2;
        destino[i] = kPares[par];
        destino[i + 1] = kPares[par + 1];
    }
    if (i == 1) destino[0] = static_cast<char>('0' + q);
}

// The values a series holds, from 0.00001 to below 10^15, rounded exactly with integers: such
// a value is m / 2^s with a 53-bit m and s from 3 to 69, so m * 10^k / 2^s, k <= 20, fits in
// 128 bits. Ties go to the even digit, as printf does. Gives the fifteen digits as one integer
// q, 10^14 <= q < 10^15, and the decimal exponent of the first.
struct Inteiro15 {
    uint64_t q;
    int ex;
};

inline bool ArredondarInteiro(double a, Inteiro15& r) {
    if (!(a >= kMenorFixo && a < 1e15)) return false;
    const auto bits = std::bit_cast<uint64_t>(a);
    const int expoente = static_cast<int>(bits >> 52) - 1023;  // floor(log2(a))
    const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int s = 52 - expoente;

    // floor(log10(a)) is floor(expoente * log10(2)) or one more.
    int ex = (expoente * 78913) >> 18;
    int k = kDigitos - 1 - ex;
    Natural128 n = Natural128{m} * kPotenciasDe10[static_cast<std::size_t>(k)];
    auto q = static_cast<uint64_t>(n >> s);
    if (q >= kDezA15) {
        ++ex;
        --k;
        n = Natural128{m} * kPotenciasDe10[static_cast<std::size_t>(k)];
        q = static_cast<uint64_t>(n >> s);
    }
    // The bits below the units, moved to the top: the first is the half, the others say
    // whether the value lies beyond it.
    const Natural128 resto = n << (128 - s);
    const bool metade = (resto >> 127) != 0;
    const bool alem = (resto << 1) != 0;
    if (metade && (alem || (q & 1) != 0)) ++q;
    if (q == kDezA15) {
        q /= 10;
        ++ex;
    }
    r.q = q;
    r.ex = ex;
    return true;
}

// Two to three times faster than the general conversion of std::to_chars.
bool ArredondarPorInteiros(double a, Decimal15& d) {
    Inteiro15 r;
    if (!ArredondarInteiro(a, r)) return false;
    uint64_t q = r.q;
    d.ex = r.ex;
    d.n = kDigitos;
    while (q % 10 == 0) {
        q /= 10;
        --d.n;
    }
    EscreverDigitos(d.digitos, q, d.n);
    return true;
}

constexpr std::array<uint64_t, 16> kPot10 = [] {
    std::array<uint64_t, 16> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// The k leading digits of the fifteen (k from 1 to 15) into `destino`, and whether any digit
// after them is not 0. A field of the file shows at most four: those take two table look-ups.
[[gnu::always_inline]] inline bool Iniciais(const Inteiro15& r, int k, char* destino) {
    const uint64_t divisor = kPot10[static_cast<std::size_t>(kDigitos - k)];
    const uint64_t t = r.q / divisor;
    if (k <= 4) {
        // The four digits of t, zero-padded, of which the last k are its own.
        char quatro[4];
        const auto alto = static_cast<std::size_t>(t / 100) * 2;
        const auto baixo = static_cast<std::size_t>(t % 100) * 2;
        quatro[0] = kPares[alto];
        quatro[1] = kPares[alto + 1];
        quatro[2] = kPares[baixo];
        quatro[3] = kPares[baixo + 1];
        std::memcpy(destino, quatro + (4 - k), 4);
    } else {
        EscreverDigitos(destino, t, k);
    }
    return r.q % divisor != 0;
}

// Digits of a fraction shown, without its trailing zeros when nothing follows them.
int SemZerosFinais(const char* digitos, int n, bool mais) {
    if (mais) return n;
    while (n > 0 && digitos[n - 1] == '0') --n;
    return n;
}

// Bytes [pos, pos + n) of the word w (byte i is character i) replaced by the first n bytes of
// v; pos + n <= 8.
inline uint64_t Inserir(uint64_t w, uint64_t v, int pos, int n) {
    if (n <= 0) return w;
    const uint64_t m = n >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * n)) - 1;
    return (w & ~(m << (8 * pos))) | ((v & m) << (8 * pos));
}

inline uint64_t Par(uint64_t i) {
    uint16_t par;
    std::memcpy(&par, kPares.data() + 2 * i, 2);
    return par;
}

constexpr uint64_t kEspacos8 = 0x2020202020202020;
constexpr uint64_t kZeros8 = 0x3030303030303030;

// A field of at most 8 characters whose text fits in 8, assembled in one 64-bit word and
// stored once: characters written into a small buffer and read back wider would each wait
// for the store to land. Returns nullptr when the value needs the longer route (an integer
// part of more than 7 characters, sign included).
char* CampoCurto(char* p, bool negativo, const Inteiro15& r, int largura, char separador) {
    const int sinal = negativo ? 1 : 0;
    const int inteiros = r.ex + 1;
    if (inteiros + sinal > 7) return nullptr;
    // The first eight of the fifteen digits, character i in byte i, and whether any digit
    // after the first k is not 0.
    const uint64_t oito = r.q / 10000000;
    const uint64_t resto = r.q - oito * 10000000;
    const uint64_t alto = oito / 10000;
    const uint64_t baixo = oito % 10000;
    const uint64_t d =
        Par(alto / 100) | Par(alto % 100) << 16 | Par(baixo / 100) << 32 | Par(baixo % 100) << 48;
    const uint64_t sem_zeros = d ^ kZeros8;  // a byte is 0 where its digit is '0'
    const auto Mais = [&](int k) { return resto != 0 || (k < 8 && (sem_zeros >> (8 * k)) != 0); };
    // Digits [de, k) without their trailing zeros (all of them when more digits follow).
    const auto Mostrados = [&](int de, int k, bool mais) {
        if (mais || k <= de) return k - de;
        const uint64_t m = k >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * k)) - 1;
        const uint64_t z = (sem_zeros & m) >> (8 * de);
        return z == 0 ? 0 : (63 - std::countl_zero(z)) / 8 + 1;
    };
    uint64_t w = kEspacos8;
    if (negativo) w = Inserir(w, '-', 0, 1);
    int n;
    if (r.ex >= 0) {
        const int k = std::max(inteiros, largura - sinal - 1);
        const bool mais = Mais(k);
        const int fracao = Mostrados(inteiros, k, mais);
        if (fracao == 0 && !mais) {
            n = std::min(sinal + inteiros, largura);
            w = Inserir(w, d, sinal, n - sinal);
        } else if (sinal + inteiros + 1 > largura) {
            n = sinal + inteiros;
            w = Inserir(w, d, sinal, inteiros);
        } else {
            w = Inserir(w, d, sinal, inteiros);
            w = Inserir(w, static_cast<unsigned char>(separador), sinal + inteiros, 1);
            w = Inserir(w, d >> (8 * inteiros), sinal + inteiros + 1, fracao);
            n = sinal + inteiros + 1 + fracao;
        }
    } else {
        w = Inserir(w, '0', sinal, 1);
        w = Inserir(w, static_cast<unsigned char>(separador), sinal + 1, 1);
        const int zeros = -r.ex - 1;
        const int cabem = largura - sinal - 2;
        if (cabem < 0) {
            n = sinal + 1;
            w = Inserir(w, kEspacos8, sinal + 1, 1);
        } else if (cabem <= zeros) {
            n = largura;
            w = Inserir(w, kZeros8, sinal + 2, cabem);
        } else {
            const int k = cabem - zeros;
            const int mostrados = Mostrados(0, k, Mais(k));
            w = Inserir(w, kZeros8, sinal + 2, zeros);
            w = Inserir(w, d, sinal + 2 + zeros, mostrados);
            n = sinal + 2 + zeros + mostrados;
        }
    }
    std::memcpy(p, &w, 8);
    return p + std::max(n, largura);
}

// Widest field written by CampoFixo; wider ones take the general route.
constexpr int kLarguraCampoFixo = 16;

// The field of a value in fixed notation (|v| from 0.00001 to below 10^15 after rounding, a
// width up to kLarguraCampoFixo) straight from its fifteen rounded digits: only the digits the
// field shows are written out, and the general format's text is never built. The same
// characters as the general format cut to the field. The field is assembled in a small buffer
// with stores of fixed size and copied out whole, so `p` must have room for 32 characters; the
// returned end may lie before the last of them.
char* CampoFixo(char* p, bool negativo, const Inteiro15& r, int largura, char separador) {
    if (largura <= 8) {
        if (char* fim = CampoCurto(p, negativo, r, largura, separador)) return fim;
    }
    const int sinal = negativo ? 1 : 0;
    char campo[64];
    char digitos[32] = {};
    campo[0] = '-';
    int n;  // characters of the field before its padding
    if (r.ex >= 0) {
        const int inteiros = r.ex + 1;
        const int k = std::min(kDigitos, std::max(inteiros, largura - sinal - 1));
        const bool mais = Iniciais(r, k, digitos);
        const int fracao = SemZerosFinais(digitos + inteiros, k - inteiros, mais);
        std::memcpy(campo + sinal, digitos, 16);
        if (fracao == 0 && !mais) {
            // No separator: text longer than the field is cut to it, sign included.
            n = std::min(sinal + inteiros, largura);
        } else if (sinal + inteiros + 1 > largura) {
            // A separator beyond the field keeps the whole integer part.
            n = sinal + inteiros;
        } else {
            // Here k = largura - sign - 1 (or 15), so the shown digits all lie in `digitos`.
            campo[sinal + inteiros] = separador;
            std::memcpy(campo + sinal + inteiros + 1, digitos + inteiros, 16);
            n = sinal + inteiros + 1 + fracao;
        }
    } else {
        // Below 1: "0", the separator, -ex - 1 zeros (at most 4) and the digits.
        campo[sinal] = '0';
        campo[sinal + 1] = separador;
        const int zeros = -r.ex - 1;
        const int cabem = largura - sinal - 2;  // characters of the fraction the field shows
        if (cabem < 0) {
            n = sinal + 1;
        } else if (cabem <= zeros) {
            std::memset(campo + sinal + 2, '0', 8);
            n = largura;
        } else {
            std::memset(campo + sinal + 2, '0', 8);
            const int k = std::min(kDigitos, cabem - zeros);
            const bool mais = Iniciais(r, k, digitos);
            std::memcpy(campo + sinal + 2 + zeros, digitos, 16);
            n = sinal + 2 + zeros + SemZerosFinais(digitos, k, mais);
        }
    }
    std::memset(campo + n, ' ', 32);
    std::memcpy(p, campo, 32);
    return p + std::max(n, largura);
}

#else

struct Inteiro15 {
    uint64_t q;
    int ex;
};

bool ArredondarInteiro(double, Inteiro15&) {
    return false;
}

bool ArredondarPorInteiros(double, Decimal15&) {
    return false;
}

constexpr int kLarguraCampoFixo = -1;

char* CampoFixo(char* p, bool, const Inteiro15&, int, char) {
    return p;
}

#endif

Decimal15 Arredondar(double a) {
    Decimal15 d;
    if (ArredondarPorInteiros(a, d)) return d;
    return ArredondarPorTexto(a);
}

bool Fixo(double a, const Decimal15& d) {
    return a >= kMenorFixo && d.ex < kDigitos;
}

// Fixed notation of a rounded value (at most four zeros follow the separator, since fixed
// notation starts at 0.00001).
char* EscreverFixo(char* p, const Decimal15& d, char separador) {
    if (d.ex >= 0) {
        const int inteiros = d.ex + 1;
        if (d.n <= inteiros) {
            p = Copiar(p, d.digitos, static_cast<std::size_t>(d.n));
            return Repetir(p, '0', inteiros - d.n);
        }
        p = Copiar(p, d.digitos, static_cast<std::size_t>(inteiros));
        *p++ = separador;
        return Copiar(p, d.digitos + inteiros, static_cast<std::size_t>(d.n - inteiros));
    }
    *p++ = '0';
    *p++ = separador;
    p = Repetir(p, '0', -d.ex - 1);
    return Copiar(p, d.digitos, static_cast<std::size_t>(d.n));
}

char* EscreverCientifico(char* p, const Decimal15& d, char separador) {
    *p++ = d.digitos[0];
    if (d.n > 1) {
        *p++ = separador;
        p = Copiar(p, d.digitos + 1, static_cast<std::size_t>(d.n - 1));
    }
    *p++ = 'E';
    return std::to_chars(p, p + 8, d.ex).ptr;
}

// Cuts s to the field: its first `largura` characters, or its whole integer part when the
// separator lies beyond the field. Returns the kept length. Text without a separator is cut to
// the width like any other, which the models that read the file expect.
int Cortar(const char* s, int n, int largura, char separador) {
    if (n <= largura) return n;
    int posicao = 0;
    for (int i = 0; i < n; ++i) {
        if (s[i] == separador) {
            posicao = i + 1;
            break;
        }
    }
    return posicao > largura ? posicao - 1 : largura;
}

char* EscreverCampoGeral(char* p, double v, int largura, char separador);

}  // namespace

char* EscreverFormatoGeral(char* p, double v, char separador) {
    if (v == 0.0) {
        *p++ = '0';
        return p;
    }
    if (std::isnan(v)) return Copiar(p, "NAN", 3);
    if (std::isinf(v)) return v < 0 ? Copiar(p, "-INF", 4) : Copiar(p, "INF", 3);

    double a = v;
    if (v < 0) {
        *p++ = '-';
        a = -v;
    }
    const Decimal15 d = Arredondar(a);
    if (Fixo(a, d)) return EscreverFixo(p, d, separador);
    return EscreverCientifico(p, d, separador);
}

char* EscreverCampo(char* p, double v, int largura, char separador) {
    assert(largura >= 0);
    if (largura < 0) largura = 0;
    // The values of a series: 0, and magnitudes in fixed notation.
    if (v == 0.0 && largura >= 1 && largura <= kLarguraCampoFixo) {
        std::memset(p, ' ', 16);
        *p = '0';
        return p + largura;
    }
    const bool negativo = v < 0;
    Inteiro15 r;
    if (largura <= kLarguraCampoFixo && ArredondarInteiro(negativo ? -v : v, r) &&
        r.ex < kDigitos) {
        return CampoFixo(p, negativo, r, largura, separador);
    }
    return EscreverCampoGeral(p, v, largura, separador);
}

namespace {

// Any value: the general format's text cut to the field. Kept out of line, so that the fast
// route of EscreverCampo stays small.
[[gnu::noinline]] char* EscreverCampoGeral(char* p, double v, int largura, char separador) {
    if (largura < 0) largura = 0;
    char s[kMaxCampo];
    char* fim = EscreverFormatoGeral(s, v, separador);
    const int n = Cortar(s, static_cast<int>(fim - s), largura, separador);
    p = Copiar(p, s, static_cast<std::size_t>(n));
    return Repetir(p, ' ', largura - n);
}

}  // namespace

void AcrescentarFormatoGeral(std::string& destino, double v, char separador) {
    char s[kMaxFormatoGeral];
    destino.append(s, EscreverFormatoGeral(s, v, separador));
}

std::string FormatoGeral(double v, char separador) {
    std::string s;
    AcrescentarFormatoGeral(s, v, separador);
    return s;
}

void AcrescentarCampo(std::string& destino, double v, int largura, char separador) {
    const auto tamanho = static_cast<std::size_t>(largura > kMaxCampo ? largura : kMaxCampo);
    const std::size_t antes = destino.size();
    destino.resize(antes + tamanho);
    char* fim = EscreverCampo(destino.data() + antes, v, largura, separador);
    destino.resize(static_cast<std::size_t>(fim - destino.data()));
}

std::string FormatarCampo(double v, int largura, char separador) {
    std::string s;
    AcrescentarCampo(s, v, largura, separador);
    return s;
}

std::string FormatoGeralReferencia(double v, char separador) {
    if (v == 0.0) return "0";
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";

    std::string texto = v < 0 ? "-" : "";
    const double a = std::fabs(v);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", a);
    const std::string_view cientifica(buffer);

    // The point of "%.14e" follows the process locale, so only the digits are taken.
    const std::size_t e = cientifica.find('e');
    std::string digitos;
    for (char c : cientifica.substr(0, e)) {
        if (c >= '0' && c <= '9') digitos += c;
    }
    const int ex = std::stoi(std::string(cientifica.substr(e + 1)));
    while (digitos.size() > 1 && digitos.back() == '0') digitos.pop_back();

    if (a >= kMenorFixo && ex < kDigitos) {
        if (ex >= 0) {
            const auto inteiros = static_cast<std::size_t>(ex + 1);
            std::string parte_inteira = digitos.substr(0, inteiros);
            parte_inteira.resize(inteiros, '0');
            texto += parte_inteira;
            if (digitos.size() > inteiros) {
                texto += separador;
                texto += digitos.substr(inteiros);
            }
        } else {
            texto += '0';
            texto += separador;
            texto += std::string(static_cast<std::size_t>(-ex - 1), '0');
            texto += digitos;
        }
        return texto;
    }

    texto += digitos[0];
    if (digitos.size() > 1) {
        texto += separador;
        texto += digitos.substr(1);
    }
    texto += 'E';
    texto += std::to_string(ex);
    return texto;
}

}  // namespace ventaro
