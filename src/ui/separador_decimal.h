#pragma once

namespace ventaro {

// Decimal separator of the user's regional settings, for numbers the program writes or shows;
// "." when the settings name one that is not a single ASCII character.
char SeparadorDecimalDoSistema();

}  // namespace ventaro
