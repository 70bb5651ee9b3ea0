#include "import/leitor_bdmep.h"

#include <array>
#include <optional>
#include <string>

#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/texto.h"

namespace ventaro {

namespace {

// The six variables in a fixed order, and the column of each in a header.
enum Variavel { kTMax, kTMin, kInsolacao, kUmid, kVVento, kPrec, kNumVariaveis };

using Colunas = std::array<std::optional<std::size_t>, kNumVariaveis>;

void Atribuir(DiaObservado& dia, int variavel, double valor) {
    switch (variavel) {
        case kTMax:
            dia.TMax = valor;
            break;
        case kTMin:
            dia.TMin = valor;
            break;
        case kInsolacao:
            dia.Insolacao = valor;
            break;
        case kUmid:
            dia.Umid = valor / 100.0;
            break;  // per cent in the exports
        case kVVento:
            dia.VVento = valor;
            break;
        default:
            dia.Prec = valor;
            break;
    }
}

// "dd/mm/yyyy" or "yyyy-mm-dd"; nullopt when not a calendar date.
std::optional<Data> LerData(std::string_view texto) {
    texto = Aparar(texto);
    std::optional<long long> a, m, d;
    if (texto.size() == 10 && texto[4] == '-' && texto[7] == '-') {
        a = LerInteiro(texto.substr(0, 4));
        m = LerInteiro(texto.substr(5, 2));
        d = LerInteiro(texto.substr(8, 2));
    } else if (texto.size() == 10 && texto[2] == '/' && texto[5] == '/') {
        d = LerInteiro(texto.substr(0, 2));
        m = LerInteiro(texto.substr(3, 2));
        a = LerInteiro(texto.substr(6, 4));
    }
    if (!a || !m || !d || *a < 1 || *m < 1 || *m > 12 || *d < 1) return std::nullopt;
    if (*d > DiasNoMes(*a, static_cast<int>(*m))) return std::nullopt;
    return Data{*a, static_cast<int>(*m), static_cast<int>(*d)};
}

// Reads the six variables of one data line into `dia`; a value that is neither empty, "null"
// nor a number fails naming the line.
void LerValores(const std::filesystem::path& arquivo, std::size_t numero, const std::string& linha,
                const std::vector<std::string_view>& campos, const Colunas& colunas,
                DiaObservado& dia) {
    for (int v = 0; v < kNumVariaveis; ++v) {
        const auto& coluna = colunas[static_cast<std::size_t>(v)];
        if (!coluna || *coluna >= campos.size()) continue;
        bool invalido = false;
        const std::optional<double> valor = LerDecimal(campos[*coluna], &invalido);
        if (invalido) {
            throw ErroVentaro(MensagemLinha(
                arquivo, numero, "valor inválido \"" + std::string(campos[*coluna]) + "\"", linha));
        }
        if (valor) Atribuir(dia, v, *valor);
    }
}

std::optional<double> ValorMetadado(std::string_view linha) {
    const std::size_t pos = linha.find(':');
    if (pos == std::string_view::npos) return std::nullopt;
    return LerDecimal(linha.substr(pos + 1));
}

std::string TextoMetadado(std::string_view linha) {
    const std::size_t pos = linha.find(':');
    return std::string(Aparar(linha.substr(pos + 1)));
}

}  // namespace

LeituraDiaria LerBdmepCsv(const std::filesystem::path& arquivo) {
    const std::vector<std::string> linhas = LerLinhasTexto(arquivo);
    LeituraDiaria leitura;
    std::size_t i = 0;
    for (; i < linhas.size(); ++i) {
        const std::string_view linha = Aparar(linhas[i]);
        if (ComecaCom(linha, "Data Medicao;")) break;
        if (ComecaCom(linha, "Nome:")) {
            leitura.Identidade.Nome = TextoMetadado(linha);
        } else if (ComecaCom(linha, "Codigo Estacao:")) {
            leitura.Identidade.Codigo = TextoMetadado(linha);
        } else if (ComecaCom(linha, "Latitude:")) {
            leitura.Identidade.Latitude = ValorMetadado(linha);
        } else if (ComecaCom(linha, "Longitude:")) {
            leitura.Identidade.Longitude = ValorMetadado(linha);
        } else if (ComecaCom(linha, "Altitude:")) {
            leitura.Identidade.Altitude = ValorMetadado(linha);
        }
    }
    if (i == linhas.size()) {
        throw ErroVentaro("O arquivo " + arquivo.string() +
                          " não tem o cabeçalho \"Data Medicao;\" da exportação do BDMEP.");
    }
    Colunas colunas;
    const std::vector<std::string_view> cabecalho = DividirCampos(linhas[i], ';');
    for (std::size_t c = 0; c < cabecalho.size(); ++c) {
        const std::string nome = Maiusculas(Aparar(cabecalho[c]));
        auto marcar = [&](int v) { colunas[static_cast<std::size_t>(v)] = c; };
        if (ComecaCom(nome, "TEMPERATURA MAXIMA"))
            marcar(kTMax);
        else if (ComecaCom(nome, "TEMPERATURA MINIMA"))
            marcar(kTMin);
        else if (ComecaCom(nome, "INSOLACAO"))
            marcar(kInsolacao);
        else if (ComecaCom(nome, "UMIDADE RELATIVA DO AR, MEDIA"))
            marcar(kUmid);
        else if (ComecaCom(nome, "VENTO, VELOCIDADE MEDIA"))
            marcar(kVVento);
        else if (ComecaCom(nome, "PRECIPITACAO"))
            marcar(kPrec);
    }
    for (std::size_t n = i + 1; n < linhas.size(); ++n) {
        const std::string& linha = linhas[n];
        if (Aparar(linha).empty()) continue;
        const std::vector<std::string_view> campos = DividirCampos(linha, ';');
        const std::optional<Data> data = LerData(campos.empty() ? "" : campos[0]);
        if (!data) throw ErroVentaro(MensagemLinha(arquivo, n + 1, "data inválida", linha));
        DiaObservado dia;
        dia.Dia = *data;
        LerValores(arquivo, n + 1, linha, campos, colunas, dia);
        leitura.Dias.push_back(dia);
    }
    return leitura;
}

LeituraDiaria LerBdmepAntigo(const std::filesystem::path& arquivo) {
    const std::vector<std::string> linhas = LerLinhasTexto(arquivo);
    LeituraDiaria leitura;
    std::size_t i = 0;
    for (; i < linhas.size(); ++i) {
        const std::string_view linha = Aparar(linhas[i]);
        if (ComecaCom(linha, "Estacao;Data;Hora;")) break;
        if (ComecaCom(linha, "Estação") && linha.find("OMM:") != std::string_view::npos) {
            // "Estação           : POSSE - GO (OMM: 83332)"
            const std::string resto = TextoMetadado(linha);
            const std::size_t omm = resto.find("(OMM:");
            std::string nome(Aparar(std::string_view(resto).substr(0, omm)));
            const std::size_t traco = nome.rfind(" - ");
            if (traco != std::string::npos) nome = std::string(Aparar(nome.substr(0, traco)));
            leitura.Identidade.Nome = nome;
            leitura.Identidade.Municipio = nome;
            const std::size_t fecha = resto.find(')', omm);
            if (omm != std::string::npos && fecha != std::string::npos) {
                leitura.Identidade.Codigo =
                    std::string(Aparar(std::string_view(resto).substr(omm + 5, fecha - omm - 5)));
            }
        } else if (ComecaCom(linha, "Latitude")) {
            leitura.Identidade.Latitude = ValorMetadado(linha);
        } else if (ComecaCom(linha, "Longitude")) {
            leitura.Identidade.Longitude = ValorMetadado(linha);
        } else if (ComecaCom(linha, "Altitude")) {
            leitura.Identidade.Altitude = ValorMetadado(linha);
        }
    }
    if (i == linhas.size()) {
        throw ErroVentaro("O arquivo " + arquivo.string() +
                          " não tem o cabeçalho \"Estacao;Data;Hora;\" do BDMEP.");
    }
    Colunas colunas;
    std::optional<std::size_t> coluna_data;
    const std::vector<std::string_view> cabecalho = DividirCampos(linhas[i], ';');
    for (std::size_t c = 0; c < cabecalho.size(); ++c) {
        const std::string nome = Maiusculas(Aparar(cabecalho[c]));
        auto marcar = [&](int v) { colunas[static_cast<std::size_t>(v)] = c; };
        if (nome == "DATA")
            coluna_data = c;
        else if (nome == "TEMPMAXIMA")
            marcar(kTMax);
        else if (nome == "TEMPMINIMA")
            marcar(kTMin);
        else if (nome == "INSOLACAO")
            marcar(kInsolacao);
        else if (nome == "UMIDADE RELATIVA MEDIA")
            marcar(kUmid);
        else if (nome == "VELOCIDADE DO VENTO MEDIA")
            marcar(kVVento);
        else if (nome == "PRECIPITACAO")
            marcar(kPrec);
    }
    if (!coluna_data) {
        throw ErroVentaro(MensagemLinha(arquivo, i + 1, "sem a coluna Data", linhas[i]));
    }
    for (std::size_t n = i + 1; n < linhas.size(); ++n) {
        const std::string& linha = linhas[n];
        if (Aparar(linha).empty()) continue;
        const std::vector<std::string_view> campos = DividirCampos(linha, ';');
        const std::optional<Data> data =
            LerData(*coluna_data < campos.size() ? campos[*coluna_data] : "");
        if (!data) throw ErroVentaro(MensagemLinha(arquivo, n + 1, "data inválida", linha));
        // The two rows of a day carry different variables; MontarRegistro merges them.
        DiaObservado dia;
        dia.Dia = *data;
        LerValores(arquivo, n + 1, linha, campos, colunas, dia);
        leitura.Dias.push_back(dia);
    }
    return leitura;
}

}  // namespace ventaro
