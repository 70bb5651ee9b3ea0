#include "output/arquivo_swat.h"

#include <cstdio>

#include "output/descricao_saida.h"
#include "output/percurso_dias.h"
#include "output/texto_ascii.h"

namespace ventaro {

namespace {

constexpr double kAusente = -99.0;

struct VariavelSwat {
    const char* extensao;
    const char* descricao;
    int decimais;
};

// Pcp, Tmp, Slr, Hmd, Wnd.
constexpr VariavelSwat kVariaveis[] = {
    {"pcp", "precipitacao (mm)", 2},          {"tmp", "temperaturas maxima e minima (C)", 2},
    {"slr", "radiacao solar (MJ/m2/dia)", 3}, {"hmd", "umidade relativa (fracao)", 3},
    {"wnd", "velocidade do vento (m/s)", 2},
};

int Indice(ArquivoSwat arquivo) {
    return static_cast<int>(arquivo) % 5;
}

bool EhLista(ArquivoSwat arquivo) {
    return static_cast<int>(arquivo) >= 5;
}

}  // namespace

std::string NomeArquivoSwat(ArquivoSwat arquivo, int32_t cod_estacao, int32_t cod_estacao_clima) {
    const VariavelSwat& v = kVariaveis[Indice(arquivo)];
    char nome[64];
    if (EhLista(arquivo)) {
        std::snprintf(nome, sizeof nome, "%s.cli", v.extensao);
    } else if (Indice(arquivo) == 0) {
        std::snprintf(nome, sizeof nome, "p%08d.pcp", static_cast<int>(cod_estacao));
    } else if (cod_estacao_clima != 0) {
        std::snprintf(nome, sizeof nome, "c%05d.%s", static_cast<int>(cod_estacao_clima),
                      v.extensao);
    } else {
        std::snprintf(nome, sizeof nome, "c%08d.%s", static_cast<int>(cod_estacao), v.extensao);
    }
    return nome;
}

void EscreverSwat(ArquivoSwat arquivo, const TDados& dados, const TClima& clima,
                  const ConfiguracaoSerie& config, TextoEmBlocos& s) {
    const int indice = Indice(arquivo);
    const VariavelSwat& variavel = kVariaveis[indice];
    const ArquivoSwat dados_arquivo = static_cast<ArquivoSwat>(indice);
    const std::string nome =
        NomeArquivoSwat(dados_arquivo, dados.CodEstacao, dados.CodEstacaoClima);
    const std::string descricao = ParaAscii(DescricaoSerie(dados, config));
    if (EhLista(arquivo)) {
        s.Texto(variavel.extensao);
        s.Texto(".cli: arquivos de ");
        s.Texto(variavel.descricao);
        s.Texto("; ");
        s.Texto(descricao);
        s.Texto("\nfilename\n");
        s.Texto(nome);
        s.Caractere('\n');
        return;
    }

    // Precipitation is the rainfall station's; the other variables the climatological
    // station's, or the rainfall station's position when there is none.
    const bool da_prec = indice == 0 || dados.NomeClima().empty();
    const VariaveisSimuladas& v = config.Variaveis;
    const std::vector<double>* valores[2] = {nullptr, nullptr};
    switch (dados_arquivo) {
        case ArquivoSwat::Pcp:
            valores[0] = &clima.Prec;
            break;
        case ArquivoSwat::Tmp:
            if (v.SimularTMax) valores[0] = &clima.TMax;
            if (v.SimularTMin) valores[1] = &clima.TMin;
            break;
        case ArquivoSwat::Slr:
            if (v.SimularRad) valores[0] = &clima.Rad;
            break;
        case ArquivoSwat::Hmd:
            if (v.SimularUmid) valores[0] = &clima.Umid;
            break;
        case ArquivoSwat::Wnd:
            if (v.SimularVVento) valores[0] = &clima.VVento;
            break;
        default:
            break;
    }
    const int colunas = dados_arquivo == ArquivoSwat::Tmp ? 2 : 1;

    s.Texto(nome);
    s.Texto(": ");
    s.Texto(variavel.descricao);
    s.Texto("; ");
    s.Texto(descricao);
    s.Caractere('\n');
    s.Texto("nbyr     tstep       lat       lon      elev\n");
    s.Inteiro(AnosDaSerie(clima.DataInicial.ano, clima.NumDias), 4);
    s.Inteiro(0, 10);
    s.Caractere(' ');
    s.Fixo(da_prec ? dados.Latitude : dados.LatitudeClima, 3, 9);
    s.Caractere(' ');
    s.Fixo(da_prec ? dados.Longitude : dados.LongitudeClima, 3, 9);
    s.Caractere(' ');
    s.Fixo(da_prec ? dados.Altitude : dados.AltitudeClima, 3, 9);
    s.Caractere('\n');

    PercursoDias dias(clima.DataInicial);
    const auto n = static_cast<std::size_t>(clima.NumDias > 0 ? clima.NumDias : 0);
    for (std::size_t d = 1; d <= n; ++d, dias.Avancar()) {
        s.Inteiro(dias.Atual().ano, 4);
        s.Caractere(' ');
        s.Inteiro(dias.DiaDoAno(), 4);
        for (int c = 0; c < colunas; ++c) {
            const std::vector<double>* x = valores[c];
            s.Caractere(' ');
            s.Fixo(x != nullptr ? (*x)[d] : kAusente, variavel.decimais, 9);
        }
        s.Caractere('\n');
    }
}

}  // namespace ventaro
