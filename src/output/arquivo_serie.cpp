#include "output/arquivo_serie.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/calendario.h"
#include "core/erro.h"
#include "output/arquivo_temporario.h"
#include "output/formato_numero.h"
#include "output/texto_windows1252.h"

namespace ventaro {

namespace {

constexpr std::string_view kCabecalhoColunas =
    "Data        Prec(mm) Dur(h) ti*    ii(mm/h) TMax(°C)  TMin(°C)  Rad(MJ/m2/dia)  "
    "VVento(m/s)  Umid(%)";

// A typical day line: a 10-character date, 50 spaces between fields, nine fields of width 4
// (time to peak 5) and CR LF. Only values wider than their field make a line longer.
constexpr std::size_t kLinhaTipica = 10 + 50 + 9 * 4 + 1 + 2;

// A day line at its longest: a date with a wide year, the separators, nine fields at their
// longest and CR LF.
constexpr std::size_t kMaxLinha = 32 + 50 + 9 * kMaxCampo + 2;

// A station name goes on one header line: a line break inside it would shift every line
// that follows, so control characters become '?' like any other character the file cannot
// hold.
std::string NomeEmUmaLinha(std::string_view nome) {
    std::string s(nome);
    for (char& c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) c = '?';
    }
    return s;
}

std::string Cabecalho(const TDados& dados, uint32_t num_anos, char separador) {
    std::string s;
    s += "Estação Pluviométrica.\r\n";
    s += "Código: " + std::to_string(dados.CodEstacao) +
         "     Nome: " + NomeEmUmaLinha(dados.Nome()) + "\r\n";
    s += "Latitude: " + FormatoGeral(dados.Latitude, separador) +
         "     Longitude: " + FormatoGeral(dados.Longitude, separador) + "\r\n";
    s += "\r\n";
    s += "Estação Climatológica.\r\n";
    s += "Código: " + std::to_string(dados.CodEstacaoClima) +
         "     Nome: " + NomeEmUmaLinha(dados.NomeClima()) + "\r\n";
    s += "Latitude: " + FormatoGeral(dados.LatitudeClima, separador) +
         "     Longitude: " + FormatoGeral(dados.LongitudeClima, separador) + "\r\n";
    s += "\r\n";
    s += "Tamanho da Série Sintética:  " + std::to_string(num_anos) + " anos\r\n";
    s += "\r\n";
    s += kCabecalhoColunas;
    s += "\r\n";
    return ParaWindows1252(s);
}

char* DoisDigitos(char* p, int n) {
    *p++ = static_cast<char>('0' + n / 10);
    *p++ = static_cast<char>('0' + n % 10);
    return p;
}

// "dd/mm/yyyy", for years 0 to 9999.
char* EscreverData(char* p, const Data& data) {
    p = DoisDigitos(p, data.dia);
    *p++ = '/';
    p = DoisDigitos(p, data.mes);
    *p++ = '/';
    const auto ano = static_cast<int>(data.ano);
    p = DoisDigitos(p, ano / 100);
    return DoisDigitos(p, ano % 100);
}

char* Espacos(char* p, int n) {
    std::memset(p, ' ', static_cast<std::size_t>(n));
    return p + n;
}

void ProximoDia(Data& data) {
    if (++data.dia <= DiasNoMes(data.ano, data.mes)) return;
    data.dia = 1;
    if (++data.mes <= 12) return;
    data.mes = 1;
    ++data.ano;
}

std::string MensagemPeriodo(int64_t a_partir, int64_t num_anos) {
    return "Uma série de " + std::to_string(num_anos) + " anos a partir do ano " +
           std::to_string(a_partir) + " terminaria no ano " +
           std::to_string(a_partir + num_anos - 1) +
           ", mas o arquivo da série grava as datas com o ano em quatro algarismos, até " +
           std::to_string(kUltimoAnoArquivoSerie) + ". Diminua o número de anos ou o ano inicial.";
}

}  // namespace

void VerificarPeriodoArquivoSerie(uint32_t a_partir, uint32_t num_anos) {
    // 64 bits: the sum of two 32-bit settings does not wrap.
    const int64_t ultimo = static_cast<int64_t>(a_partir) + static_cast<int64_t>(num_anos) - 1;
    if (num_anos > 0 && ultimo > kUltimoAnoArquivoSerie) {
        throw ErroVentaro(MensagemPeriodo(a_partir, num_anos));
    }
}

std::string TextoSerie(const TDados& dados, const TClima& clima, uint32_t num_anos,
                       char separador) {
    const auto num_dias = static_cast<std::size_t>(clima.NumDias > 0 ? clima.NumDias : 0);
    // A wider year would shift every column of its lines.
    if (num_dias > 0) {
        const int64_t primeiro = clima.DataInicial.ano;
        const int64_t ultimo = DataDoDia(primeiro, clima.NumDias).ano;
        if (primeiro < 0 || ultimo > kUltimoAnoArquivoSerie) {
            throw ErroVentaro(MensagemPeriodo(primeiro, ultimo - primeiro + 1));
        }
    }
    std::string texto = Cabecalho(dados, num_anos, separador);
    texto.reserve(texto.size() + num_dias * kLinhaTipica + kMaxLinha);

    Data data = clima.DataInicial;
    char linha[kMaxLinha];
    for (std::size_t d = 1; d <= num_dias; ++d, ProximoDia(data)) {
        char* p = EscreverData(linha, data);
        p = Espacos(p, 2);
        p = EscreverCampo(p, clima.Valor(&TClima::Prec, static_cast<int64_t>(d)), 4, separador);
        p = Espacos(p, 5);
        p = EscreverCampo(p, clima.Valor(&TClima::Dur, static_cast<int64_t>(d)), 4, separador);
        p = Espacos(p, 3);
        p = EscreverCampo(p, clima.Valor(&TClima::Ti, static_cast<int64_t>(d)), 5, separador);
        p = Espacos(p, 2);
        p = EscreverCampo(p, clima.Valor(&TClima::Ii, static_cast<int64_t>(d)), 4, separador);
        p = Espacos(p, 5);
        p = EscreverCampo(p, clima.Valor(&TClima::TMax, static_cast<int64_t>(d)), 4, separador);
        p = Espacos(p, 6);
        p = EscreverCampo(p, clima.Valor(&TClima::TMin, static_cast<int64_t>(d)), 4, separador);
        p = Espacos(p, 6);
        p = EscreverCampo(p, clima.Valor(&TClima::Rad, static_cast<int64_t>(d)), 4, separador);
        p = Espacos(p, 12);
        p = EscreverCampo(p, clima.Valor(&TClima::VVento, static_cast<int64_t>(d)), 4, separador);
        p = Espacos(p, 9);
        p = EscreverCampo(p, clima.Valor(&TClima::Umid, static_cast<int64_t>(d)) * 100.0, 4,
                          separador);
        *p++ = '\r';
        *p++ = '\n';
        texto.append(linha, p);
    }
    return texto;
}

void GravarSerie(const std::filesystem::path& arquivo, const TDados& dados, const TClima& clima,
                 uint32_t num_anos, char separador) {
    ArquivoTemporario(arquivo, TextoSerie(dados, clima, num_anos, separador)).Confirmar();
}

}  // namespace ventaro
