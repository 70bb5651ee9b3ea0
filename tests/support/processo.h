#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace ventaro::teste {

// What a finished program left: its exit code (-1 when a signal ended it) and its outputs.
struct ResultadoProcesso {
    int codigo = -1;
    std::string saida, erro;
};

// Starts the built program `programa` with `args` in `pasta`, with no display and no locale
// variables, then `ambiente` ("NOME=valor") set. Its standard output and error go to the files
// .stdout<rotulo> and .stderr<rotulo> of `pasta`, which can be read while it runs.
pid_t IniciarProcesso(const std::filesystem::path& programa, const std::vector<std::string>& args,
                      const std::filesystem::path& pasta,
                      const std::vector<std::string>& ambiente = {},
                      const std::string& rotulo = {});

// Waits for a program IniciarProcesso started; its output files are read and removed.
ResultadoProcesso EsperarProcesso(pid_t pid, const std::filesystem::path& pasta,
                                  const std::string& rotulo = {});

// IniciarProcesso and EsperarProcesso at once.
ResultadoProcesso RodarProcesso(const std::filesystem::path& programa,
                                const std::vector<std::string>& args,
                                const std::filesystem::path& pasta,
                                const std::vector<std::string>& ambiente = {});

// Waits (up to 10 s) until process `pid` blocks `sinal`, which ventaro-cli does once it waits
// for signals on a thread of its own; a signal sent before that would kill it outright.
bool EsperarSinalBloqueado(pid_t pid, int sinal);

}  // namespace ventaro::teste
