#include "erosivity/estacoes_lote.h"

#include <cerrno>
#include <fstream>
#include <set>
#include <sstream>

#include "core/erro.h"
#include "output/motivo_erro.h"

namespace ventaro {

std::vector<Estado> ListarEstados(BancoDados& banco) {
    banco.VerificarTabelas({"Estado"});
    Consulta consulta(banco, "Select Nome, Codigo from Estado where Codigo < 30 order by Nome");
    std::vector<Estado> estados;
    while (consulta.Proxima()) {
        estados.push_back(
            {static_cast<int32_t>(consulta.Inteiro("Codigo")), consulta.Texto("Nome")});
    }
    return estados;
}

int ContarEstacoesEstado(BancoDados& banco, int32_t cod_estado) {
    banco.VerificarTabelas({"EstacaoPrec", "Estacao"});
    Consulta consulta(banco,
                      "Select CodEstacao from EstacaoPrec where CodEstacao in (Select Codigo "
                      "from Estacao where CodEstado = :Cod)");
    consulta.Bind(":Cod", std::to_string(cod_estado));
    int n = 0;
    while (consulta.Proxima()) ++n;
    return n;
}

std::vector<std::string> EstacoesDoEstado(BancoDados& banco, int32_t cod_estado) {
    banco.VerificarTabelas({"EstacaoPrec", "Estacao"});
    Consulta consulta(banco,
                      "select CodEstacao from EstacaoPrec where CodEstacao in (Select Codigo from "
                      "Estacao where CodEstado = :CodEstado) order by CodEstacao");
    consulta.Bind(":CodEstado", static_cast<int64_t>(cod_estado));
    std::vector<std::string> codigos;
    while (consulta.Proxima()) codigos.push_back(consulta.Texto("CodEstacao"));
    return codigos;
}

std::vector<std::string> LerListaEstacoes(const std::filesystem::path& arquivo) {
    errno = 0;
    std::ifstream in(arquivo, std::ios::binary);
    if (!in) {
        throw ErroVentaro("Não foi possível abrir o arquivo de estações " + arquivo.string() +
                          ": " + MotivoErro(errno != 0 ? errno : ENOENT) + ".");
    }
    std::ostringstream conteudo;
    conteudo << in.rdbuf();
    if (in.bad()) {
        throw ErroVentaro("Não foi possível ler o arquivo de estações " + arquivo.string() + ".");
    }
    std::string texto = conteudo.str();
    if (texto.starts_with("\xEF\xBB\xBF")) texto.erase(0, 3);

    std::vector<std::string> codigos;
    std::set<std::string> vistos;
    std::istringstream linhas(texto);
    for (std::string linha; std::getline(linhas, linha);) {
        const auto inicio = linha.find_first_not_of(" \t\r");
        if (inicio == std::string::npos) continue;
        const auto fim = linha.find_last_not_of(" \t\r");
        std::string codigo = linha.substr(inicio, fim - inicio + 1);
        // "02345024" and "2345024" are one station: the database holds codes as numbers.
        std::string chave = codigo;
        if (chave.find_first_not_of("0123456789") == std::string::npos) {
            chave.erase(0, std::min(chave.find_first_not_of('0'), chave.size() - 1));
        }
        if (vistos.insert(chave).second) codigos.push_back(std::move(codigo));
    }
    return codigos;
}

}  // namespace ventaro
