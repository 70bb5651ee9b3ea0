#pragma once

#include <cstdint>
#include <string>

#include "core/tclima.h"

namespace ventaro {

// A table of text cells worked out on demand, so that a table of a long series costs nothing
// until a row is looked at. Rows count from 0 and do not include the header.
class TabelaTexto {
  public:
    virtual ~TabelaTexto() = default;
    virtual int64_t NumLinhas() const = 0;
    virtual int NumColunas() const = 0;
    virtual std::string Cabecalho(int coluna) const = 0;
    // Width of the column in pixels.
    virtual int Largura(int coluna) const = 0;
    virtual std::string Celula(int64_t linha, int coluna) const = 0;
};

// The storm table: date, depth, duration, time to peak and peak intensity of every day (row d - 1
// is day d). Without simulated storms it has one row: an empty date and four "0".
class TabelaTempestades : public TabelaTexto {
  public:
    TabelaTempestades(const TClima& clima, bool simular_prec, char separador)
        : clima_(clima),
          num_dias_(clima.NumDias),
          simular_prec_(simular_prec),
          separador_(separador) {}

    int64_t NumLinhas() const override;
    int NumColunas() const override { return 5; }
    std::string Cabecalho(int coluna) const override;
    int Largura(int coluna) const override;
    std::string Celula(int64_t linha, int coluna) const override;
    // The day a row shows; none (0) when storms were not simulated.
    int64_t DiaDaLinha(int64_t linha) const { return simular_prec_ ? linha + 1 : 0; }

  private:
    const TClima& clima_;
    // The row count as the table was made; a cell beyond the series (replaced since) is empty.
    int64_t num_dias_;
    bool simular_prec_;
    char separador_;
};

// The series table: every variable of every day, the date as dd/mm/yy, humidity in per cent.
// The four storm columns read "0" when storms were not simulated; the climate columns always
// show what the series holds.
class TabelaSerie : public TabelaTexto {
  public:
    TabelaSerie(const TClima& clima, bool simular_prec, char separador)
        : clima_(clima),
          num_dias_(clima.NumDias),
          simular_prec_(simular_prec),
          separador_(separador) {}

    int64_t NumLinhas() const override { return num_dias_; }
    int NumColunas() const override { return 10; }
    std::string Cabecalho(int coluna) const override;
    int Largura(int coluna) const override;
    std::string Celula(int64_t linha, int coluna) const override;

  private:
    const TClima& clima_;
    // The row count as the table was made; a cell beyond the series (replaced since) is empty.
    int64_t num_dias_;
    bool simular_prec_;
    char separador_;
};

}  // namespace ventaro
