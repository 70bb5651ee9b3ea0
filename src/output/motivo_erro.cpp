#include "output/motivo_erro.h"

#include <cerrno>
#include <system_error>

namespace ventaro {

std::string MotivoErro(int erro) {
    switch (erro) {
        case ENOENT:
            return "a pasta não existe";
        case EACCES:
        case EPERM:
            return "permissão negada";
        case ENOSPC:
            return "não há espaço no disco";
        case EROFS:
            return "o disco é somente leitura";
        case EISDIR:
            return "o nome é de uma pasta";
        case ENOTDIR:
            return "o caminho não é uma pasta";
        case ENAMETOOLONG:
            return "o nome é longo demais";
        default:
            return std::generic_category().message(erro);
    }
}

}  // namespace ventaro
