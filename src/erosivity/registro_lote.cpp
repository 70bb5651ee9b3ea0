#include "erosivity/registro_lote.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string_view>
#include <utility>

#include "core/erro.h"
#include "output/motivo_erro.h"

namespace ventaro {

namespace {

constexpr std::string_view kAssinatura = "ventaro-erosividade";
constexpr std::string_view kVersao = "1";

// The shortest text that reads back as the same double.
std::string Numero(double v) {
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Tabs and line breaks would split a record.
std::string UmCampo(std::string_view texto) {
    std::string s(texto);
    for (char& c : s) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return s;
}

std::vector<std::string> Campos(const std::string& linha) {
    std::vector<std::string> campos;
    std::size_t inicio = 0;
    for (;;) {
        const auto tab = linha.find('\t', inicio);
        campos.push_back(linha.substr(inicio, tab - inicio));
        if (tab == std::string::npos) return campos;
        inicio = tab + 1;
    }
}

}  // namespace

std::filesystem::path ArquivoRegistroLote(const std::filesystem::path& teste2) {
    return teste2 / "lote-erosividade.tsv";
}

struct GravadorRegistroLote::Arquivo {
    std::FILE* f = nullptr;
    ~Arquivo() {
        if (f != nullptr) std::fclose(f);
    }
};

GravadorRegistroLote::GravadorRegistroLote(const std::filesystem::path& arquivo,
                                           const RegistroLote& r)
    : arquivo_(arquivo), f_(std::make_unique<Arquivo>()) {
    errno = 0;
    f_->f = std::fopen(arquivo.c_str(), "wb");
    if (f_->f == nullptr) {
        throw ErroVentaro("Não foi possível criar o arquivo " + arquivo.string() + ": " +
                          MotivoErro(errno != 0 ? errno : EIO) + ".");
    }
    std::string s;
    const auto Linha = [&s](std::initializer_list<std::string_view> campos) {
        bool primeiro = true;
        for (const std::string_view campo : campos) {
            if (!std::exchange(primeiro, false)) s += '\t';
            s += campo;
        }
        s += '\n';
    };
    Linha({kAssinatura, kVersao});
    Linha({"anos", std::to_string(r.NumAnos)});
    Linha({"a-partir", std::to_string(r.APartir)});
    Linha({"correcao", r.Correcao ? "1" : "0"});
    Linha({"parte", std::to_string(r.Parte), std::to_string(r.NumPartes)});
    s += "lote";
    for (const std::string& codigo : r.Lote) {
        s += '\t';
        s += UmCampo(codigo);
    }
    s += '\n';
    Gravar(s);
}

GravadorRegistroLote::~GravadorRegistroLote() = default;

void GravadorRegistroLote::Acrescentar(const RegistroLote::Estacao& e) {
    std::string s = e.Calculada ? "calculada" : "ignorada";
    const auto Campo = [&s](std::string_view campo) {
        s += '\t';
        s += campo;
    };
    Campo(std::to_string(e.Posicao));
    Campo(UmCampo(e.Codigo));
    if (e.Calculada) {
        const ErosividadeEstacao& v = e.Erosividade;
        Campo(std::to_string(v.CodEstacao));
        Campo(Numero(v.Latitude));
        Campo(Numero(v.Longitude));
        Campo(Numero(v.Altitude));
        for (const SomasErosividade& medias : v.Medias) {
            for (const double m : medias) Campo(Numero(m));
        }
    } else {
        Campo(UmCampo(e.Motivo));
    }
    s += '\n';
    Gravar(s);
}

void GravadorRegistroLote::Concluir() {
    Gravar("fim\n");
}

void GravadorRegistroLote::Gravar(const std::string& texto) {
    errno = 0;
    if (std::fwrite(texto.data(), 1, texto.size(), f_->f) != texto.size() ||
        std::fflush(f_->f) != 0) {
        throw ErroVentaro("Não foi possível gravar o arquivo " + arquivo_.string() + ": " +
                          MotivoErro(errno != 0 ? errno : EIO) + ".");
    }
}

RegistroLote LerRegistroLote(const std::filesystem::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    if (!in) {
        throw ErroVentaro("Não foi possível abrir o registro do lote " + arquivo.string() +
                          ": o arquivo não existe ou não pode ser lido.");
    }
    RegistroLote r;
    int numero = 0;
    const auto Falha = [&](const std::string& motivo) {
        return ErroVentaro("Registro do lote " + arquivo.string() + " inválido na linha " +
                           std::to_string(numero) + ": " + motivo + ".");
    };
    const auto Inteiro = [&](const std::string& texto, int64_t minimo) {
        int64_t v = 0;
        const auto [fim, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), v);
        if (ec != std::errc() || fim != texto.data() + texto.size() || v < minimo ||
            v > 4294967295) {
            throw Falha("\"" + texto + "\" não é um número inteiro válido");
        }
        return v;
    };
    const auto Real = [&](const std::string& texto) {
        double v = 0;
        const auto [fim, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), v);
        if (ec != std::errc() || fim != texto.data() + texto.size()) {
            throw Falha("\"" + texto + "\" não é um número");
        }
        return v;
    };

    constexpr std::size_t kCamposCalculada = 7 + kNumPeriodos * kNumGrandezas;
    for (std::string linha; std::getline(in, linha);) {
        ++numero;
        const std::vector<std::string> c = Campos(linha);
        if (numero == 1) {
            if (c.size() != 2 || c[0] != kAssinatura) throw Falha("não é um registro de lote");
            if (c[1] != kVersao) throw Falha("versão " + c[1] + " desconhecida");
            continue;
        }
        if (r.Concluido) throw Falha("há linhas depois de \"fim\"");
        if (c[0] == "anos" && c.size() == 2) {
            r.NumAnos = static_cast<uint32_t>(Inteiro(c[1], 1));
        } else if (c[0] == "a-partir" && c.size() == 2) {
            r.APartir = static_cast<uint32_t>(Inteiro(c[1], 0));
        } else if (c[0] == "correcao" && c.size() == 2 && (c[1] == "0" || c[1] == "1")) {
            r.Correcao = c[1] == "1";
        } else if (c[0] == "parte" && c.size() == 3) {
            r.Parte = static_cast<int>(Inteiro(c[1], 1));
            r.NumPartes = static_cast<int>(Inteiro(c[2], 1));
            if (r.Parte > r.NumPartes) throw Falha("parte além do número de partes");
        } else if (c[0] == "lote") {
            r.Lote.assign(c.begin() + 1, c.end());
        } else if ((c[0] == "calculada" && c.size() == kCamposCalculada) ||
                   (c[0] == "ignorada" && c.size() == 4)) {
            RegistroLote::Estacao e;
            e.Posicao = static_cast<int>(Inteiro(c[1], 1));
            e.Codigo = c[2];
            e.Calculada = c[0] == "calculada";
            if (e.Calculada) {
                ErosividadeEstacao& v = e.Erosividade;
                const int64_t cod = Inteiro(c[3], 0);
                if (cod > 2147483647) throw Falha("código de estação grande demais");
                v.CodEstacao = static_cast<int32_t>(cod);
                v.Latitude = Real(c[4]);
                v.Longitude = Real(c[5]);
                v.Altitude = Real(c[6]);
                std::size_t i = 7;
                for (SomasErosividade& medias : v.Medias) {
                    for (double& m : medias) m = Real(c[i++]);
                }
            } else {
                e.Motivo = c[3];
            }
            if (!r.Estacoes.empty() && e.Posicao <= r.Estacoes.back().Posicao) {
                throw Falha("estações fora da ordem do lote");
            }
            r.Estacoes.push_back(std::move(e));
        } else if (c[0] == "fim" && c.size() == 1) {
            r.Concluido = true;
        } else {
            throw Falha("linha desconhecida");
        }
    }
    if (numero == 0) throw Falha("o arquivo está vazio");
    return r;
}

}  // namespace ventaro
