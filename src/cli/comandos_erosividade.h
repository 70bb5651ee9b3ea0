#pragma once

namespace CLI {
class App;
}

namespace ventaro {

// `erosividade` and `erosividade-juntar`: erosivity batches, whole or split into parts, and the
// merge of the parts.
void RegistrarErosividade(CLI::App& app);
void RegistrarErosividadeJuntar(CLI::App& app);

}  // namespace ventaro
