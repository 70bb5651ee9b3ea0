#pragma once

#include <filesystem>

namespace ventaro {

class DialogosImportacao;
class JanelaPaineis;

// Adds the import panels to the window and enables their menu items: "De arquivo de
// texto..." and "De outro banco de dados..." (INMET), "Importar dados da ANA" and "Estimar leis
// regionais de tempestade...".
// `dialogos` must outlive the window.
void RegistrarPaineisImportacao(JanelaPaineis& janela, DialogosImportacao& dialogos,
                                const std::filesystem::path& arquivo_banco);

}  // namespace ventaro
