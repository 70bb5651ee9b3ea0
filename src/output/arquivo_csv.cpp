#include "output/arquivo_csv.h"

#include <vector>

#include "output/descricao_saida.h"
#include "output/percurso_dias.h"

namespace ventaro {

namespace {

struct ColunaCsv {
    const char* nome;
    const std::vector<double>* valores;
    int decimais;
};

void Coordenadas(TextoEmBlocos& s, double latitude, double longitude) {
    s.Texto(" (latitude ");
    s.Fixo(latitude, 4);
    s.Texto(", longitude ");
    s.Fixo(longitude, 4);
    s.Texto(")\n");
}

void DataIso(TextoEmBlocos& s, const Data& data) {
    if (data.ano < 0) s.Caractere('-');
    const int64_t ano = data.ano < 0 ? -data.ano : data.ano;
    if (ano < 1000) s.Texto(ano < 10 ? "000" : ano < 100 ? "00" : "0");
    s.Inteiro(ano);
    s.Caractere('-');
    s.Decimal(data.mes / 10, 0);
    s.Decimal(data.mes % 10, 0);
    s.Caractere('-');
    s.Decimal(data.dia / 10, 0);
    s.Decimal(data.dia % 10, 0);
}

}  // namespace

void EscreverCsv(const TDados& dados, const TClima& clima, const ConfiguracaoSerie& config,
                 TextoEmBlocos& s) {
    const VariaveisSimuladas& v = config.Variaveis;
    std::vector<ColunaCsv> colunas{{"prec_mm", &clima.Prec, 2}};
    if (v.SimularPrec) {
        colunas.push_back({"dur_h", &clima.Dur, 3});
        colunas.push_back({"ti_fracao", &clima.Ti, 3});
        colunas.push_back({"ii_mm_h", &clima.Ii, 2});
    }
    if (v.SimularTMax) colunas.push_back({"tmax_C", &clima.TMax, 2});
    if (v.SimularTMin) colunas.push_back({"tmin_C", &clima.TMin, 2});
    if (v.SimularRad) colunas.push_back({"rad_MJ_m2_dia", &clima.Rad, 2});
    if (v.SimularVVento) colunas.push_back({"vvento_m_s", &clima.VVento, 2});
    if (v.SimularUmid) colunas.push_back({"umid_fracao", &clima.Umid, 3});

    s.Texto("# ");
    s.Texto(DescricaoSerie(dados, config));
    s.Texto("\n# estação pluviométrica ");
    s.Texto(CodigoPrecTexto(dados.CodEstacao));
    Coordenadas(s, dados.Latitude, dados.Longitude);
    if (!dados.NomeClima().empty()) {
        s.Texto("# estação climatológica ");
        s.Texto(CodigoClimaTexto(dados.CodEstacaoClima));
        Coordenadas(s, dados.LatitudeClima, dados.LongitudeClima);
    }
    s.Texto("data");
    for (const ColunaCsv& c : colunas) {
        s.Caractere(',');
        s.Texto(c.nome);
    }
    s.Caractere('\n');

    PercursoDias dias(clima.DataInicial);
    const auto n = static_cast<std::size_t>(clima.NumDias > 0 ? clima.NumDias : 0);
    for (std::size_t d = 1; d <= n; ++d, dias.Avancar()) {
        DataIso(s, dias.Atual());
        for (const ColunaCsv& c : colunas) {
            s.Caractere(',');
            s.Fixo((*c.valores)[d], c.decimais);
        }
        s.Caractere('\n');
    }
}

}  // namespace ventaro
