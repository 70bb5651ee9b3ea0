#include "views/grade_mensal.h"

#include "views/formato.h"

namespace ventaro {

namespace {

constexpr const char* kMeses[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                  "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

double Mes(const std::array<double, 12>& v, int coluna) {
    return v[static_cast<std::size_t>(coluna - 1)];
}

}  // namespace

GradeMensal::GradeMensal() {
    for (int coluna = 1; coluna < kColunas; ++coluna) {
        DefinirCelula(0, coluna, kMeses[coluna - 1]);
        for (int linha = 1; linha < kLinhas; ++linha) DefinirCelula(linha, coluna, " ");
    }
    DefinirCelula(1, 0, "Observado");
    DefinirCelula(2, 0, "VENTARO");
    DefinirCelula(3, 0, "Variação (%)");
}

void PreencherComparacao(GradeMensal& grade, const std::array<double, 12>& x,
                         const std::array<double, 12>& y, char separador) {
    for (int coluna = 1; coluna < GradeMensal::kColunas; ++coluna) {
        const double xm = Mes(x, coluna);
        const double ym = Mes(y, coluna);
        grade.DefinirCelula(1, coluna, FormatarFixo(xm, 2, separador));
        grade.DefinirCelula(2, coluna, FormatarFixo(ym, 2, separador));
        grade.DefinirCelula(3, coluna,
                            FormatarFixo(xm != 0 ? (ym - xm) / xm * 100 : 100.0, 2, separador));
    }
}

void PreencherSoGerado(GradeMensal& grade, const std::array<double, 12>& y, char separador) {
    for (int coluna = 1; coluna < GradeMensal::kColunas; ++coluna) {
        grade.DefinirCelula(1, coluna, "     - ");
        grade.DefinirCelula(2, coluna, FormatarFixo(Mes(y, coluna), 3, separador));
        grade.DefinirCelula(3, coluna, "     - ");
    }
}

void PreencherTabela(GradeMensal& grade, const std::array<double, 12>& x,
                     const std::array<double, 12>& y, char separador) {
    for (int coluna = 1; coluna < GradeMensal::kColunas; ++coluna) {
        const double xm = Mes(x, coluna);
        const double ym = Mes(y, coluna);
        std::string texto_x = FormatarFixo(xm, 2, separador);
        std::string texto_y = FormatarFixo(ym, 2, separador);
        std::string variacao;
        if (texto_x == texto_y) {
            variacao = std::string("0") + separador + "00";
        } else {
            variacao = FormatarFixo(xm != 0 ? (ym - xm) / xm * 100 : 100.0, 2, separador);
        }
        grade.DefinirCelula(1, coluna, std::move(texto_x));
        grade.DefinirCelula(2, coluna, std::move(texto_y));
        grade.DefinirCelula(3, coluna, std::move(variacao));
    }
}

std::string TextoCopia(const GradeMensal& grade, int linha_ini, int linha_fim, int coluna_ini,
                       int coluna_fim) {
    std::string texto;
    for (int linha = linha_ini; linha <= linha_fim; ++linha) {
        for (int coluna = coluna_ini; coluna < coluna_fim; ++coluna) {
            texto += grade.Celula(linha, coluna);
            texto += '\t';
        }
        texto += grade.Celula(linha, coluna_fim);
        texto += "\r\n";
    }
    return texto;
}

}  // namespace ventaro
