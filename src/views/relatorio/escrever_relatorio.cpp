#include "views/relatorio/escrever_relatorio.h"

#include <QByteArray>
#include <string>
#include <system_error>

#include "core/erro.h"
#include "output/arquivo_temporario.h"
#include "stations/configuracoes.h"
#include "views/formato.h"
#include "views/regressao_linear.h"
#include "views/relatorio_csv.h"
#include "views/ui/grafico.h"
#include "views/valores_diarios.h"
#include "views/valores_mensais.h"

namespace ventaro {

namespace {

constexpr int kLargura = 800;
constexpr int kAltura = 450;
constexpr int kLarguraDiaria = 1000;
constexpr int kAlturaDiaria = 400;

std::string Escapar(const std::string& texto) {
    std::string s;
    for (const char c : texto) {
        switch (c) {
            case '&':
                s += "&amp;";
                break;
            case '<':
                s += "&lt;";
                break;
            case '>':
                s += "&gt;";
                break;
            case '"':
                s += "&quot;";
                break;
            default:
                s += c;
        }
    }
    return s;
}

void Gravar(const std::filesystem::path& arquivo, std::string_view conteudo) {
    ArquivoTemporario(arquivo, conteudo).Confirmar();
}

std::string Numerado(int n) {
    std::string texto = std::to_string(n);
    if (texto.size() < 2) texto.insert(texto.begin(), '0');
    return texto;
}

// The chart's picture, written under graficos/ and placed in the page.
class Imagens {
  public:
    explicit Imagens(std::filesystem::path pasta) : pasta_(std::move(pasta)) {}

    std::string Acrescentar(Grafico& grafico, const std::string& nome, int largura, int altura,
                            const std::string& titulo) {
        const QByteArray png = grafico.Png(largura, altura);
        Gravar(pasta_ / (nome + ".png"),
               std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
        return "<img alt=\"" + Escapar(titulo) + "\" width=\"" + std::to_string(largura) +
               "\" height=\"" + std::to_string(altura) + "\" src=\"data:image/png;base64," +
               png.toBase64().toStdString() + "\">\n";
    }

  private:
    std::filesystem::path pasta_;
};

std::string Grade(const GradeMensal& grade) {
    std::string s = "<table class=\"grade\">\n";
    for (int linha = 0; linha < GradeMensal::kLinhas; ++linha) {
        s += "<tr>";
        for (int coluna = 0; coluna < GradeMensal::kColunas; ++coluna) {
            const bool cabecalho = linha == 0 || coluna == 0;
            s += cabecalho ? "<th>" : "<td>";
            s += Escapar(grade.Celula(linha, coluna));
            s += cabecalho ? "</th>" : "</td>";
        }
        s += "</tr>\n";
    }
    return s + "</table>\n";
}

std::string SimNao(bool v) {
    return v ? "sim" : "não";
}

std::string Identificacao(const Resultados& r) {
    const RotulosEstacoes e = CarregarRotulosEstacoes(r.Dados);
    const ConfiguracaoSerie& c = r.Configuracao;
    const VariaveisSimuladas& v = c.Variaveis;
    std::string s = "<table class=\"id\">\n";
    const auto linha = [&s](const std::string& rotulo, const std::string& valor) {
        s += "<tr><th>" + Escapar(rotulo) + "</th><td>" + Escapar(valor) + "</td></tr>\n";
    };
    linha("Estação pluviométrica", e.NomePrec + " (" + e.CodigoPrec + "), latitude " +
                                       e.LatitudePrec + ", longitude " + e.LongitudePrec);
    linha("Estação climatológica", e.CodigoClima.empty()
                                       ? std::string("nenhuma")
                                       : e.NomeClima + " (" + e.CodigoClima + "), latitude " +
                                             e.LatitudeClima + ", longitude " + e.LongitudeClima);
    std::string periodo =
        std::to_string(c.NumAnos) + " anos a partir de " + std::to_string(c.APartir);
    if (r.Clima.NumDias > 0) {
        periodo += " (" + DataCurta(DataDaSerie(r.Clima, 1)) + " a " +
                   DataCurta(DataDaSerie(r.Clima, r.Clima.NumDias)) + ", " +
                   std::to_string(r.Clima.NumDias) + " dias)";
    }
    linha("Período simulado", periodo);
    linha("Correções da série gerada", SimNao(c.Correcao));
    std::string variaveis = "precipitação";
    const std::pair<bool, const char*> nomes[] = {{v.SimularPrec, "tempestades (duração, ti*, ii)"},
                                                  {v.SimularTMax, "temperatura máxima"},
                                                  {v.SimularTMin, "temperatura mínima"},
                                                  {v.SimularRad, "radiação"},
                                                  {v.SimularVVento, "velocidade do vento"},
                                                  {v.SimularUmid, "umidade do ar"}};
    for (const auto& [simulada, nome] : nomes) {
        if (simulada) variaveis += std::string(", ") + nome;
    }
    linha("Variáveis simuladas", variaveis);
    return s + "</table>\n";
}

constexpr char kEstilo[] =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "h1{font-size:1.5em}h2{margin-top:2em;border-bottom:1px solid #999}"
    "h3{margin-top:1.5em}h4{margin:1.2em 0 .3em}"
    "table{border-collapse:collapse;margin:.4em 0}"
    "th,td{border:1px solid #bbb;padding:2px 6px;font-size:.9em}"
    "table.grade td,table.resumo td{text-align:right}"
    "table.id th{text-align:left}img{display:block;max-width:100%;height:auto}"
    "p.rotulos{margin:.2em 0;font-size:.95em}";

}  // namespace

void EscreverRelatorio(const std::filesystem::path& pasta, const Resultados& r, char separador) {
    const std::filesystem::path graficos = pasta / "graficos";
    std::error_code erro;
    std::filesystem::create_directories(graficos, erro);
    if (erro) {
        throw ErroVentaro("Não foi possível criar a pasta \"" + graficos.string() +
                          "\": " + erro.message() + ".");
    }
    Imagens imagens(graficos);

    std::string html =
        "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Ventaro 2.0 - Relatório da série sintética</title>\n<style>";
    html += kEstilo;
    html += "</style>\n</head>\n<body>\n<h1>Ventaro 2.0 - Relatório da série sintética</h1>\n";
    html += Identificacao(r);

    // The 36 regressions at a glance, then each view in full.
    std::string resumo =
        "<h2>Regressões lineares: resumo</h2>\n<table class=\"resumo\">\n<tr><th>Variável</th>"
        "<th>Estatística</th><th>Equação</th><th>r²</th><th>Erro padrão da estimativa</th></tr>\n";
    std::string regressoes = "<h2>Regressão linear</h2>\n";
    Grafico grafico_regressao(nullptr);
    int externa = -1;
    int n = 0;
    for (const AbaRegressao& aba : AbasRegressao()) {
        const AbaRegressaoCalculada c = CalcularAbaRegressao(aba, r, separador);
        const std::string& painel =
            AbasExternasRegressao()[static_cast<std::size_t>(aba.Externa)].Legenda;
        resumo += "<tr><th>" + Escapar(painel) + "</th><th>" +
                  Escapar(SemBrancosIniciais(aba.Legenda)) + "</th><td>" + Escapar(c.Equacao) +
                  "</td><td>" + Escapar(c.R2.substr(c.R2.find('=') + 2)) + "</td><td>" +
                  Escapar(c.ErroPadrao.substr(c.ErroPadrao.find('=') + 2)) + "</td></tr>\n";
        if (aba.Externa != externa) {
            externa = aba.Externa;
            regressoes += "<h3>" + Escapar(painel) + "</h3>\n";
        }
        regressoes += "<h4>" + Escapar(SemBrancosIniciais(aba.Legenda)) + "</h4>\n";
        grafico_regressao.MostrarRegressao(aba, c, separador);
        regressoes +=
            imagens.Acrescentar(grafico_regressao, "regressao_" + Numerado(++n) + "_" + aba.Nome,
                                kLargura, kAltura, aba.Titulo);
        regressoes += "<p class=\"rotulos\">" + Escapar(c.Equacao) + "<br>" + Escapar(c.R2) +
                      "<br>" + Escapar(c.ErroPadrao) + "</p>\n" + Grade(c.Grade);
    }
    resumo += "</table>\n";

    std::string mensais = "<h2>Valores mensais</h2>\n";
    Grafico grafico_mensal(nullptr);
    externa = -1;
    n = 0;
    for (const AbaMensal& aba : AbasMensais()) {
        const AbaMensalCalculada c = CalcularAbaMensal(aba, r, separador);
        if (aba.Externa != externa) {
            externa = aba.Externa;
            mensais += "<h3>" +
                       Escapar(AbasExternasMensais()[static_cast<std::size_t>(externa)].Legenda) +
                       "</h3>\n";
        }
        mensais += "<h4>" + Escapar(SemBrancosIniciais(aba.Legenda)) + "</h4>\n";
        grafico_mensal.MostrarMensal(aba, c, separador);
        mensais += imagens.Acrescentar(grafico_mensal, "mensal_" + Numerado(++n) + "_" + aba.Nome,
                                       kLargura, kAltura, aba.Titulo);
        mensais += Grade(c.Grade);
    }

    std::string diarios = "<h2>Valores diários</h2>\n";
    Grafico grafico_diario(nullptr);
    std::vector<double> valores;
    externa = -1;
    n = 0;
    for (const GraficoDiario& g : GraficosDiarios()) {
        if (g.Externa != externa) {
            externa = g.Externa;
            diarios += "<h3>" +
                       Escapar(AbasExternasDiarias()[static_cast<std::size_t>(externa)].Legenda) +
                       "</h3>\n";
        }
        ValoresDiarios(g, r.Clima, r.Configuracao.Variaveis, valores);
        grafico_diario.MostrarDiario(g, valores, separador);
        diarios += "<h4>" + Escapar(SemBrancosIniciais(g.Legenda)) + "</h4>\n";
        diarios += imagens.Acrescentar(grafico_diario, "diario_" + Numerado(++n) + "_" + g.Nome,
                                       kLarguraDiaria, kAlturaDiaria, g.Titulo);
    }

    html += resumo + mensais + regressoes + diarios + "</body>\n</html>\n";
    Gravar(pasta / "mensal.csv", TextoMensalCsv(r));
    Gravar(pasta / "regressao.csv", TextoRegressaoCsv(r));
    Gravar(pasta / "relatorio.html", html);
}

}  // namespace ventaro
