#include "import/importacao_inmet.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdio>

#include "core/erro.h"
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
    if (t.Codigo.size() != 5 || !codigo) return std::string("Código inválido para estação");
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

}  // namespace ventaro
