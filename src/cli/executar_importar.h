#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace ventaro {

// What `ventaro-cli importar-inmet` was asked. Identity options override what the file says.
struct OpcoesImportarInmet {
    std::filesystem::path banco;
    std::filesystem::path arquivo;
    std::optional<std::string> estacao;  // station inside an Access database
    std::optional<std::string> codigo, regiao, nome, municipio, latitude, longitude, altitude;
    bool substituir = false;
};

// Reads, estimates and writes one climatological station through the panels' import
// operation, printing the message lines on `saida`. Returns the number of stations written (0
// or 1); failures throw ErroVentaro with the panel's message followed by what went wrong.
int ExecutarImportarInmet(const OpcoesImportarInmet& opcoes, std::ostream& saida);

// What `ventaro-cli importar-ana` was asked.
struct OpcoesImportarAna {
    std::filesystem::path banco;
    std::vector<std::filesystem::path> arquivos;
    std::optional<std::filesystem::path> inventario;
    std::optional<std::string> estado;  // Access database: the stations of a state
    bool todas = false;                 // Access database: every state
    std::optional<std::string> estacao;
    std::optional<std::string> regiao;  // answers the region question for every station
    // Whether the region may be asked on the terminal: without it --regiao is required.
    bool entrada_interativa = true;
    bool substituir = false;
    bool manter = false;
    // Identity of a station that the inventory does not list.
    std::optional<std::string> nome, municipio, latitude, longitude, altitude;
};

// Imports the rainfall stations of HidroWeb exports or of an ANA Access database and prints
// the run's message lines ("n estações novas.", "n estações substituídas.", "Fim"). Without
// --regiao the region of each station is read from `entrada` after a prompt on `saida` (a few
// invalid answers in a row stop the run). Returns the number of stations written; when some
// stations were written and others failed, throws ErroParcial naming the failures, and when
// none was written, ErroVentaro.
int ExecutarImportarAna(const OpcoesImportarAna& opcoes, std::ostream& saida,
                        std::istream& entrada);

}  // namespace ventaro
