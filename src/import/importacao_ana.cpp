#include "import/importacao_ana.h"

#include <set>
#include <utility>

#include "core/erro.h"
#include "core/tdados.h"
#include "import/texto.h"
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
    const ParametrosPrec p = EstimarPrec(std::move(meses));
    ultimo_num_anos_ = p.NumAnos;
    const Resultado resultado = Gravar(estacao, p);
    if (resultado == Resultado::PoucosAnos) ++poucos_anos_;
    if (resultado == Resultado::Mantida) ++mantidas_;
    decisoes_.Relatar(estacao, resultado, p.NumAnos);
    return resultado;
}

ImportacaoAna::Resultado ImportacaoAna::Gravar(const EstacaoAna& estacao, const ParametrosPrec& p) {
    if (p.NumAnos < kMinimoAnosPrec) return Resultado::PoucosAnos;
    try {
        const bool existe = ExisteEstacaoPrec(destino_, estacao.Codigo);
        if (existe) {
            RespostaSubstituir resposta;
            if (lembrada_) {
                resposta = *lembrada_;
            } else {
                resposta = decisoes_.Substituir(CodigoAna8(estacao.Codigo));
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
        if (!regiao) {
            falhas_.push_back("Estação " + CodigoAna8(estacao.Codigo) + ": sem região.");
            return Resultado::SemRegiao;
        }
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
    } catch (const ErroVentaro& e) {
        // The line the user knows, then its cause.
        Mensagem("Erro ao incluir estação " + CodigoAna8(estacao.Codigo) + ".");
        Mensagem(std::string("  ") + e.what());
        falhas_.push_back("Estação " + CodigoAna8(estacao.Codigo) + ": " + e.what());
        return Resultado::Erro;
    }
}

void ImportacaoAna::ImportarEstacoes(FonteAna& fonte, const std::vector<EstacaoAna>& listadas) {
    std::set<int64_t> codigos;
    for (const EstacaoAna& e : listadas) codigos.insert(e.Codigo);
    try {
        fonte.PrepararChuvas(codigos);
    } catch (const ErroTabelaAna& e) {
        ErroTabela(e.Tabela());
        return;
    }
    ImportarListadas(fonte, listadas);
}

void ImportacaoAna::ImportarListadas(FonteAna& fonte, const std::vector<EstacaoAna>& listadas) {
    for (std::size_t i = 0; i < listadas.size() && !cancelada_; ++i) {
        const EstacaoAna& listada = listadas[i];
        if (!decisoes_.Continuar(i, listada)) {
            cancelada_ = true;
            break;
        }
        std::vector<MesChuva> meses;
        try {
            meses = fonte.Chuvas(listada.Codigo);
            for (std::string& aviso : fonte.TomarAvisos()) Mensagem("Aviso: " + aviso);
        } catch (const ErroTabelaAna& e) {
            ErroTabela(e.Tabela());
            falhas_.push_back("Estação " + CodigoAna8(listada.Codigo) +
                              ": as chuvas não puderam ser lidas (" + e.what() + ").");
            continue;
        }
        std::optional<EstacaoAna> estacao = fonte.Estacao(listada.Codigo);
        if (!estacao) {
            estacao = fonte.Access() ? std::optional<EstacaoAna>(listada)
                                     : decisoes_.IdentidadeForaDoInventario(listada.Codigo);
        }
        if (!estacao) {
            falhas_.push_back("Estação " + CodigoAna8(listada.Codigo) +
                              ": fora do inventário e sem nome e coordenadas.");
            continue;
        }
        ImportarEstacao(*estacao, std::move(meses));
    }
}

void ImportacaoAna::ImportarEstados(FonteAna& fonte, const std::vector<std::string>& nomes) {
    std::vector<std::pair<std::string, std::vector<EstacaoAna>>> estados;
    std::set<int64_t> codigos;
    for (const std::string& nome : nomes) {
        try {
            std::optional<std::vector<EstacaoAna>> estacoes = fonte.EstacoesDoEstado(nome);
            if (!estacoes) {
                Mensagem("Erro importando estado " + TextoSeguro(nome) + ".");
                falhas_.push_back("Estado " + TextoSeguro(nome) + ": não está na tabela ESTADO.");
                continue;
            }
            for (const EstacaoAna& e : *estacoes) codigos.insert(e.Codigo);
            estados.emplace_back(nome, std::move(*estacoes));
        } catch (const ErroTabelaAna& e) {
            ErroTabela(e.Tabela());
        }
    }
    // The rainfall of every state in one pass over the source's Chuvas table.
    try {
        fonte.PrepararChuvas(codigos);
    } catch (const ErroTabelaAna& e) {
        ErroTabela(e.Tabela());
        return;
    }
    for (const auto& [nome, estacoes] : estados) {
        if (cancelada_) break;
        if (!decisoes_.ContinuarEstado(nome, estacoes)) {
            cancelada_ = true;
            break;
        }
        try {
            ImportarListadas(fonte, estacoes);
        } catch (const std::exception& e) {
            Mensagem("Erro importando estado " + TextoSeguro(nome) + ".");
            falhas_.push_back("Estado " + TextoSeguro(nome) + ": " + e.what());
        }
    }
}

void ImportacaoAna::Mensagem(std::string texto) {
    mensagens_.push_back(std::move(texto));
    decisoes_.Mensagem(mensagens_.back());
}

void ImportacaoAna::ErroTabela(TabelaAna tabela) {
    decisoes_.ErroTabela(tabela);
    Mensagem(LinhaErroTabela(tabela));
    falhas_.push_back(LinhaErroTabela(tabela));
}

std::vector<std::string> ImportacaoAna::MensagensFinais() const {
    std::vector<std::string> m = mensagens_;
    for (std::string& linha : LinhasDeContagem(novas_, substituidas_)) {
        m.push_back(std::move(linha));
    }
    return m;
}

std::string ImportacaoAna::LinhaResumo() const {
    const auto Contar = [](int n, const char* um, const char* varios) {
        return std::to_string(n) + " " + (n == 1 ? um : varios);
    };
    std::string linha =
        "Resumo: " + Contar(novas_ + substituidas_, "estação gravada", "estações gravadas");
    if (poucos_anos_ > 0) {
        linha +=
            ", " + Contar(poucos_anos_, "com poucos anos completos", "com poucos anos completos");
    }
    if (mantidas_ > 0) linha += ", " + Contar(mantidas_, "mantida", "mantidas");
    if (!falhas_.empty()) {
        linha += ", " + Contar(static_cast<int>(falhas_.size()), "não importada", "não importadas");
    }
    linha += cancelada_ ? "; importação interrompida." : ".";
    return linha;
}

std::string TextoPoucosAnos(const std::string& codigo8, int num_anos) {
    return "Estação " + codigo8 + ": " + std::to_string(num_anos) +
           (num_anos == 1 ? " ano completo" : " anos completos") + "; são necessários " +
           std::to_string(kMinimoAnosPrec) + ". Não importada.";
}

std::vector<std::string> LinhasDeContagem(int novas, int substituidas) {
    return {novas == 1 ? "1 estação nova." : std::to_string(novas) + " estações novas.",
            substituidas == 1 ? "1 estação substituída."
                              : std::to_string(substituidas) + " estações substituídas.",
            "Fim"};
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
