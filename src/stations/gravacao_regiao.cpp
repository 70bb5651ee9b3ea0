#include "stations/gravacao_regiao.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "core/erro.h"

namespace ventaro {

namespace {

constexpr std::string_view kExisteRegiao =
    "select CodRegiao from ParamRegiao\n"
    "where CodRegiao = :regiao";
constexpr std::string_view kApagarRegiao =
    "delete from ParamRegiao\n"
    "where CodRegiao = :regiao";
// ParamRegiao is read by position: the three keys, the unread bookkeeping column, then the
// twelve depth classes.
constexpr std::string_view kInserirRegiao =
    "insert into ParamRegiao values\n"
    "(:CodRegiao, :TipoParametro, :Mes, 0, :Classe0, :Classe1, :Classe2, :Classe3, :Classe4, "
    ":Classe5, :Classe6, :Classe7, :Classe8, :Classe9, :Classe10, :Classe11)";

struct Tipo {
    int TipoParametro;
    const char* nome;
    TabelaRegional TDados::*tabela;
    bool forma;  // a gamma shape: at least 1; otherwise positive
};

constexpr std::array<Tipo, 5> kTipos = {{
    {1, "AlfaDur", &TDados::AlfaDur, true},
    {2, "BetaDur", &TDados::BetaDur, false},
    {3, "AlfaIi", &TDados::AlfaIi, true},
    {4, "BetaIi", &TDados::BetaIi, false},
    {5, "BetaTi", &TDados::BetaTi, false},
}};

std::string Numero(double v) {
    char texto[32];
    const auto r = std::to_chars(texto, texto + sizeof texto, v);
    return std::string(texto, r.ptr);
}

std::string Onde(int regiao) {
    return "Não foi possível gravar as leis de tempestade da região " + std::to_string(regiao);
}

void ValidarLeis(int regiao, const TDados& leis) {
    for (const Tipo& tipo : kTipos) {
        for (int mes = 1; mes <= 12; ++mes) {
            for (int k = 0; k < kNumClasses; ++k) {
                const double v = (leis.*tipo.tabela)[mes][static_cast<std::size_t>(k)];
                const bool valido = std::isfinite(v) && (tipo.forma ? v >= 1.0 : v > 0.0);
                if (!valido) {
                    throw ErroVentaro(
                        Onde(regiao) + ": " + tipo.nome + " = " + Numero(v) + " no mês " +
                        std::to_string(mes) + ", classe de lâmina " + std::to_string(k) +
                        (tipo.forma ? " (deve ser pelo menos 1)." : " (deve ser positivo)."));
                }
            }
        }
    }
}

}  // namespace

bool ExisteRegiao(BancoDados& banco, int regiao) {
    Consulta consulta(banco, kExisteRegiao);
    consulta.Bind(":regiao", static_cast<int64_t>(regiao));
    return consulta.Proxima();
}

ResultadoGravacao GravarParamRegiao(BancoDados& banco, int regiao, const TDados& leis) {
    if (regiao < kRegiaoMinima || regiao > kRegiaoMaxima) {
        throw ErroVentaro(Onde(regiao) + ": a região deve ser um número de " +
                          std::to_string(kRegiaoMinima) + " a " + std::to_string(kRegiaoMaxima) +
                          ".");
    }
    ValidarLeis(regiao, leis);
    try {
        banco.VerificarTabelas({"ParamRegiao"});
        bool existe = false;
        banco.EmTransacao([&] {
            existe = ExisteRegiao(banco, regiao);
            Consulta(banco, kApagarRegiao).Bind(":regiao", static_cast<int64_t>(regiao)).Executar();
            Consulta linha(banco, kInserirRegiao);
            for (const Tipo& tipo : kTipos) {
                for (int mes = 1; mes <= 12; ++mes) {
                    linha.Reiniciar();
                    linha.Bind(":CodRegiao", static_cast<int64_t>(regiao))
                        .Bind(":TipoParametro", static_cast<int64_t>(tipo.TipoParametro))
                        .Bind(":Mes", static_cast<int64_t>(mes));
                    for (int k = 0; k < kNumClasses; ++k) {
                        linha.Bind(":Classe" + std::to_string(k),
                                   (leis.*tipo.tabela)[mes][static_cast<std::size_t>(k)]);
                    }
                    linha.Executar();
                }
            }
        });
        return existe ? ResultadoGravacao::Substituida : ResultadoGravacao::Nova;
    } catch (const std::exception& e) {
        // Nothing of the region was written.
        throw ErroVentaro(Onde(regiao) + ": " + e.what());
    }
}

}  // namespace ventaro
