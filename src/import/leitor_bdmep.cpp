#include "import/leitor_bdmep.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "core/erro.h"
#include "import/formato_arquivo.h"
#include "import/limites_observacao.h"
#include "import/texto.h"

namespace ventaro {

namespace {

// The six variables in a fixed order, and the column of each in a header.
enum Variavel { kTMax, kTMin, kInsolacao, kUmid, kVVento, kPrec, kNumVariaveis };

using Colunas = std::array<std::optional<std::size_t>, kNumVariaveis>;

constexpr std::array<Grandeza, kNumVariaveis> kGrandezas = {
    Grandeza::Temperatura, Grandeza::Temperatura, Grandeza::Insolacao,
    Grandeza::Umidade,     Grandeza::Vento,       Grandeza::Precipitacao};
constexpr std::array<std::string_view, kNumVariaveis> kNomes = {
    "temperatura máxima", "temperatura mínima",  "insolação",
    "umidade relativa",   "velocidade do vento", "precipitação"};

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

// "dd/mm/yyyy" or "yyyy-mm-dd"; nullopt, with the reason in `motivo`, when not a calendar date
// of the years a record may hold.
std::optional<Data> LerData(std::string_view texto, std::string& motivo) {
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
    motivo = "data inválida";
    if (!a || !m || !d || *m < 1 || *m > 12 || *d < 1) return std::nullopt;
    if (!AnoAceito(*a)) {
        motivo = MotivoAnoFora(*a);
        return std::nullopt;
    }
    if (*d > DiasNoMes(*a, static_cast<int>(*m))) return std::nullopt;
    return Data{*a, static_cast<int>(*m), static_cast<int>(*d)};
}

std::optional<double> ValorMetadado(std::string_view linha) {
    const std::size_t pos = linha.find(':');
    if (pos == std::string_view::npos) return std::nullopt;
    const std::optional<double> valor = LerDecimal(linha.substr(pos + 1));
    if (valor && !std::isfinite(*valor)) return std::nullopt;
    return valor;
}

// A latitude or longitude of the metadata, kept only when it can be one.
std::optional<double> CoordenadaMetadado(std::string_view linha, double limite) {
    const std::optional<double> valor = ValorMetadado(linha);
    if (valor && std::fabs(*valor) > limite) return std::nullopt;
    return valor;
}

std::string TextoMetadado(std::string_view linha) {
    const std::size_t pos = linha.find(':');
    return TextoSeguro(Aparar(linha.substr(pos + 1)));
}

// The data rows of an export, read after its header: one DiaObservado per row, merged by date.
class LeitorDias {
  public:
    LeitorDias(const std::filesystem::path& arquivo, const Colunas& colunas,
               std::size_t coluna_data, double latitude)
        : arquivo_(arquivo),
          colunas_(colunas),
          coluna_data_(coluna_data),
          latitude_(latitude),
          marcacao_(arquivo) {}

    void Ler(LeitorLinhas& leitor) {
        while (leitor.Proxima()) {
            const std::string& linha = leitor.Linha();
            if (Aparar(linha).empty()) continue;
            LerLinha(leitor.Numero(), linha);
        }
    }

    void Concluir(LeituraDiaria& leitura) const {
        leitura.Dias = dias_.Dias();
        if (auto aviso = impossiveis_.Aviso("Arquivo " + arquivo_.string())) {
            leitura.Avisos.push_back(std::move(*aviso));
        }
    }

  private:
    void LerLinha(std::size_t numero, const std::string& linha) {
        const std::vector<std::string_view> campos = DividirCampos(linha, ';');
        std::string motivo;
        const std::optional<Data> data =
            LerData(coluna_data_ < campos.size() ? campos[coluna_data_] : "", motivo);
        if (!data) {
            if (marcacao_.Adiar(numero, linha)) return;
            throw ErroVentaro(MensagemLinha(arquivo_, numero, motivo, linha));
        }
        marcacao_.Dados();
        DiaObservado dia;
        dia.Dia = *data;
        for (int v = 0; v < kNumVariaveis; ++v) {
            const auto& coluna = colunas_[static_cast<std::size_t>(v)];
            if (!coluna || *coluna >= campos.size()) continue;
            bool invalido = false;
            const std::optional<double> valor = LerDecimal(campos[*coluna], &invalido);
            if (invalido) {
                throw ErroVentaro(MensagemLinha(
                    arquivo_, numero, "valor inválido \"" + std::string(campos[*coluna]) + "\"",
                    linha));
            }
            if (!valor) continue;
            if (Possivel(numero, dia.Dia, v, *valor)) {
                Atribuir(dia, v, *valor);
            } else {
                dia.Impossivel = true;
            }
        }
        dias_.Juntar(dia);
    }

    // Whether a value is within physical limits; one that is not is counted for the warning.
    bool Possivel(std::size_t numero, const Data& d, int variavel, double valor) {
        const std::string onde = "linha " + std::to_string(numero);
        const Grandeza grandeza = kGrandezas[static_cast<std::size_t>(variavel)];
        const std::string_view nome = kNomes[static_cast<std::size_t>(variavel)];
        if (!ValorFisico(grandeza, valor)) {
            impossiveis_.Registrar(onde, nome, grandeza, valor);
            return false;
        }
        if (variavel == kInsolacao) {
            // More sunshine than the day has daylight gives more radiation than can arrive.
            const double rad = RadiacaoInsolacao(valor, DiaDoAno(d.ano, d.mes, d.dia), latitude_);
            if (!ValorFisico(Grandeza::Radiacao, rad)) {
                impossiveis_.Registrar(onde, "radiação (da insolação)", Grandeza::Radiacao, rad);
                return false;
            }
        }
        return true;
    }

    std::filesystem::path arquivo_;
    Colunas colunas_;
    std::size_t coluna_data_;
    double latitude_;
    MarcacaoFinal marcacao_;
    DiasPorData dias_;
    ValoresImpossiveis impossiveis_;
};

}  // namespace

LeituraDiaria LerBdmepCsv(const std::filesystem::path& arquivo) {
    LeitorLinhas leitor(arquivo);
    LeituraDiaria leitura;
    bool cabecalho = false;
    while (leitor.Proxima()) {
        const std::string_view linha = Aparar(leitor.Linha());
        if (ComecaCom(linha, "Data Medicao;")) {
            cabecalho = true;
            break;
        }
        if (ComecaCom(linha, "Nome:")) {
            leitura.Identidade.Nome = TextoMetadado(linha);
        } else if (ComecaCom(linha, "Codigo Estacao:")) {
            leitura.Identidade.Codigo = TextoMetadado(linha);
        } else if (ComecaCom(linha, "Latitude:")) {
            leitura.Identidade.Latitude = CoordenadaMetadado(linha, 90);
        } else if (ComecaCom(linha, "Longitude:")) {
            leitura.Identidade.Longitude = CoordenadaMetadado(linha, 180);
        } else if (ComecaCom(linha, "Altitude:")) {
            leitura.Identidade.Altitude = ValorMetadado(linha);
        }
    }
    if (!cabecalho) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) +
                          " não tem o cabeçalho \"Data Medicao;\" da exportação do BDMEP.");
    }
    Colunas colunas;
    const std::vector<std::string_view> nomes = DividirCampos(leitor.Linha(), ';');
    for (std::size_t c = 0; c < nomes.size(); ++c) {
        const std::string nome = Maiusculas(Aparar(nomes[c]));
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
    LeitorDias dias(arquivo, colunas, 0, leitura.Identidade.Latitude.value_or(kLatitudePadrao));
    dias.Ler(leitor);
    dias.Concluir(leitura);
    return leitura;
}

LeituraDiaria LerBdmepAntigo(const std::filesystem::path& arquivo) {
    LeitorLinhas leitor(arquivo);
    LeituraDiaria leitura;
    bool cabecalho = false;
    while (leitor.Proxima()) {
        const std::string_view linha = Aparar(leitor.Linha());
        if (ComecaCom(linha, "Estacao;Data;Hora;")) {
            cabecalho = true;
            break;
        }
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
            leitura.Identidade.Latitude = CoordenadaMetadado(linha, 90);
        } else if (ComecaCom(linha, "Longitude")) {
            leitura.Identidade.Longitude = CoordenadaMetadado(linha, 180);
        } else if (ComecaCom(linha, "Altitude")) {
            leitura.Identidade.Altitude = ValorMetadado(linha);
        }
    }
    if (!cabecalho) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) +
                          " não tem o cabeçalho \"Estacao;Data;Hora;\" do BDMEP.");
    }
    Colunas colunas;
    std::optional<std::size_t> coluna_data;
    const std::vector<std::string_view> nomes = DividirCampos(leitor.Linha(), ';');
    // Position in the data rows, which runs ahead of the header after a merged name.
    std::size_t c = 0;
    for (const std::string_view campo : nomes) {
        const std::string nome = Maiusculas(Aparar(campo));
        auto marcar = [&](int v) { colunas[static_cast<std::size_t>(v)] = c; };
        if (nome == "DATA") {
            coluna_data = c;
        } else if (nome == "TEMPMAXIMA") {
            marcar(kTMax);
        } else if (nome == "TEMPMINIMA") {
            marcar(kTMin);
        } else if (nome == "INSOLACAO") {
            marcar(kInsolacao);
        } else if (nome == "UMIDADE RELATIVA MEDIA") {
            marcar(kUmid);
        } else if (nome == "VELOCIDADE DO VENTO MEDIA") {
            marcar(kVVento);
        } else if (nome == "PRECIPITACAO") {
            marcar(kPrec);
        } else if (nome == "VELOCIDADEVENTOINSOLACAO") {
            // The synoptic export's header runs two names together; its rows have both
            // columns, wind speed then sunshine.
            ++c;
            marcar(kInsolacao);
        }
        ++c;
    }
    if (!coluna_data) {
        throw ErroVentaro(
            MensagemLinha(arquivo, leitor.Numero(), "sem a coluna Data", leitor.Linha()));
    }
    // The rows of a day (0000, 1200 and 1800 UTC) carry different variables and are merged.
    LeitorDias dias(arquivo, colunas, *coluna_data,
                    leitura.Identidade.Latitude.value_or(kLatitudePadrao));
    dias.Ler(leitor);
    dias.Concluir(leitura);
    return leitura;
}

}  // namespace ventaro
