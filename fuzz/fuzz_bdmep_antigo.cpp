// The old BDMEP daily export reader (two or three rows a day), then the year records and the
// climate estimation.
#include "arquivo_fuzz.h"
#include "import/importacao_inmet.h"
#include "import/leitor_bdmep.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
    using namespace ventaro;
    const auto arquivo = fuzz::EscreverEntrada(dados, tamanho, ".txt");
    fuzz::Recusavel([&] {
        const LeituraDiaria leitura = LerBdmepAntigo(arquivo);
        const double latitude = leitura.Identidade.Latitude.value_or(kLatitudePadrao);
        RegistroClima registro = MontarRegistro(leitura.Dias, latitude);
        if (registro.NumAnos() >= 1) EstimarEstacaoClima(registro, latitude);
    });
    return 0;
}
