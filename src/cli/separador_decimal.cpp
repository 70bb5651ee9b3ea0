#include "cli/separador_decimal.h"

#include <algorithm>
#include <cstdlib>
#include <locale>
#include <stdexcept>
#include <string>

namespace ventaro {

namespace {

// Languages whose usual decimal separator is a comma, for locales named but not installed.
constexpr std::string_view kLinguasComVirgula[] = {
    "pt", "de", "fr", "es", "it", "nl", "ru", "pl", "cs", "sk", "sl", "hr", "sr", "bg",
    "ro", "hu", "fi", "sv", "nb", "nn", "no", "da", "tr", "el", "uk", "lt", "lv", "et",
    "id", "ca", "gl", "eu", "is", "vi", "az", "be", "bs", "kk", "mk", "sq"};

}  // namespace

char SeparadorDecimalDoLocale(std::string_view nome) {
    if (nome.empty() || nome == "C" || nome == "POSIX" || nome.starts_with("C.")) return '.';
    try {
        const std::locale loc{std::string(nome)};
        return std::use_facet<std::numpunct<char>>(loc).decimal_point() == ',' ? ',' : '.';
    } catch (const std::runtime_error&) {
        // Not installed here: judge by the language code before "_", "." or "@".
        const std::string_view lingua = nome.substr(0, nome.find_first_of("_.@"));
        return std::find(std::begin(kLinguasComVirgula), std::end(kLinguasComVirgula), lingua) !=
                       std::end(kLinguasComVirgula)
                   ? ','
                   : '.';
    }
}

char SeparadorDecimalDoAmbiente() {
    for (const char* variavel : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* valor = std::getenv(variavel);
        if (valor != nullptr && *valor != '\0') return SeparadorDecimalDoLocale(valor);
    }
    return '.';
}

}  // namespace ventaro
