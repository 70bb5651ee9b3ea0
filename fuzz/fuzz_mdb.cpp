// The copy of Access tables (libmdb reads from a file), then the INMET and ANA readers on the
// copy when it has their tables.
#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>

#include "arquivo_fuzz.h"
#include "import/leitor_inmet_mdb.h"
#include "import/leitor_mdb.h"
#include "import/origem_ana.h"
#include "import/texto.h"

namespace {

bool Tem(const std::vector<std::string>& tabelas, const char* nome) {
    return std::any_of(tabelas.begin(), tabelas.end(),
                       [&](const std::string& t) { return ventaro::Maiusculas(t) == nome; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
    using namespace ventaro;
    const auto arquivo = fuzz::EscreverEntrada(dados, tamanho, ".mdb");
    fuzz::Recusavel([&] {
        const std::vector<std::string> tabelas = ListarTabelasMdb(arquivo);
        SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        CopiarTabelasMdb(arquivo, db, tabelas);
        // The queries of the importers fail with SQLite's exception on tables of another
        // shape; their callers report it.
        try {
            if (Tem(tabelas, "CLIMA")) {
                const auto codigos = EstacoesClima(db);
                for (std::size_t i = 0; i < codigos.size() && i < 3; ++i) {
                    LerEstacaoClima(db, codigos[i], -15.5);
                }
            }
            if (Tem(tabelas, "ESTADO") && Tem(tabelas, "ESTACAO")) {
                OrigemAna origem(db);
                for (const std::string& nome : origem.Estados()) {
                    const auto codigo = origem.CodigoEstado(nome);
                    if (!codigo) continue;
                    for (const EstacaoAna& e : origem.EstacoesDoEstado(*codigo)) {
                        origem.Estacao(e.Codigo);
                        if (Tem(tabelas, "CHUVAS")) EstimarPrec(origem.LerChuvas(e.Codigo).Meses);
                    }
                }
            }
        } catch (const SQLite::Exception&) {
        }
    });
    return 0;
}
