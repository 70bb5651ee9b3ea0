#pragma once

#include <filesystem>

namespace ventaro {

// Folder of the running executable (from /proc/self/exe), or the current folder when it cannot
// be read.
std::filesystem::path PastaDoExecutavel();

// The station database used when --db is not given: bd.sqlite beside the executable.
std::filesystem::path BancoPadrao();

}  // namespace ventaro
