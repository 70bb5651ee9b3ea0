#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/caminhos.h"
#include "cli/erro_uso.h"
#include "cli/estatisticas_csv.h"
#include "cli/executar.h"
#include "cli/interrupcao.h"
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

std::filesystem::path ArquivoBanco(const OpcoesGerar& o) {
    return o.banco.empty() ? BancoPadrao() : std::filesystem::path(o.banco);
}

// No output may overwrite the station database or the other output: refused before anything
// is opened or written.
void ExigirSaidasDistintas(const OpcoesGerar& o, const std::filesystem::path& banco) {
    const auto Recusar = [](const char* opcao, const std::string& arquivo, const char* o_que) {
        throw ErroUso(std::string(opcao) + ": \"" + arquivo + "\" é " + o_que +
                      "; escolha outro arquivo.");
    };
    if (MesmoArquivo(o.saida, banco)) Recusar("--saida", o.saida, "o banco de dados de estações");
    if (o.estatisticas) {
        if (MesmoArquivo(*o.estatisticas, banco)) {
            Recusar("--estatisticas", *o.estatisticas, "o banco de dados de estações");
        }
        if (MesmoArquivo(*o.estatisticas, o.saida)) {
            Recusar("--estatisticas", *o.estatisticas, "o mesmo arquivo de --saida");
        }
    }
}

}  // namespace

EntradaGeracao PrepararGeracao(const OpcoesGerar& opcoes) {
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

    BancoDados banco(ArquivoBanco(opcoes));
    EntradaGeracao entrada;
    TDados& dados = entrada.Dados;
    CarregarEstacaoPrec(banco, opcoes.pluviometrica, dados);
    if (opcoes.climatologica) CarregarEstacaoClima(banco, *opcoes.climatologica, dados);

    if (!opcoes.variaveis) texto.Variaveis = AjustarVariaveisSimuladas(dados);
    const Validacao validacao = ValidarConfiguracoes(texto, dados);
    if (validacao.Resultado != ResultadoValidacao::Valida) throw ErroVentaro(validacao.Mensagem);
    entrada.Configuracao = validacao.Configuracao;
    return entrada;
}

void ExecutarGerar(const OpcoesGerar& opcoes, const InterrupcaoPorSinal* interrupcao) {
    ExigirSaidasDistintas(opcoes, ArquivoBanco(opcoes));
    const auto Verificar = [interrupcao] {
        if (interrupcao != nullptr) interrupcao->Verificar();
    };
    const char separador =
        opcoes.separador ? opcoes.separador->at(0) : SeparadorDecimalDoAmbiente();
    {
        // The series file cannot date a year after 9999: said before anything is opened or run
        // (years that are not numbers are PrepararGeracao's to refuse).
        const ConfiguracaoSerie padrao = ConfiguracaoSerie::Padroes();
        const auto a_partir = opcoes.a_partir ? LerCampoInteiro(*opcoes.a_partir) : padrao.APartir;
        const auto anos = opcoes.anos ? LerCampoInteiro(*opcoes.anos) : padrao.NumAnos;
        if (a_partir && anos) VerificarPeriodoArquivoSerie(*a_partir, *anos);
    }
    const EntradaGeracao entrada = PrepararGeracao(opcoes);
    const TDados& dados = entrada.Dados;
    const ConfiguracaoSerie& config = entrada.Configuracao;

    ResultadoCalculo resultado;
    {
        std::optional<ProgressoTerminal> barra;
        if (::isatty(STDERR_FILENO)) {
            barra.emplace(stderr, config.NumAnos, LarguraDoTerminal(STDERR_FILENO));
        }
        resultado = TCalcularSerieSintetica().Calcular(
            dados, config, ModoCalculo::Normal,
            {interrupcao != nullptr ? &interrupcao->Sinal() : nullptr, barra ? &*barra : nullptr});
    }
    Verificar();
    const TClima& clima = resultado.Clima;
    for (const auto& aviso : resultado.Avisos) {
        std::fprintf(stderr, "ventaro-cli: aviso: %s\n", aviso.c_str());
    }

    // Both files are written aside first and moved into place only at the end, the statistics
    // once the series file exists, so a failure or an interruption leaves neither.
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
    ArquivoTemporario serie(opcoes.saida);
    EscreverSerie(serie, dados, clima, config.NumAnos, separador);
    Verificar();
    serie.Confirmar();
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
