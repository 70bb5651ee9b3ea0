#include "views/tabelas_serie.h"

#include <array>

#include "views/formato.h"

namespace ventaro {

namespace {

struct Coluna {
    const char* Cabecalho;
    int Largura;
    std::vector<double> TClima::*Variavel;
    int Casas;
};

const std::array<Coluna, 5> kTempestades = {{
    {"Data", 142, nullptr, 0},
    {"Precipitação (mm)", 130, &TClima::Prec, 1},
    {"Duração (h)", 107, &TClima::Dur, 2},
    {"ti*", 92, &TClima::Ti, 3},
    {"ii(mm/h)", 93, &TClima::Ii, 1},
}};

const std::array<Coluna, 10> kSerie = {{
    {"Data", 50, nullptr, 0},
    {"Precipitação(mm)", 86, &TClima::Prec, 1},
    {"Duração(h)", 58, &TClima::Dur, 2},
    {"ti*", 41, &TClima::Ti, 3},
    {"ii(mm/h)", 41, &TClima::Ii, 1},
    {"TMax(°C)", 48, &TClima::TMax, 1},
    {"TMin(°C)", 45, &TClima::TMin, 1},
    {"Rad(MJ/m2/dia)", 83, &TClima::Rad, 1},
    {"VVento(m/s)", 65, &TClima::VVento, 2},
    {"Umid(%)", 45, &TClima::Umid, 1},
}};

template <std::size_t N>
const Coluna& Col(const std::array<Coluna, N>& colunas, int coluna) {
    return colunas[static_cast<std::size_t>(coluna)];
}

double Valor(const TClima& clima, const Coluna& c, int64_t dia) {
    return clima.Valor(c.Variavel, dia);
}

}  // namespace

int64_t TabelaTempestades::NumLinhas() const {
    return simular_prec_ ? num_dias_ : 1;
}

std::string TabelaTempestades::Cabecalho(int coluna) const {
    return Col(kTempestades, coluna).Cabecalho;
}

int TabelaTempestades::Largura(int coluna) const {
    return Col(kTempestades, coluna).Largura;
}

std::string TabelaTempestades::Celula(int64_t linha, int coluna) const {
    if (!simular_prec_) return coluna == 0 ? std::string() : std::string("0");
    const int64_t dia = linha + 1;
    if (dia < 1 || dia > clima_.NumDias) return {};
    if (coluna == 0) return DataCurta(DataDaSerie(clima_, dia));
    const Coluna& c = Col(kTempestades, coluna);
    return FormatarFixo(Valor(clima_, c, dia), c.Casas, separador_);
}

std::string TabelaSerie::Cabecalho(int coluna) const {
    return Col(kSerie, coluna).Cabecalho;
}

int TabelaSerie::Largura(int coluna) const {
    return Col(kSerie, coluna).Largura;
}

std::string TabelaSerie::Celula(int64_t linha, int coluna) const {
    const int64_t dia = linha + 1;
    if (dia < 1 || dia > clima_.NumDias) return {};
    if (coluna == 0) return DataAnoCurto(DataDaSerie(clima_, dia));
    if (coluna <= 4 && !simular_prec_) return "0";
    const Coluna& c = Col(kSerie, coluna);
    double v = Valor(clima_, c, dia);
    if (c.Variavel == &TClima::Umid) v = v * 100.0;
    return FormatarFixo(v, c.Casas, separador_);
}

}  // namespace ventaro
