#pragma once

namespace ventaro {

class TMainFrame;

// Adds the result panels to the window. They read the window's current series, selected
// stations and run settings, and the statistics of that series, computed first if the results
// menu has not done so yet.
void RegistrarVisualizacoes(TMainFrame& janela);

}  // namespace ventaro
