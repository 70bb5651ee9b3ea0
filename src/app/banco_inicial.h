#pragma once

#include <filesystem>
#include <string>

namespace ventaro {

// The station database of a desktop start.
struct BancoInicial {
    // The folder handed to the main window: the one that holds bd.sqlite (beside the executable
    // in the build tree, the user's data folder when installed); the executable's folder when no
    // database was found.
    std::filesystem::path Pasta;
    // What is wrong with the database, for the user at start-up; empty when it is usable.
    std::string Problema;
};

// Finds the database as LocalizarBanco does, with the user's data folder of Qt's
// AppDataLocation (~/.local/share/ventaro); copies the installed sample there on first start;
// then checks that the database opens and holds the station tables.
BancoInicial PrepararBancoInicial(const std::filesystem::path& pasta_executavel);

}  // namespace ventaro
