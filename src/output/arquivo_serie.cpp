#include "output/arquivo_serie.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "core/calendario.h"
#include "core/erro.h"
#include "output/arquivo_temporario.h"
#include "output/formatacao_em_ordem.h"
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

std::string Cabecalho(const TDados& dados, uint32_t num_anos, char separador,
                      std::string_view cenario) {
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
    s += "Tamanho da Série Sintética:  " + std::to_string(num_anos) + " anos";
    if (!cenario.empty()) s += "     Cenário: " + NomeEmUmaLinha(cenario);
    s += "\r\n";
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

// A wider year would shift every column of its lines.
void VerificarDatasSerie(const TClima& clima) {
    if (clima.NumDias <= 0) return;
    const int64_t primeiro = clima.DataInicial.ano;
    const int64_t ultimo = DataDoDia(primeiro, clima.NumDias).ano;
    if (primeiro < 0 || ultimo > kUltimoAnoArquivoSerie) {
        throw ErroVentaro(MensagemPeriodo(primeiro, ultimo - primeiro + 1));
    }
}

// Days per block of text: a block is formatted in one piece, by either thread, and written in
// order (about 450 kB).
constexpr std::size_t kDiasPorBloco = 4096;

// The day lines of a store, formatted block by block. Arrays the store does not hold are 0 on
// every line.
class LinhasSerie {
  public:
    LinhasSerie(const TClima& clima, char separador)
        : clima_(clima),
          num_dias_(static_cast<std::size_t>(clima.NumDias > 0 ? clima.NumDias : 0)),
          separador_(separador) {
        VerificarDatasSerie(clima);
        const TClima::Array arrays[] = {&TClima::Prec, &TClima::Dur,    &TClima::Ti,
                                        &TClima::Ii,   &TClima::TMax,   &TClima::TMin,
                                        &TClima::Rad,  &TClima::VVento, &TClima::Umid};
        for (std::size_t c = 0; c < kColunas.size(); ++c) {
            colunas_[c] = clima.Possui(arrays[c]) ? (clima.*arrays[c]).data() : nullptr;
        }
    }

    std::size_t NumDias() const { return num_dias_; }
    std::size_t NumBlocos() const { return (num_dias_ + kDiasPorBloco - 1) / kDiasPorBloco; }

    // Appends the lines of block `bloco` to `texto`.
    void Formatar(std::size_t bloco, BufferTexto& texto) const {
        const std::size_t primeiro = bloco * kDiasPorBloco + 1;
        const std::size_t ultimo = std::min(num_dias_, primeiro + kDiasPorBloco - 1);
        Data data = DataDoDia(clima_.DataInicial.ano, static_cast<int64_t>(primeiro));
        texto.Reservar((ultimo - primeiro + 1) * kLinhaTipica + kMaxLinha);
        std::size_t resta = ultimo - primeiro + 1;
        for (std::size_t d = primeiro; d <= ultimo; ++d, --resta, ProximoDia(data)) {
            // Only values wider than their field make a line longer than a typical one.
            texto.Reservar(resta * kLinhaTipica + kMaxLinha);
            char* p = EscreverData(texto.Fim(), data);
            for (std::size_t c = 0; c < kColunas.size(); ++c) {
                p = Espacos(p, kColunas[c].espacos);
                const double* v = colunas_[c];
                // The humidity is a fraction in the store and a percentage in the file.
                const double valor = v == nullptr ? 0.0 : c == 8 ? v[d] * 100.0 : v[d];
                p = EscreverCampo(p, valor, kColunas[c].largura, separador_);
            }
            *p++ = '\r';
            *p++ = '\n';
            texto.Avancar(p);
        }
    }

  private:
    struct Coluna {
        int espacos;  // before the field
        int largura;
    };
    // Prec, Dur, Ti, Ii, TMax, TMin, Rad, VVento, Umid: each value starts under the first
    // letter of its heading.
    static constexpr std::array<Coluna, 9> kColunas = {
        {{2, 4}, {5, 4}, {3, 5}, {2, 4}, {5, 4}, {6, 4}, {6, 4}, {12, 4}, {9, 4}}};

    const TClima& clima_;
    std::size_t num_dias_;
    char separador_;
    std::array<const double*, 9> colunas_{};
};

}  // namespace

void VerificarPeriodoArquivoSerie(uint32_t a_partir, uint32_t num_anos) {
    // 64 bits: the sum of two 32-bit settings does not wrap.
    const int64_t ultimo = static_cast<int64_t>(a_partir) + static_cast<int64_t>(num_anos) - 1;
    if (num_anos > 0 && ultimo > kUltimoAnoArquivoSerie) {
        throw ErroVentaro(MensagemPeriodo(a_partir, num_anos));
    }
}

std::string TextoSerie(const TDados& dados, const TClima& clima, uint32_t num_anos, char separador,
                       std::string_view cenario) {
    const LinhasSerie linhas(clima, separador);
    std::string texto = Cabecalho(dados, num_anos, separador, cenario);
    texto.reserve(texto.size() + linhas.NumDias() * kLinhaTipica);
    BufferTexto bloco;
    for (std::size_t b = 0; b < linhas.NumBlocos(); ++b) {
        bloco.Limpar();
        linhas.Formatar(b, bloco);
        texto += bloco.Texto();
    }
    return texto;
}

void GravarSerie(const std::filesystem::path& arquivo, const TDados& dados, const TClima& clima,
                 uint32_t num_anos, char separador, std::string_view cenario,
                 GravacaoSerie gravacao) {
    // Refused before the file is created.
    VerificarDatasSerie(clima);
    ArquivoTemporario saida(arquivo);
    EscreverSerie(saida, dados, clima, num_anos, separador, cenario, gravacao);
    saida.Confirmar();
}

void EscreverSerie(ArquivoTemporario& saida, const TDados& dados, const TClima& clima,
                   uint32_t num_anos, char separador, std::string_view cenario,
                   GravacaoSerie gravacao) {
    const LinhasSerie linhas(clima, separador);
    saida.Escrever(Cabecalho(dados, num_anos, separador, cenario));
    const bool ajudante = gravacao == GravacaoSerie::Paralela && linhas.NumBlocos() > 1;
    FormatarEmOrdem(
        linhas.NumBlocos(), ajudante,
        [&linhas](std::size_t bloco, BufferTexto& texto) { linhas.Formatar(bloco, texto); },
        [&saida](std::string_view texto) { saida.Escrever(texto); });
}

}  // namespace ventaro
