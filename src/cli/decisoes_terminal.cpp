#include "cli/decisoes_terminal.h"

#include <istream>
#include <ostream>

#include "core/erro.h"
#include "import/chuvas_ana.h"
#include "import/texto.h"

namespace ventaro {

std::optional<std::string> DecisoesTerminalInmet::Estacao(const std::vector<std::string>& codigos) {
    std::string lista;
    for (const std::string& c : codigos) lista += (lista.empty() ? "" : ", ") + c;
    throw ErroVentaro("Escolha a estação do banco de dados com --estacao (estações: " +
                      (lista.empty() ? std::string("nenhuma") : lista) + ").");
}

bool DecisoesTerminalInmet::Substituir(const std::string& /*codigo*/) {
    recusada_ = !substituir_;
    return substituir_;
}

DecisoesTerminalAna::DecisoesTerminalAna(const OpcoesImportarAna& opcoes, std::ostream& saida,
                                         std::istream& entrada)
    : o_(opcoes), saida_(saida), entrada_(entrada) {}

RespostaSubstituir DecisoesTerminalAna::Substituir(const std::string& codigo8) {
    if (o_.substituir) return RespostaSubstituir::SimParaTodos;
    if (!o_.manter) {
        saida_ << "A estação " << codigo8
               << " já está no banco de dados; mantida (use --substituir para substituí-la).\n";
    }
    return RespostaSubstituir::Nao;
}

std::optional<int> DecisoesTerminalAna::Regiao(const EstacaoAna& estacao) {
    if (o_.regiao) return RegiaoDaOpcao(*o_.regiao);
    for (int tentativa = 1; tentativa <= kTentativasRegiao; ++tentativa) {
        saida_ << TextoPerguntaRegiao(estacao) << "> " << std::flush;
        std::string linha;
        if (!std::getline(entrada_, linha)) {
            saida_ << "\n";
            return std::nullopt;
        }
        const auto r = LerInteiro(linha);
        if (r && *r >= 1 && *r <= 7) return static_cast<int>(*r);
        saida_ << "Região inválida: digite um número de 1 a 7.\n";
    }
    saida_ << "Estação " << CodigoAna8(estacao.Codigo) << " não importada: " << kTentativasRegiao
           << " respostas inválidas para a região.\n";
    return std::nullopt;
}

std::optional<EstacaoAna> DecisoesTerminalAna::IdentidadeForaDoInventario(int64_t codigo) {
    auto recusar = [this](const std::string& motivo) {
        saida_ << motivo << "\n";
        return std::nullopt;
    };
    if (!o_.nome || !o_.latitude || !o_.longitude) {
        return recusar("A estação " + CodigoAna8(codigo) +
                       " não está no inventário: informe --inventario, ou --nome, --latitude e "
                       "--longitude.");
    }
    EstacaoAna e;
    e.Codigo = codigo;
    e.Nome = *o_.nome;
    e.Municipio = o_.municipio.value_or("");
    e.Latitude = LerDecimal(*o_.latitude);
    e.Longitude = LerDecimal(*o_.longitude);
    e.Altitude = o_.altitude ? LerDecimal(*o_.altitude) : std::nullopt;
    if (!e.Latitude || !e.Longitude || (o_.altitude && !e.Altitude)) {
        return recusar("Os valores para latitude, longitude e altitude devem ser números reais.");
    }
    return e;
}

void DecisoesTerminalAna::Mensagem(const std::string& linha) {
    saida_ << linha << "\n";
}

void DecisoesTerminalAna::Relatar(const EstacaoAna& e, ResultadoEstacaoAna resultado,
                                  int num_anos) {
    const std::string codigo8 = CodigoAna8(e.Codigo);
    switch (resultado) {
        case ResultadoEstacaoAna::Nova:
        case ResultadoEstacaoAna::Substituida:
            saida_ << "Estação " << codigo8 << " (" << e.Nome << "): " << num_anos << " anos.\n";
            break;
        case ResultadoEstacaoAna::PoucosAnos:
            saida_ << TextoPoucosAnos(codigo8, num_anos) << "\n";
            break;
        default:
            break;
    }
}

int RegiaoDaOpcao(const std::string& texto) {
    const auto r = LerInteiro(texto);
    if (!r || *r < 1 || *r > 7) {
        throw ErroVentaro("Região inválida: \"" + texto + "\" (use um número de 1 a 7).");
    }
    return static_cast<int>(*r);
}

}  // namespace ventaro
