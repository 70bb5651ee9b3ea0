#include "generator/tcalcular_serie_sintetica.h"

#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/erro.h"
#include "generator/contexto_passo.h"
#include "generator/correcoes.h"
#include "generator/erosividade.h"
#include "generator/paralelo.h"
#include "generator/passo_precipitacao.h"
#include "generator/passo_temperatura_radiacao.h"
#include "generator/passo_tempestade.h"
#include "generator/passo_umidade.h"
#include "generator/passo_vento.h"
#include "generator/perfil_tempestade.h"
#include "generator/variabilidade_anual.h"

namespace ventaro {

namespace {}  // namespace

ArraysSerie ArraysDoCalculo(const ConfiguracaoSerie& c, ModoCalculo modo) {
    const VariaveisSimuladas& v = c.Variaveis;
    const bool erosividade = modo == ModoCalculo::Erosividade && v.SimularPrec;
    ArraysSerie a;
    a.Tempestades = v.SimularPrec;
    a.Perfis = erosividade;
    a.Energias = erosividade;
    a.Temperaturas = v.SimularTMax || v.SimularTMin || v.SimularRad;
    a.Vento = v.SimularVVento;
    a.Umidade = v.SimularUmid;
    return a;
}

namespace {

[[noreturn]] void MemoriaInsuficiente(const ConfiguracaoSerie& c) {
    throw ErroVentaro("Memória insuficiente para gerar uma série de " + std::to_string(c.NumAnos) +
                      " anos.");
}

// The store of the run's calendar days, with the arrays of the precipitation passes (without
// duration and peak intensity when `sem_tempestades`: a helper thread allocates those). The
// climate groups are added after the storm-law tables are gone (Acrescentar): beside the depth
// correction on two threads, else when each pass begins. A length the machine cannot hold is
// the user's setting, not a fault of the program: it is reported as such.
TClima CriarSerie(const ConfiguracaoSerie& c, ModoCalculo modo, bool sem_tempestades) {
    ArraysSerie arrays = ArraysDoCalculo(c, modo);
    arrays.Temperaturas = arrays.Vento = arrays.Umidade = false;
    if (sem_tempestades) arrays.Tempestades = false;
    try {
        return TClima::ParaPeriodo(c.APartir, c.NumAnos, arrays);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    MemoriaInsuficiente(c);
}

void Acrescentar(TClima& clima, const ArraysSerie& arrays, const ConfiguracaoSerie& c) {
    try {
        clima.Acrescentar(arrays);
        return;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    MemoriaInsuficiente(c);
}

ArraysSerie SoClima(bool temperaturas, bool vento, bool umidade) {
    ArraysSerie a;
    a.Tempestades = a.Perfis = a.Energias = false;
    a.Temperaturas = temperaturas;
    a.Vento = vento;
    a.Umidade = umidade;
    return a;
}

}  // namespace

ResultadoCalculo TCalcularSerieSintetica::Calcular(const TDados& dados, const ConfiguracaoSerie& c,
                                                   ModoCalculo modo,
                                                   AcompanhamentoCalculo acompanhamento) const {
    ResultadoCalculo resultado;
    ColetorAvisos avisos(resultado.Avisos);
    // A run nobody can cancel still reads a signal at its check points.
    const SinalCancelamento nunca;
    const SinalCancelamento& cancelamento =
        acompanhamento.Cancelamento != nullptr ? *acompanhamento.Cancelamento : nunca;
    Progresso* const progresso = acompanhamento.Receptor;
    const auto DefinirPasso = [progresso](std::string_view texto) {
        if (progresso != nullptr) progresso->DefinirPasso(texto);
    };
    const auto Cancelado = [&cancelamento] { return cancelamento.Cancelado(); };
    const VariaveisSimuladas& v = c.Variaveis;

    // A station without the record's totals cannot give the variability: said before any work.
    if (c.VariabilidadeAnual) VerificarTotaisPrec(dados);

    DefinirPasso("Simulando a lâmina total e o tempo de pico da precipitação...");
    const bool em_paralelo = nucleos_ == NucleosCalculo::Dois;
    // Duration and peak-intensity arrays are allocated beside the precipitation pass, which
    // leaves them alone while the store does not hold them; they join the store after it.
    const bool tempestades_ao_lado = em_paralelo && ArraysDoCalculo(c, modo).Tempestades;
    resultado.Clima = CriarSerie(c, modo, tempestades_ao_lado);
    TClima& clima = resultado.Clima;
    FluxoAleatorio fluxo;
    fluxo.Semear(c.Semente);
    clima.LimparDia(0);
    ContextoPasso ctx{clima, dados, fluxo, cancelamento, progresso, metodo_, em_paralelo};

    if (progresso != nullptr) progresso->DefinirFaixa(0, clima.NumDias);
    // All climate variables depend on the wet/dry sequence: this pass always runs.
    if (tempestades_ao_lado) {
        const auto n = static_cast<std::size_t>(clima.NumDias + 1);
        std::vector<double> dur;
        std::vector<double> ii;
        try {
            ExecutarLadoALado([&] { SimularPrecipitacao(ctx); },
                              [&] {
                                  dur = TClima::NovoArray(n);
                                  ii = TClima::NovoArray(n);
                              });
        } catch (const std::bad_alloc&) {
            MemoriaInsuficiente(c);
        } catch (const std::length_error&) {
            MemoriaInsuficiente(c);
        }
        clima.Dur = std::move(dur);
        clima.Ii = std::move(ii);
    } else {
        SimularPrecipitacao(ctx);
    }

    // The storm passes' law tables live until the depth correction (see below).
    std::optional<SimulacaoTempestades> tempestades;
    if (v.SimularPrec && !Cancelado()) {
        tempestades.emplace(ctx);
        DefinirPasso("Simulando os dados de duração da precipitação...");
        tempestades->SimularDuracao();
        DefinirPasso("Simulando os dados de intensidade da precipitação...");
        tempestades->SimularIntensidadePico();
    }

    // The storm profiles (and the erosivity that follows them) must hold each storm's final
    // depth: they come after the depth correction, or, with the year-to-year variability, after
    // its factors, which are drawn after every other pass. Only erosivity runs keep them.
    const auto PerfisEErosividade = [&] {
        if (modo != ModoCalculo::Erosividade || !v.SimularPrec) return;
        CalcularPerfis(clima, em_paralelo);
        if (!Cancelado()) {
            DefinirPasso("Calculando as erosividades da chuva...");
            CalcularErosividades(clima, em_paralelo);
        }
    };

    const bool temperaturas = v.SimularTMax || v.SimularTMin || v.SimularRad;
    // One process gives all three variables, whichever of them was asked for.
    const auto Temperaturas = [&](ContextoPasso& passo, ColetorAvisos& seus_avisos) {
        if (!temperaturas || Cancelado()) return;
        Acrescentar(clima, SoClima(true, false, false), c);
        SimularTemperaturaRadiacao(passo);
        if (c.Correcao) {
            CorrigirVariavelClima(clima, dados, VariavelClima::TMax, seus_avisos);
            CorrigirVariavelClima(clima, dados, VariavelClima::TMin, seus_avisos);
            CorrigirVariavelClima(clima, dados, VariavelClima::Rad, seus_avisos);
        }
        const int64_t invertidos = LimitarTMinPelaTMax(clima);
        if (invertidos > 0) {
            seus_avisos.Adicionar("Temperatura mínima acima da máxima em " +
                                  std::to_string(invertidos) +
                                  " dia(s) da série: nesses dias a mínima foi igualada à máxima.");
        }
    };
    const auto VentoEUmidade = [&](ContextoPasso& passo, ColetorAvisos& seus_avisos) {
        if (v.SimularVVento && !Cancelado()) {
            Acrescentar(clima, SoClima(false, true, false), c);
            SimularVento(passo);
            if (c.Correcao) CorrigirVariavelClima(clima, dados, VariavelClima::VVento, seus_avisos);
        }
        if (v.SimularUmid && !Cancelado()) {
            Acrescentar(clima, SoClima(false, false, true), c);
            SimularUmidade(passo, seus_avisos);
            if (c.Correcao) CorrigirVariavelClima(clima, dados, VariavelClima::Umid, seus_avisos);
        }
    };

    if (!Cancelado()) {
        const auto CorrigirPrecipitacao = [&] {
            if (c.Correcao) CorrigirLamina(clima, dados);
            if (!c.VariabilidadeAnual) PerfisEErosividade();
        };
        // Beside the depth correction, which reads and writes only precipitation arrays, a
        // helper thread allocates the climate arrays (touching their pages first), work the
        // climate passes would otherwise begin with. The storm tables are released first, on
        // this thread: freed from the helper, their memory stayed with the process in about
        // half the runs (6 MB more at the peak of a 1000-year run).
        const ArraysSerie arrays_clima = SoClima(temperaturas, v.SimularVVento, v.SimularUmid);
        tempestades.reset();
        if (em_paralelo && (c.Correcao || modo == ModoCalculo::Erosividade)) {
            ExecutarLadoALado(CorrigirPrecipitacao, [&] { Acrescentar(clima, arrays_clima, c); });
        } else {
            CorrigirPrecipitacao();
        }
        DefinirPasso("Simulando os dados climatológicos...");
        if (em_paralelo && temperaturas && (v.SimularVVento || v.SimularUmid)) {
            // The temperature pass draws three normals a day, one uniform each, and touches
            // no array of wind or humidity: wind and humidity start where the stream will be
            // after it, on a helper thread, with the same values as one after the other. Their
            // warnings follow the temperatures', as they would.
            const auto dias = static_cast<uint64_t>(clima.NumDias);
            FluxoAleatorio fluxo_vento(fluxo.Estado());
            fluxo_vento.Avancar(3 * dias);
            std::vector<std::string> avisos_vento;
            ColetorAvisos coletor_vento(avisos_vento);
            // Only this thread reports progress. The humidity tables' walks may take a thread
            // of their own: short, and most of a short run's climate work.
            ContextoPasso ctx_vento{clima,   dados,   fluxo_vento, cancelamento,
                                    nullptr, metodo_, em_paralelo};
            ExecutarLadoALado([&] { Temperaturas(ctx, avisos); },
                              [&] { VentoEUmidade(ctx_vento, coletor_vento); });
            for (std::string& aviso : avisos_vento) avisos.Adicionar(std::move(aviso));
            fluxo = fluxo_vento;
        } else {
            Temperaturas(ctx, avisos);
            VentoEUmidade(ctx, avisos);
        }
    }

    if (c.VariabilidadeAnual && !Cancelado()) {
        DefinirPasso("Aplicando a variabilidade interanual da precipitação...");
        if (AplicarVariabilidadeAnual(ctx, avisos)) PerfisEErosividade();
    }
    // A cancelled run still holds every array of its settings.
    Acrescentar(clima, ArraysDoCalculo(c, modo), c);
    resultado.Cancelado = Cancelado();
    return resultado;
}

}  // namespace ventaro
