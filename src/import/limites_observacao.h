#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ventaro {

// Calendar years a daily record may hold. A date outside them is a read error: no station has
// observed before 1800, and the bound keeps a mistyped year from making a reader walk or hold
// every day up to it.
inline constexpr int64_t kAnoMinimo = 1800;
inline constexpr int64_t kAnoMaximo = 2100;
inline constexpr bool AnoAceito(long long ano) {
    return ano >= kAnoMinimo && ano <= kAnoMaximo;
}
// "ano fora de 1800 a 2100", the reason given for such a line.
std::string MotivoAnoFora(long long ano);

// The quantities a station measures, each with what it can physically be.
enum class Grandeza {
    Precipitacao,  // mm/day, 0 to 500
    Temperatura,   // C, -30 to 60
    Umidade,       // per cent, 0 to 100
    Vento,         // m/s, 0 to 75
    Radiacao,      // MJ/m2/day, 0 to 45
    Insolacao,     // hours, 0 to 24
};

struct Faixa {
    double Minimo;
    double Maximo;
};
Faixa FaixaFisica(Grandeza grandeza);

// Whether a value is a number within what the quantity can be (NaN and infinities are not).
bool ValorFisico(Grandeza grandeza, double valor);

// The values of one source that were outside what a station can measure and were read as
// missing. Only their count and the first few places are kept, to be shown once per file.
class ValoresImpossiveis {
  public:
    static constexpr std::size_t kPrimeiros = 5;

    // A value found at `onde` ("linha 12", "03/1985 dia 4") in the field `campo`.
    void Registrar(std::string_view onde, std::string_view campo, Grandeza grandeza, double valor);

    std::size_t Quantidade() const { return quantidade_; }
    // "linha 12: precipitação 1e+26 mm", for the first kPrimeiros values.
    const std::vector<std::string>& Primeiros() const { return primeiros_; }

    // The warning of a source named `origem` ("Arquivo dados.csv"), or nullopt when every value
    // was possible.
    std::optional<std::string> Aviso(std::string_view origem) const;

  private:
    std::size_t quantidade_ = 0;
    std::vector<std::string> primeiros_;
};

}  // namespace ventaro
