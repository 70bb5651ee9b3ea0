#pragma once

#include <string>
#include <string_view>

namespace ventaro {

// A number through a format pattern of zeros with an optional point ("00000.00", "000.0",
// "00000000"): at least as many integer digits as the pattern has zeros before the point,
// padded with leading zeros, and exactly as many decimals as it has after it, with `separador`
// between. The value is taken to 15 significant digits, as it is shown everywhere else, and
// then rounded half away from zero: 1234.5 with "00000.00" is "01234,50", -20.5 with "00.00"
// is "-20,50", 1200 with "000.0" is "1200,0" and 1.005 with "0.00" is "1,01". A value that
// rounds to zero has no sign. NaN is "NAN" and the infinities "INF" and "-INF".
std::string FormatarPadrao(double v, std::string_view padrao, char separador);

}  // namespace ventaro
