#pragma once

#include <cstdint>
#include <string_view>

namespace ventaro {

// Receiver of a run's progress. The GUI posts these calls to its own thread; the command line
// draws a bar on stderr. Calls come from the thread that runs the generator.
class Progresso {
  public:
    virtual ~Progresso() = default;
    // Text of the step being simulated.
    virtual void DefinirPasso(std::string_view texto) = 0;
    // Range of the progress bar for the pass that starts.
    virtual void DefinirFaixa(int64_t minimo, int64_t maximo) = 0;
    // Day index reached; the bar's position and the years-done count follow from it.
    virtual void NotificarProgresso(int64_t dia) = 0;
};

}  // namespace ventaro
