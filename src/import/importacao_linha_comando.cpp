#include "import/importacao_linha_comando.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <istream>
#include <map>
#include <ostream>
#include <set>

#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/importacao_ana.h"
#include "import/importacao_inmet.h"
#include "import/texto.h"
#include "stations/banco_dados.h"
#include "stations/gravacao_estacao.h"

namespace ventaro {

namespace {

void Linhas(std::ostream& saida, const std::vector<std::string>& linhas) {
    for (const std::string& l : linhas) saida << l << "\n";
}

std::vector<std::string> Contagens(int novas, int substituidas) {
    return {novas == 1 ? "1 estação nova." : std::to_string(novas) + " estações novas.",
            substituidas == 1 ? "1 estação substituída."
                              : std::to_string(substituidas) + " estações substituídas.",
            "Fim"};
}

}  // namespace

int ExecutarImportarInmet(const OpcoesImportarInmet& o, std::ostream& saida) {
    if (DetectarFormato(o.arquivo) == FormatoArquivo::AccessMdb && !o.estacao) {
        std::string codigos;
        for (const std::string& c : EstacoesInmetMdb(o.arquivo)) {
            codigos += (codigos.empty() ? "" : ", ") + c;
        }
        throw ErroVentaro("Escolha a estação do banco de dados com --estacao (estações: " +
                          (codigos.empty() ? std::string("nenhuma") : codigos) + ").");
    }
    LeituraInmet leitura;
    try {
        leitura = LerArquivoInmet(o.arquivo, o.estacao);
    } catch (const ErroVentaro& e) {
        throw ErroVentaro(
            "Erro ao ler arquivo. Verifique se o formato do arquivo selecionado é "
            "válido. " +
            std::string(e.what()));
    }
    if (!leitura.DadosSuficientes()) {
        throw ErroVentaro(leitura.MensagemDadosInsuficientes() + " (" + o.arquivo.string() + ": " +
                          std::to_string(leitura.Registro.NumAnos()) + " ano(s) válido(s), " +
                          "são precisos " + std::to_string(leitura.MinimoAnos) + ")");
    }

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
    const auto validacao = ValidarIdentidadeClima(texto);
    if (const auto* mensagem = std::get_if<std::string>(&validacao)) {
        throw ErroVentaro(*mensagem + ".");
    }
    const IdentidadeEstacao identidade = std::get<IdentidadeEstacao>(validacao);

    ParametrosClima parametros;
    try {
        // Radiation at the station's own latitude, whatever the reader assumed.
        parametros = EstimarEstacaoClima(leitura.Registro, identidade.Latitude);
    } catch (const ErroVentaro& e) {
        throw ErroVentaro(std::string(leitura.Formato == FormatoArquivo::AccessMdb
                                          ? "Erro ao ler dados. Verifique se o formato do "
                                            "banco de dados selecionado é válido. "
                                          : "Erro ao ler arquivo. Verifique se o formato do "
                                            "arquivo selecionado é válido. ") +
                          e.what());
    }

    BancoDados banco(o.banco, BancoDados::Modo::Escrita);
    if (ExisteEstacaoClima(banco, identidade.Codigo) && !o.substituir) {
        throw ErroVentaro("Já existe uma estação cadastrada com este código (" + texto.Codigo +
                          "); use --substituir para substituir todos os dados referentes à "
                          "esta estação. Não foi possível gravar os dados da estação");
    }
    ResultadoGravacao r;
    try {
        r = GravarEstacaoClima(banco, identidade, parametros.Dados, parametros.NumAnos);
    } catch (const ErroVentaro& e) {
        throw ErroVentaro("Não foi possível gravar os dados da estação. " + std::string(e.what()));
    }
    const bool nova = r == ResultadoGravacao::Nova;
    saida << "Estação " << texto.Codigo << " (" << identidade.Nome << "): " << parametros.NumAnos
          << " anos.\n";
    Linhas(saida, Contagens(nova ? 1 : 0, nova ? 0 : 1));
    return 1;
}

namespace {

// Decisions taken from the command line's flags, the region asked on the terminal when no
// flag gives it.
class DecisoesLinhaComando : public DecisoesImportacaoAna {
  public:
    DecisoesLinhaComando(const OpcoesImportarAna& o, std::ostream& saida, std::istream& entrada)
        : o_(o), saida_(saida), entrada_(entrada) {}

    RespostaSubstituir Substituir(const std::string& codigo8) override {
        if (o_.substituir) return RespostaSubstituir::SimParaTodos;
        if (!o_.manter) {
            saida_ << "A estação " << codigo8
                   << " já está no banco de dados; mantida (use --substituir para "
                      "substituí-la).\n";
        }
        return RespostaSubstituir::Nao;
    }

    std::optional<int> Regiao(const EstacaoAna& estacao) override {
        if (o_.regiao) return RegiaoValida(*o_.regiao);
        // An integer outside 1..7 asks again; the end of the input cancels.
        while (true) {
            saida_ << TextoPerguntaRegiao(estacao) << "> " << std::flush;
            std::string linha;
            if (!std::getline(entrada_, linha)) {
                saida_ << "\n";
                return std::nullopt;
            }
            const auto r = LerInteiro(linha);
            if (r && *r >= 1 && *r <= 7) return static_cast<int>(*r);
        }
    }

    static int RegiaoValida(const std::string& texto) {
        const auto r = LerInteiro(texto);
        if (!r || *r < 1 || *r > 7) {
            throw ErroVentaro("Região inválida: \"" + texto + "\" (use um número de 1 a 7).");
        }
        return static_cast<int>(*r);
    }

  private:
    const OpcoesImportarAna& o_;
    std::ostream& saida_;
    std::istream& entrada_;
};

// Identity of a station from the inventory, or from the flags when it is not listed.
std::optional<EstacaoAna> IdentidadeAna(int64_t codigo, const OpcoesImportarAna& o,
                                        const std::map<int64_t, EstacaoAna>& inventario,
                                        std::string& erro) {
    if (const auto it = inventario.find(codigo); it != inventario.end()) {
        EstacaoAna e = it->second;
        if (o.nome) e.Nome = *o.nome;
        if (o.municipio) e.Municipio = *o.municipio;
        return e;
    }
    if (!o.nome || !o.latitude || !o.longitude) {
        erro = "A estação " + CodigoAna8(codigo) +
               " não está no inventário: informe --inventario, ou --nome, --latitude e "
               "--longitude.";
        return std::nullopt;
    }
    EstacaoAna e;
    e.Codigo = codigo;
    e.Nome = *o.nome;
    e.Municipio = o.municipio.value_or("");
    e.Latitude = LerDecimal(*o.latitude);
    e.Longitude = LerDecimal(*o.longitude);
    e.Altitude = o.altitude ? LerDecimal(*o.altitude) : std::nullopt;
    if (!e.Latitude || !e.Longitude || (o.altitude && !e.Altitude)) {
        erro = "Os valores para latitude, longitude e altitude devem ser números reais.";
        return std::nullopt;
    }
    return e;
}

void Relatar(ImportacaoAna& run, ImportacaoAna::Resultado r, const EstacaoAna& e,
             std::ostream& saida) {
    const std::string codigo8 = CodigoAna8(e.Codigo);
    switch (r) {
        case ImportacaoAna::Resultado::Nova:
        case ImportacaoAna::Resultado::Substituida:
            saida << "Estação " << codigo8 << " (" << e.Nome << "): " << run.UltimoNumAnos()
                  << " anos.\n";
            break;
        case ImportacaoAna::Resultado::PoucosAnos:
            saida << "Estação " << codigo8 << ": " << run.UltimoNumAnos()
                  << " anos completos, menos que " << kMinimoAnosPrec << "; não importada.\n";
            break;
        case ImportacaoAna::Resultado::Erro:
            saida << run.Mensagens().back() << "\n";
            break;
        default:
            break;
    }
}

void ImportarAccess(const std::filesystem::path& arquivo, const OpcoesImportarAna& o,
                    ImportacaoAna& run, std::ostream& saida) {
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    CopiarCadastroAna(arquivo, db);
    OrigemAna origem(db);
    // The stations to import, by state.
    std::vector<std::pair<std::string, std::vector<EstacaoAna>>> estados;
    if (o.estacao) {
        const auto codigo = LerInteiro(*o.estacao);
        if (!codigo) throw ErroVentaro("Código de estação inválido: " + *o.estacao + ".");
        const auto e = origem.Estacao(*codigo);
        if (!e) {
            throw ErroVentaro("A estação " + *o.estacao + " não está na tabela Estacao de " +
                              arquivo.string() + ".");
        }
        estados.push_back({"", {*e}});
    } else if (o.estado || o.todas) {
        const std::vector<std::string> nomes =
            o.todas ? origem.Estados() : std::vector<std::string>{*o.estado};
        for (const std::string& nome : nomes) {
            const auto codigo = origem.CodigoEstado(nome);
            if (!codigo) {
                if (!o.todas) {
                    throw ErroVentaro("O estado " + nome + " não está na tabela ESTADO de " +
                                      arquivo.string() + ".");
                }
                run.Mensagem("Erro importando estado " + nome + ".");
                continue;
            }
            estados.push_back({nome, origem.EstacoesDoEstado(*codigo)});
        }
    } else {
        throw ErroVentaro("Escolha as estações do banco de dados " + arquivo.string() +
                          " com --estacao, --estado ou --todas.");
    }
    std::set<int64_t> codigos;
    for (const auto& [nome, lista] : estados) {
        for (const EstacaoAna& e : lista) codigos.insert(e.Codigo);
    }
    try {
        CopiarChuvasAna(arquivo, db, codigos);
    } catch (const std::exception&) {
        run.Mensagem("Erro: Tabela Chuvas.");
        saida << "Erro: Tabela Chuvas.\n";
        return;
    }
    for (const auto& [nome, lista] : estados) {
        try {
            for (const EstacaoAna& listada : lista) {
                std::vector<MesChuva> meses;
                try {
                    meses = origem.Chuvas(listada.Codigo);
                } catch (const std::exception&) {
                    run.Mensagem("Erro: Tabela Chuvas.");
                    saida << "Erro: Tabela Chuvas.\n";
                    continue;
                }
                const EstacaoAna e = origem.Estacao(listada.Codigo).value_or(listada);
                Relatar(run, run.ImportarEstacao(e, std::move(meses)), e, saida);
            }
        } catch (const std::exception&) {
            if (nome.empty()) throw;
            run.Mensagem("Erro importando estado " + nome + ".");
            saida << "Erro importando estado " << nome << ".\n";
        }
    }
}

}  // namespace

int ExecutarImportarAna(const OpcoesImportarAna& o, std::ostream& saida, std::istream& entrada) {
    if (o.substituir && o.manter) {
        throw ErroVentaro("Use --substituir ou --manter, não os dois.");
    }
    if (o.regiao) DecisoesLinhaComando::RegiaoValida(*o.regiao);
    std::map<int64_t, EstacaoAna> inventario;
    if (o.inventario) inventario = LerInventarioAna(*o.inventario);
    // Formats first, so that a file in no known format stops the run before anything is
    // written.
    std::vector<FormatoArquivo> formatos;
    for (const auto& arquivo : o.arquivos) {
        const FormatoArquivo f = DetectarFormato(arquivo);
        if (f != FormatoArquivo::HidrowebCsv && f != FormatoArquivo::HidrowebTxt &&
            f != FormatoArquivo::AccessMdb) {
            throw ErroVentaro("O arquivo " + arquivo.string() + " é uma " + NomeFormato(f) +
                              ", não uma série de chuvas da ANA.");
        }
        formatos.push_back(f);
    }
    const std::optional<long long> so_estacao = o.estacao ? LerInteiro(*o.estacao) : std::nullopt;
    if (o.estacao && !so_estacao) {
        throw ErroVentaro("Código de estação inválido: " + *o.estacao + ".");
    }

    BancoDados banco(o.banco, BancoDados::Modo::Escrita);
    DecisoesLinhaComando decisoes(o, saida, entrada);
    ImportacaoAna run(banco, decisoes);
    for (std::size_t i = 0; i < o.arquivos.size(); ++i) {
        if (formatos[i] == FormatoArquivo::AccessMdb) {
            ImportarAccess(o.arquivos[i], o, run, saida);
            continue;
        }
        // A HidroWeb export normally holds one station; group its rows by code anyway.
        std::map<int64_t, std::vector<MesChuva>> por_estacao;
        for (MesChuva& m : LerChuvasHidroweb(o.arquivos[i])) {
            por_estacao[m.Estacao].push_back(std::move(m));
        }
        for (auto& [codigo, meses] : por_estacao) {
            if (so_estacao && codigo != *so_estacao) continue;
            std::string erro;
            const auto estacao = IdentidadeAna(codigo, o, inventario, erro);
            if (!estacao) {
                run.Mensagem(erro);
                saida << erro << "\n";
                continue;
            }
            Relatar(run, run.ImportarEstacao(*estacao, std::move(meses)), *estacao, saida);
        }
    }
    Linhas(saida, Contagens(run.Novas(), run.Substituidas()));
    return run.Novas() + run.Substituidas();
}

}  // namespace ventaro
