#pragma once

namespace CLI {
class App;
}

namespace ventaro {

// `importar-inmet` and `importar-ana`: new stations from INMET and ANA observations.
void RegistrarImportarInmet(CLI::App& app);
void RegistrarImportarAna(CLI::App& app);

}  // namespace ventaro
