#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

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
#include "output/formato_saida.h"
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

// Members of one ensemble: each waits, written, until all are, so there is a bound.
constexpr uint32_t kMaxRealizacoes = 10000;

FormatoSaida Formato(const OpcoesGerar& o) {
    if (!o.formato) return FormatoSaida::Serie;
    const auto formato = LerFormatoSaida(*o.formato);
    if (!formato) {
        throw ErroUso("--formato: formato desconhecido \"" + *o.formato + "\"; use " +
                      NomesFormatosSaida() + ".");
    }
    return *formato;
}

uint32_t Realizacoes(const OpcoesGerar& o) {
    if (!o.realizacoes) return 1;
    const auto r = LerCampoInteiro(*o.realizacoes);
    if (!r || *r < 1 || *r > kMaxRealizacoes) {
        throw ErroUso("--realizacoes: \"" + *o.realizacoes + "\" não é um número inteiro de 1 a " +
                      std::to_string(kMaxRealizacoes) + ".");
    }
    return *r;
}

// A station code as the command line gives it, for the names of the files it will have; 0 when
// it is not a number (such a station is not found anyway).
int32_t CodigoDaOpcao(const std::string& texto) {
    const auto codigo = LerCampoInteiro(texto);
    return codigo && *codigo <= INT32_MAX ? static_cast<int32_t>(*codigo) : 0;
}

// No output may overwrite the station database, the scenario it reads or another output (of
// any member of the ensemble): refused before anything is opened or written.
void ExigirSaidasDistintas(const OpcoesGerar& o, const std::filesystem::path& banco,
                           FormatoSaida formato, uint32_t realizacoes) {
    struct Saida {
        const char* opcao;
        std::filesystem::path caminho;
    };
    const auto Recusar = [](const Saida& s, const std::string& o_que) {
        throw ErroUso(std::string(s.opcao) + ": \"" + s.caminho.string() + "\" é " + o_que +
                      "; escolha outro arquivo.");
    };
    std::vector<Saida> saidas;
    for (uint32_t k = 1; k <= realizacoes; ++k) {
        const auto destino = CaminhoRealizacao(o.saida, k, realizacoes);
        std::error_code ec;
        if (formato == FormatoSaida::Swat && std::filesystem::exists(destino, ec) &&
            !std::filesystem::is_directory(destino, ec)) {
            Recusar({"--saida", destino}, "um arquivo, e o formato swat grava uma pasta");
        }
        for (auto& arquivo :
             ArquivosDaSaida(formato, destino, CodigoDaOpcao(o.pluviometrica),
                             o.climatologica ? CodigoDaOpcao(*o.climatologica) : 0)) {
            saidas.push_back({"--saida", std::move(arquivo)});
        }
        if (o.estatisticas) {
            saidas.push_back(
                {"--estatisticas", CaminhoRealizacao(*o.estatisticas, k, realizacoes)});
        }
    }
    std::map<std::filesystem::path, const Saida*> vistas;
    for (const Saida& s : saidas) {
        if (MesmoArquivo(s.caminho, banco)) Recusar(s, "o banco de dados de estações");
        if (o.cenario && MesmoArquivo(s.caminho, *o.cenario)) {
            Recusar(s, "o arquivo de cenário de --cenario");
        }
        std::error_code ec;
        const auto chave =
            std::filesystem::weakly_canonical(std::filesystem::absolute(s.caminho, ec), ec);
        const auto [outra, nova] = vistas.emplace(chave, &s);
        if (!nova) Recusar(s, std::string("também uma saída de ") + outra->second->opcao);
    }
}

// One member of the ensemble, run and written to closed temporaries.
struct Realizacao {
    std::vector<std::string> avisos;
    SaidaPendente saida;
    std::optional<ArquivoTemporario> estatisticas;
    std::exception_ptr erro;
};

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
    if (opcoes.semente) {
        ExigirInteiro("--semente", *opcoes.semente);
        texto.Semente = *opcoes.semente;
    }
    if (opcoes.cenario) texto.ArquivoCenario = *opcoes.cenario;

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
    const FormatoSaida formato = Formato(opcoes);
    const uint32_t realizacoes = Realizacoes(opcoes);
    if (opcoes.semente) ExigirInteiro("--semente", *opcoes.semente);
    const auto Verificar = [interrupcao] {
        if (interrupcao != nullptr) interrupcao->Verificar();
    };
    const char separador =
        opcoes.separador ? opcoes.separador->at(0) : SeparadorDecimalDoAmbiente();
    if (formato == FormatoSaida::Serie) {
        // The series file cannot date a year after 9999: said before anything is opened or run
        // (years that are not numbers are PrepararGeracao's to refuse).
        const ConfiguracaoSerie padrao = ConfiguracaoSerie::Padroes();
        const auto a_partir = opcoes.a_partir ? LerCampoInteiro(*opcoes.a_partir) : padrao.APartir;
        const auto anos = opcoes.anos ? LerCampoInteiro(*opcoes.anos) : padrao.NumAnos;
        if (a_partir && anos) VerificarPeriodoArquivoSerie(*a_partir, *anos);
    }
    ExigirSaidasDistintas(opcoes, ArquivoBanco(opcoes), formato, realizacoes);
    const EntradaGeracao entrada = PrepararGeracao(opcoes);
    const TDados& observado = entrada.Dados;
    const ConfiguracaoSerie& config = entrada.Configuracao;
    VerificarFormatoSaida(formato, config);
    // The runs see the stations under the scenario; the statistics compare with the record.
    TDados dados = observado;
    if (config.Cenario) AplicarCenario(*config.Cenario, dados);

    std::vector<Realizacao> feitas(realizacoes);
    const SinalCancelamento* sinal = interrupcao != nullptr ? &interrupcao->Sinal() : nullptr;
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    // Each member's files depend on its seed alone: members run on every core in any order,
    // each on one thread when there are several, and are written as a run of its own would be.
    const uint32_t tarefas =
        std::min(realizacoes, std::max(1u, std::thread::hardware_concurrency()));
    const TCalcularSerieSintetica gerador(tarefas > 1 ? NucleosCalculo::Um : NucleosCalculo::Dois);
    std::atomic<uint32_t> proxima{0};
    std::atomic<uint32_t> concluidas{0};
    std::atomic<bool> falhou{false};
    std::mutex mensagens;
    const auto Trabalhar = [&] {
        for (uint32_t k = proxima++; k < realizacoes && !falhou; k = proxima++) {
            Realizacao& r = feitas[k];
            try {
                ConfiguracaoSerie config_k = config;
                config_k.Semente = config.Semente + k;  // modulo 2^32
                std::optional<ProgressoTerminal> barra;
                if (terminal && realizacoes == 1) {
                    barra.emplace(stderr, config.NumAnos, LarguraDoTerminal(STDERR_FILENO));
                }
                ResultadoCalculo resultado = gerador.Calcular(dados, config_k, ModoCalculo::Normal,
                                                              {sinal, barra ? &*barra : nullptr});
                barra.reset();
                if (resultado.Cancelado) return;
                const TClima& clima = resultado.Clima;
                r.avisos = std::move(resultado.Avisos);
                r.saida =
                    PrepararSaida(formato, CaminhoRealizacao(opcoes.saida, k + 1, realizacoes),
                                  dados, clima, config_k, separador);
                if (opcoes.estatisticas) {
                    TDados gerado;
                    CalcularEstatisticasSerie(gerado, clima, config.NumAnos, config.APartir);
                    // With the year-to-year variability the file also compares the totals'
                    // variability.
                    if (config.VariabilidadeAnual) {
                        CalcularTotaisSerie(gerado, clima, config.NumAnos, config.APartir);
                    }
                    r.estatisticas.emplace(
                        CaminhoRealizacao(*opcoes.estatisticas, k + 1, realizacoes),
                        TextoEstatisticas(observado, gerado, config.VariabilidadeAnual,
                                          config.Cenario ? config.Cenario->Nome : std::string()));
                    r.estatisticas->Fechar();
                }
            } catch (...) {
                r.erro = std::current_exception();
                falhou = true;
            }
            if (terminal && realizacoes > 1 && !r.erro) {
                const std::lock_guard trava(mensagens);
                std::fprintf(stderr, "ventaro-cli: realização %u de %u calculada (semente %u)\n",
                             static_cast<unsigned>(++concluidas),
                             static_cast<unsigned>(realizacoes),
                             static_cast<unsigned>(config.Semente + k));
            }
        }
    };
    {
        std::vector<std::jthread> ajudantes;
        for (uint32_t t = 1; t < tarefas; ++t) ajudantes.emplace_back(Trabalhar);
        Trabalhar();
    }
    Verificar();
    for (const Realizacao& r : feitas) {
        if (r.erro) std::rethrow_exception(r.erro);
    }
    for (uint32_t k = 0; k < realizacoes; ++k) {
        for (const auto& aviso : feitas[k].avisos) {
            if (realizacoes > 1) {
                std::fprintf(stderr, "ventaro-cli: aviso (realização %u): %s\n",
                             static_cast<unsigned>(k + 1), aviso.c_str());
            } else {
                std::fprintf(stderr, "ventaro-cli: aviso: %s\n", aviso.c_str());
            }
        }
    }

    // Every file was written aside; all are moved into place now, the statistics after the
    // series, so a failure leaves none of them (those moved already are removed again).
    std::vector<std::filesystem::path> confirmados;
    try {
        for (Realizacao& r : feitas) {
            r.saida.Confirmar();
            const auto& destinos = r.saida.Destinos();
            confirmados.insert(confirmados.end(), destinos.begin(), destinos.end());
        }
        for (uint32_t k = 0; k < realizacoes; ++k) {
            if (!feitas[k].estatisticas) continue;
            feitas[k].estatisticas->Confirmar();
            confirmados.push_back(CaminhoRealizacao(*opcoes.estatisticas, k + 1, realizacoes));
        }
    } catch (const ErroVentaro&) {
        std::error_code ec;
        for (const auto& arquivo : confirmados) std::filesystem::remove(arquivo, ec);
        throw;
    }
}

}  // namespace ventaro
