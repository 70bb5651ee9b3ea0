#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/chuvas_ana.h"
#include "import/fonte_ana.h"
#include "import/origem_ana.h"
#include "stations/banco_dados.h"

namespace ventaro {

// Answers to the replace question; the "to all" answers hold for the rest of the run.
enum class RespostaSubstituir { Sim, Nao, NaoParaTodos, SimParaTodos };

// What became of one station of a run.
enum class ResultadoEstacaoAna { Nova, Substituida, PoucosAnos, Mantida, SemRegiao, Erro };

// What an ANA import asks of its front end (dialogs in the panel, options and the terminal on
// the command line), and what it tells it as the run goes.
class DecisoesImportacaoAna {
  public:
    virtual ~DecisoesImportacaoAna() = default;

    // The station `codigo8` is already in the database: replace it?
    virtual RespostaSubstituir Substituir(const std::string& codigo8) = 0;
    // The region (1-7) of a station about to be written; nullopt skips the station.
    virtual std::optional<int> Regiao(const EstacaoAna& estacao) = 0;
    // The identity of a station of a HidroWeb export that the inventory does not list; nullopt
    // skips it (the front end tells the user why).
    virtual std::optional<EstacaoAna> IdentidadeForaDoInventario(int64_t /*codigo*/) {
        return std::nullopt;
    }
    // Before the station `indice` (from 0) of a list; false stops the run (a cancel).
    virtual bool Continuar(std::size_t /*indice*/, const EstacaoAna& /*listada*/) { return true; }
    // Before the stations of each state of a whole-database run; false stops the run.
    virtual bool ContinuarEstado(const std::string& /*nome*/,
                                 const std::vector<EstacaoAna>& /*estacoes*/) {
        return true;
    }

    // A line added to the run's messages.
    virtual void Mensagem(const std::string& /*linha*/) {}
    // A table of the source could not be read (its line goes to Mensagem as well).
    virtual void ErroTabela(TabelaAna /*tabela*/) {}
    // What became of a station, with the complete years behind its statistics.
    virtual void Relatar(const EstacaoAna& /*estacao*/, ResultadoEstacaoAna /*resultado*/,
                         int /*num_anos*/) {}
};

// One "Importar" run: counts of written stations, the remembered answer and the messages.
class ImportacaoAna {
  public:
    ImportacaoAna(BancoDados& destino, DecisoesImportacaoAna& decisoes)
        : destino_(destino), decisoes_(decisoes) {}

    using Resultado = ResultadoEstacaoAna;

    // Estimates and writes one station from its monthly rows. A station with fewer than 10
    // complete years is skipped; a write failure adds "Erro ao incluir estação <code>." and
    // leaves the database as it was.
    Resultado ImportarEstacao(const EstacaoAna& estacao, std::vector<MesChuva> meses);

    // Imports the stations `listadas` of `fonte` in order, asking Continuar before each. The
    // rainfall of an Access database is copied once for all of them; when it cannot be read, or
    // one station's rows cannot, "Erro: Tabela Chuvas." is added and the run (or the station)
    // is skipped. A station takes its identity from the source, else a HidroWeb station from
    // IdentidadeForaDoInventario and an Access one from its listing.
    void ImportarEstacoes(FonteAna& fonte, const std::vector<EstacaoAna>& listadas);

    // Imports every station of the states `nomes` of an Access database: all of them listed
    // first and their rainfall copied in one pass, then state by state. A state that cannot be
    // listed adds its table's line; one that is not in ESTADO, or that fails while importing,
    // adds "Erro importando estado <name>."; the run goes on with the next.
    void ImportarEstados(FonteAna& fonte, const std::vector<std::string>& nomes);

    // Adds a line to the run's messages.
    void Mensagem(std::string texto);

    int Novas() const { return novas_; }
    int Substituidas() const { return substituidas_; }
    // Stations estimated but not written: too few complete years, or kept on the user's answer.
    int PoucosAnos() const { return poucos_anos_; }
    int Mantidas() const { return mantidas_; }
    // Whether the front end stopped the run.
    bool Cancelada() const { return cancelada_; }
    // What could not be imported and why, one sentence each ("Estação 02345024: ..."):
    // stations whose write failed, whose rainfall could not be read, whose identity is unknown
    // or that were left without a region, and tables or states that could not be read.
    const std::vector<std::string>& Falhas() const { return falhas_; }
    // The years behind the last station estimated.
    int UltimoNumAnos() const { return ultimo_num_anos_; }
    // The run's messages followed by the counts and "Fim".
    std::vector<std::string> MensagensFinais() const;
    // The run in one line: stations written, with too few years, kept and failed, and whether
    // it was stopped ("Resumo: 2 estações gravadas, 1 com poucos anos completos.").
    std::string LinhaResumo() const;
    const std::vector<std::string>& Mensagens() const { return mensagens_; }

  private:
    Resultado Gravar(const EstacaoAna& estacao, const ParametrosPrec& parametros);
    void ErroTabela(TabelaAna tabela);
    // The loop of ImportarEstacoes once the rainfall is readable.
    void ImportarListadas(FonteAna& fonte, const std::vector<EstacaoAna>& listadas);

    BancoDados& destino_;
    DecisoesImportacaoAna& decisoes_;
    std::optional<RespostaSubstituir> lembrada_;
    int novas_ = 0;
    int substituidas_ = 0;
    int poucos_anos_ = 0;
    int mantidas_ = 0;
    int ultimo_num_anos_ = 0;
    bool cancelada_ = false;
    std::vector<std::string> mensagens_;
    std::vector<std::string> falhas_;
};

// "1 estação nova." or "n estações novas.", "1 estação substituída." or "n estações
// substituídas.", then "Fim": the lines that close an import run.
std::vector<std::string> LinhasDeContagem(int novas, int substituidas);

// Why a station was not imported: "Estação 02345024: 7 anos completos; são necessários 10.
// Não importada."
std::string TextoPoucosAnos(const std::string& codigo8, int num_anos);

// The prompt of the region question for a station (code, name, municipality, coordinates).
std::string TextoPerguntaRegiao(const EstacaoAna& estacao);

}  // namespace ventaro
