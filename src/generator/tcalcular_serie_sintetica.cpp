#include "generator/tcalcular_serie_sintetica.h"

#include <new>
#include <stdexcept>
#include <string>

#include "core/erro.h"
#include "generator/contexto_passo.h"
#include "generator/correcoes.h"
#include "generator/erosividade.h"
#include "generator/passo_precipitacao.h"
#include "generator/passo_temperatura_radiacao.h"
#include "generator/passo_tempestade.h"
#include "generator/passo_umidade.h"
#include "generator/passo_vento.h"
#include "generator/perfil_tempestade.h"

namespace ventaro {

namespace {

constexpr uint32_t kSemente = 5;

// The store of the run's calendar days. A length the machine cannot hold is the user's
// setting, not a fault of the program: it is reported as such.
TClima CriarSerie(const ConfiguracaoSerie& c) {
    try {
        return TClima::ParaPeriodo(c.APartir, c.NumAnos);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    throw ErroVentaro("Memória insuficiente para gerar uma série de " + std::to_string(c.NumAnos) +
                      " anos.");
}

}  // namespace

void TCalcularSerieSintetica::DefinirPasso(std::string_view texto) {
    if (progresso_ != nullptr) progresso_->DefinirPasso(texto);
}

TClima TCalcularSerieSintetica::Calcular(const TDados& dados, ModoCalculo modo) {
    cancelado_.store(false, std::memory_order_relaxed);
    avisos_.clear();
    ColetorAvisos avisos(avisos_);
    const ConfiguracaoSerie c = config_;

    DefinirPasso("Simulando a lâmina total e o tempo de pico da precipitação...");
    TClima clima = CriarSerie(c);
    FluxoAleatorio fluxo;
    fluxo.Semear(kSemente);
    clima.LimparDia(0);
    ContextoPasso ctx{clima, dados, fluxo, cancelado_, progresso_, metodo_};

    if (progresso_ != nullptr) progresso_->DefinirFaixa(0, clima.NumDias);
    // All climate variables depend on the wet/dry sequence: this pass always runs.
    SimularPrecipitacao(ctx);

    if (c.SimularPrec && !Cancelado()) {
        SimulacaoTempestades tempestades(ctx);
        DefinirPasso("Simulando os dados de duração da precipitação...");
        tempestades.SimularDuracao();
        DefinirPasso("Simulando os dados de intensidade da precipitação...");
        tempestades.SimularIntensidadePico();
    }

    if (!Cancelado()) {
        // Depths are corrected before the profiles, which must hold the storm's final depth.
        if (c.Correcao) CorrigirLamina(clima, dados);
        if (c.SimularPrec) CalcularPerfis(clima);
        if (modo == ModoCalculo::Erosividade && !Cancelado() && c.SimularPrec) {
            DefinirPasso("Calculando as erosividades da chuva...");
            CalcularErosividades(clima);
        }
        DefinirPasso("Simulando os dados climatológicos...");
        if (c.SimularTMax || c.SimularTMin || c.SimularRad) {
            // One process gives all three variables, whichever of them was asked for.
            SimularTemperaturaRadiacao(ctx);
            if (c.Correcao) {
                CorrigirVariavelClima(clima, dados, VariavelClima::TMax, avisos);
                CorrigirVariavelClima(clima, dados, VariavelClima::TMin, avisos);
                CorrigirVariavelClima(clima, dados, VariavelClima::Rad, avisos);
            }
        }
    }

    if (c.SimularVVento && !Cancelado()) {
        SimularVento(ctx);
        if (c.Correcao) CorrigirVariavelClima(clima, dados, VariavelClima::VVento, avisos);
    }

    if (c.SimularUmid && !Cancelado()) {
        SimularUmidade(ctx, avisos);
        if (c.Correcao) CorrigirVariavelClima(clima, dados, VariavelClima::Umid, avisos);
    }
    return clima;
}

}  // namespace ventaro
