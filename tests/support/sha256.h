#pragma once

#include <string>
#include <string_view>

namespace ventaro::teste {

// SHA-256 of `dados` as 64 lower-case hexadecimal digits, as sha256sum prints it (FIPS 180-4).
std::string Sha256(std::string_view dados);

}  // namespace ventaro::teste
