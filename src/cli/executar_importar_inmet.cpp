#include <ostream>
#include <string>

#include "cli/decisoes_terminal.h"
#include "cli/executar_importar.h"
#include "cli/opcoes_identidade.h"
#include "core/erro.h"
#include "import/erro_importacao.h"
#include "import/importacao_ana.h"
#include "import/importacao_inmet.h"

namespace ventaro {

int ExecutarImportarInmet(const OpcoesImportarInmet& o, std::ostream& saida) {
    ValidarOpcoesIdentidade({&o.codigo, &o.latitude, &o.longitude, &o.altitude});
    DecisoesTerminalInmet decisoes(o.substituir);
    const LeituraInmet leitura =
        LerImportacaoInmet(o.arquivo, decisoes, FonteInmet::Arquivo, o.estacao);
    for (const std::string& aviso : leitura.Avisos()) saida << "Aviso: " << aviso << "\n";

    TextoIdentidade texto = IdentidadeDoArquivo(leitura.Registro.Identidade);
    auto sobrepor = [](std::string& campo, const std::optional<std::string>& valor) {
        if (valor) campo = *valor;
    };
    sobrepor(texto.Codigo, o.codigo);
    sobrepor(texto.Regiao, o.regiao);
    sobrepor(texto.Nome, o.nome);
    sobrepor(texto.Municipio, o.municipio);
    sobrepor(texto.Latitude, o.latitude);
    sobrepor(texto.Longitude, o.longitude);
    sobrepor(texto.Altitude, o.altitude);

    GravacaoInmet gravacao;
    try {
        gravacao = GravarImportacaoInmet(o.banco, leitura, texto, decisoes);
    } catch (const ErroImportacao& e) {
        if (!decisoes.SubstituicaoRecusada()) throw;
        throw ErroVentaro(std::string(e.what()) +
                          " Use --substituir para substituir todos os dados referentes à esta "
                          "estação.");
    }
    const bool nova = gravacao.Resultado == ResultadoGravacao::Nova;
    saida << "Estação " << texto.Codigo << " (" << gravacao.Identidade.Nome
          << "): " << gravacao.NumAnos << " anos.\n";
    for (const std::string& linha : LinhasDeContagem(nova ? 1 : 0, nova ? 0 : 1)) {
        saida << linha << "\n";
    }
    return 1;
}

}  // namespace ventaro
