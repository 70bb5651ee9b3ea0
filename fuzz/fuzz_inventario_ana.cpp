// The ANA station inventory reader.
#include "arquivo_fuzz.h"
#include "import/chuvas_ana.h"
#include "import/origem_ana.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
    using namespace ventaro;
    const auto arquivo = fuzz::EscreverEntrada(dados, tamanho, ".csv");
    fuzz::Recusavel([&] {
        for (const auto& [codigo, estacao] : LerInventarioAna(arquivo)) {
            if (estacao.Latitude && estacao.Longitude) {
                CodigoConfereCoordenadas(codigo, *estacao.Latitude, *estacao.Longitude);
            }
            CodigoAna8(codigo);
        }
    });
    return 0;
}
