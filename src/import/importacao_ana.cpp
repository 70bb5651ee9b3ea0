#include "import/importacao_ana.h"

#include "core/erro.h"
#include "core/tdados.h"
#include "stations/estacoes.h"
#include "stations/gravacao_estacao.h"

namespace ventaro {

namespace {

std::string TextoCoordenada(const std::optional<double>& v, std::string_view tipo) {
    if (!v) return " ";
    return FormatarCoordenada(std::to_string(*v), tipo);
}

}  // namespace

ImportacaoAna::Resultado ImportacaoAna::ImportarEstacao(const EstacaoAna& estacao,
                                                        std::vector<MesChuva> meses) {
    const std::string codigo8 = CodigoAna8(estacao.Codigo);
    const ParametrosPrec p = EstimarPrec(std::move(meses));
    ultimo_num_anos_ = p.NumAnos;
    if (p.NumAnos < kMinimoAnosPrec) return Resultado::PoucosAnos;
    try {
        const bool existe = ExisteEstacaoPrec(destino_, estacao.Codigo);
        if (existe) {
            RespostaSubstituir resposta;
            if (lembrada_) {
                resposta = *lembrada_;
            } else {
                resposta = decisoes_.Substituir(codigo8);
                if (resposta == RespostaSubstituir::NaoParaTodos ||
                    resposta == RespostaSubstituir::SimParaTodos) {
                    lembrada_ = resposta;
                }
            }
            if (resposta != RespostaSubstituir::Sim &&
                resposta != RespostaSubstituir::SimParaTodos) {
                return Resultado::Mantida;
            }
        }
        const std::optional<int> regiao = decisoes_.Regiao(estacao);
        if (!regiao) return Resultado::SemRegiao;
        IdentidadeEstacao identidade;
        identidade.Codigo = estacao.Codigo;
        identidade.Nome = CortarNome(estacao.Nome);
        identidade.Municipio = estacao.Municipio;
        identidade.Regiao = *regiao;
        identidade.Latitude = estacao.Latitude.value_or(0);
        identidade.Longitude = estacao.Longitude.value_or(0);
        identidade.Altitude = estacao.Altitude;
        const ResultadoGravacao r = GravarEstacaoPrec(destino_, identidade, p.Dados, p.NumAnos);
        if (r == ResultadoGravacao::Nova) {
            ++novas_;
            return Resultado::Nova;
        }
        ++substituidas_;
        return Resultado::Substituida;
    } catch (const ErroVentaro&) {
        mensagens_.push_back("Erro ao incluir estação " + codigo8 + ".");
        return Resultado::Erro;
    }
}

std::vector<std::string> ImportacaoAna::MensagensFinais() const {
    std::vector<std::string> m = mensagens_;
    m.push_back(novas_ == 1 ? "1 estação nova." : std::to_string(novas_) + " estações novas.");
    m.push_back(substituidas_ == 1 ? "1 estação substituída."
                                   : std::to_string(substituidas_) + " estações substituídas.");
    m.push_back("Fim");
    return m;
}

std::string TextoPerguntaRegiao(const EstacaoAna& estacao) {
    return "Digite o número da região onde a estação está localizada (entre 1 e 7):\n\n"
           "       Dados da estação:\n\n"
           "Código: " +
           CodigoAna8(estacao.Codigo) + "\nNome: " + estacao.Nome +
           "\nMunicípio: " + estacao.Municipio +
           "\nLatitude: " + TextoCoordenada(estacao.Latitude, "Latitude") +
           "\nLongitude: " + TextoCoordenada(estacao.Longitude, "Longitude") + "\n";
}

}  // namespace ventaro
