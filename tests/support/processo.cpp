#include "support/processo.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace ventaro::teste {

namespace {

std::string LerERemover(const std::filesystem::path& arquivo) {
    std::string texto;
    {
        std::ifstream in(arquivo, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        texto = s.str();
    }
    std::error_code ec;
    std::filesystem::remove(arquivo, ec);
    return texto;
}

}  // namespace

pid_t IniciarProcesso(const std::filesystem::path& programa, const std::vector<std::string>& args,
                      const std::filesystem::path& pasta, const std::vector<std::string>& ambiente,
                      const std::string& rotulo) {
    const std::filesystem::path saida = pasta / (".stdout" + rotulo);
    const std::filesystem::path erro = pasta / (".stderr" + rotulo);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    // The child: its folder, outputs and environment, then the program.
    if (::chdir(pasta.c_str()) != 0) ::_exit(126);
    const int fd_saida = ::open(saida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fd_erro = ::open(erro.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd_saida < 0 || fd_erro < 0) ::_exit(126);
    ::dup2(fd_saida, STDOUT_FILENO);
    ::dup2(fd_erro, STDERR_FILENO);
    for (const char* v :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_NUMERIC", "LANG"}) {
        ::unsetenv(v);
    }
    for (const auto& v : ambiente) {
        const auto igual = v.find('=');
        ::setenv(v.substr(0, igual).c_str(), v.substr(igual + 1).c_str(), 1);
    }
    std::vector<char*> argv{const_cast<char*>(programa.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(programa.c_str(), argv.data());
    ::_exit(127);
}

ResultadoProcesso EsperarProcesso(pid_t pid, const std::filesystem::path& pasta,
                                  const std::string& rotulo) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    ResultadoProcesso r;
    r.codigo = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.saida = LerERemover(pasta / (".stdout" + rotulo));
    r.erro = LerERemover(pasta / (".stderr" + rotulo));
    return r;
}

ResultadoProcesso RodarProcesso(const std::filesystem::path& programa,
                                const std::vector<std::string>& args,
                                const std::filesystem::path& pasta,
                                const std::vector<std::string>& ambiente) {
    return EsperarProcesso(IniciarProcesso(programa, args, pasta, ambiente), pasta);
}

bool EsperarSinalBloqueado(pid_t pid, int sinal) {
    const std::string status = "/proc/" + std::to_string(pid) + "/status";
    for (int tentativa = 0; tentativa < 10000; ++tentativa) {
        std::ifstream arquivo(status);
        std::string linha;
        while (std::getline(arquivo, linha)) {
            if (linha.rfind("SigBlk:", 0) != 0) continue;
            const unsigned long long mascara = std::stoull(linha.substr(7), nullptr, 16);
            if (mascara >> (sinal - 1) & 1ULL) return true;
        }
        ::usleep(1000);
    }
    return false;
}

}  // namespace ventaro::teste
