#include "erosivity/calcular_erosividade.h"

#include <charconv>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <variant>

#include "core/erro.h"
#include "erosivity/erosividade_estacao.h"
#include "erosivity/gravar_erosividade.h"
#include "erosivity/registro_lote.h"
#include "generator/tcalcular_serie_sintetica.h"
#include "stations/banco_dados.h"
#include "stations/estacoes.h"

namespace ventaro {

namespace {

// How often, at most, the workbook is rewritten while stations are written: every save writes
// it whole, and a save per station would make a batch of thousands of stations quadratic.
constexpr auto kIntervaloPlanilha = std::chrono::seconds(1);

struct Cancelada {};
struct Ignorada {
    std::string Motivo;
};
// What became of one station of the batch.
using Saida = std::variant<ErosividadeEstacao, Ignorada, Cancelada, std::exception_ptr>;

// Loads and simulates one station. Runs on any thread; `banco` belongs to that thread.
class CalculoEstacao {
  public:
    CalculoEstacao(const ParametrosLote& p, NucleosCalculo nucleos,
                   const SinalCancelamento* cancelamento)
        : p_(p), gerador_(nucleos), cancelamento_(cancelamento) {}

    Saida operator()(const std::string& codigo) {
        if (cancelamento_ != nullptr && cancelamento_->Cancelado()) return Cancelada{};
        try {
            if (!banco_) banco_.emplace(p_.Banco);
            TDados dados;
            CarregarEstacaoPrec(*banco_, codigo, dados);
            ConfiguracaoSerie config;
            config.NumAnos = p_.NumAnos;
            config.APartir = p_.APartir;
            config.Correcao = p_.Correcao;
            // Only the rainfall block is loaded: the climate passes, which touch no storm,
            // are left out.
            config.Variaveis = AjustarVariaveisSimuladas(dados);
            ResultadoCalculo r = gerador_.Calcular(dados, config, ModoCalculo::Erosividade,
                                                   {cancelamento_, nullptr});
            if (r.Cancelado) return Cancelada{};
            return SomarErosividade(dados, r.Clima, p_.NumAnos);
        } catch (const ErroVentaro& e) {
            return Ignorada{e.what()};
        } catch (...) {
            return std::current_exception();
        }
    }

  private:
    const ParametrosLote& p_;
    const TCalcularSerieSintetica gerador_;
    const SinalCancelamento* cancelamento_;
    std::optional<BancoDados> banco_;
};

// Stations computed by worker threads and handed to the writer in batch order. Workers run at
// most a few stations ahead of the writer, so a long batch holds only a few results at once.
class FilaEstacoes {
  public:
    FilaEstacoes(std::size_t total, std::size_t adiante) : saidas_(total), adiante_(adiante) {}

    // Next station for a worker; nothing when the batch is over or stopping.
    std::optional<std::size_t> Proxima() {
        std::unique_lock trava(mutex_);
        livre_.wait(trava, [&] {
            return parar_ || proxima_ >= saidas_.size() || proxima_ < escritas_ + adiante_;
        });
        if (parar_ || proxima_ >= saidas_.size()) return std::nullopt;
        return proxima_++;
    }
    void Entregar(std::size_t i, Saida saida) {
        {
            const std::lock_guard trava(mutex_);
            saidas_[i] = std::move(saida);
        }
        pronta_.notify_all();
    }
    // The writer's turn: waits for station i and takes it.
    Saida Receber(std::size_t i) {
        std::unique_lock trava(mutex_);
        pronta_.wait(trava, [&] { return saidas_[i].has_value(); });
        Saida s = std::move(*saidas_[i]);
        saidas_[i].reset();
        escritas_ = i + 1;
        trava.unlock();
        livre_.notify_all();
        return s;
    }
    void Parar() {
        {
            const std::lock_guard trava(mutex_);
            parar_ = true;
        }
        livre_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable livre_, pronta_;
    std::vector<std::optional<Saida>> saidas_;
    std::size_t adiante_;
    std::size_t proxima_ = 0;
    std::size_t escritas_ = 0;
    bool parar_ = false;
};

// Worker threads, stopped and joined when the batch leaves, also by an error.
class Trabalhadores {
  public:
    explicit Trabalhadores(FilaEstacoes& fila) : fila_(fila) {}
    ~Trabalhadores() {
        fila_.Parar();
        for (std::thread& t : threads_) t.join();
    }
    template <typename F>
    void Iniciar(F&& f) {
        threads_.emplace_back(std::forward<F>(f));
    }

  private:
    FilaEstacoes& fila_;
    std::vector<std::thread> threads_;
};

// The workbook's saves: the first under the batch's name, then in place.
class SalvamentoPlanilha {
  public:
    SalvamentoPlanilha(ExportadorPlanilha& planilha, std::filesystem::path arquivo)
        : planilha_(planilha), arquivo_(std::move(arquivo)) {}
    void Salvar() {
        if (salva_) {
            planilha_.Salvar();
        } else {
            planilha_.SalvarComo(arquivo_);
            salva_ = true;
        }
        ultima_ = std::chrono::steady_clock::now();
        pendente_ = false;
    }
    void Alterada() {
        pendente_ = true;
        if (!salva_ || std::chrono::steady_clock::now() - ultima_ >= kIntervaloPlanilha) Salvar();
    }
    bool Pendente() const { return pendente_; }

  private:
    ExportadorPlanilha& planilha_;
    std::filesystem::path arquivo_;
    bool salva_ = false;
    bool pendente_ = true;
    std::chrono::steady_clock::time_point ultima_{};
};

}  // namespace

std::optional<ParteLote> LerParteLote(std::string_view texto) {
    const auto barra = texto.find('/');
    if (barra == std::string_view::npos) return std::nullopt;
    const auto Ler = [](std::string_view s, int& v) {
        const auto [fim, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        return !s.empty() && ec == std::errc() && fim == s.data() + s.size();
    };
    ParteLote p;
    if (!Ler(texto.substr(0, barra), p.Parte) || !Ler(texto.substr(barra + 1), p.NumPartes) ||
        p.Parte < 1 || p.Parte > p.NumPartes) {
        return std::nullopt;
    }
    return p;
}

std::filesystem::path PastaTeste2(const std::filesystem::path& pasta) {
    return pasta / "teste2";
}

ResultadoLote CalcularErosividade(const ParametrosLote& p, ExportadorPlanilha& planilha,
                                  ProgressoLote* progresso, const SinalCancelamento* cancelamento) {
    if (p.NumAnos < 1) throw ErroVentaro("O número de anos deve ser pelo menos 1.");
    if (p.Tarefas < 1) throw ErroVentaro("O número de tarefas deve ser pelo menos 1.");
    if (p.Parte.Parte < 1 || p.Parte.Parte > p.Parte.NumPartes) {
        throw ErroVentaro("Parte " + std::to_string(p.Parte.Parte) + "/" +
                          std::to_string(p.Parte.NumPartes) + " inválida.");
    }
    {
        // A database that cannot be opened stops the batch before anything is written.
        BancoDados banco(p.Banco);
        banco.VerificarTabelas({"EstacaoPrec", "DadosPrec", "ParamRegiao"});
    }

    // This part's stations: positions Parte, Parte + NumPartes, ... of the batch.
    std::vector<std::size_t> posicoes;
    for (auto i = static_cast<std::size_t>(p.Parte.Parte - 1); i < p.Estacoes.size();
         i += static_cast<std::size_t>(p.Parte.NumPartes)) {
        posicoes.push_back(i);
    }
    ResultadoLote resultado;
    resultado.Total = static_cast<int>(posicoes.size());

    const std::filesystem::path teste2 = PastaTeste2(p.Pasta);
    CriarPastasErosividade(teste2);
    RegistroLote registro;
    registro.NumAnos = p.NumAnos;
    registro.APartir = p.APartir;
    registro.Correcao = p.Correcao;
    registro.Parte = p.Parte.Parte;
    registro.NumPartes = p.Parte.NumPartes;
    registro.Lote = p.Estacoes;
    GravadorRegistroLote gravador(ArquivoRegistroLote(teste2), registro);

    PrepararPlanilha(planilha);
    SalvamentoPlanilha salvamento(planilha, teste2 / "erosividade.xlsx");

    // The writer: station i of this part, in order. False once the batch was cancelled.
    const auto Escrever = [&](std::size_t i, Saida saida) {
        const std::size_t posicao = posicoes[i];
        const std::string& codigo = p.Estacoes[posicao];
        if (std::holds_alternative<Cancelada>(saida)) return false;
        if (auto* erro = std::get_if<std::exception_ptr>(&saida)) std::rethrow_exception(*erro);
        RegistroLote::Estacao e;
        e.Posicao = static_cast<int>(posicao + 1);
        e.Codigo = codigo;
        const int feitas = static_cast<int>(i + 1);
        if (auto* ignorada = std::get_if<Ignorada>(&saida)) {
            e.Motivo = ignorada->Motivo;
            gravador.Acrescentar(e);
            resultado.Ignoradas.push_back({codigo, ignorada->Motivo});
            if (progresso != nullptr) {
                progresso->EstacaoIgnorada(feitas, resultado.Total, codigo, e.Motivo);
            }
            return true;
        }
        auto& erosividade = std::get<ErosividadeEstacao>(saida);
        GravarErosividade(teste2, erosividade);
        ++resultado.Calculadas;
        EscreverLinhaPlanilha(planilha, resultado.Calculadas + 1, erosividade);
        e.Calculada = true;
        erosividade.Meses.clear();
        erosividade.Anos.clear();
        e.Erosividade = std::move(erosividade);
        gravador.Acrescentar(e);
        salvamento.Alterada();
        if (progresso != nullptr) progresso->EstacaoCalculada(feitas, resultado.Total, codigo);
        return true;
    };

    // One thread per task, never more than stations. A run takes a helper thread only when
    // the tasks leave cores for it.
    const std::size_t tarefas = std::min<std::size_t>(p.Tarefas, posicoes.size());
    const NucleosCalculo nucleos =
        tarefas > 0 && p.Tarefas >= 2 * tarefas ? NucleosCalculo::Dois : NucleosCalculo::Um;
    try {
        if (tarefas <= 1) {
            CalculoEstacao calculo(p, nucleos, cancelamento);
            for (std::size_t i = 0; i < posicoes.size(); ++i) {
                if (!Escrever(i, calculo(p.Estacoes[posicoes[i]]))) {
                    resultado.Cancelado = true;
                    break;
                }
            }
        } else {
            FilaEstacoes fila(posicoes.size(), 2 * tarefas);
            Trabalhadores trabalhadores(fila);
            for (std::size_t t = 0; t < tarefas; ++t) {
                trabalhadores.Iniciar([&] {
                    CalculoEstacao calculo(p, nucleos, cancelamento);
                    while (const auto i = fila.Proxima()) {
                        fila.Entregar(*i, calculo(p.Estacoes[posicoes[*i]]));
                    }
                });
            }
            for (std::size_t i = 0; i < posicoes.size(); ++i) {
                if (!Escrever(i, fila.Receber(i))) {
                    resultado.Cancelado = true;
                    break;
                }
            }
        }
    } catch (...) {
        // What was written stays readable: the workbook gets the stations done.
        try {
            if (salvamento.Pendente()) salvamento.Salvar();
        } catch (const ErroVentaro&) {
        }
        planilha.Encerrar();
        throw;
    }
    if (salvamento.Pendente()) salvamento.Salvar();
    planilha.Encerrar();
    // A cancel that came after the last station's run still leaves a complete batch.
    if (!resultado.Cancelado) gravador.Concluir();
    return resultado;
}

}  // namespace ventaro
