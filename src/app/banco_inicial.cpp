#include "app/banco_inicial.h"

#include <QFile>
#include <QStandardPaths>
#include <exception>

#include "stations/local_banco.h"

namespace ventaro {

BancoInicial PrepararBancoInicial(const std::filesystem::path& pasta_executavel) {
    LocaisBanco locais = LocaisPadrao(pasta_executavel);
    const QString usuario = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!usuario.isEmpty()) locais.PastaUsuario = QFile::encodeName(usuario).toStdString();
    BancoInicial inicial{pasta_executavel, {}};
    try {
        const BancoLocalizado banco = LocalizarBanco(locais);
        inicial.Pasta = banco.Arquivo.parent_path();
        VerificarBancoEstacoes(banco.Arquivo);
    } catch (const std::exception& erro) {
        inicial.Problema = erro.what();
    }
    return inicial;
}

}  // namespace ventaro
