#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "cli/decisoes_terminal.h"
#include "cli/erro_uso.h"
#include "cli/executar_importar.h"
#include "cli/opcoes_identidade.h"
#include "core/erro.h"
#include "import/fonte_ana.h"
#include "import/importacao_ana.h"
#include "import/origem_ana.h"
#include "import/texto.h"
#include "stations/banco_dados.h"

namespace ventaro {

namespace {

// The stations of an Access database that the options choose: one, a state or all of them.
void ImportarAccess(FonteAna& fonte, const OpcoesImportarAna& o, ImportacaoAna& run) {
    const std::string arquivo = fonte.Arquivo().string();
    if (o.estacao) {
        const auto codigo = LerInteiro(*o.estacao);
        const auto e = codigo ? fonte.Estacao(*codigo) : std::nullopt;
        if (!e) {
            throw ErroVentaro("A estação " + *o.estacao + " não está na tabela Estacao de " +
                              arquivo + ".");
        }
        run.ImportarEstacoes(fonte, {*e});
    } else if (o.todas) {
        run.ImportarEstados(fonte, fonte.Estados());
    } else if (o.estado) {
        if (!fonte.EstacoesDoEstado(*o.estado)) {
            throw ErroVentaro("O estado " + *o.estado + " não está na tabela ESTADO de " + arquivo +
                              ".");
        }
        run.ImportarEstados(fonte, {*o.estado});
    } else {
        throw ErroVentaro("Escolha as estações do banco de dados " + arquivo +
                          " com --estacao, --estado ou --todas.");
    }
}

}  // namespace

int ExecutarImportarAna(const OpcoesImportarAna& o, std::ostream& saida, std::istream& entrada) {
    if (o.substituir && o.manter) {
        throw ErroVentaro("Use --substituir ou --manter, não os dois.");
    }
    if (o.regiao) RegiaoDaOpcao(*o.regiao);
    if (!o.regiao && !o.entrada_interativa) {
        throw ErroUso("--regiao é obrigatória quando a entrada não é um terminal.");
    }
    ValidarOpcoesIdentidade({nullptr, &o.latitude, &o.longitude, &o.altitude});
    // The inventory's identities stand as they are: --nome and the others name only a station
    // the inventory does not list.
    std::map<int64_t, EstacaoAna> inventario;
    if (o.inventario) inventario = LerInventarioAna(*o.inventario);
    const std::optional<long long> so_estacao = o.estacao ? LerInteiro(*o.estacao) : std::nullopt;
    if (o.estacao && !so_estacao) {
        throw ErroVentaro("Código de estação inválido: " + *o.estacao + ".");
    }
    // Every source is opened first, so that a file in no known format stops the run before
    // anything is written.
    std::vector<FonteAna> fontes;
    for (const auto& arquivo : o.arquivos) {
        fontes.emplace_back(arquivo);
        fontes.back().UsarInventario(inventario);
    }

    BancoDados banco(o.banco, BancoDados::Modo::Escrita);
    DecisoesTerminalAna decisoes(o, saida, entrada);
    ImportacaoAna run(banco, decisoes);
    for (FonteAna& fonte : fontes) {
        if (fonte.Access()) {
            ImportarAccess(fonte, o, run);
            continue;
        }
        std::vector<EstacaoAna> listadas;
        for (const EstacaoAna& e : fonte.EstacoesHidroweb()) {
            if (!so_estacao || e.Codigo == *so_estacao) listadas.push_back(e);
        }
        run.ImportarEstacoes(fonte, listadas);
    }
    for (const std::string& linha : LinhasDeContagem(run.Novas(), run.Substituidas())) {
        saida << linha << "\n";
    }
    const int gravadas = run.Novas() + run.Substituidas();
    if (!run.Falhas().empty()) {
        std::string lista;
        for (const std::string& f : run.Falhas()) lista += "\n  " + f;
        if (gravadas == 0) throw ErroVentaro("Nenhuma estação importada:" + lista);
        throw ErroParcial("Importação parcial: " + std::to_string(gravadas) +
                          (gravadas == 1 ? " estação gravada, " : " estações gravadas, ") +
                          std::to_string(run.Falhas().size()) + " falha(s):" + lista);
    }
    return gravadas;
}

}  // namespace ventaro
