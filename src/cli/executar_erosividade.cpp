#include "cli/executar_erosividade.h"

#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "cli/caminhos.h"
#include "cli/erro_uso.h"
#include "cli/interrupcao.h"
#include "core/erro.h"
#include "erosivity/calcular_erosividade.h"
#include "erosivity/estacoes_lote.h"
#include "erosivity/juntar_partes.h"
#include "erosivity/texporta_excel.h"
#include "stations/banco_dados.h"
#include "stations/configuracoes.h"

namespace ventaro {

namespace {

uint32_t Inteiro(const std::string& opcao, const std::string& valor, uint32_t minimo) {
    const auto v = LerCampoInteiro(valor);
    if (!v || *v < minimo) {
        throw ErroUso(opcao + ": \"" + valor + "\" não é um número inteiro de " +
                      std::to_string(minimo) + " a 4294967295.");
    }
    return *v;
}

std::string Plural(int n, const char* singular, const char* plural) {
    return std::to_string(n) + " " + (n == 1 ? singular : plural);
}

class ProgressoMensagens : public ProgressoLote {
  public:
    ProgressoMensagens(std::ostream& saida, std::string prefixo)
        : saida_(saida), prefixo_(std::move(prefixo)) {}
    void EstacaoCalculada(int feitas, int total, std::string_view codigo) override {
        saida_ << prefixo_ << feitas << "/" << total << " " << codigo << ": calculada\n"
               << std::flush;
    }
    void EstacaoIgnorada(int feitas, int total, std::string_view codigo,
                         std::string_view motivo) override {
        saida_ << prefixo_ << feitas << "/" << total << " " << codigo << ": ignorada (" << motivo
               << ")\n"
               << std::flush;
    }

  private:
    std::ostream& saida_;
    std::string prefixo_;
};

}  // namespace

int ExecutarErosividade(const OpcoesErosividade& o, std::ostream& mensagens) {
    if (o.estado.has_value() == o.lista.has_value()) {
        throw ErroUso("Informe --estado ou --lista (uma das duas).");
    }
    ParametrosLote p;
    p.NumAnos = Inteiro("--anos", o.anos, 1);
    p.APartir = o.a_partir ? Inteiro("--a-partir", *o.a_partir, 0) : 1;
    p.Correcao = !o.sem_correcao;
    p.Pasta = o.pasta;
    p.Tarefas = o.tarefas ? Inteiro("--tarefas", *o.tarefas, 1)
                          : std::max(1u, std::thread::hardware_concurrency());
    if (o.parte) {
        const auto parte = LerParteLote(*o.parte);
        if (!parte) {
            throw ErroUso("--parte: \"" + *o.parte +
                          "\" não é K/N com K e N inteiros e 1 <= K <= N.");
        }
        p.Parte = *parte;
    }
    const int32_t estado = o.estado ? static_cast<int32_t>(Inteiro("--estado", *o.estado, 1)) : 0;
    if (o.estado && estado < 1) throw ErroUso("--estado: \"" + *o.estado + "\" é grande demais.");

    p.Banco = o.banco.empty() ? BancoPadrao() : std::filesystem::path(o.banco);
    if (o.estado) {
        BancoDados banco(p.Banco);
        p.Estacoes = EstacoesDoEstado(banco, estado);
        if (p.Estacoes.empty()) {
            throw ErroVentaro("O estado " + std::to_string(estado) +
                              " não tem estações pluviométricas no banco de dados " +
                              p.Banco.string() + ".");
        }
    } else {
        p.Estacoes = LerListaEstacoes(*o.lista);
        if (p.Estacoes.empty()) {
            throw ErroVentaro("O arquivo de estações " + *o.lista + " não tem nenhum código.");
        }
    }

    std::string prefixo = "ventaro-cli: ";
    if (p.Parte.NumPartes > 1) {
        prefixo += "parte " + std::to_string(p.Parte.Parte) + "/" +
                   std::to_string(p.Parte.NumPartes) + ", ";
    }
    prefixo += "estação ";
    ProgressoMensagens progresso(mensagens, prefixo);
    ResultadoLote r;
    int sinal = 0;
    {
        const InterrupcaoPorSinal interrupcao(
            "ventaro-cli: interrompendo; as estações já calculadas ficam gravadas.\n");
        TExportaExcel planilha;
        r = CalcularErosividade(p, planilha, &progresso, &interrupcao.Sinal());
        sinal = interrupcao.Recebido();
    }
    mensagens << "ventaro-cli: "
              << Plural(r.Calculadas, "estação calculada", "estações calculadas");
    if (!r.Ignoradas.empty()) {
        mensagens << ", " << Plural(static_cast<int>(r.Ignoradas.size()), "ignorada", "ignoradas");
    }
    if (r.Cancelado) mensagens << ", lote interrompido";
    mensagens << "; arquivos em " << PastaTeste2(p.Pasta).string() << "\n";
    if (r.Cancelado) return 128 + (sinal != 0 ? sinal : SIGINT);
    return r.Ignoradas.empty() ? 0 : kSaidaEstacoesIgnoradas;
}

int ExecutarErosividadeJuntar(const OpcoesErosividadeJuntar& o, std::ostream& mensagens) {
    std::vector<std::filesystem::path> partes(o.partes.begin(), o.partes.end());
    TExportaExcel planilha;
    const ResultadoJuntar r = JuntarPartes(o.pasta, partes, planilha);
    for (const EstacaoIgnorada& e : r.Ignoradas) {
        mensagens << "ventaro-cli: estação " << e.Codigo << ": ignorada (" << e.Motivo << ")\n";
    }
    mensagens << "ventaro-cli: "
              << Plural(static_cast<int>(partes.size()), "parte juntada", "partes juntadas") << ", "
              << Plural(r.Calculadas, "estação calculada", "estações calculadas");
    if (!r.Ignoradas.empty()) {
        mensagens << ", " << Plural(static_cast<int>(r.Ignoradas.size()), "ignorada", "ignoradas");
    }
    mensagens << "; arquivos em " << PastaTeste2(o.pasta).string() << "\n";
    return r.Ignoradas.empty() ? 0 : kSaidaEstacoesIgnoradas;
}

}  // namespace ventaro
