#pragma once

#include <cstdint>

#include "core/calendario.h"

namespace ventaro {

// The dates of a store's days, walked one by one from its first day, with the day of the year
// (1-366) the files of other models number them by.
class PercursoDias {
  public:
    explicit PercursoDias(const Data& inicio) : data_(inicio) {
        for (int mes = 1; mes < inicio.mes; ++mes) dia_do_ano_ += DiasNoMes(inicio.ano, mes);
        dia_do_ano_ += inicio.dia;
        dias_no_mes_ = DiasNoMes(data_.ano, data_.mes);
    }

    const Data& Atual() const { return data_; }
    int DiaDoAno() const { return dia_do_ano_; }

    void Avancar() {
        ++dia_do_ano_;
        if (++data_.dia <= dias_no_mes_) return;
        data_.dia = 1;
        if (++data_.mes > 12) {
            data_.mes = 1;
            ++data_.ano;
            dia_do_ano_ = 1;
        }
        dias_no_mes_ = DiasNoMes(data_.ano, data_.mes);
    }

  private:
    Data data_;
    int dia_do_ano_ = 0;
    int dias_no_mes_ = 0;
};

// The calendar years a store covers: from its first day's year to its last day's.
inline int64_t AnosDaSerie(int64_t primeiro_ano, int64_t num_dias) {
    return num_dias > 0 ? DataDoDia(primeiro_ano, num_dias).ano - primeiro_ano + 1 : 0;
}

}  // namespace ventaro
