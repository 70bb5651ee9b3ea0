#pragma once

#include <string>
#include <string_view>

namespace ventaro {

// Converts UTF-8 text to Windows-1252, the character set of the series file. A character that
// Windows-1252 cannot represent, and every malformed UTF-8 sequence, becomes '?'.
std::string ParaWindows1252(std::string_view utf8);

}  // namespace ventaro
