#include "import/leitor_inmet_texto.h"

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/calendario.h"
#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/limites_observacao.h"
#include "import/texto.h"

namespace ventaro {

namespace {

constexpr int kNumCampos = 25;

bool Branca(std::string_view linha) {
    for (char c : linha) {
        if (static_cast<unsigned char>(c) > ' ') return false;
    }
    return true;
}

// Fields separated by one or more spaces; the first starts in column 1 (a leading space gives
// an empty first field) and the last runs to the end of the line.
std::vector<std::string_view> Campos(std::string_view linha) {
    std::vector<std::string_view> campos;
    std::size_t pos = 0;
    while (campos.size() < kNumCampos && pos <= linha.size()) {
        if (campos.size() == kNumCampos - 1) {
            campos.push_back(Aparar(linha.substr(pos)));
            break;
        }
        std::size_t fim = linha.find(' ', pos);
        if (fim == std::string_view::npos) fim = linha.size();
        campos.push_back(linha.substr(pos, fim - pos));
        pos = fim;
        while (pos < linha.size() && linha[pos] == ' ') ++pos;
        if (pos >= linha.size()) break;
    }
    return campos;
}

bool Antes(const Data& a, const Data& b) {
    return std::tie(a.ano, a.mes, a.dia) < std::tie(b.ano, b.mes, b.dia);
}

Data DiaSeguinte(Data d) {
    if (++d.dia > DiasNoMes(d.ano, d.mes)) {
        d.dia = 1;
        if (++d.mes > 12) {
            d.mes = 1;
            ++d.ano;
        }
    }
    return d;
}

Data DiaAnterior(Data d) {
    if (--d.dia < 1) {
        if (--d.mes < 1) {
            d.mes = 12;
            --d.ano;
        }
        d.dia = DiasNoMes(d.ano, d.mes);
    }
    return d;
}

// The file's missing codes, stored for a day whose value is absent or impossible.
constexpr double kAusenteTemperatura = 999.9;
constexpr double kAusenteRadiacao = 99.9;
constexpr double kAusenteUmidade = 999;
constexpr double kAusenteVento = 99.9;
constexpr double kAusentePrec = 999.9;

class Leitor {
  public:
    Leitor(const std::filesystem::path& arquivo, double latitude)
        : arquivo_(arquivo),
          latitude_(latitude),
          marcacao_(arquivo),
          indices_(static_cast<std::size_t>(kAnoMaximo - kAnoMinimo + 1), -1) {}

    RegistroClima Ler();

  private:
    [[noreturn]] void Falhar(std::string_view motivo) const {
        throw ErroVentaro(MensagemLinha(arquivo_, numero_, motivo, *linha_));
    }
    long long Inteiro(const std::vector<std::string_view>& campos, std::size_t campo) const {
        if (campo >= campos.size()) Falhar("campo " + std::to_string(campo + 1) + " ausente");
        const std::optional<long long> v = LerInteiro(campos[campo]);
        if (!v) Falhar("campo " + std::to_string(campo + 1) + " não é um número inteiro");
        return *v;
    }
    double Decimal(const std::vector<std::string_view>& campos, std::size_t campo) const {
        if (campo >= campos.size()) Falhar("campo " + std::to_string(campo + 1) + " ausente");
        const std::optional<double> v = LerDecimal(campos[campo]);
        if (!v) Falhar("campo " + std::to_string(campo + 1) + " não é um número");
        return *v;
    }
    // A calendar date from the year (two digits, since 1900, already within the accepted
    // years), month and day fields.
    static std::optional<Data> DataValida(long long ano, long long mes, long long dia) {
        if (ano < 1 || mes < 1 || mes > 12 || dia < 1) return std::nullopt;
        const int64_t calendario = 1900 + ano;
        if (dia > DiasNoMes(calendario, static_cast<int>(mes))) return std::nullopt;
        return Data{calendario, static_cast<int>(mes), static_cast<int>(dia)};
    }
    // Counts a value outside physical limits; the caller stores the missing code instead.
    void Impossivel(std::string_view campo, Grandeza grandeza, double valor) {
        impossiveis_.Registrar("linha " + std::to_string(numero_), campo, grandeza, valor);
    }
    // The year's record, made when the year first appears: a year the file comes back to
    // (lines out of order) goes on in the same record.
    std::size_t RegistroDoAno(RegistroClima& registro, int64_t ano);
    void PreencherAusente(RegistroClima& registro, const Data& d);
    void LerDia(RegistroClima& registro, std::size_t atual, const Data& data,
                const std::vector<std::string_view>& campos, bool& mes_valido);

    std::filesystem::path arquivo_;
    double latitude_;
    MarcacaoFinal marcacao_;
    // The line being read, for the messages.
    std::size_t numero_ = 0;
    const std::string* linha_ = nullptr;
    // Index in registro.Anos of each accepted year, -1 when it has no record.
    std::vector<int> indices_;
    // Months (year, month) holding a day filled with the missing codes.
    std::set<std::pair<int64_t, int>> lacunas_;
    ValoresImpossiveis impossiveis_;
};

std::size_t Leitor::RegistroDoAno(RegistroClima& registro, int64_t ano) {
    int& indice = indices_[static_cast<std::size_t>(ano - kAnoMinimo)];
    if (indice < 0) {
        indice = static_cast<int>(registro.Anos.size());
        registro.Anos.emplace_back(ano);
    }
    return static_cast<std::size_t>(indice);
}

void Leitor::PreencherAusente(RegistroClima& registro, const Data& d) {
    if (!AnoAceito(d.ano)) return;
    const int indice = indices_[static_cast<std::size_t>(d.ano - kAnoMinimo)];
    if (indice < 0) return;
    TDadosDia& dia = registro.Anos[static_cast<std::size_t>(indice)]
                         .Dias[d.mes][static_cast<std::size_t>(d.dia)];
    dia = TDadosDia{};
    dia.TMax = kAusenteTemperatura;
    dia.TMin = kAusenteTemperatura;
    dia.Rad = kAusenteRadiacao;
    dia.Umid = kAusenteUmidade;
    dia.VVento = kAusenteVento;
    dia.Prec = kAusentePrec;
    // Missing codes are not observations: the month cannot take part in the statistics.
    lacunas_.insert({d.ano, d.mes});
}

void Leitor::LerDia(RegistroClima& registro, std::size_t atual, const Data& data,
                    const std::vector<std::string_view>& campos, bool& mes_valido) {
    double tmax = Decimal(campos, 3);
    double tmin = Decimal(campos, 4);
    const double insolacao = Decimal(campos, 6);
    // Above 60 C, 100 %, 99 m/s, 999 mm or from 20 h of sunshine a value is one of the file's
    // missing codes; what is neither a code nor physically possible is counted and read as
    // missing too.
    bool impossivel = false;
    for (auto [valor, campo] : {std::pair{&tmax, "temperatura máxima (campo 4)"},
                                std::pair{&tmin, "temperatura mínima (campo 5)"}}) {
        if (!std::isfinite(*valor) || *valor < FaixaFisica(Grandeza::Temperatura).Minimo) {
            Impossivel(campo, Grandeza::Temperatura, *valor);
            *valor = kAusenteTemperatura;
            impossivel = true;
        }
    }
    double umid = 0, vento = 0, prec = 0;
    bool umid_impossivel = false, vento_impossivel = false, prec_impossivel = false;
    for (std::size_t obs = 0; obs < 3; ++obs) {
        const std::size_t base = 7 + 6 * obs;  // skipped, skipped, humidity, skipped, ...
        const double u = Decimal(campos, base + 2);
        const double v = Decimal(campos, base + 4);
        const double p = Decimal(campos, base + 5);
        const std::string numero_campo = " (campo " + std::to_string(base + 3);
        if (!std::isfinite(u) || u < 0) {
            Impossivel("umidade" + numero_campo + ")", Grandeza::Umidade, u);
            umid_impossivel = true;
        }
        if (!std::isfinite(v) || v < 0 || (v > FaixaFisica(Grandeza::Vento).Maximo && v <= 99)) {
            Impossivel("vento (campo " + std::to_string(base + 5) + ")", Grandeza::Vento, v);
            vento_impossivel = true;
        }
        if (!std::isfinite(p) || p < 0) {
            Impossivel("precipitação (campo " + std::to_string(base + 6) + ")",
                       Grandeza::Precipitacao, p);
            prec_impossivel = true;
        }
        umid += u > 100 ? 400 : u;
        vento += v > 99 ? 300 : v;
        prec += p;
    }
    if (!prec_impossivel && prec > FaixaFisica(Grandeza::Precipitacao).Maximo && prec <= 999) {
        Impossivel("precipitação do dia", Grandeza::Precipitacao, prec);
        prec_impossivel = true;
    }
    TDadosDia& dia = registro.Anos[atual].Dias[data.mes][static_cast<std::size_t>(data.dia)];
    dia = TDadosDia{};
    dia.TMax = tmax;
    dia.TMin = tmin;
    if (!std::isfinite(insolacao) || insolacao < 0) {
        Impossivel("insolação (campo 7)", Grandeza::Insolacao, insolacao);
        dia.Rad = kAusenteRadiacao;
        impossivel = true;
    } else if (insolacao >= 20) {
        dia.Rad = 999;
    } else {
        const double rad =
            RadiacaoInsolacao(insolacao, DiaDoAno(data.ano, data.mes, data.dia), latitude_);
        if (ValorFisico(Grandeza::Radiacao, rad)) {
            dia.Insolacao = insolacao;
            dia.Rad = rad;
        } else {
            Impossivel("radiação (da insolação do campo 7)", Grandeza::Radiacao, rad);
            dia.Rad = kAusenteRadiacao;
            impossivel = true;
        }
    }
    dia.Umid = umid_impossivel ? kAusenteUmidade : umid / 3 / 100;
    dia.VVento = vento_impossivel ? kAusenteVento : vento / 3;
    dia.Prec = prec_impossivel ? kAusentePrec : prec;
    impossivel = impossivel || umid_impossivel || vento_impossivel || prec_impossivel;
    if (impossivel || dia.TMax > 60 || dia.TMin > 60 || dia.Rad == 999 || dia.Umid > 1 ||
        dia.Prec > 999 || dia.VVento > 60) {
        mes_valido = false;
    }
}

RegistroClima Leitor::Ler() {
    LeitorLinhas leitor(arquivo_);
    if (!leitor.Proxima() || Branca(leitor.Linha())) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo_.string()) +
                          " não começa com uma linha de dados do INMET.");
    }
    RegistroClima registro;
    // The first line with a valid date gives the start; years before it must still read.
    std::optional<Data> esperada;
    bool mes_valido = true;
    std::optional<std::pair<int64_t, int>> mes_anterior;
    do {
        const std::string& linha = leitor.Linha();
        if (Branca(linha)) continue;
        numero_ = leitor.Numero();
        linha_ = &linha;
        const auto campos = Campos(linha);
        if (numero_ > 1 && !LerInteiro(campos[0]) && marcacao_.Adiar(numero_, linha)) continue;
        marcacao_.Dados();
        const long long ano = Inteiro(campos, 0);
        // Checked on the field before adding 1900, which could overflow.
        if (ano < kAnoMinimo - 1900 || ano > kAnoMaximo - 1900) {
            Falhar("ano " + std::string(CortarUtf8(campos[0], 20)) + " (desde 1900) fora de " +
                   std::to_string(kAnoMinimo) + " a " + std::to_string(kAnoMaximo));
        }
        const std::size_t atual = RegistroDoAno(registro, 1900 + ano);
        const std::optional<Data> data = DataValida(ano, Inteiro(campos, 1), Inteiro(campos, 2));
        if (!data) continue;
        if (!esperada) esperada = data;
        // A month's flag describes that month's lines only.
        if (mes_anterior != std::pair<int64_t, int>{data->ano, data->mes}) mes_valido = true;
        mes_anterior = {data->ano, data->mes};

        while (Antes(*esperada, *data)) {
            PreencherAusente(registro, *esperada);
            esperada = DiaSeguinte(*esperada);
        }
        // A repeated or backward date overwrites its day and leaves the expected date as is.
        if (Antes(*data, *esperada)) esperada = DiaAnterior(*esperada);

        LerDia(registro, atual, *data, campos, mes_valido);
        if (data->dia == DiasNoMes(data->ano, data->mes)) {
            registro.Anos[atual].Valido[data->mes] = mes_valido;
            mes_valido = true;
        }
        esperada = DiaSeguinte(*esperada);
    } while (leitor.Proxima());
    for (TDadosAno& ano : registro.Anos) {
        for (int mes = 1; mes <= 12; ++mes) {
            if (lacunas_.count({ano.Ano, mes})) ano.Valido[mes] = false;
        }
    }
    if (auto aviso = impossiveis_.Aviso("Arquivo " + arquivo_.string())) {
        registro.Avisos.push_back(std::move(*aviso));
    }
    return registro;
}

}  // namespace

RegistroClima LerInmetTexto(const std::filesystem::path& arquivo, double latitude) {
    return Leitor(arquivo, latitude).Ler();
}

}  // namespace ventaro
