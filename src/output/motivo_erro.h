#pragma once

#include <string>

namespace ventaro {

// The reason of a failed file operation (an errno value), in Portuguese for the usual cases and
// in the system's words otherwise.
std::string MotivoErro(int erro);

}  // namespace ventaro
