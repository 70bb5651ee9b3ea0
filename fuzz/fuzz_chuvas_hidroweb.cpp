// The HidroWeb rainfall reader (CSV and CHUVAS.TXT), then the rainfall statistics of each
// station it holds.
#include <map>

#include "arquivo_fuzz.h"
#include "import/chuvas_ana.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
    using namespace ventaro;
    const auto arquivo = fuzz::EscreverEntrada(dados, tamanho, ".csv");
    fuzz::Recusavel([&] {
        std::map<int64_t, std::vector<MesChuva>> por_estacao;
        for (MesChuva& m : LerArquivoChuvas(arquivo).Meses) {
            por_estacao[m.Estacao].push_back(m);
        }
        for (auto& [codigo, meses] : por_estacao) EstimarPrec(std::move(meses));
    });
    return 0;
}
