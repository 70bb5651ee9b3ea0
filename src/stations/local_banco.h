#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ventaro {

// The folders where the station database may be.
struct LocaisBanco {
    // The running program's folder. A bd.sqlite there (the build tree, a copy carried on a
    // removable disk) is used where it is.
    std::filesystem::path PastaExecutavel;
    // Where an installation keeps its read-only data, in order: <prefix>/share beside the
    // executable's bin folder first, then the system's data folders. The sample database is
    // ventaro/bd.sqlite in one of them.
    std::vector<std::filesystem::path> PastasDados;
    // The user's data folder of the program (~/.local/share/ventaro): the database an installed
    // program works on.
    std::filesystem::path PastaUsuario;
};

// The folders of a program whose executable is in `pasta_executavel`, from the XDG variables of
// the environment: the user's folder is $XDG_DATA_HOME/ventaro (~/.local/share/ventaro when it
// is not set), the system's data folders those of $XDG_DATA_DIRS (/usr/local/share and
// /usr/share when it is not set). The desktop program reaches the same user folder through
// Qt's AppDataLocation.
LocaisBanco LocaisPadrao(const std::filesystem::path& pasta_executavel);

struct BancoLocalizado {
    std::filesystem::path Arquivo;  // the database to open
    std::filesystem::path Amostra;  // the installed sample it was copied from; empty if none
    bool Copiado = false;           // the copy was made now (the user's first start)
};

// The station database to work on:
//  1. bd.sqlite beside the executable, when there is one;
//  2. otherwise bd.sqlite in the user's folder, when there is one;
//  3. otherwise the installed sample is copied there first (a private name, then linked into
//     place, so two programs starting together never see half a copy) and the copy is used.
// The installation itself is never written. Fails with an ErroVentaro naming every place
// looked in when there is no database anywhere, or naming the folder and the reason when the
// copy cannot be made.
BancoLocalizado LocalizarBanco(const LocaisBanco& locais);

// Opens `arquivo` for reading and checks that it holds the station tables and is not damaged.
// Fails with an ErroVentaro naming the file and what is wrong (missing, unreadable, not a
// database, damaged, a table missing).
void VerificarBancoEstacoes(const std::filesystem::path& arquivo);

}  // namespace ventaro
