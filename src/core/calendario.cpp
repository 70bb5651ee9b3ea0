#include "core/calendario.h"

#include <cassert>

namespace ventaro {

bool EhBissexto(int64_t ano) {
    return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
}

int DiasNoMes(int64_t ano, int mes) {
    static constexpr int kDias[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    assert(mes >= 1 && mes <= 12);
    if (mes == 2 && EhBissexto(ano)) return 29;
    return kDias[mes - 1];
}

int DiasNoAno(int64_t ano) {
    return EhBissexto(ano) ? 366 : 365;
}

int64_t DiasNoPeriodo(int64_t a_partir, int64_t num_anos) {
    // No years, no days: a negative count must not size a store below its sentinel day.
    if (num_anos <= 0) return 0;
    // Whole 400-year cycles have 146097 days; only the remainder is walked.
    int64_t dias = (num_anos / 400) * 146097;
    for (int64_t ano = a_partir + (num_anos / 400) * 400; ano < a_partir + num_anos; ++ano) {
        dias += DiasNoAno(ano);
    }
    return dias;
}

std::vector<uint8_t> MesesDoPeriodo(int64_t a_partir, int64_t num_anos) {
    std::vector<uint8_t> meses;
    meses.reserve(static_cast<std::size_t>(DiasNoPeriodo(a_partir, num_anos) + 1));
    meses.push_back(0);
    for (int64_t ano = a_partir; ano < a_partir + num_anos; ++ano) {
        for (int mes = 1; mes <= 12; ++mes) {
            meses.insert(meses.end(), static_cast<std::size_t>(DiasNoMes(ano, mes)),
                         static_cast<uint8_t>(mes));
        }
    }
    return meses;
}

Data DataDoDia(int64_t a_partir, int64_t dia) {
    assert(dia >= 1);
    int64_t ano = a_partir;
    int64_t resto = dia - 1;
    ano += (resto / 146097) * 400;
    resto %= 146097;
    while (resto >= DiasNoAno(ano)) {
        resto -= DiasNoAno(ano);
        ++ano;
    }
    int mes = 1;
    while (resto >= DiasNoMes(ano, mes)) {
        resto -= DiasNoMes(ano, mes);
        ++mes;
    }
    return Data{ano, mes, static_cast<int>(resto) + 1};
}

int64_t AnosCalculados(int64_t dia) {
    if (dia < 1) return 0;
    // Day 1 after 30 December 1899 is 31 December 1899.
    if (dia == 1) return 0;
    return DataDoDia(1900, dia - 1).ano - 1899;
}

}  // namespace ventaro
