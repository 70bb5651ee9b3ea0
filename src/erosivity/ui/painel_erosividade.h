#pragma once

#include <QString>
#include <filesystem>
#include <functional>

#include "core/configuracao_serie.h"

namespace ventaro {

class JanelaPaineis;
class TfrmErosividade;

// The folder the erosivity panel offers for its files: "Ventaro" in the user's documents folder.
QString PastaSaidaErosividadePadrao();

// Adds the erosivity panel to the window. The menu item "Erosividade" (mmiErosividade1), which
// the window keeps out of sight, shows it, and so does AbrirPainelErosividade. `configuracao`
// gives the window's current settings (first year, corrections).
TfrmErosividade* RegistrarPainelErosividade(JanelaPaineis& janela,
                                            const std::filesystem::path& arquivo_banco,
                                            std::function<ConfiguracaoSerie()> configuracao);

// Shows the panel as its menu item does: the other panels hidden, the status "Erosividade",
// the states listed (a database failure is reported).
void AbrirPainelErosividade(JanelaPaineis& janela, TfrmErosividade& painel);

}  // namespace ventaro
