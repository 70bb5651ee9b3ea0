#include "core/cenario_climatico.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "core/erro.h"

namespace ventaro {

namespace {

constexpr std::size_t kNumColunas = std::size(kColunasCenario);
enum Coluna : std::size_t { kMes, kChuva, kDias, kDeltaTMax, kDeltaTMin, kRadiacao };

std::string_view Aparar(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<std::string_view> Campos(std::string_view linha, char separador) {
    std::vector<std::string_view> campos;
    while (true) {
        const auto p = linha.find(separador);
        campos.push_back(Aparar(linha.substr(0, p)));
        if (p == std::string_view::npos) return campos;
        linha.remove_prefix(p + 1);
    }
}

std::string Minusculas(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return r;
}

std::string Numero(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 4);
    return std::string(buf, r.ptr);
}

class Leitor {
  public:
    explicit Leitor(const std::string& origem) : origem_(origem) {}

    [[noreturn]] void Falhar(int linha, std::string_view campo, const std::string& o_que) const {
        std::string m = "Cenário " + origem_;
        if (linha > 0) m += ", linha " + std::to_string(linha);
        if (!campo.empty()) m += ", campo " + std::string(campo);
        throw ErroVentaro(m + ": " + o_que);
    }

    // A decimal number, with `decimal` as its separator; the whole field must be the number.
    double Real(int linha, std::string_view campo, std::string_view texto, char decimal) const {
        if (texto.empty()) Falhar(linha, campo, "valor vazio.");
        std::string s(texto);
        for (char& c : s) {
            if (c == decimal) c = '.';
        }
        const char* inicio = s.data();
        if (!s.empty() && s.front() == '+') ++inicio;
        double v = 0;
        const auto r = std::from_chars(inicio, s.data() + s.size(), v);
        if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) {
            Falhar(linha, campo, "\"" + std::string(texto) + "\" não é um número.");
        }
        return v;
    }

  private:
    const std::string& origem_;
};

}  // namespace

CenarioClimatico LerCenario(std::string_view texto, std::string nome, std::string origem) {
    CenarioClimatico cenario;
    cenario.Nome = std::move(nome);
    cenario.Origem = std::move(origem);
    const Leitor leitor(cenario.Origem);
    if (texto.starts_with("\xEF\xBB\xBF")) texto.remove_prefix(3);

    // Column index of each field, from the header.
    std::optional<std::array<std::size_t, kNumColunas>> posicao;
    std::size_t num_campos = 0;
    char separador = ',';
    char decimal = '.';
    std::array<bool, 12> visto{};
    int numero_linha = 0;
    while (!texto.empty()) {
        const auto fim = texto.find('\n');
        const std::string_view linha = Aparar(texto.substr(0, fim));
        texto.remove_prefix(fim == std::string_view::npos ? texto.size() : fim + 1);
        ++numero_linha;
        if (linha.empty() || linha.front() == '#') continue;

        if (!posicao) {
            if (linha.find(';') != std::string_view::npos) {
                separador = ';';
                decimal = ',';
            }
            const auto nomes = Campos(linha, separador);
            posicao.emplace();
            posicao->fill(nomes.size());
            for (std::size_t i = 0; i < nomes.size(); ++i) {
                const std::string n = Minusculas(nomes[i]);
                std::size_t c = 0;
                while (c < kNumColunas && n != kColunasCenario[c]) ++c;
                if (c == kNumColunas) {
                    leitor.Falhar(numero_linha, nomes[i],
                                  "coluna desconhecida; o cabeçalho deve ter as colunas mes, "
                                  "fator_chuva_media, fator_dias_chuvosos, delta_tmax, "
                                  "delta_tmin e fator_radiacao.");
                }
                if ((*posicao)[c] != nomes.size()) {
                    leitor.Falhar(numero_linha, nomes[i], "coluna repetida no cabeçalho.");
                }
                (*posicao)[c] = i;
            }
            for (std::size_t c = 0; c < kNumColunas; ++c) {
                if ((*posicao)[c] == nomes.size()) {
                    leitor.Falhar(numero_linha, kColunasCenario[c], "coluna ausente no cabeçalho.");
                }
            }
            num_campos = nomes.size();
            continue;
        }

        const auto campos = Campos(linha, separador);
        if (campos.size() != num_campos) {
            leitor.Falhar(numero_linha, "",
                          std::to_string(campos.size()) + " campo(s), mas o cabeçalho tem " +
                              std::to_string(num_campos) + ".");
        }
        const auto Campo = [&](Coluna c) { return campos[(*posicao)[c]]; };
        const auto Real = [&](Coluna c) {
            return leitor.Real(numero_linha, kColunasCenario[c], Campo(c), decimal);
        };
        const auto Fator = [&](Coluna c) {
            const double v = Real(c);
            if (!(v > 0)) {
                leitor.Falhar(numero_linha, kColunasCenario[c],
                              "o fator deve ser maior que 0, não " + std::string(Campo(c)) + ".");
            }
            return v;
        };

        const double mes_real = Real(kMes);
        if (mes_real != std::floor(mes_real) || mes_real < 1 || mes_real > 12) {
            leitor.Falhar(numero_linha, kColunasCenario[kMes],
                          "\"" + std::string(Campo(kMes)) + "\" não é um mês de 1 a 12.");
        }
        const int mes = static_cast<int>(mes_real);
        if (visto[static_cast<std::size_t>(mes - 1)]) {
            leitor.Falhar(numero_linha, kColunasCenario[kMes],
                          "o mês " + std::to_string(mes) + " já foi dado na linha " +
                              std::to_string(cenario.Meses[mes].Linha) + ".");
        }
        visto[static_cast<std::size_t>(mes - 1)] = true;
        MesCenario& m = cenario.Meses[mes];
        m.Linha = numero_linha;
        m.FatorChuvaMedia = Fator(kChuva);
        m.FatorDiasChuvosos = Fator(kDias);
        m.DeltaTMax = Real(kDeltaTMax);
        m.DeltaTMin = Real(kDeltaTMin);
        m.FatorRadiacao = Fator(kRadiacao);
    }

    if (!posicao) {
        leitor.Falhar(0, "",
                      "arquivo sem cabeçalho nem meses; a primeira linha deve ser "
                      "mes,fator_chuva_media,fator_dias_chuvosos,delta_tmax,delta_tmin,"
                      "fator_radiacao, seguida de uma linha por mês.");
    }
    for (int mes = 1; mes <= 12; ++mes) {
        if (!visto[static_cast<std::size_t>(mes - 1)]) {
            // The line named is the file's last: where the month was still expected.
            leitor.Falhar(numero_linha, kColunasCenario[kMes],
                          "falta o mês " + std::to_string(mes) +
                              " (o arquivo termina nesta linha); o arquivo deve ter uma linha "
                              "para cada mês, de 1 a 12.");
        }
    }
    return cenario;
}

void AplicarCenario(const CenarioClimatico& cenario, TDados& dados) {
    // Every month is checked before anything is written.
    Mensal<double> pcc, pcs;
    for (int mes = 1; mes <= 12; ++mes) {
        const double g = cenario.Meses[mes].FatorDiasChuvosos;
        // PCC - PCS, the persistence, stays; the stationary fraction PCS / (1 - PCC + PCS) has
        // the same denominator, so it changes by g with PCS.
        pcs[mes] = g * dados.PCS[mes];
        pcc[mes] = dados.PCC[mes] + (pcs[mes] - dados.PCS[mes]);
        if (pcs[mes] >= 0 && pcs[mes] <= 1 && pcc[mes] >= 0 && pcc[mes] <= 1) continue;
        const double denominador = 1.0 - dados.PCC[mes] + dados.PCS[mes];
        const double fracao = denominador > 0 ? dados.PCS[mes] / denominador : 0.0;
        std::string m = "Cenário " + cenario.Origem + ", linha " +
                        std::to_string(cenario.Meses[mes].Linha) +
                        ", campo fator_dias_chuvosos: no mês " + std::to_string(mes) +
                        " a fração de dias chuvosos da estação pluviométrica passaria de " +
                        Numero(fracao) + " para " + Numero(g * fracao);
        if (g * fracao > 1) {
            m += ", acima de 1.";
        } else {
            m += ", o que, mantida a persistência PCC - PCS = " +
                 Numero(dados.PCC[mes] - dados.PCS[mes]) +
                 ", daria probabilidades de transição fora de [0, 1] (PCC = " + Numero(pcc[mes]) +
                 ", PCS = " + Numero(pcs[mes]) + ").";
        }
        throw ErroVentaro(m);
    }

    for (int mes = 1; mes <= 12; ++mes) {
        const MesCenario& c = cenario.Meses[mes];
        dados.XPrec[mes] = dados.XPrec[mes] * c.FatorChuvaMedia;
        dados.SPrec[mes] = dados.SPrec[mes] * c.FatorChuvaMedia;
        dados.PCC[mes] = pcc[mes];
        dados.PCS[mes] = pcs[mes];
        const int64_t total = static_cast<int64_t>(dados.DUmidos[mes]) + dados.DSecos[mes];
        if (total > 0) {
            double umidos =
                std::round(static_cast<double>(dados.DUmidos[mes]) * c.FatorDiasChuvosos);
            if (umidos > static_cast<double>(total)) umidos = static_cast<double>(total);
            dados.DUmidos[mes] = static_cast<int32_t>(umidos);
            dados.DSecos[mes] = static_cast<int32_t>(total - dados.DUmidos[mes]);
        }
        dados.XTMaxSe[mes] = dados.XTMaxSe[mes] + c.DeltaTMax;
        dados.XTMaxCh[mes] = dados.XTMaxCh[mes] + c.DeltaTMax;
        dados.XTMinSe[mes] = dados.XTMinSe[mes] + c.DeltaTMin;
        dados.XTMinCh[mes] = dados.XTMinCh[mes] + c.DeltaTMin;
        dados.XRadSe[mes] = dados.XRadSe[mes] * c.FatorRadiacao;
        dados.XRadCh[mes] = dados.XRadCh[mes] * c.FatorRadiacao;
    }
}

}  // namespace ventaro
