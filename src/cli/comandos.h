#pragma once

namespace CLI {
class App;
}

namespace ventaro {

// Each adds its subcommand, with options and callback, to the application.
void RegistrarEstacoes(CLI::App& app);
void RegistrarGerar(CLI::App& app);
void RegistrarEstimarRegiao(CLI::App& app);

}  // namespace ventaro
