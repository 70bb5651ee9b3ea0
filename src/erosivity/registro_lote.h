#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "erosivity/erosividade_estacao.h"

namespace ventaro {

// What a batch records beside its files, in "teste2/lote-erosividade.tsv", so that the parts
// of a batch run on several machines can be merged: the settings, the whole batch's station
// list, which part this was, every station of the part in batch order (computed, with its
// workbook row at full precision, or skipped, with the reason) and, when the batch ran to its
// end, a closing line. Tab-separated UTF-8 text, one record a line.
struct RegistroLote {
    uint32_t NumAnos = 1;
    uint32_t APartir = 1;
    bool Correcao = true;
    int Parte = 1;
    int NumPartes = 1;
    std::vector<std::string> Lote;

    struct Estacao {
        int Posicao = 0;  // in the whole batch, from 1
        std::string Codigo;
        bool Calculada = false;
        // Identity and means of a computed station (no monthly or yearly sums).
        ErosividadeEstacao Erosividade;
        std::string Motivo;  // of a skipped station
    };
    std::vector<Estacao> Estacoes;
    bool Concluido = false;
};

std::filesystem::path ArquivoRegistroLote(const std::filesystem::path& teste2);

// Writes a batch's record as the batch goes: the settings first, then each station as it is
// written, then the closing line. Every record is on disk before the call returns.
class GravadorRegistroLote {
  public:
    // Replaces the file with the settings part of `registro` (its stations are not written).
    GravadorRegistroLote(const std::filesystem::path& arquivo, const RegistroLote& registro);
    ~GravadorRegistroLote();
    GravadorRegistroLote(const GravadorRegistroLote&) = delete;
    GravadorRegistroLote& operator=(const GravadorRegistroLote&) = delete;

    void Acrescentar(const RegistroLote::Estacao& estacao);
    void Concluir();

  private:
    void Gravar(const std::string& texto);

    std::filesystem::path arquivo_;
    struct Arquivo;
    std::unique_ptr<Arquivo> f_;
};

// Reads a batch's record; a file that is missing or not such a record fails with an
// ErroVentaro naming it and the line.
RegistroLote LerRegistroLote(const std::filesystem::path& arquivo);

}  // namespace ventaro
