#pragma once

#include <string>
#include <string_view>

namespace ventaro {

// UTF-8 text as plain ASCII on one line, for the files of models that read nothing else: accented
// Latin letters lose their accents ("São João" is "Sao Joao", "Ç" is "C"), the ordinal signs
// become "a" and "o", a no-break space a space, and every other character, control characters
// included, '?'.
std::string ParaAscii(std::string_view utf8);

}  // namespace ventaro
