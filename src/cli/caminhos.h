#pragma once

#include <filesystem>

namespace ventaro {

// Folder of the running executable (from /proc/self/exe), or the current folder when it cannot
// be read.
std::filesystem::path PastaDoExecutavel();

// The station database used when --db is not given, found as the desktop program finds it:
// bd.sqlite beside the executable (the build tree) when there is one, otherwise the user's copy
// in $XDG_DATA_HOME/ventaro (~/.local/share/ventaro), made from the installed sample
// (<prefix>/share/ventaro/bd.sqlite) the first time. Fails with an ErroVentaro naming the places
// looked in when there is none.
std::filesystem::path BancoPadrao();

// Whether two paths name one file: the same file when both exist (links included), otherwise
// the same absolute path once "." , ".." and links of the existing part are resolved.
bool MesmoArquivo(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace ventaro
