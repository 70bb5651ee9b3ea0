#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/configuracao_serie.h"
#include "core/tdados.h"

namespace ventaro {

// What `ventaro-cli estacoes` was asked. An empty `banco` is the default database.
struct OpcoesEstacoes {
    std::string banco;
    bool pluviometricas = false;
    bool climatologicas = false;
    std::optional<std::string> procurar;
};

// Lists the stations on stdout as an aligned table.
void ExecutarEstacoes(const OpcoesEstacoes& opcoes);

// What `ventaro-cli gerar` was asked; unset options take the defaults.
struct OpcoesGerar {
    std::string banco;
    std::string pluviometrica;
    std::optional<std::string> climatologica;
    std::optional<std::string> anos;
    std::optional<std::string> a_partir;
    bool sem_correcao = false;
    bool variabilidade_anual = false;
    std::optional<std::vector<std::string>> variaveis;
    std::optional<std::string> separador;
    std::string saida;
    std::optional<std::string> estatisticas;
    std::optional<std::string> formato;
    std::optional<std::string> semente;
    std::optional<std::string> realizacoes;
    std::optional<std::string> cenario;
};

class InterrupcaoPorSinal;

// Loads the stations, applies the scenario to them, runs the generator and writes the series in
// the chosen format (and the statistics CSV when asked); with --realizacoes R, R series with the
// seeds N, N+1, ... on every core, each named with _rNN, each the file a run with its seed alone
// would write. Every file is written only after every run and every other file succeeded; an
// output that is the station database, the scenario file or another output is refused before
// the run (ErroUso). With `interrupcao`, a signal stops the runs and throws ErroInterrompido,
// leaving no file behind.
void ExecutarGerar(const OpcoesGerar& opcoes, const InterrupcaoPorSinal* interrupcao = nullptr);

// The stations and the checked settings of a run, from the options that choose them (--db,
// --pluviometrica, --climatologica, --anos, --a-partir, --sem-correcao, --variaveis, --semente,
// --cenario); the others are not read. The scenario is read and checked against the rainfall
// station, not applied. Throws ErroUso or ErroVentaro as ExecutarGerar does.
struct EntradaGeracao {
    TDados Dados;
    ConfiguracaoSerie Configuracao;
};
EntradaGeracao PrepararGeracao(const OpcoesGerar& opcoes);

// What `ventaro-cli estimar-regiao` was asked; unset options take the defaults.
struct OpcoesEstimarRegiao {
    std::string banco;
    std::string regiao;
    std::optional<std::string> fator_pico;
    std::optional<std::string> minimo;
    std::vector<std::filesystem::path> arquivos;
};

// Estimates a region's storm laws from hourly INMET files, replaces the region's ParamRegiao
// rows in one transaction and prints the report on `saida`. Options and files are checked,
// and the laws fitted, before the database is written; any failure leaves it unchanged.
void ExecutarEstimarRegiao(const OpcoesEstimarRegiao& opcoes, std::ostream& saida);

// The names --variaveis accepts.
inline constexpr const char* kNomesVariaveis[] = {"prec", "tmax", "tmin", "rad", "vvento", "umid"};

}  // namespace ventaro
