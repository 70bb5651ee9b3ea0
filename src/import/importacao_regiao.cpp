#include "import/importacao_regiao.h"

#include <cmath>
#include <cstdio>

#include "core/erro.h"
#include "import/leitor_inmet_horario.h"
#include "import/texto.h"
#include "stations/gravacao_regiao.h"

namespace ventaro {

namespace {

std::string Decimal(double v, int casas, char separador) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.*f", casas, v);
    std::string s = texto;
    for (char& c : s) {
        if (c == '.') c = separador;
    }
    return s;
}

void ValidarFatorPico(double fator) {
    if (!(std::isfinite(fator) && fator > 0)) {
        throw ErroVentaro("Fator de pico inválido: " + Decimal(fator, 3, '.') +
                          " (use um número positivo).");
    }
}

}  // namespace

EstimativaArquivos EstimarRegiaoDeArquivos(const std::vector<std::filesystem::path>& arquivos,
                                           const OpcoesEstimativaRegiao& opcoes) {
    ValidarFatorPico(opcoes.FatorPico);
    if (arquivos.empty()) throw ErroVentaro("Nenhum arquivo horário informado.");
    EstimativaArquivos e;
    e.FatorPico = opcoes.FatorPico;
    std::vector<TempestadeObservada> todas;
    for (const auto& arquivo : arquivos) {
        const RegistroHorario registro = LerInmetHorario(arquivo);
        ArquivoHorario a;
        a.Arquivo = arquivo;
        a.Identidade = registro.Identidade;
        a.Horas = registro.Horas.size();
        for (const HoraObservada& h : registro.Horas) a.HorasSemValor += !h.Prec.has_value();
        a.Tempestades = ExtrairTempestades(registro, opcoes.FatorPico);
        if (a.Tempestades.Tempestades.empty()) {
            throw ErroVentaro(
                "O arquivo " + arquivo.string() +
                " não tem nenhuma tempestade (dia com as 24 horas e pelo menos "
                "0,2 mm): " +
                std::to_string(a.Tempestades.DiasCompletos) + " dia(s) completo(s), " +
                std::to_string(a.Tempestades.DiasIncompletos) + " com hora faltante.");
        }
        todas.insert(todas.end(), a.Tempestades.Tempestades.begin(),
                     a.Tempestades.Tempestades.end());
        e.Arquivos.push_back(std::move(a));
    }
    e.Estimativa = EstimarLeisRegiao(todas, opcoes.Minimo);
    return e;
}

std::string RelatorioEstimativa(const EstimativaArquivos& e, char separador) {
    std::string texto;
    double dur = 0, ii = 0, tp = 0;
    std::size_t n = 0;
    for (const ArquivoHorario& a : e.Arquivos) {
        const auto& t = a.Tempestades;
        std::string estacao = a.Identidade.Codigo.value_or("");
        if (a.Identidade.Nome) estacao += (estacao.empty() ? "" : " ") + *a.Identidade.Nome;
        texto += a.Arquivo.filename().string() + (estacao.empty() ? "" : " (" + estacao + ")") +
                 ": " + std::to_string(a.Horas) + " horas (" + std::to_string(a.HorasSemValor) +
                 " sem valor), " + std::to_string(t.DiasCompletos) + " dias completos, " +
                 std::to_string(t.DiasIncompletos) + " deixados de fora por hora faltante, " +
                 std::to_string(t.Tempestades.size()) + " tempestades\n";
        for (const TempestadeObservada& s : t.Tempestades) {
            dur += s.Duracao;
            ii += s.IntensidadePico;
            tp += s.TempoPico;
            ++n;
        }
    }
    const double nd = static_cast<double>(n);
    texto += std::to_string(n) + " tempestades: duração média " + Decimal(dur / nd, 2, separador) +
             " h, intensidade de pico média " + Decimal(ii / nd, 2, separador) +
             " mm/h (fator de pico " + Decimal(e.FatorPico, 3, separador) +
             "), tempo de pico normalizado médio " + Decimal(tp / nd, 3, separador) + "\n";
    return texto + TabelaEstimativa(e.Estimativa);
}

int LerRegiao(const std::string& texto) {
    const auto r = LerInteiro(texto);
    if (!r || *r < kRegiaoMinima || *r > kRegiaoMaxima) {
        throw ErroVentaro("Região inválida: \"" + texto + "\" (use um número de " +
                          std::to_string(kRegiaoMinima) + " a " + std::to_string(kRegiaoMaxima) +
                          ").");
    }
    return static_cast<int>(*r);
}

double LerFatorPico(const std::string& texto) {
    const auto f = LerDecimal(texto);
    if (!f || !std::isfinite(*f) || *f <= 0) {
        throw ErroVentaro("Fator de pico inválido: \"" + texto + "\" (use um número positivo).");
    }
    return *f;
}

int LerMinimoTempestades(const std::string& texto) {
    const auto m = LerInteiro(texto);
    if (!m || *m < kMinimoTempestadesMenor || *m > 1000000) {
        throw ErroVentaro("Mínimo de tempestades inválido: \"" + texto +
                          "\" (use um número inteiro de pelo menos " +
                          std::to_string(kMinimoTempestadesMenor) + ").");
    }
    return static_cast<int>(*m);
}

}  // namespace ventaro
