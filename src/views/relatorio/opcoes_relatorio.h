#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/executar.h"

namespace ventaro {

// What ventaro-relatorio was asked: the stations and run settings of `ventaro-cli gerar` and the
// folder of the report.
struct OpcoesRelatorio {
    OpcoesGerar Geracao;
    std::filesystem::path Pasta;
    bool Ajuda = false;
};

// Reads the arguments after the program's name: --db ARQ, --pluviometrica COD (required),
// --climatologica COD, --anos N, --a-partir ANO, --sem-correcao, --variaveis LISTA and
// --pasta DIR (required), as "--opcao valor" or "--opcao=valor"; -h or --help asks for the
// help. A missing, unknown or repeated option throws ErroUso.
OpcoesRelatorio LerOpcoesRelatorio(const std::vector<std::string>& argumentos);

// The text of --help.
std::string AjudaRelatorio();

}  // namespace ventaro
