#pragma once

#include <filesystem>

namespace ventaro {

class DialogosImportacao;
class TMainFrame;

// Adds the import panels to the main window and enables their menu items: "De arquivo de
// texto..." and "De outro banco de dados..." (INMET) and "Importar dados da ANA".
// `dialogos` must outlive the window.
void RegistrarPaineisImportacao(TMainFrame& janela, DialogosImportacao& dialogos,
                                const std::filesystem::path& arquivo_banco);

}  // namespace ventaro
