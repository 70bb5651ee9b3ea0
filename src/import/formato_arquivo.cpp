#include "import/formato_arquivo.h"

#include <array>
#include <fstream>
#include <optional>
#include <utility>

#include "core/erro.h"
#include "import/texto.h"

namespace ventaro {

namespace {

bool EhMdb(const std::filesystem::path& arquivo) {
    std::ifstream entrada(arquivo, std::ios::binary);
    std::array<char, 20> cabecalho{};
    entrada.read(cabecalho.data(), cabecalho.size());
    if (entrada.gcount() < static_cast<std::streamsize>(cabecalho.size())) return false;
    const std::string_view assinatura(cabecalho.data() + 4, 15);
    return assinatura == "Standard Jet DB" || assinatura == "Standard ACE DB";
}

// A line of the INMET text file: starts with a digit in column 1 and has 25 fields.
bool PareceLinhaInmetTexto(std::string_view linha) {
    if (linha.empty() || linha[0] < '0' || linha[0] > '9') return false;
    int campos = 0;
    bool dentro = false;
    for (char c : linha) {
        if (c == ' ') {
            dentro = false;
        } else if (!dentro) {
            dentro = true;
            ++campos;
        }
    }
    return campos >= 25;
}

// Header of INMET's yearly hourly files: "DATA (YYYY-MM-DD);HORA (UTC);..." up to 2018,
// "Data;Hora UTC;..." from 2019.
bool EhCabecalhoHorarioAnual(std::string_view linha) {
    const std::vector<std::string_view> campos = DividirCampos(linha, ';');
    return campos.size() >= 3 && ComecaCom(Maiusculas(campos[0]), "DATA") &&
           ComecaCom(Maiusculas(campos[1]), "HORA");
}

}  // namespace

std::string NomeFormato(FormatoArquivo formato) {
    switch (formato) {
        case FormatoArquivo::AccessMdb:
            return "banco de dados Access";
        case FormatoArquivo::InmetTexto:
            return "arquivo texto do INMET";
        case FormatoArquivo::BdmepCsv:
            return "exportação diária do BDMEP";
        case FormatoArquivo::BdmepAntigo:
            return "exportação diária antiga do BDMEP";
        case FormatoArquivo::HidrowebCsv:
            return "série de chuvas do HidroWeb (CSV)";
        case FormatoArquivo::HidrowebTxt:
            return "série de chuvas do HidroWeb (CHUVAS.TXT)";
        case FormatoArquivo::InmetHorarioAnual:
            return "série horária anual de estação automática do INMET";
        case FormatoArquivo::BdmepHorario:
            return "exportação horária do BDMEP";
    }
    return "";
}

std::string MensagemLinha(const std::filesystem::path& arquivo, std::size_t numero,
                          std::string_view motivo, std::string_view linha) {
    const std::string_view trecho = CortarUtf8(linha, 80);
    return "Arquivo " + TextoSeguro(arquivo.string()) + ", linha " + std::to_string(numero) + ": " +
           TextoSeguro(motivo) + ": \"" + TextoSeguro(trecho) +
           (trecho.size() < linha.size() ? "..." : "") + "\"";
}

bool MarcacaoFinal::Adiar(std::size_t numero, std::string_view linha) {
    if (!EhMarcacaoHtml(linha)) return false;
    if (numero_ == 0) {
        numero_ = numero;
        linha_ = std::string(CortarUtf8(linha, 200));
    }
    return true;
}

void MarcacaoFinal::Dados() const {
    if (numero_ == 0) return;
    throw ErroVentaro(
        MensagemLinha(arquivo_, numero_, "linha que não é de dados entre os dados", linha_));
}

FormatoArquivo DetectarFormato(const std::filesystem::path& arquivo) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(arquivo, ec)) {
        throw ErroVentaro("Arquivo não encontrado: " + TextoSeguro(arquivo.string()) + ".");
    }
    if (EhMdb(arquivo)) return FormatoArquivo::AccessMdb;
    LeitorLinhas leitor(arquivo);
    // The agencies' exports name their columns within the first few dozen lines.
    std::optional<bool> primeira_inmet;
    std::optional<std::pair<std::size_t, std::string>> primeira_nao_branca;
    while ((leitor.Numero() < 40 || !primeira_nao_branca) && leitor.Proxima()) {
        const std::string_view linha = Aparar(leitor.Linha());
        if (!primeira_inmet) primeira_inmet = PareceLinhaInmetTexto(leitor.Linha());
        if (!primeira_nao_branca && !linha.empty()) {
            primeira_nao_branca = {leitor.Numero(), leitor.Linha()};
        }
        if (leitor.Numero() > 40) continue;
        // The hourly BDMEP export shares the daily one's first column name.
        if (ComecaCom(linha, "Data Medicao;Hora Medicao;")) return FormatoArquivo::BdmepHorario;
        if (ComecaCom(linha, "Data Medicao;")) return FormatoArquivo::BdmepCsv;
        if (EhCabecalhoHorarioAnual(linha)) return FormatoArquivo::InmetHorarioAnual;
        if (ComecaCom(linha, "Estacao;Data;Hora;")) return FormatoArquivo::BdmepAntigo;
        if (ComecaCom(linha, "EstacaoCodigo;") || ComecaCom(linha, "\"EstacaoCodigo\";")) {
            return FormatoArquivo::HidrowebCsv;
        }
        if (ComecaCom(linha, "//EstacaoCodigo;")) return FormatoArquivo::HidrowebTxt;
    }
    if (primeira_inmet.value_or(false)) return FormatoArquivo::InmetTexto;
    if (!primeira_nao_branca) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) + " está vazio.");
    }
    throw ErroVentaro(MensagemLinha(arquivo, primeira_nao_branca->first,
                                    "formato desconhecido (não é INMET, BDMEP, HidroWeb nem "
                                    "Access)",
                                    primeira_nao_branca->second));
}

}  // namespace ventaro
