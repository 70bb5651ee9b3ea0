#include "output/formato_saida.h"

#include <system_error>
#include <utility>

#include "core/erro.h"
#include "output/arquivo_csv.h"
#include "output/arquivo_serie.h"
#include "output/arquivo_swat.h"
#include "output/arquivo_wepp.h"
#include "output/motivo_erro.h"
#include "output/texto_em_blocos.h"

namespace ventaro {

namespace {

const std::vector<InfoFormato> kFormatos = {
    {FormatoSaida::Serie, "serie", "Série sintética", "txt"},
    {FormatoSaida::Csv, "csv", "CSV", "csv"},
    {FormatoSaida::Wepp, "wepp", "Clima do WEPP", "cli"},
    {FormatoSaida::WeppBreakpoint, "wepp-breakpoint", "Clima do WEPP com breakpoints", "cli"},
    {FormatoSaida::Swat, "swat", "Pasta de clima do SWAT+", ""},
};

// Writes one file of the output through a temporary that is left closed.
template <typename Escrever>
std::unique_ptr<ArquivoTemporario> Escrito(const std::filesystem::path& destino,
                                           Escrever escrever) {
    auto arquivo = std::make_unique<ArquivoTemporario>(destino);
    TextoEmBlocos texto([&arquivo](std::string_view bloco) { arquivo->Escrever(bloco); });
    escrever(texto);
    texto.Descarregar();
    arquivo->Fechar();
    return arquivo;
}

}  // namespace

const std::vector<InfoFormato>& FormatosSaida() {
    return kFormatos;
}

const InfoFormato& Info(FormatoSaida formato) {
    return kFormatos[static_cast<std::size_t>(formato)];
}

std::optional<FormatoSaida> LerFormatoSaida(std::string_view nome) {
    for (const InfoFormato& f : kFormatos) {
        if (nome == f.Nome) return f.Formato;
    }
    return std::nullopt;
}

std::string NomesFormatosSaida() {
    std::string s;
    for (std::size_t i = 0; i < kFormatos.size(); ++i) {
        if (i > 0) s += i + 1 == kFormatos.size() ? " ou " : ", ";
        s += kFormatos[i].Nome;
    }
    return s;
}

void VerificarFormatoSaida(FormatoSaida formato, const ConfiguracaoSerie& config) {
    if (formato != FormatoSaida::Wepp && formato != FormatoSaida::WeppBreakpoint) return;
    if (config.NumAnos == 0) {
        throw ErroVentaro("O arquivo de clima do WEPP precisa de pelo menos um ano de série.");
    }
    const VariaveisSimuladas& v = config.Variaveis;
    std::string faltam;
    const auto Exigir = [&faltam](bool simulada, const char* nome) {
        if (!simulada) faltam += std::string(faltam.empty() ? "" : ", ") + nome;
    };
    Exigir(v.SimularPrec, "precipitação");
    Exigir(v.SimularTMax, "temperatura máxima");
    Exigir(v.SimularTMin, "temperatura mínima");
    Exigir(v.SimularRad, "radiação");
    if (!faltam.empty()) {
        throw ErroVentaro(
            "O arquivo de clima do WEPP precisa das tempestades (precipitação), das temperaturas "
            "máxima e mínima e da radiação, e a série não simulou: " +
            faltam + "; gere a série simulando também essas variáveis.");
    }
}

std::vector<std::filesystem::path> ArquivosDaSaida(FormatoSaida formato,
                                                   const std::filesystem::path& destino,
                                                   int32_t cod_estacao, int32_t cod_estacao_clima) {
    if (formato != FormatoSaida::Swat) return {destino};
    std::vector<std::filesystem::path> arquivos;
    for (int i = 0; i < kNumArquivosSwat; ++i) {
        arquivos.push_back(
            destino / NomeArquivoSwat(static_cast<ArquivoSwat>(i), cod_estacao, cod_estacao_clima));
    }
    return arquivos;
}

std::filesystem::path CaminhoRealizacao(const std::filesystem::path& destino, uint32_t indice,
                                        uint32_t total) {
    if (total <= 1) return destino;
    std::string numero = std::to_string(indice);
    const std::size_t digitos = std::max<std::size_t>(2, std::to_string(total).size());
    if (numero.size() < digitos) numero.insert(0, digitos - numero.size(), '0');
    std::filesystem::path caminho = destino;
    // A name that ends in a separator names a folder: the suffix goes on the folder's name.
    if (!caminho.has_filename()) caminho = caminho.parent_path();
    caminho.replace_filename(caminho.stem().string() + "_r" + numero +
                             caminho.extension().string());
    return caminho;
}

SaidaPendente::SaidaPendente(SaidaPendente&& outra) noexcept {
    *this = std::move(outra);
}

SaidaPendente& SaidaPendente::operator=(SaidaPendente&& outra) noexcept {
    if (this != &outra) {
        Descartar();
        pasta_criada_ = std::exchange(outra.pasta_criada_, {});
        arquivos_ = std::exchange(outra.arquivos_, {});
        destinos_ = std::exchange(outra.destinos_, {});
    }
    return *this;
}

SaidaPendente::~SaidaPendente() {
    Descartar();
}

void SaidaPendente::Descartar() noexcept {
    arquivos_.clear();
    destinos_.clear();
    // Only an empty folder is removed: nothing but our own temporaries was ever in it.
    std::error_code ec;
    if (!pasta_criada_.empty()) std::filesystem::remove(pasta_criada_, ec);
    pasta_criada_.clear();
}

void SaidaPendente::Confirmar() {
    for (std::size_t i = 0; i < arquivos_.size(); ++i) {
        try {
            arquivos_[i]->Confirmar();
        } catch (const ErroVentaro&) {
            std::error_code ec;
            for (std::size_t j = 0; j < i; ++j) std::filesystem::remove(destinos_[j], ec);
            throw;
        }
    }
    arquivos_.clear();
    pasta_criada_.clear();
}

SaidaPendente PrepararSaida(FormatoSaida formato, const std::filesystem::path& destino,
                            const TDados& dados, const TClima& clima,
                            const ConfiguracaoSerie& config, char separador) {
    VerificarFormatoSaida(formato, config);
    SaidaPendente saida;
    const auto Acrescentar = [&saida](const std::filesystem::path& caminho, auto escrever) {
        saida.arquivos_.push_back(Escrito(caminho, escrever));
        saida.destinos_.push_back(caminho);
    };
    switch (formato) {
        case FormatoSaida::Serie: {
            // Streamed as it is formatted; the whole text is never held.
            auto arquivo = std::make_unique<ArquivoTemporario>(destino);
            EscreverSerie(*arquivo, dados, clima, config.NumAnos, separador,
                          config.Cenario ? config.Cenario->Nome : std::string());
            arquivo->Fechar();
            saida.arquivos_.push_back(std::move(arquivo));
            saida.destinos_.push_back(destino);
            break;
        }
        case FormatoSaida::Csv:
            Acrescentar(destino, [&](TextoEmBlocos& s) { EscreverCsv(dados, clima, config, s); });
            break;
        case FormatoSaida::Wepp:
        case FormatoSaida::WeppBreakpoint:
            Acrescentar(destino, [&](TextoEmBlocos& s) {
                EscreverWepp(dados, clima, config, formato == FormatoSaida::WeppBreakpoint, s);
            });
            break;
        case FormatoSaida::Swat: {
            std::error_code ec;
            if (std::filesystem::exists(destino, ec) &&
                !std::filesystem::is_directory(destino, ec)) {
                throw ErroVentaro("Não foi possível criar a pasta " + destino.string() +
                                  ": já existe um arquivo com esse nome.");
            }
            if (std::filesystem::create_directory(destino, ec)) {
                saida.pasta_criada_ = destino;
            } else if (ec) {
                throw ErroVentaro("Não foi possível criar a pasta " + destino.string() + ": " +
                                  MotivoErro(ec.value()));
            }
            const auto arquivos =
                ArquivosDaSaida(formato, destino, dados.CodEstacao, dados.CodEstacaoClima);
            for (int i = 0; i < kNumArquivosSwat; ++i) {
                Acrescentar(arquivos[static_cast<std::size_t>(i)], [&](TextoEmBlocos& s) {
                    EscreverSwat(static_cast<ArquivoSwat>(i), dados, clima, config, s);
                });
            }
            break;
        }
    }
    return saida;
}

void GravarSaida(FormatoSaida formato, const std::filesystem::path& destino, const TDados& dados,
                 const TClima& clima, const ConfiguracaoSerie& config, char separador) {
    PrepararSaida(formato, destino, dados, clima, config, separador).Confirmar();
}

}  // namespace ventaro
