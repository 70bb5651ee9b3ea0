#pragma once

#include <cstdint>
#include <vector>

namespace ventaro {

// Proleptic Gregorian calendar from year 1, computed by hand so that no platform date library
// decides which days a series has.
struct Data {
    int64_t ano = 1;
    int mes = 1;
    int dia = 1;
    bool operator==(const Data&) const = default;
};

bool EhBissexto(int64_t ano);
int DiasNoMes(int64_t ano, int mes);
int DiasNoAno(int64_t ano);

// Days from 1 January of `a_partir` to the same date `num_anos` years later.
int64_t DiasNoPeriodo(int64_t a_partir, int64_t num_anos);

// Calendar month (1-12) of every day of the period; index 0 is the sentinel day before the
// series and holds 0.
std::vector<uint8_t> MesesDoPeriodo(int64_t a_partir, int64_t num_anos);

// Date of day `dia` (1-based) of a series that starts on 1 January of `a_partir`.
Data DataDoDia(int64_t a_partir, int64_t dia);

// Years done shown while a run progresses: the calendar year of the date `dia` days after
// 30 December 1899, minus 1899 (0 for day 1, 1 for days 2 to 366, ...).
int64_t AnosCalculados(int64_t dia);

}  // namespace ventaro
