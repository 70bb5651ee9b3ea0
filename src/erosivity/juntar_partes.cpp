#include "erosivity/juntar_partes.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/erro.h"
#include "erosivity/gravar_erosividade.h"
#include "erosivity/registro_lote.h"
#include "output/formato_padrao.h"
#include "output/texto_windows1252.h"

namespace ventaro {

namespace {

struct Parte {
    std::filesystem::path pasta;
    RegistroLote registro;
};

// A station of the merged batch: its part and its entry there.
struct Entrada {
    std::size_t parte;
    const RegistroLote::Estacao* estacao;
};

std::vector<std::string> LinhasArquivo(const std::filesystem::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    if (!in) throw ErroVentaro("Não foi possível ler o arquivo " + arquivo.string() + ".");
    std::ostringstream s;
    s << in.rdbuf();
    const std::string texto = s.str();
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        const auto fim = texto.find("\r\n", inicio);
        if (fim == std::string::npos) {
            throw ErroVentaro("O arquivo " + arquivo.string() + " termina no meio de uma linha.");
        }
        linhas.push_back(texto.substr(inicio, fim - inicio));
        inicio = fim + 2;
    }
    return linhas;
}

void ConferirCompatibilidade(const Parte& a, const Parte& b) {
    const RegistroLote& x = a.registro;
    const RegistroLote& y = b.registro;
    if (x.NumPartes != y.NumPartes || x.Lote != y.Lote || x.NumAnos != y.NumAnos ||
        x.APartir != y.APartir || x.Correcao != y.Correcao) {
        throw ErroVentaro("As pastas " + a.pasta.string() + " e " + b.pasta.string() +
                          " não são partes do mesmo lote (estações, número de partes, anos, ano "
                          "inicial ou correção diferentes).");
    }
    if (x.Parte == y.Parte) {
        throw ErroVentaro("As pastas " + a.pasta.string() + " e " + b.pasta.string() +
                          " têm a mesma parte " + std::to_string(x.Parte) + "/" +
                          std::to_string(x.NumPartes) + ".");
    }
}

}  // namespace

ResultadoJuntar JuntarPartes(const std::filesystem::path& destino,
                             const std::vector<std::filesystem::path>& pastas,
                             ExportadorPlanilha& planilha) {
    if (pastas.empty()) throw ErroVentaro("Nenhuma pasta de parte para juntar.");
    std::vector<Parte> partes;
    for (const auto& pasta : pastas) {
        std::error_code ec;
        if (std::filesystem::equivalent(pasta, destino, ec)) {
            throw ErroVentaro("A pasta de destino " + destino.string() +
                              " não pode ser uma das partes.");
        }
        Parte parte{pasta, LerRegistroLote(ArquivoRegistroLote(PastaTeste2(pasta)))};
        if (!parte.registro.Concluido) {
            throw ErroVentaro("A parte em " + pasta.string() +
                              " não chegou ao fim (foi cancelada ou falhou); rode-a de novo.");
        }
        for (const Parte& outra : partes) ConferirCompatibilidade(outra, parte);
        partes.push_back(std::move(parte));
    }
    const int num_partes = partes.front().registro.NumPartes;
    if (static_cast<int>(partes.size()) != num_partes) {
        std::string faltam;
        for (int k = 1; k <= num_partes; ++k) {
            const bool tem = std::any_of(partes.begin(), partes.end(),
                                         [k](const Parte& p) { return p.registro.Parte == k; });
            if (!tem) faltam += (faltam.empty() ? "" : ", ") + std::to_string(k);
        }
        throw ErroVentaro("Faltam partes do lote de " + std::to_string(num_partes) +
                          " partes: " + faltam + ".");
    }

    // Every station of every part, checked against its part's positions, in batch order.
    std::vector<Entrada> entradas;
    for (std::size_t i = 0; i < partes.size(); ++i) {
        const RegistroLote& r = partes[i].registro;
        std::size_t esperada = static_cast<std::size_t>(r.Parte - 1);
        for (const RegistroLote::Estacao& e : r.Estacoes) {
            if (esperada >= r.Lote.size() || static_cast<std::size_t>(e.Posicao - 1) != esperada ||
                e.Codigo != r.Lote[esperada]) {
                throw ErroVentaro("O registro do lote em " + partes[i].pasta.string() +
                                  " não corresponde às estações da parte " +
                                  std::to_string(r.Parte) + "/" + std::to_string(r.NumPartes) +
                                  ".");
            }
            esperada += static_cast<std::size_t>(r.NumPartes);
            entradas.push_back({i, &e});
        }
        if (esperada < r.Lote.size()) {
            throw ErroVentaro("O registro do lote em " + partes[i].pasta.string() +
                              " não tem todas as estações da parte.");
        }
    }
    std::sort(entradas.begin(), entradas.end(), [](const Entrada& a, const Entrada& b) {
        return a.estacao->Posicao < b.estacao->Posicao;
    });

    // Every text file of every part is read and checked before anything is written: its
    // header, then for each computed station of the part its lines, which start with its code.
    const RegistroLote& modelo = partes.front().registro;
    struct ArquivoJunto {
        std::filesystem::path destino;
        std::array<std::string, 3> cabecalho;
        std::vector<std::string> linhas;
    };
    std::vector<ArquivoJunto> arquivos;
    for (const bool media : {false, true}) {
        for (int j = 1; j <= kNumPeriodos; ++j) {
            const std::size_t por_estacao = media ? 1 : modelo.NumAnos;
            // Lines of each part's stations, in that part's order.
            std::vector<std::vector<std::string>> blocos(partes.size());
            std::vector<std::size_t> proximo(partes.size(), 0);
            const auto cabecalho = CabecalhoErosividade(j, media);
            for (std::size_t i = 0; i < partes.size(); ++i) {
                const auto& r = partes[i].registro;
                const auto calculadas = static_cast<std::size_t>(
                    std::count_if(r.Estacoes.begin(), r.Estacoes.end(),
                                  [](const RegistroLote::Estacao& e) { return e.Calculada; }));
                const auto arquivo = ArquivoErosividade(PastaTeste2(partes[i].pasta), j, media);
                if (calculadas == 0 && !std::filesystem::exists(arquivo)) continue;
                std::vector<std::string> linhas = LinhasArquivo(arquivo);
                bool confere = linhas.size() == 3 + calculadas * por_estacao;
                for (std::size_t h = 0; confere && h < 3; ++h) {
                    confere = linhas[h] == ParaWindows1252(cabecalho[h]);
                }
                std::size_t l = 3;
                for (const auto& e : r.Estacoes) {
                    if (!confere || !e.Calculada) continue;
                    const std::string codigo =
                        FormatarPadrao(e.Erosividade.CodEstacao, "00000000", ',') + " ";
                    for (std::size_t k = 0; confere && k < por_estacao; ++k, ++l) {
                        confere = linhas[l].starts_with(codigo);
                    }
                }
                if (!confere) {
                    throw ErroVentaro("O arquivo " + arquivo.string() +
                                      " não tem exatamente as linhas da parte registrada em " +
                                      ArquivoRegistroLote(PastaTeste2(partes[i].pasta)).string() +
                                      " (a pasta recebeu outros lotes?).");
                }
                linhas.erase(linhas.begin(), linhas.begin() + 3);
                blocos[i] = std::move(linhas);
            }
            ArquivoJunto junto{ArquivoErosividade(PastaTeste2(destino), j, media), cabecalho, {}};
            for (const Entrada& e : entradas) {
                if (!e.estacao->Calculada) continue;
                auto& bloco = blocos[e.parte];
                auto& p = proximo[e.parte];
                for (std::size_t k = 0; k < por_estacao; ++k) {
                    junto.linhas.push_back(std::move(bloco[p++]));
                }
            }
            if (!junto.linhas.empty()) arquivos.push_back(std::move(junto));
        }
    }

    // The whole batch's files.
    const std::filesystem::path teste2 = PastaTeste2(destino);
    CriarPastasErosividade(teste2);
    RegistroLote todo = modelo;
    todo.Parte = 1;
    todo.NumPartes = 1;
    GravadorRegistroLote gravador(ArquivoRegistroLote(teste2), todo);
    for (const ArquivoJunto& a : arquivos) AcrescentarLinhas(a.destino, a.cabecalho, a.linhas);

    ResultadoJuntar resultado;
    PrepararPlanilha(planilha);
    try {
        for (const Entrada& e : entradas) {
            gravador.Acrescentar(*e.estacao);
            if (e.estacao->Calculada) {
                ++resultado.Calculadas;
                EscreverLinhaPlanilha(planilha, resultado.Calculadas + 1, e.estacao->Erosividade);
            } else {
                resultado.Ignoradas.push_back({e.estacao->Codigo, e.estacao->Motivo});
            }
        }
        planilha.SalvarComo(teste2 / "erosividade.xlsx");
    } catch (...) {
        planilha.Encerrar();
        throw;
    }
    planilha.Encerrar();
    gravador.Concluir();
    return resultado;
}

}  // namespace ventaro
