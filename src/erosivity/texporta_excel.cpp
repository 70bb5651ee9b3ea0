#include "erosivity/texporta_excel.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <system_error>

#include "core/erro.h"
#include "output/motivo_erro.h"

namespace ventaro {

namespace {

// Excel's rules for a sheet name: 1 to 31 characters, none of : \ / ? * [ ].
bool NomeValido(std::string_view nome) {
    std::size_t caracteres = 0;
    for (const char c : nome) caracteres += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return caracteres >= 1 && caracteres <= 31 &&
           nome.find_first_of(":\\/?*[]") == std::string_view::npos;
}

// Sheet names are told apart without regard to case, as Excel does.
bool MesmoNome(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string MotivoXlsx(lxw_error erro) {
    switch (erro) {
        case LXW_ERROR_CREATING_XLSX_FILE:
            return "o arquivo não pode ser criado";
        case LXW_ERROR_CREATING_TMPFILE:
            return "não foi possível criar um arquivo temporário";
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return "memória insuficiente";
        default:
            return lxw_strerror(erro);
    }
}

// Closes the workbook when the save leaves early.
struct FecharPasta {
    lxw_workbook* pasta;
    ~FecharPasta() {
        if (pasta != nullptr) workbook_close(pasta);
    }
};

}  // namespace

void TExportaExcel::CriarPlanilha(std::string_view nome) {
    if (!NomeValido(nome)) {
        throw ErroVentaro("Nome de planilha inválido: \"" + std::string(nome) + "\".");
    }
    for (const Folha& f : folhas_) {
        if (MesmoNome(f.nome, nome)) {
            throw ErroVentaro("Já existe uma planilha chamada \"" + std::string(nome) + "\".");
        }
    }
    folhas_.insert(folhas_.begin(), Folha{std::string(nome), {}});
}

TExportaExcel::Folha& TExportaExcel::Buscar(std::string_view nome) {
    for (Folha& f : folhas_) {
        if (MesmoNome(f.nome, nome)) return f;
    }
    throw ErroVentaro("A planilha \"" + std::string(nome) + "\" não existe.");
}

void TExportaExcel::EscreverCelula(std::string_view planilha, const ValorCelula& valor, int linha,
                                   int coluna) {
    // The format's limits: 1 048 576 rows and 16 384 columns.
    if (linha < 1 || linha > 1048576 || coluna < 1 || coluna > 16384) {
        throw ErroVentaro("Célula fora da planilha \"" + std::string(planilha) + "\": linha " +
                          std::to_string(linha) + ", coluna " + std::to_string(coluna) + ".");
    }
    Buscar(planilha).celulas[{linha, coluna}] = valor;
}

void TExportaExcel::SalvarComo(const std::filesystem::path& arquivo) {
    Gravar(arquivo);
    arquivo_ = arquivo;
}

void TExportaExcel::Salvar() {
    if (arquivo_.empty()) throw ErroVentaro("A planilha ainda não tem um nome de arquivo.");
    Gravar(arquivo_);
}

void TExportaExcel::Encerrar() {
    folhas_.clear();
    arquivo_.clear();
}

void TExportaExcel::Gravar(const std::filesystem::path& arquivo) const {
    const std::string nome = arquivo.string();
    std::filesystem::path temporario = arquivo;
    for (int tentativa = 0;; ++tentativa) {
        std::string oculto(1, '.');
        oculto += arquivo.filename().string();
        oculto += ".tmp";
        oculto += std::to_string(tentativa);
        temporario.replace_filename(oculto);
        std::error_code ec;
        if (!std::filesystem::exists(temporario, ec) || tentativa >= 99) break;
    }
    auto falhar = [&](const std::string& motivo) {
        std::error_code ec;
        std::filesystem::remove(temporario, ec);
        throw ErroVentaro("Não foi possível gravar a planilha " + nome + ": " + motivo + ".");
    };

    // libxlsxwriter reports its own failures on stderr as well: the usual one is caught first.
    std::error_code ec_pasta;
    const std::filesystem::path pasta_destino =
        arquivo.has_parent_path() ? arquivo.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::is_directory(pasta_destino, ec_pasta)) falhar("a pasta não existe");
    FecharPasta pasta{workbook_new(temporario.c_str())};
    if (pasta.pasta == nullptr) falhar("o arquivo não pode ser criado");
    lxw_format* inteiro = workbook_add_format(pasta.pasta);
    // The built-in format "0".
    format_set_num_format_index(inteiro, 1);
    for (const Folha& f : folhas_) {
        lxw_worksheet* folha = workbook_add_worksheet(pasta.pasta, f.nome.c_str());
        if (folha == nullptr) falhar("a planilha \"" + f.nome + "\" não pode ser criada");
        for (const auto& [posicao, valor] : f.celulas) {
            const auto linha = static_cast<lxw_row_t>(posicao.first - 1);
            const auto coluna = static_cast<lxw_col_t>(posicao.second - 1);
            lxw_error erro = LXW_NO_ERROR;
            if (const auto* texto = std::get_if<std::string>(&valor)) {
                erro = worksheet_write_string(folha, linha, coluna, texto->c_str(), nullptr);
            } else if (const auto* real = std::get_if<double>(&valor)) {
                erro = worksheet_write_number(folha, linha, coluna, *real, nullptr);
            } else {
                erro = worksheet_write_number(
                    folha, linha, coluna, static_cast<double>(std::get<int64_t>(valor)), inteiro);
            }
            if (erro != LXW_NO_ERROR) falhar(MotivoXlsx(erro));
        }
    }
    const lxw_error erro = workbook_close(std::exchange(pasta.pasta, nullptr));
    if (erro != LXW_NO_ERROR) falhar(MotivoXlsx(erro));

    std::error_code ec;
    std::filesystem::rename(temporario, arquivo, ec);
    if (ec) falhar(MotivoErro(ec.value()));
}

}  // namespace ventaro
