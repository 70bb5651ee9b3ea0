#include "import/importacao_inmet.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdio>

#include "core/erro.h"
#include "import/erro_importacao.h"
#include "import/leitor_bdmep.h"
#include "import/leitor_inmet_mdb.h"
#include "import/leitor_inmet_texto.h"
#include "import/leitor_mdb.h"
#include "import/registro_diario.h"
#include "import/texto.h"

namespace ventaro {

namespace {

std::string Numero(const std::optional<double>& v) {
    if (!v) return "";
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.10g", *v);
    return texto;
}

const char* const kNaoGravou = "Não foi possível gravar os dados da estação";

}  // namespace

std::string LeituraInmet::MensagemDadosInsuficientes() const {
    return Formato == FormatoArquivo::AccessMdb
               ? "A estação selecionada não possui dados suficientes."
               : "O arquivo selecionado não possui dados suficientes.";
}

std::vector<std::string> EstacoesInmetMdb(const std::filesystem::path& arquivo) {
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    CopiarTabelasMdb(arquivo, db, {"Clima"});
    return EstacoesClima(db);
}

LeituraInmet LerArquivoInmet(const std::filesystem::path& arquivo,
                             const std::optional<std::string>& estacao) {
    LeituraInmet leitura;
    leitura.Formato = DetectarFormato(arquivo);
    switch (leitura.Formato) {
        case FormatoArquivo::InmetTexto:
            leitura.Registro = LerInmetTexto(arquivo, kLatitudePadrao);
            break;
        case FormatoArquivo::BdmepCsv:
        case FormatoArquivo::BdmepAntigo: {
            const LeituraDiaria diaria = leitura.Formato == FormatoArquivo::BdmepCsv
                                             ? LerBdmepCsv(arquivo)
                                             : LerBdmepAntigo(arquivo);
            leitura.Registro =
                MontarRegistro(diaria.Dias, diaria.Identidade.Latitude.value_or(kLatitudePadrao));
            leitura.Registro.Identidade = diaria.Identidade;
            leitura.Registro.Avisos = diaria.Avisos;
            break;
        }
        case FormatoArquivo::AccessMdb: {
            if (!estacao) {
                throw ErroVentaro("Escolha a estação do banco de dados " +
                                  TextoSeguro(arquivo.string()) + ".");
            }
            SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            const auto codigo = LerInteiro(*estacao);
            if (codigo) {
                CopiarTabelasMdb(arquivo, db, {"Clima"}, FiltroMdb{"EstacaoCodigo", {*codigo}});
            } else {
                CopiarTabelasMdb(arquivo, db, {"Clima"});
            }
            try {
                leitura.Registro = LerEstacaoClima(db, *estacao, kLatitudePadrao);
            } catch (const SQLite::Exception& e) {
                throw ErroVentaro("Tabela Clima inválida em " + TextoSeguro(arquivo.string()) +
                                  ": " + TextoSeguro(ParaUtf8(e.what())));
            }
            leitura.Registro.Identidade.Codigo = *estacao;
            leitura.MinimoAnos = 1;
            break;
        }
        case FormatoArquivo::HidrowebCsv:
        case FormatoArquivo::HidrowebTxt:
            throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) + " é uma " +
                              NomeFormato(leitura.Formato) +
                              ", não dados climatológicos do INMET.");
        case FormatoArquivo::InmetHorarioAnual:
        case FormatoArquivo::BdmepHorario:
            throw ErroVentaro("O arquivo " + arquivo.string() + " é uma " +
                              NomeFormato(leitura.Formato) +
                              ", não dados climatológicos diários do INMET (séries horárias "
                              "servem para estimar as leis de tempestade de uma região).");
    }
    return leitura;
}

ParametrosClima EstimarEstacaoClima(RegistroClima& registro, double latitude) {
    AtualizarRadiacao(registro, latitude);
    return EstimarClima(registro);
}

std::variant<IdentidadeEstacao, std::string> ValidarIdentidadeClima(const TextoIdentidade& t) {
    IdentidadeEstacao id;
    const auto codigo = LerInteiro(t.Codigo);
    if (t.Codigo.size() != 5 || !codigo || *codigo < 1) {
        return std::string("Código inválido para estação");
    }
    const auto regiao = LerInteiro(t.Regiao);
    if (!regiao || *regiao < 1 || *regiao > 7) return std::string("Valor inválido para região");
    const auto lat = LerDecimal(t.Latitude);
    const auto lon = LerDecimal(t.Longitude);
    const auto alt = LerDecimal(t.Altitude);
    if (!lat || !lon || !alt) {
        return std::string(
            "Os valores para latitude, longitude e altitude devem ser números reais.");
    }
    id.Codigo = *codigo;
    id.Regiao = static_cast<int>(*regiao);
    id.Nome = t.Nome;
    id.Municipio = t.Municipio;
    id.Latitude = *lat;
    id.Longitude = *lon;
    id.Altitude = *alt;
    // Numbers no station can have are refused with the field that holds them.
    if (const auto problema = ProblemaIdentidade(id)) return *problema;
    return id;
}

TextoIdentidade IdentidadeDoArquivo(const IdentidadeArquivo& i) {
    TextoIdentidade t;
    t.Codigo = i.Codigo.value_or("");
    t.Nome = i.Nome.value_or("");
    t.Municipio = i.Municipio.value_or(i.Nome.value_or(""));
    t.Latitude = Numero(i.Latitude);
    t.Longitude = Numero(i.Longitude);
    t.Altitude = Numero(i.Altitude);
    return t;
}

std::string MensagemErroLeituraInmet(FonteInmet fonte) {
    return fonte == FonteInmet::BancoDados
               ? "Erro ao ler dados. Verifique se o formato do banco de dados selecionado é válido."
               : "Erro ao ler arquivo. Verifique se o formato do arquivo selecionado é válido.";
}

LeituraInmet LerImportacaoInmet(const std::filesystem::path& arquivo,
                                DecisoesImportacaoInmet& decisoes, FonteInmet fonte,
                                const std::optional<std::string>& estacao) {
    std::optional<std::string> escolhida = estacao;
    std::optional<std::vector<std::string>> codigos;
    try {
        const FormatoArquivo formato = DetectarFormato(arquivo);
        fonte = formato == FormatoArquivo::AccessMdb ? FonteInmet::BancoDados : FonteInmet::Arquivo;
        if (formato == FormatoArquivo::AccessMdb && !escolhida) codigos = EstacoesInmetMdb(arquivo);
    } catch (const std::exception& e) {
        throw ErroImportacao(MensagemErroLeituraInmet(fonte), e.what());
    }
    if (codigos) {
        escolhida = decisoes.Estacao(*codigos);
        if (!escolhida) {
            throw ErroImportacao(MensagemErroLeituraInmet(fonte), "Nenhuma estação selecionada.");
        }
    }
    LeituraInmet leitura;
    try {
        leitura = LerArquivoInmet(arquivo, escolhida);
    } catch (const std::exception& e) {
        throw ErroImportacao(MensagemErroLeituraInmet(fonte), e.what());
    }
    if (!leitura.DadosSuficientes()) {
        throw ErroImportacao(leitura.MensagemDadosInsuficientes(),
                             arquivo.string() + ": " + std::to_string(leitura.Registro.NumAnos()) +
                                 " ano(s) válido(s), são precisos " +
                                 std::to_string(leitura.MinimoAnos));
    }
    try {
        // On a copy: the station's own latitude, typed later, decides the radiation written.
        RegistroClima copia = leitura.Registro;
        EstimarEstacaoClima(copia, leitura.Registro.Identidade.Latitude.value_or(kLatitudePadrao));
    } catch (const std::exception& e) {
        throw ErroImportacao(MensagemErroLeituraInmet(fonte), e.what());
    }
    return leitura;
}

GravacaoInmet GravarImportacaoInmet(const std::filesystem::path& arquivo_banco,
                                    const LeituraInmet& leitura, const TextoIdentidade& texto,
                                    DecisoesImportacaoInmet& decisoes) {
    const auto validacao = ValidarIdentidadeClima(texto);
    if (const auto* mensagem = std::get_if<std::string>(&validacao)) {
        throw ErroImportacao(*mensagem);
    }
    GravacaoInmet gravacao;
    gravacao.Identidade = std::get<IdentidadeEstacao>(validacao);
    std::optional<BancoDados> banco;
    bool existe = false;
    try {
        banco.emplace(arquivo_banco, BancoDados::Modo::Escrita);
        existe = ExisteEstacaoClima(*banco, gravacao.Identidade.Codigo);
    } catch (const std::exception& e) {
        throw ErroImportacao(kNaoGravou, e.what());
    }
    if (existe && !decisoes.Substituir(texto.Codigo)) {
        throw ErroImportacao(kNaoGravou, "Já existe uma estação cadastrada com o código " +
                                             texto.Codigo + "; ela não foi substituída.");
    }
    try {
        // Radiation and everything derived from it at the station's own latitude.
        RegistroClima registro = leitura.Registro;
        const ParametrosClima p = EstimarEstacaoClima(registro, gravacao.Identidade.Latitude);
        gravacao.NumAnos = p.NumAnos;
        gravacao.Resultado = GravarEstacaoClima(*banco, gravacao.Identidade, p.Dados, p.NumAnos);
    } catch (const std::exception& e) {
        throw ErroImportacao(kNaoGravou, e.what());
    }
    return gravacao;
}

}  // namespace ventaro
