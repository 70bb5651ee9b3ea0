#include <ostream>

#include "cli/caminhos.h"
#include "cli/executar.h"
#include "cli/separador_decimal.h"
#include "import/importacao_regiao.h"
#include "stations/banco_dados.h"
#include "stations/gravacao_regiao.h"

namespace ventaro {

void ExecutarEstimarRegiao(const OpcoesEstimarRegiao& o, std::ostream& saida) {
    const int regiao = LerRegiao(o.regiao);
    OpcoesEstimativaRegiao opcoes;
    if (o.fator_pico) opcoes.FatorPico = LerFatorPico(*o.fator_pico);
    if (o.minimo) opcoes.Minimo = LerMinimoTempestades(*o.minimo);
    // The database is opened first, so that a wrong --db is told before the files are read;
    // it is written only once every file has been read and the laws fitted.
    BancoDados banco(o.banco.empty() ? BancoPadrao() : std::filesystem::path(o.banco),
                     BancoDados::Modo::Escrita);
    banco.VerificarTabelas({"ParamRegiao"});
    const EstimativaArquivos estimativa = EstimarRegiaoDeArquivos(o.arquivos, opcoes);
    const ResultadoGravacao resultado =
        GravarParamRegiao(banco, regiao, estimativa.Estimativa.Leis);
    saida << RelatorioEstimativa(estimativa, SeparadorDecimalDoAmbiente());
    saida << "Região " << regiao << ": 60 linhas de ParamRegiao gravadas ("
          << (resultado == ResultadoGravacao::Substituida ? "substituindo as anteriores"
                                                          : "região nova")
          << ") em " << banco.Arquivo().string() << ".\n";
}

}  // namespace ventaro
