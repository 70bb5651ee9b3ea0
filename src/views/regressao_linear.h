#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/tregressao.h"
#include "views/abas.h"
#include "views/grade_mensal.h"
#include "views/pares_mensais.h"

namespace ventaro {

// One of the 36 inner tabs of the regression view.
struct AbaRegressao {
    int Externa = 0;      // index of its outer tab
    std::string Nome;     // component name, "tsRegressaoMedia", "tsXTMax"
    std::string Legenda;  // tab caption
    std::string Titulo;   // chart title
    std::string Unidade;  // appended to the standard error ("" for none)
    std::string Sufixo;   // of the label names: "lblRegressaoEquacao" + Sufixo, "lblEquacao" + ...
    DefinicaoPar Par;
    double PassoX = 0;  // smallest label step of each axis (0: automatic, integer labels)
    double PassoY = 0;

    // Names of the three labels: equation, r² and standard error.
    std::string NomeEquacao() const;
    std::string NomeR() const;
    std::string NomeEpe() const;
};

const std::vector<AbaExterna>& AbasExternasRegressao();
const std::vector<AbaRegressao>& AbasRegressao();

// A tab filled: the pairs, the fitted line through the origin, the three label texts, the two
// ends of the drawn line and the grid.
struct AbaRegressaoCalculada {
    ParesMensais Pares;
    TRegressao Regressao;
    std::string Equacao;     // "Y = 1,023 X"
    std::string R2;          // "r² = 0,987"
    std::string ErroPadrao;  // "Erro padrão da estimativa = 0,41 mm"
    std::array<double, 2> LinhaX{};
    std::array<double, 2> LinhaY{};
    GradeMensal Grade;
};
AbaRegressaoCalculada CalcularAbaRegressao(const AbaRegressao& aba, const Resultados& resultados,
                                           char separador);

}  // namespace ventaro
