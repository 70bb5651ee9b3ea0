#include "stations/gravacao_regiao.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "banco_teste.h"
#include "core/erro.h"
#include "stations/estacoes.h"

namespace ventaro {
namespace {

using teste::BancoTemporario;

// Laws whose every value tells its type, month and class apart.
TDados LeisExemplo(double deslocamento) {
    TDados d;
    for (int m = 1; m <= 12; ++m) {
        for (std::size_t k = 0; k < kNumClasses; ++k) {
            const double v = deslocamento + m + 0.01 * static_cast<double>(k);
            d.AlfaDur[m][k] = 1 + v;
            d.BetaDur[m][k] = 2 + v;
            d.AlfaIi[m][k] = 3 + v;
            d.BetaIi[m][k] = 4 + v;
            d.BetaTi[m][k] = 0.001 * v;
        }
    }
    return d;
}

// Region 3 and region 6 written, and a rainfall station of region 6 to load them through.
void Preparar(BancoTemporario& bt) {
    bt.Executar(
        "insert into EstacaoPrec values (2852006, 'PASSO FUNDO', 'PASSO FUNDO', 6, -28.26, "
        "-52.41, 687, 28);");
    for (int m = 1; m <= 12; ++m) {
        bt.Executar("insert into DadosPrec values (2852006, " + std::to_string(m) +
                    ", 12, 14, 2, 0.6, 0.2, 100, 200);");
    }
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
    GravarParamRegiao(banco, 3, LeisExemplo(100));
    GravarParamRegiao(banco, 6, LeisExemplo(200));
}

TEST(GravarParamRegiao, ReplacesTheRegionsSixtyRowsAndNothingElse) {
    BancoTemporario bt;
    Preparar(bt);
    BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
    EXPECT_FALSE(ExisteRegiao(banco, 1));
    EXPECT_EQ(GravarParamRegiao(banco, 1, LeisExemplo(0)), ResultadoGravacao::Nova);
    EXPECT_EQ(GravarParamRegiao(banco, 6, LeisExemplo(300)), ResultadoGravacao::Substituida);

    Consulta contagem(banco,
                      "select CodRegiao, count(*) from ParamRegiao group by CodRegiao "
                      "order by CodRegiao");
    std::string linhas;
    while (contagem.Proxima()) {
        linhas += contagem.TextoNaPosicao(1) + ":" + contagem.TextoNaPosicao(2) + " ";
    }
    EXPECT_EQ(linhas, "1:60 3:60 6:60 ");

    TDados lido;
    CarregarEstacaoPrec(banco, "2852006", lido);
    const TDados esperado = LeisExemplo(300);
    EXPECT_EQ(lido.AlfaDur, esperado.AlfaDur);
    EXPECT_EQ(lido.BetaDur, esperado.BetaDur);
    EXPECT_EQ(lido.AlfaIi, esperado.AlfaIi);
    EXPECT_EQ(lido.BetaIi, esperado.BetaIi);
    EXPECT_EQ(lido.BetaTi, esperado.BetaTi);
    Consulta tres(banco,
                  "select Classe11 from ParamRegiao where CodRegiao = 3 and "
                  "TipoParametro = 5 and Mes = 12");
    ASSERT_TRUE(tres.Proxima());
    EXPECT_DOUBLE_EQ(tres.RealNaPosicao(1), 0.001 * (100 + 12 + 0.11));
}

// Refused regions and laws, and a write that fails halfway, leave the file byte for byte as it
// was, with a message naming the region and what was wrong.
TEST(GravarParamRegiao, AnyFailureLeavesTheFileByteIdentical) {
    BancoTemporario bt;
    Preparar(bt);
    bt.Executar(
        "create trigger falha before insert on ParamRegiao when new.TipoParametro = 4 and "
        "new.Mes = 7 begin select raise(abort, 'disco cheio'); end");
    const std::string antes = teste::LerTexto(bt.Arquivo());

    TDados forma = LeisExemplo(0);
    forma.AlfaIi[4][7] = 0.5;
    TDados escala = LeisExemplo(0);
    escala.BetaDur[12][0] = 0;
    TDados indefinido = LeisExemplo(0);
    indefinido.BetaTi[1][11] = std::nan("");
    struct Caso {
        int regiao;
        const TDados* leis;
        std::string trecho;
    };
    const TDados boas = LeisExemplo(0);
    const Caso casos[] = {
        {0, &boas, "região 0: a região deve ser um número de 1 a 7"},
        {8, &boas, "região 8"},
        {6, &forma, "região 6: AlfaIi = 0.5 no mês 4, classe de lâmina 7 (deve ser pelo menos 1)"},
        {6, &escala, "BetaDur = 0 no mês 12, classe de lâmina 0 (deve ser positivo)"},
        {6, &indefinido, "BetaTi = nan no mês 1, classe de lâmina 11"},
        {6, &boas, "região 6: Erro no banco de dados"},
        {2, &boas, "região 2: Erro no banco de dados"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.trecho);
        BancoDados banco(bt.Arquivo(), BancoDados::Modo::Escrita);
        try {
            GravarParamRegiao(banco, c.regiao, *c.leis);
            ADD_FAILURE() << "gravado";
        } catch (const ErroVentaro& e) {
            EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos) << e.what();
            if (c.trecho.ends_with("dados")) {
                EXPECT_NE(std::string(e.what()).find("disco cheio"), std::string::npos);
            }
        }
        EXPECT_EQ(teste::LerTexto(bt.Arquivo()), antes);
    }

    BancoTemporario sem_tabela(false);
    BancoDados banco(sem_tabela.Arquivo(), BancoDados::Modo::Escrita);
    EXPECT_THROW(GravarParamRegiao(banco, 6, boas), ErroVentaro);
}

}  // namespace
}  // namespace ventaro
