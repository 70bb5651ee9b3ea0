#include "import/texto.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "core/erro.h"

namespace ventaro {

namespace {

bool Utf8Valido(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        if (c < 0x80) {
            extra = 0;
        } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
        } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
            extra = 3;
        } else {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= s.size()) return false;
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

}  // namespace

std::string ParaUtf8(std::string_view texto) {
    if (Utf8Valido(texto)) return std::string(texto);
    std::string saida;
    saida.reserve(texto.size() + texto.size() / 8);
    for (char ch : texto) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            saida.push_back(ch);
        } else {
            saida.push_back(static_cast<char>(0xC0 | (c >> 6)));
            saida.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return saida;
}

LeitorLinhas::LeitorLinhas(const std::filesystem::path& arquivo)
    : arquivo_(arquivo), entrada_(arquivo, std::ios::binary) {
    if (!entrada_) {
        throw ErroVentaro("Não foi possível abrir o arquivo " + TextoSeguro(arquivo.string()) +
                          ".");
    }
}

bool LeitorLinhas::EncherBuffer() {
    constexpr std::size_t kBloco = 1 << 16;
    buffer_.erase(0, pos_);
    pos_ = 0;
    const std::size_t usado = buffer_.size();
    buffer_.resize(usado + kBloco);
    entrada_.read(buffer_.data() + usado, static_cast<std::streamsize>(kBloco));
    if (entrada_.bad()) {
        throw ErroVentaro("Erro ao ler o arquivo " + TextoSeguro(arquivo_.string()) + ".");
    }
    buffer_.resize(usado + static_cast<std::size_t>(entrada_.gcount()));
    return entrada_.gcount() > 0;
}

void LeitorLinhas::FalharLinhaLonga() const {
    throw ErroVentaro("Arquivo " + TextoSeguro(arquivo_.string()) + ", linha " +
                      std::to_string(numero_ + 1) + ": linha com mais de " +
                      std::to_string(kMaximoLinha / 1024) +
                      " KiB; o arquivo não é uma exportação de texto.");
}

bool LeitorLinhas::Proxima() {
    if (fim_) return false;
    std::size_t busca = pos_;
    std::size_t fim_linha = std::string::npos;
    while (true) {
        fim_linha = buffer_.find('\n', busca);
        if (fim_linha != std::string::npos) break;
        if (buffer_.size() - pos_ > kMaximoLinha) {
            FalharLinhaLonga();
        }
        busca = buffer_.size() - pos_;
        const bool leu = EncherBuffer();
        busca += pos_;
        if (!leu) break;
    }
    if (fim_linha == std::string::npos) {
        // The last line may lack its line end; an empty remainder is no line.
        fim_ = true;
        if (pos_ == buffer_.size()) return false;
        fim_linha = buffer_.size();
    }
    std::size_t corte = fim_linha;
    if (corte > pos_ && buffer_[corte - 1] == '\r') --corte;
    if (corte - pos_ > kMaximoLinha) {
        FalharLinhaLonga();
    }
    std::string_view bruta(buffer_.data() + pos_, corte - pos_);
    // A byte-order mark is not part of the first line.
    if (numero_ == 0 && ComecaCom(bruta, "\xEF\xBB\xBF")) bruta.remove_prefix(3);
    linha_ = ParaUtf8(bruta);
    ++numero_;
    pos_ = fim_linha < buffer_.size() ? fim_linha + 1 : buffer_.size();
    return true;
}

namespace {

void Escapar(std::string& saida, const char* formato, unsigned valor) {
    char texto[8];
    std::snprintf(texto, sizeof texto, formato, valor);
    saida += texto;
}

}  // namespace

std::string TextoSeguro(std::string_view texto) {
    std::string saida;
    saida.reserve(texto.size());
    std::size_t i = 0;
    while (i < texto.size()) {
        const auto c = static_cast<unsigned char>(texto[i]);
        if (c == '\t') {
            saida += "\\t";
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            Escapar(saida, "\\x%02x", c);
            ++i;
        } else if (c < 0x80) {
            saida.push_back(static_cast<char>(c));
            ++i;
        } else {
            // One UTF-8 character: kept unless it is a C1 control (U+0080 to U+009F, C2 80 to
            // C2 9F) or not valid UTF-8.
            const std::size_t tamanho = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
            const std::string_view caractere = texto.substr(i, tamanho);
            if (c < 0xC2 || c > 0xF4 || caractere.size() < tamanho || !Utf8Valido(caractere)) {
                Escapar(saida, "\\x%02x", c);
                ++i;
            } else if (c == 0xC2 && static_cast<unsigned char>(caractere[1]) < 0xA0) {
                Escapar(saida, "\\u%04x", static_cast<unsigned char>(caractere[1]));
                i += 2;
            } else {
                saida += caractere;
                i += tamanho;
            }
        }
    }
    return saida;
}

std::string_view CortarUtf8(std::string_view texto, std::size_t maximo) {
    if (texto.size() <= maximo) return texto;
    std::size_t corte = maximo;
    // Back off the continuation bytes (10xxxxxx) of a character cut in half.
    while (corte > 0 && (static_cast<unsigned char>(texto[corte]) & 0xC0) == 0x80) --corte;
    return texto.substr(0, corte);
}

bool EhMarcacaoHtml(std::string_view linha) {
    linha = Aparar(linha);
    if (linha.size() < 3 || linha.front() != '<' || linha.back() != '>') return false;
    const char c = linha[1] == '/' ? (linha.size() > 3 ? linha[2] : ' ') : linha[1];
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '!';
}

std::string_view Aparar(std::string_view texto) {
    auto branco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!texto.empty() && branco(texto.front())) texto.remove_prefix(1);
    while (!texto.empty() && branco(texto.back())) texto.remove_suffix(1);
    return texto;
}

bool ComecaCom(std::string_view texto, std::string_view prefixo) {
    return texto.substr(0, prefixo.size()) == prefixo;
}

std::string Maiusculas(std::string_view texto) {
    std::string s(texto);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::vector<std::string_view> DividirCampos(std::string_view linha, char separador) {
    std::vector<std::string_view> campos;
    std::size_t inicio = 0;
    while (true) {
        const std::size_t fim = linha.find(separador, inicio);
        if (fim == std::string_view::npos) {
            if (inicio < linha.size()) campos.push_back(linha.substr(inicio));
            break;
        }
        campos.push_back(linha.substr(inicio, fim - inicio));
        inicio = fim + 1;
    }
    return campos;
}

std::optional<double> LerDecimal(std::string_view texto, bool* invalido) {
    if (invalido) *invalido = false;
    texto = Aparar(texto);
    if (texto.size() >= 2 && texto.front() == '"' && texto.back() == '"') {
        texto = Aparar(texto.substr(1, texto.size() - 2));
    }
    if (texto.empty() || texto == "null" || texto == "NULL") return std::nullopt;
    std::string s(texto);
    std::replace(s.begin(), s.end(), ',', '.');
    const char* inicio = s.data();
    const char* fim = s.data() + s.size();
    if (*inicio == '+') ++inicio;
    double valor = 0;
    const auto [ptr, ec] = std::from_chars(inicio, fim, valor, std::chars_format::general);
    if (ec != std::errc{} || ptr != fim) {
        if (invalido) *invalido = true;
        return std::nullopt;
    }
    return valor;
}

std::optional<long long> LerInteiro(std::string_view texto) {
    texto = Aparar(texto);
    if (texto.empty()) return std::nullopt;
    if (texto.front() == '+') texto.remove_prefix(1);
    long long valor = 0;
    const auto [ptr, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (ec != std::errc{} || ptr != texto.data() + texto.size()) return std::nullopt;
    return valor;
}

}  // namespace ventaro
