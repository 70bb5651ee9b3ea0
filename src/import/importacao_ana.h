#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/chuvas_ana.h"
#include "import/origem_ana.h"
#include "stations/banco_dados.h"

namespace ventaro {

// Answers to the replace question; the "to all" answers hold for the rest of the run.
enum class RespostaSubstituir { Sim, Nao, NaoParaTodos, SimParaTodos };

// What an ANA import asks of its front end (dialogs in the GUI, flags on the command line).
class DecisoesImportacaoAna {
  public:
    virtual ~DecisoesImportacaoAna() = default;
    // The station `codigo8` is already in the database: replace it?
    virtual RespostaSubstituir Substituir(const std::string& codigo8) = 0;
    // The region (1-7) of a station about to be written; nullopt skips the station.
    virtual std::optional<int> Regiao(const EstacaoAna& estacao) = 0;
};

// One "Importar" run: counts of written stations, the remembered answer and the messages.
class ImportacaoAna {
  public:
    ImportacaoAna(BancoDados& destino, DecisoesImportacaoAna& decisoes)
        : destino_(destino), decisoes_(decisoes) {}

    enum class Resultado { Nova, Substituida, PoucosAnos, Mantida, SemRegiao, Erro };

    // Estimates and writes one station from its monthly rows. A station with fewer than 10
    // complete years is skipped; a write failure adds "Erro ao incluir estação <code>." and
    // leaves the database as it was.
    Resultado ImportarEstacao(const EstacaoAna& estacao, std::vector<MesChuva> meses);

    // Adds a line to the run's messages.
    void Mensagem(std::string texto) { mensagens_.push_back(std::move(texto)); }

    int Novas() const { return novas_; }
    int Substituidas() const { return substituidas_; }
    // The years behind the last station estimated.
    int UltimoNumAnos() const { return ultimo_num_anos_; }
    // The run's messages followed by the counts and "Fim".
    std::vector<std::string> MensagensFinais() const;
    const std::vector<std::string>& Mensagens() const { return mensagens_; }

  private:
    BancoDados& destino_;
    DecisoesImportacaoAna& decisoes_;
    std::optional<RespostaSubstituir> lembrada_;
    int novas_ = 0;
    int substituidas_ = 0;
    int ultimo_num_anos_ = 0;
    std::vector<std::string> mensagens_;
};

// The prompt of the region question for a station (code, name, municipality, coordinates).
std::string TextoPerguntaRegiao(const EstacaoAna& estacao);

}  // namespace ventaro
