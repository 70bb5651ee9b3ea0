#include "import/leitor_inmet_texto.h"

#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/calendario.h"
#include "core/erro.h"
#include "import/formato_arquivo.h"
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

class Leitor {
  public:
    Leitor(const std::filesystem::path& arquivo, double latitude)
        : arquivo_(arquivo), latitude_(latitude), linhas_(LerLinhasTexto(arquivo)) {}

    RegistroClima Ler();

  private:
    [[noreturn]] void Falhar(std::size_t i, std::string_view motivo) const {
        throw ErroVentaro(MensagemLinha(arquivo_, i + 1, motivo, linhas_[i]));
    }
    long long Inteiro(std::size_t i, const std::vector<std::string_view>& campos,
                      std::size_t campo) const {
        if (campo >= campos.size()) Falhar(i, "campo " + std::to_string(campo + 1) + " ausente");
        const std::optional<long long> v = LerInteiro(campos[campo]);
        if (!v) Falhar(i, "campo " + std::to_string(campo + 1) + " não é um número inteiro");
        return *v;
    }
    double Decimal(std::size_t i, const std::vector<std::string_view>& campos,
                   std::size_t campo) const {
        if (campo >= campos.size()) Falhar(i, "campo " + std::to_string(campo + 1) + " ausente");
        const std::optional<double> v = LerDecimal(campos[campo]);
        if (!v) Falhar(i, "campo " + std::to_string(campo + 1) + " não é um número");
        return *v;
    }
    // A calendar date from the year (two digits, since 1900), month and day fields.
    static std::optional<Data> DataValida(long long ano, long long mes, long long dia) {
        if (ano < 1 || mes < 1 || mes > 12 || dia < 1) return std::nullopt;
        const int64_t calendario = 1900 + ano;
        if (dia > DiasNoMes(calendario, static_cast<int>(mes))) return std::nullopt;
        return Data{calendario, static_cast<int>(mes), static_cast<int>(dia)};
    }
    void PreencherAusente(RegistroClima& registro, const Data& d);

    std::filesystem::path arquivo_;
    double latitude_;
    std::vector<std::string> linhas_;
    // Months (year, month) holding a day filled with the missing codes.
    std::set<std::pair<int64_t, int>> lacunas_;
};

void Leitor::PreencherAusente(RegistroClima& registro, const Data& d) {
    TDadosAno* ano = registro.Ano(d.ano);
    if (!ano) return;
    TDadosDia& dia = ano->Dias[d.mes][static_cast<std::size_t>(d.dia)];
    dia = TDadosDia{};
    dia.TMax = 999.9;
    dia.TMin = 999.9;
    dia.Rad = 99.9;
    dia.Umid = 999;
    dia.VVento = 99.9;
    dia.Prec = 999.9;
    // Missing codes are not observations: the month cannot take part in the statistics.
    lacunas_.insert({d.ano, d.mes});
}

RegistroClima Leitor::Ler() {
    if (linhas_.empty() || Branca(linhas_[0])) {
        throw ErroVentaro("O arquivo " + arquivo_.string() +
                          " não começa com uma linha de dados do INMET.");
    }
    // The first line with a valid date gives the start; years before it must still read.
    std::optional<Data> esperada;
    for (std::size_t i = 0; i < linhas_.size() && !esperada; ++i) {
        if (Branca(linhas_[i])) continue;
        const auto campos = Campos(linhas_[i]);
        const long long ano = Inteiro(i, campos, 0);
        if (campos.size() < 3) continue;
        const auto mes = LerInteiro(campos[1]);
        const auto dia = LerInteiro(campos[2]);
        if (mes && dia) esperada = DataValida(ano, *mes, *dia);
    }
    RegistroClima registro;
    if (!esperada) return registro;

    bool mes_valido = true;
    std::optional<long long> ano_anterior;
    std::optional<std::pair<int64_t, int>> mes_anterior;
    TDadosAno* atual = nullptr;
    for (std::size_t i = 0; i < linhas_.size(); ++i) {
        if (Branca(linhas_[i])) continue;
        const auto campos = Campos(linhas_[i]);
        const long long ano = Inteiro(i, campos, 0);
        if (!ano_anterior || ano != *ano_anterior || !atual) {
            registro.Anos.emplace_back(1900 + ano);
            atual = &registro.Anos.back();
        }
        ano_anterior = ano;
        const std::optional<Data> data =
            DataValida(ano, Inteiro(i, campos, 1), Inteiro(i, campos, 2));
        if (!data) continue;
        // A month's flag describes that month's lines only.
        if (mes_anterior != std::pair<int64_t, int>{data->ano, data->mes}) mes_valido = true;
        mes_anterior = {data->ano, data->mes};

        while (Antes(*esperada, *data)) {
            PreencherAusente(registro, *esperada);
            esperada = DiaSeguinte(*esperada);
        }
        // A repeated or backward date overwrites its day and leaves the expected date as is.
        if (Antes(*data, *esperada)) esperada = DiaAnterior(*esperada);

        const double tmax = Decimal(i, campos, 3);
        const double tmin = Decimal(i, campos, 4);
        const double insolacao = Decimal(i, campos, 6);
        double umid = 0, vento = 0, prec = 0;
        for (std::size_t obs = 0; obs < 3; ++obs) {
            const std::size_t base = 7 + 6 * obs;  // skipped, skipped, humidity, skipped, ...
            const double u = Decimal(i, campos, base + 2);
            const double v = Decimal(i, campos, base + 4);
            const double p = Decimal(i, campos, base + 5);
            umid += u > 100 ? 400 : u;
            vento += v > 99 ? 300 : v;
            prec += p;
        }
        TDadosDia& dia = atual->Dias[data->mes][static_cast<std::size_t>(data->dia)];
        dia = TDadosDia{};
        dia.TMax = tmax;
        dia.TMin = tmin;
        if (insolacao >= 20) {
            dia.Rad = 999;
        } else {
            dia.Insolacao = insolacao;
            dia.Rad =
                RadiacaoInsolacao(insolacao, DiaDoAno(data->ano, data->mes, data->dia), latitude_);
        }
        dia.Umid = umid / 3 / 100;
        dia.VVento = vento / 3;
        dia.Prec = prec;
        if (dia.TMax > 60 || dia.TMin > 60 || dia.Rad == 999 || dia.Umid > 1 || dia.Prec > 999 ||
            dia.VVento > 60) {
            mes_valido = false;
        }
        if (data->dia == DiasNoMes(data->ano, data->mes)) {
            atual->Valido[data->mes] = mes_valido;
            mes_valido = true;
        }
        esperada = DiaSeguinte(*esperada);
    }
    for (TDadosAno& ano : registro.Anos) {
        for (int mes = 1; mes <= 12; ++mes) {
            if (lacunas_.count({ano.Ano, mes})) ano.Valido[mes] = false;
        }
    }
    return registro;
}

}  // namespace

RegistroClima LerInmetTexto(const std::filesystem::path& arquivo, double latitude) {
    return Leitor(arquivo, latitude).Ler();
}

}  // namespace ventaro
