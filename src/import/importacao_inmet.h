#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "import/dados_clima.h"
#include "import/estimativa_clima.h"
#include "import/formato_arquivo.h"
#include "stations/gravacao_estacao.h"

namespace ventaro {

// A climatological station's daily record read from any INMET source, with the rule on the
// number of valid years it must meet.
struct LeituraInmet {
    RegistroClima Registro;
    FormatoArquivo Formato = FormatoArquivo::InmetTexto;
    // Files need 5 valid years of every calendar month, an Access database 1.
    int MinimoAnos = 5;
    bool DadosSuficientes() const { return Registro.NumAnos() >= MinimoAnos; }
    // Lines to show the user although the source was read (values outside physical limits
    // read as missing); empty for a clean source.
    const std::vector<std::string>& Avisos() const { return Registro.Avisos; }
    // "O arquivo selecionado ..." or "A estação selecionada não possui dados suficientes."
    std::string MensagemDadosInsuficientes() const;
};

// Station codes of an INMET Access database (its Clima table).
std::vector<std::string> EstacoesInmetMdb(const std::filesystem::path& arquivo);

// Reads an INMET text file, a BDMEP export (current or old) or, with `estacao`, one station of
// an INMET Access database. The format is told from the content; an Access database without
// `estacao`, or a file in an ANA format, fails with a message naming the file. Radiation is
// computed at the file's latitude when it gives one, otherwise at 22.9 S until the station's
// own is known (EstimarEstacaoClima).
LeituraInmet LerArquivoInmet(const std::filesystem::path& arquivo,
                             const std::optional<std::string>& estacao = std::nullopt);

// The station's parameters with radiation at the station's own latitude.
ParametrosClima EstimarEstacaoClima(RegistroClima& registro, double latitude);

// The identity panel's fields as typed.
struct TextoIdentidade {
    std::string Codigo, Regiao, Nome, Municipio, Latitude, Longitude, Altitude;
};

// Validates in the panel's order: a code of exactly 5 digits ("Código inválido para estação"),
// a region from 1 to 7 ("Valor inválido para região"), three real numbers ("Os valores para
// latitude, longitude e altitude devem ser números reais."). Returns the identity or the
// message of the first failure.
std::variant<IdentidadeEstacao, std::string> ValidarIdentidadeClima(const TextoIdentidade& texto);

// The fields the identity panel starts with: what the file says about its station.
TextoIdentidade IdentidadeDoArquivo(const IdentidadeArquivo& identidade);

// The kind of source the user chose (the two INMET menu items, or the command line's file).
// It names a read failure only when the file's format cannot be told; otherwise the format does.
enum class FonteInmet { Arquivo, BancoDados };

// "Erro ao ler arquivo. Verifique se o formato do arquivo selecionado é válido." or, for a
// database, "Erro ao ler dados. Verifique se o formato do banco de dados selecionado é válido."
std::string MensagemErroLeituraInmet(FonteInmet fonte);

// What an INMET import asks of its front end: the panels answer with dialogs, the command line
// with its options.
class DecisoesImportacaoInmet {
  public:
    virtual ~DecisoesImportacaoInmet() = default;
    // The station to read from an Access database that holds `codigos`; nullopt when none is
    // chosen.
    virtual std::optional<std::string> Estacao(const std::vector<std::string>& codigos) = 0;
    // A station with the code `codigo` is already in the database: replace all its data?
    virtual bool Substituir(const std::string& codigo) = 0;
};

// The first half of an INMET import, run when the file is chosen: reads it (from an Access
// database the station `estacao`, or the one the front end chooses among its codes), requires
// enough valid years and estimates the parameters once, so that a record that cannot be
// estimated is refused before anyone types an identity. Failures throw ErroImportacao with the
// read message of the source (MensagemErroLeituraInmet) or the too-little-data message, and the
// cause as detail; what the front end's decisions throw passes through unchanged.
LeituraInmet LerImportacaoInmet(const std::filesystem::path& arquivo,
                                DecisoesImportacaoInmet& decisoes,
                                FonteInmet fonte = FonteInmet::Arquivo,
                                const std::optional<std::string>& estacao = std::nullopt);

// What the second half wrote.
struct GravacaoInmet {
    IdentidadeEstacao Identidade;
    int NumAnos = 0;
    ResultadoGravacao Resultado = ResultadoGravacao::Nova;
};

// The second half, run on the identity typed or given: validates it (ValidarIdentidadeClima),
// asks before replacing a station of the same code, estimates at the station's own latitude and
// writes the station into the station database `banco`. Failures throw ErroImportacao with the
// validation message, or with "Não foi possível gravar os dados da estação" and the cause (the
// replacement not confirmed, a database or estimation error); nothing is written then.
GravacaoInmet GravarImportacaoInmet(const std::filesystem::path& banco, const LeituraInmet& leitura,
                                    const TextoIdentidade& identidade,
                                    DecisoesImportacaoInmet& decisoes);

}  // namespace ventaro
