#include "erosivity/gravar_erosividade.h"

#include <cerrno>
#include <cmath>
#include <cstdio>

#include "core/erro.h"
#include "output/formato_padrao.h"
#include "output/motivo_erro.h"
#include "output/texto_windows1252.h"

namespace ventaro {

namespace {

constexpr char kSeparador = ',';

constexpr std::string_view kColunas =
    "Estacao      Data        Latitude    Longitude    Altitude   KE25f      KE25wm     EI30f  "
    "    EI30wm";
constexpr std::string_view kColunasMedia =
    "Estacao      Latitude    Longitude    Altitude   KE25f      KE25wm     EI30f      EI30wm";

constexpr const char* kCabecalhoPlanilha[] = {"Estacao", "Latitude", "Longitude", "Altitude",
                                              "KE25f",   "KE25wm",   "EI30f",     "EI30wm"};

std::string Codigo(int32_t codigo) {
    return FormatarPadrao(codigo, "00000000", kSeparador);
}

// Code, then `depois_codigo` blanks, the date text (may be empty), `depois_data` blanks,
// coordinates, altitude and the four values.
std::string Linha(int32_t codigo, std::string_view data, int depois_data, double latitude,
                  double longitude, double altitude, const SomasErosividade& valores) {
    std::string s = Codigo(codigo);
    s.append(5, ' ');
    if (!data.empty()) {
        s += data;
        s.append(static_cast<std::size_t>(depois_data), ' ');
    }
    s += FormatarPadrao(latitude, "00.00", kSeparador);
    s.append(6, ' ');
    s += FormatarPadrao(longitude, "00.00", kSeparador);
    s.append(7, ' ');
    s += FormatarPadrao(altitude, "000.0", kSeparador);
    s.append(6, ' ');
    for (std::size_t q = 0; q < valores.size(); ++q) {
        if (q > 0) s.append(3, ' ');
        s += FormatarPadrao(valores[q], "00000.00", kSeparador);
    }
    return s;
}

std::string Ano(int64_t ano) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04lld", static_cast<long long>(ano));
    return buf;
}

std::string MesAno(int mes, int64_t ano) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d/%s", mes, Ano(ano).c_str());
    return buf;
}

[[noreturn]] void FalhaGravacao(const std::filesystem::path& arquivo, int erro) {
    throw ErroVentaro("Não foi possível gravar o arquivo " + arquivo.string() + ": " +
                      MotivoErro(erro != 0 ? erro : EIO) + ".");
}

}  // namespace

std::filesystem::path ArquivoErosividade(const std::filesystem::path& teste2, int periodo,
                                         bool media) {
    const std::string nome(NomePeriodo(periodo));
    return media ? teste2 / "media" / ("media" + nome + ".txt") : teste2 / (nome + ".txt");
}

std::array<std::string, 3> CabecalhoErosividade(int periodo, bool media) {
    const std::string nome(NomePeriodo(periodo));
    if (media) return {nome, "", std::string(kColunasMedia)};
    return {periodo == kPeriodoAnual ? nome : "Mes de " + nome, "", std::string(kColunas)};
}

LinhasErosividade FormatarErosividade(const ErosividadeEstacao& e) {
    LinhasErosividade l;
    for (const auto& t : e.Meses) {
        l.Periodos[static_cast<std::size_t>(t.Mes - 1)].push_back(Linha(
            e.CodEstacao, MesAno(t.Mes, t.Ano), 5, e.Latitude, e.Longitude, e.Altitude, t.Somas));
    }
    for (const auto& t : e.Anos) {
        l.Periodos[kPeriodoAnual - 1].push_back(
            Linha(e.CodEstacao, Ano(t.Ano), 8, e.Latitude, e.Longitude, e.Altitude, t.Somas));
    }
    for (std::size_t j = 0; j < e.Medias.size(); ++j) {
        l.Medias[j] = Linha(e.CodEstacao, {}, 0, e.Latitude, e.Longitude, e.Altitude, e.Medias[j]);
    }
    return l;
}

void AcrescentarLinhas(const std::filesystem::path& arquivo,
                       const std::array<std::string, 3>& cabecalho,
                       const std::vector<std::string>& linhas) {
    errno = 0;
    std::FILE* f = std::fopen(arquivo.c_str(), "ab");
    if (f == nullptr) FalhaGravacao(arquivo, errno);
    std::string texto;
    if (std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) == 0) {
        for (const std::string& linha : cabecalho) texto += ParaWindows1252(linha) + "\r\n";
    }
    for (const std::string& linha : linhas) texto += ParaWindows1252(linha) + "\r\n";
    errno = 0;
    const bool gravou =
        std::fwrite(texto.data(), 1, texto.size(), f) == texto.size() && std::fflush(f) == 0;
    const int erro = errno;
    const bool fechou = std::fclose(f) == 0;
    if (!gravou || !fechou) FalhaGravacao(arquivo, erro != 0 ? erro : errno);
}

void CriarPastasErosividade(const std::filesystem::path& teste2) {
    std::error_code ec;
    std::filesystem::create_directories(teste2 / "media", ec);
    if (ec) {
        throw ErroVentaro("Não foi possível criar a pasta " + (teste2 / "media").string() + ": " +
                          MotivoErro(ec.value()) + ".");
    }
}

void GravarErosividade(const std::filesystem::path& teste2, const ErosividadeEstacao& e) {
    const LinhasErosividade l = FormatarErosividade(e);
    for (int j = 1; j <= kNumPeriodos; ++j) {
        const auto i = static_cast<std::size_t>(j - 1);
        AcrescentarLinhas(ArquivoErosividade(teste2, j, false), CabecalhoErosividade(j, false),
                          l.Periodos[i]);
    }
    for (int j = 1; j <= kNumPeriodos; ++j) {
        const auto i = static_cast<std::size_t>(j - 1);
        AcrescentarLinhas(ArquivoErosividade(teste2, j, true), CabecalhoErosividade(j, true),
                          {l.Medias[i]});
    }
}

void PrepararPlanilha(ExportadorPlanilha& planilha) {
    for (int j = kNumPeriodos; j >= 1; --j) {
        const std::string_view nome = NomePeriodo(j);
        planilha.CriarPlanilha(nome);
        for (int c = 0; c < 8; ++c) {
            planilha.EscreverCelula(nome, std::string(kCabecalhoPlanilha[c]), 1, c + 1);
        }
    }
}

void EscreverLinhaPlanilha(ExportadorPlanilha& planilha, int linha, const ErosividadeEstacao& e) {
    for (int j = 1; j <= kNumPeriodos; ++j) {
        const std::string_view nome = NomePeriodo(j);
        planilha.EscreverCelula(nome, Codigo(e.CodEstacao), linha, 1);
        planilha.EscreverCelula(nome, e.Latitude, linha, 2);
        planilha.EscreverCelula(nome, e.Longitude, linha, 3);
        planilha.EscreverCelula(nome, e.Altitude, linha, 4);
        const SomasErosividade& medias = e.Medias[static_cast<std::size_t>(j - 1)];
        for (std::size_t q = 0; q < medias.size(); ++q) {
            // A mean beyond the range of an integer (or not a number) stays a real.
            const double truncada = std::trunc(medias[q]);
            const ValorCelula valor = std::fabs(truncada) < 9.0e18
                                          ? ValorCelula(static_cast<int64_t>(truncada))
                                          : ValorCelula(truncada);
            planilha.EscreverCelula(nome, valor, linha, static_cast<int>(q) + 5);
        }
    }
}

}  // namespace ventaro
