#pragma once

#include <string>

namespace ventaro {

// An outer tab of a result view: its component name, its caption and the name of the inner tab
// set it holds.
struct AbaExterna {
    std::string Nome;
    std::string Legenda;
    std::string Conjunto;
};

}  // namespace ventaro
