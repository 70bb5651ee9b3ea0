#pragma once

#include <string_view>

namespace ventaro {

// Decimal separator of a locale name ("pt_BR.UTF-8" -> ','; "C", "en_US.UTF-8" -> '.'). The
// locale is asked through a std::locale object when it is installed; otherwise the language
// part of the name decides. Only '.' or ',' come out.
char SeparadorDecimalDoLocale(std::string_view nome);

// The user's decimal separator: the locale named by LC_ALL, else LC_NUMERIC, else LANG. The
// process's global locale is neither read nor changed.
char SeparadorDecimalDoAmbiente();

}  // namespace ventaro
