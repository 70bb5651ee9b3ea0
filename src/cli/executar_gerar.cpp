#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/caminhos.h"
#include "cli/erro_uso.h"
#include "cli/estatisticas_csv.h"
#include "cli/executar.h"
#include "cli/progresso_terminal.h"
#include "cli/separador_decimal.h"
#include "core/erro.h"
#include "core/estatisticas_serie.h"
#include "core/totais_prec.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "output/arquivo_serie.h"
#include "output/arquivo_temporario.h"
#include "stations/configuracoes.h"
#include "stations/estacoes.h"

namespace ventaro {

namespace {

void ExigirInteiro(const std::string& opcao, const std::string& valor) {
    if (!LerCampoInteiro(valor)) {
        throw ErroUso(opcao + ": \"" + valor + "\" não é um número inteiro de 0 a 4294967295.");
    }
}

VariaveisSimuladas LerVariaveis(const std::vector<std::string>& nomes) {
    VariaveisSimuladas v;
    for (const auto& nome : nomes) {
        if (nome == "prec")
            v.SimularPrec = true;
        else if (nome == "tmax")
            v.SimularTMax = true;
        else if (nome == "tmin")
            v.SimularTMin = true;
        else if (nome == "rad")
            v.SimularRad = true;
        else if (nome == "vvento")
            v.SimularVVento = true;
        else if (nome == "umid")
            v.SimularUmid = true;
        else
            throw ErroUso("--variaveis: variável desconhecida \"" + nome + "\".");
    }
    return v;
}

}  // namespace

void ExecutarGerar(const OpcoesGerar& opcoes) {
    // The settings start from the defaults the settings panel restores (10 years from year 1,
    // with corrections) and are checked before anything is opened.
    TextoConfiguracoes texto = CarregarConfiguracoes(ConfiguracaoSerie::Padroes());
    if (opcoes.anos) texto.NumAnos = *opcoes.anos;
    if (opcoes.a_partir) texto.APartir = *opcoes.a_partir;
    ExigirInteiro("--anos", texto.NumAnos);
    ExigirInteiro("--a-partir", texto.APartir);
    texto.Correcao = !opcoes.sem_correcao;
    texto.VariabilidadeAnual = opcoes.variabilidade_anual;
    if (opcoes.variaveis) texto.Variaveis = LerVariaveis(*opcoes.variaveis);
    const char separador =
        opcoes.separador ? opcoes.separador->at(0) : SeparadorDecimalDoAmbiente();
    // The series file cannot date a year after 9999: say so before anything is opened or run.
    VerificarPeriodoArquivoSerie(*LerCampoInteiro(texto.APartir), *LerCampoInteiro(texto.NumAnos));

    BancoDados banco(opcoes.banco.empty() ? BancoPadrao() : std::filesystem::path(opcoes.banco));
    TDados dados;
    CarregarEstacaoPrec(banco, opcoes.pluviometrica, dados);
    if (opcoes.climatologica) CarregarEstacaoClima(banco, *opcoes.climatologica, dados);

    if (!opcoes.variaveis) texto.Variaveis = AjustarVariaveisSimuladas(dados);
    const Validacao validacao = ValidarConfiguracoes(texto, dados);
    if (validacao.Resultado != ResultadoValidacao::Valida) throw ErroVentaro(validacao.Mensagem);
    const ConfiguracaoSerie& config = validacao.Configuracao;

    ResultadoCalculo resultado;
    {
        std::optional<ProgressoTerminal> barra;
        if (::isatty(STDERR_FILENO)) {
            barra.emplace(stderr, config.NumAnos, LarguraDoTerminal(STDERR_FILENO));
        }
        resultado = TCalcularSerieSintetica().Calcular(dados, config, ModoCalculo::Normal,
                                                       {nullptr, barra ? &*barra : nullptr});
    }
    const TClima& clima = resultado.Clima;
    for (const auto& aviso : resultado.Avisos) {
        std::fprintf(stderr, "ventaro-cli: aviso: %s\n", aviso.c_str());
    }

    // The statistics file is written aside first and moved into place only once the series
    // file exists, so a failure leaves neither.
    std::optional<ArquivoTemporario> estatisticas;
    if (opcoes.estatisticas) {
        TDados gerado;
        CalcularEstatisticasSerie(gerado, clima, config.NumAnos, config.APartir);
        // With the year-to-year variability the file also compares the totals' variability.
        if (config.VariabilidadeAnual) {
            CalcularTotaisSerie(gerado, clima, config.NumAnos, config.APartir);
        }
        estatisticas.emplace(*opcoes.estatisticas,
                             TextoEstatisticas(dados, gerado, config.VariabilidadeAnual));
    }
    GravarSerie(opcoes.saida, dados, clima, config.NumAnos, separador);
    if (estatisticas) {
        try {
            estatisticas->Confirmar();
        } catch (const ErroVentaro&) {
            std::error_code ec;
            std::filesystem::remove(opcoes.saida, ec);
            throw;
        }
    }
}

}  // namespace ventaro
