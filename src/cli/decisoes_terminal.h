#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/executar_importar.h"
#include "import/importacao_ana.h"
#include "import/importacao_inmet.h"

namespace ventaro {

// The INMET import's decisions on the command line: the options answer, nothing is asked. An
// Access database needs --estacao (the refusal lists its stations); an existing station is
// replaced only with --substituir.
class DecisoesTerminalInmet : public DecisoesImportacaoInmet {
  public:
    explicit DecisoesTerminalInmet(bool substituir) : substituir_(substituir) {}
    std::optional<std::string> Estacao(const std::vector<std::string>& codigos) override;
    bool Substituir(const std::string& codigo) override;
    // Whether an existing station was kept for want of --substituir.
    bool SubstituicaoRecusada() const { return recusada_; }

  private:
    bool substituir_;
    bool recusada_ = false;
};

// The ANA import's decisions on the command line: the replacement from --substituir and
// --manter, the region from --regiao or else asked on the terminal, the identity of a station
// outside the inventory from --nome, --latitude and --longitude. The run's lines and what became
// of each station are printed on `saida` as they come.
class DecisoesTerminalAna : public DecisoesImportacaoAna {
  public:
    DecisoesTerminalAna(const OpcoesImportarAna& opcoes, std::ostream& saida,
                        std::istream& entrada);

    RespostaSubstituir Substituir(const std::string& codigo8) override;
    // An integer outside 1..7 asks again, up to kTentativasRegiao answers; then, or at the end
    // of the input, the station is not imported (and counts as a failure of the run).
    std::optional<int> Regiao(const EstacaoAna& estacao) override;
    std::optional<EstacaoAna> IdentidadeForaDoInventario(int64_t codigo) override;
    void Mensagem(const std::string& linha) override;
    void Relatar(const EstacaoAna& estacao, ResultadoEstacaoAna resultado, int num_anos) override;

  private:
    const OpcoesImportarAna& o_;
    std::ostream& saida_;
    std::istream& entrada_;
};

inline constexpr int kTentativasRegiao = 3;

// The region given by --regiao: an integer from 1 to 7, otherwise an ErroVentaro.
int RegiaoDaOpcao(const std::string& texto);

}  // namespace ventaro
