#pragma once

#include <optional>
#include <string>

namespace ventaro {

// The identity options of the import commands, each checked on its own before anything is read:
// a code from 1 to 99999999, latitude from -90 to 90, longitude from -180 to 180 and altitude
// from -500 to 9000 m. A value outside, or not a number, fails with an ErroUso naming the
// option.
struct OpcoesIdentidade {
    const std::optional<std::string>* codigo = nullptr;
    const std::optional<std::string>* latitude = nullptr;
    const std::optional<std::string>* longitude = nullptr;
    const std::optional<std::string>* altitude = nullptr;
};
void ValidarOpcoesIdentidade(const OpcoesIdentidade& opcoes);

}  // namespace ventaro
