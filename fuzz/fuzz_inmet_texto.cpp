// The INMET daily text file reader, then the climate estimation of what it read.
#include "arquivo_fuzz.h"
#include "import/importacao_inmet.h"
#include "import/leitor_inmet_texto.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
    using namespace ventaro;
    const auto arquivo = fuzz::EscreverEntrada(dados, tamanho, ".txt");
    fuzz::Recusavel([&] {
        RegistroClima registro = LerInmetTexto(arquivo, kLatitudePadrao);
        if (registro.NumAnos() >= 1) EstimarEstacaoClima(registro, -15.5);
    });
    return 0;
}
