#include "erosivity/erosividade_estacao.h"

#include <cassert>

namespace ventaro {

namespace {

constexpr std::string_view kNomesPeriodos[kNumPeriodos] = {
    "Janeiro", "Fevereiro", "Março",   "Abril",    "Maio",     "Junho", "Julho",
    "Agosto",  "Setembro",  "Outubro", "Novembro", "Dezembro", "Anual"};

void Somar(SomasErosividade& destino, const SomasErosividade& parcela) {
    for (std::size_t q = 0; q < destino.size(); ++q) destino[q] += parcela[q];
}

}  // namespace

std::string_view NomePeriodo(int periodo) {
    assert(periodo >= 1 && periodo <= kNumPeriodos);
    return kNomesPeriodos[periodo - 1];
}

ErosividadeEstacao SomarErosividade(const TDados& dados, const TClima& clima, uint32_t num_anos) {
    ErosividadeEstacao e;
    e.CodEstacao = dados.CodEstacao;
    e.Latitude = dados.Latitude;
    e.Longitude = dados.Longitude;
    e.Altitude = dados.Altitude;
    if (clima.NumDias == 0) return e;

    // A run without storms holds no energies: they are 0.
    const auto dia = [&clima](int64_t d) {
        return SomasErosividade{clima.Valor(&TClima::KE25f, d), clima.Valor(&TClima::KE25wm, d),
                                clima.Valor(&TClima::EI30f, d), clima.Valor(&TClima::EI30wm, d)};
    };
    std::array<SomasErosividade, kNumPeriodos> totais{};
    SomasErosividade mes{};
    SomasErosividade ano{};
    int m = 1;
    // The series starts on 1 January and covers whole years: the year of the month that ends
    // is the year of the day before the one that opens the next month.
    int64_t ano_calendario = clima.DataInicial.ano;
    const auto FecharMes = [&] {
        e.Meses.push_back({ano_calendario, m, mes});
        Somar(totais[static_cast<std::size_t>(m - 1)], mes);
        Somar(ano, mes);
    };
    const auto FecharAno = [&] {
        e.Anos.push_back({ano_calendario, 0, ano});
        Somar(totais[kPeriodoAnual - 1], ano);
    };
    for (int64_t d = 1; d <= clima.NumDias; ++d) {
        if (clima.MesDoDia(d) == m) {
            Somar(mes, dia(d));
            continue;
        }
        FecharMes();
        if (++m > 12) {
            FecharAno();
            ano = {};
            m = 1;
            ++ano_calendario;
        }
        mes = dia(d);
    }
    FecharMes();
    FecharAno();

    for (std::size_t j = 0; j < totais.size(); ++j) {
        for (std::size_t q = 0; q < totais[j].size(); ++q) {
            e.Medias[j][q] = totais[j][q] / static_cast<double>(num_anos);
        }
    }
    return e;
}

}  // namespace ventaro
