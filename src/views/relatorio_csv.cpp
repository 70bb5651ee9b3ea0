#include "views/relatorio_csv.h"

#include <array>
#include <charconv>

#include "views/regressao_linear.h"
#include "views/valores_mensais.h"

namespace ventaro {

std::string NumeroExato(double v) {
    std::array<char, 32> texto{};
    const auto fim = std::to_chars(texto.data(), texto.data() + texto.size(), v).ptr;
    return std::string(texto.data(), fim);
}

std::string SemBrancosIniciais(const std::string& texto) {
    const auto inicio = texto.find_first_not_of(' ');
    return inicio == std::string::npos ? std::string() : texto.substr(inicio);
}

std::string TextoMensalCsv(const Resultados& resultados) {
    std::string texto = "painel,aba,mes,observado,gerado\n";
    for (const AbaMensal& aba : AbasMensais()) {
        const AbaMensalCalculada c = CalcularAbaMensal(aba, resultados, '.');
        const std::string inicio =
            AbasExternasMensais()[static_cast<std::size_t>(aba.Externa)].Legenda + ',' +
            SemBrancosIniciais(aba.Legenda) + ',';
        for (std::size_t m = 0; m < 12; ++m) {
            texto += inicio;
            texto += std::to_string(m + 1);
            texto += ',';
            if (!c.SoGerado) texto += NumeroExato(c.Pares.X[m]);
            texto += ',';
            texto += NumeroExato(c.Pares.Y[m]);
            texto += '\n';
        }
    }
    return texto;
}

std::string TextoRegressaoCsv(const Resultados& resultados) {
    std::string texto = "painel,aba,inclinacao,r2,erro_padrao\n";
    for (const AbaRegressao& aba : AbasRegressao()) {
        const AbaRegressaoCalculada c = CalcularAbaRegressao(aba, resultados, '.');
        texto += AbasExternasRegressao()[static_cast<std::size_t>(aba.Externa)].Legenda;
        texto += ',';
        texto += SemBrancosIniciais(aba.Legenda);
        texto += ',';
        texto += NumeroExato(c.Regressao.Inclinacao());
        texto += ',';
        texto += NumeroExato(c.Regressao.R2());
        texto += ',';
        texto += NumeroExato(c.Regressao.ErroPadrao());
        texto += '\n';
    }
    return texto;
}

}  // namespace ventaro
