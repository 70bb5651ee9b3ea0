#include "import/texto.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>

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

std::vector<std::string> LerLinhasTexto(const std::filesystem::path& arquivo) {
    std::ifstream entrada(arquivo, std::ios::binary);
    if (!entrada) throw ErroVentaro("Não foi possível abrir o arquivo " + arquivo.string() + ".");
    std::string conteudo((std::istreambuf_iterator<char>(entrada)),
                         std::istreambuf_iterator<char>());
    if (entrada.bad()) throw ErroVentaro("Erro ao ler o arquivo " + arquivo.string() + ".");
    // A byte-order mark is not part of the first line.
    if (ComecaCom(conteudo, "\xEF\xBB\xBF")) conteudo.erase(0, 3);
    conteudo = ParaUtf8(conteudo);
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < conteudo.size()) {
        std::size_t fim = conteudo.find('\n', inicio);
        if (fim == std::string::npos) fim = conteudo.size();
        std::size_t corte = fim;
        if (corte > inicio && conteudo[corte - 1] == '\r') --corte;
        linhas.emplace_back(conteudo, inicio, corte - inicio);
        inicio = fim + 1;
    }
    return linhas;
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
