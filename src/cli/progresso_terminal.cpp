#include "cli/progresso_terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

#include "core/calendario.h"

namespace ventaro {

namespace {

constexpr int kLarguraBarra = 24;

// Number of characters (not bytes) of a UTF-8 text.
int Caracteres(std::string_view texto) {
    int n = 0;
    for (const char c : texto) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// The first `max` characters of a UTF-8 text.
std::string Cortar(std::string_view texto, int max) {
    int n = 0;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80 && n++ == max) {
            return std::string(texto.substr(0, i));
        }
    }
    return std::string(texto);
}

}  // namespace

ProgressoTerminal::ProgressoTerminal(std::FILE* saida, int64_t num_anos, int largura)
    : saida_(saida), num_anos_(num_anos), largura_(largura) {}

ProgressoTerminal::~ProgressoTerminal() {
    if (desenhou_) {
        std::fputs("\r\033[K", saida_);
        std::fflush(saida_);
    }
}

void ProgressoTerminal::DefinirPasso(std::string_view texto) {
    passo_ = std::string(texto);
    Desenhar();
}

void ProgressoTerminal::DefinirFaixa(int64_t minimo, int64_t maximo) {
    minimo_ = minimo;
    maximo_ = maximo;
    dia_ = minimo;
    Desenhar();
}

void ProgressoTerminal::NotificarProgresso(int64_t dia) {
    dia_ = dia;
    // Called once per simulated day: redraw only when the percentage moves.
    const int pct = Percentual();
    if (pct == pct_desenhado_) return;
    Desenhar();
}

int ProgressoTerminal::Percentual() const {
    const int64_t faixa = maximo_ - minimo_;
    if (faixa <= 0) return 0;
    const int64_t feito = std::clamp<int64_t>(dia_ - minimo_, 0, faixa);
    return static_cast<int>(feito * 100 / faixa);
}

std::string ProgressoTerminal::Linha() const {
    const int64_t faixa = maximo_ - minimo_;
    const int64_t feito = std::clamp<int64_t>(dia_ - minimo_, 0, std::max<int64_t>(faixa, 0));
    const int pct = Percentual();
    const int cheios = faixa > 0 ? static_cast<int>(feito * kLarguraBarra / faixa) : 0;

    std::string fim = " [" + std::string(static_cast<std::size_t>(cheios), '#') +
                      std::string(static_cast<std::size_t>(kLarguraBarra - cheios), ' ') + "] ";
    // Fixed widths, so the step text does not jitter as the numbers grow.
    const int64_t anos = dia_ >= 1 ? std::min(AnosCalculados(dia_), num_anos_) : 0;
    const std::string total = std::to_string(num_anos_);
    char numeros[96];
    std::snprintf(numeros, sizeof numeros, "%3d%%  %*lld de %s anos", pct,
                  static_cast<int>(total.size()), static_cast<long long>(anos), total.c_str());
    fim += numeros;

    // The step text gives way to the bar on a narrow terminal; one column stays free so the
    // cursor never wraps.
    const int espaco = largura_ - 1 - Caracteres(fim);
    std::string linha = espaco > 0 ? Cortar(passo_, espaco) : std::string();
    return linha + fim;
}

void ProgressoTerminal::Desenhar() {
    pct_desenhado_ = Percentual();
    std::string linha = Linha();
    if (linha == ultima_) return;
    ultima_ = linha;
    std::fputs("\r\033[K", saida_);
    std::fputs(linha.c_str(), saida_);
    std::fflush(saida_);
    desenhou_ = true;
}

int LarguraDoTerminal(int descritor) {
    winsize w{};
    if (::ioctl(descritor, TIOCGWINSZ, &w) == 0 && w.ws_col > 0) return w.ws_col;
    return 80;
}

}  // namespace ventaro
