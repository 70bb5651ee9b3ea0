// Telling the input formats apart by their content.
#include "arquivo_fuzz.h"
#include "import/formato_arquivo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
    using namespace ventaro;
    const auto arquivo = fuzz::EscreverEntrada(dados, tamanho, ".txt");
    fuzz::Recusavel([&] { NomeFormato(DetectarFormato(arquivo)); });
    return 0;
}
