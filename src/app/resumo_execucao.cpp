#include "app/resumo_execucao.h"

#include "stations/configuracoes.h"

namespace ventaro {

namespace {

constexpr char kSeparador[] = " · ";

std::string Anos(uint32_t n) {
    return std::to_string(n) + (n == 1 ? " ano" : " anos");
}

}  // namespace

std::string ResumoExecucao(const TDados& dados, const ConfiguracaoSerie& config) {
    const RotulosEstacoes r = CarregarRotulosEstacoes(dados);
    std::string texto;
    const auto Estacao = [&texto](const std::string& codigo, const std::string& nome) {
        if (codigo.empty() && nome.empty()) return;
        if (!texto.empty()) texto += kSeparador;
        texto += codigo;
        if (!codigo.empty() && !nome.empty()) texto += ' ';
        texto += nome;
    };
    Estacao(r.CodigoPrec, r.NomePrec);
    Estacao(r.CodigoClima, r.NomeClima);
    if (texto.empty()) texto = "Nenhuma estação selecionada";
    return texto + kSeparador + Anos(config.NumAnos) + " a partir de " +
           std::to_string(config.APartir);
}

std::string NomeSugeridoSerie(const TDados& dados, const ConfiguracaoSerie& config) {
    const RotulosEstacoes r = CarregarRotulosEstacoes(dados);
    std::string nome = "serie";
    for (const std::string* codigo : {&r.CodigoPrec, &r.CodigoClima}) {
        if (!codigo->empty()) nome += "_" + *codigo;
    }
    return nome + "_" + std::to_string(config.NumAnos) + "anos_" + std::to_string(config.APartir) +
           ".txt";
}

}  // namespace ventaro
