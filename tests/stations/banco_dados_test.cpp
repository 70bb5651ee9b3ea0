#include "stations/banco_dados.h"

#include <gtest/gtest.h>

#include <fstream>

#include "banco_teste.h"
#include "core/erro.h"

namespace ventaro {
namespace {

using teste::BancoTemporario;

TEST(BancoDados, MissingOrNonDatabaseFileFailsNamingIt) {
    const auto inexistente = std::filesystem::temp_directory_path() / "ventaro_nao_existe.sqlite";
    try {
        BancoDados banco(inexistente);
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find(inexistente.string()), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(inexistente));

    BancoTemporario temp(false);
    {
        std::ofstream(temp.Arquivo(), std::ios::binary | std::ios::trunc)
            << "isto não é um banco de dados, mas um texto qualquer com mais de cem bytes para "
               "que o leitor chegue a olhar o cabeçalho do arquivo.";
    }
    try {
        BancoDados banco(temp.Arquivo());
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find(temp.Arquivo().string()), std::string::npos);
    }
}

TEST(Consulta, ColumnsByNameIgnoringCaseOrByPosition) {
    BancoTemporario temp;
    temp.Executar(
        "insert into EstacaoPrec values (2045012, 'CANDEIAS', null, 3, -20.7546, -45.2761, "
        "960, 30);");
    BancoDados banco(temp.Arquivo());
    Consulta q(banco, "select * from EstacaoPrec where CodEstacao = :estacao");
    q.Bind(":estacao", std::string_view("2045012"));
    ASSERT_TRUE(q.Proxima());
    EXPECT_EQ(q.Inteiro("codestacao"), 2045012);
    EXPECT_EQ(q.Texto("NOME"), "CANDEIAS");
    // No value: empty text, 0.
    EXPECT_TRUE(q.Nulo("Municipio"));
    EXPECT_EQ(q.Texto("municipio"), "");
    EXPECT_EQ(q.Real("Municipio"), 0);
    // Reals as text without a trailing ".0".
    EXPECT_EQ(q.Texto("altitude"), "960");
    EXPECT_EQ(q.Texto("latitude"), "-20.7546");
    EXPECT_EQ(q.TextoNaPosicao(2), "CANDEIAS");
    EXPECT_EQ(q.RealNaPosicao(5), -20.7546);
    EXPECT_THROW(q.RealNaPosicao(9), ErroVentaro);
    EXPECT_THROW(q.Texto("Regiao2"), ErroVentaro);
    EXPECT_FALSE(q.Proxima());
}

TEST(Consulta, BadStatementOrParameterFailsWithTheDatabaseName) {
    BancoTemporario temp;
    BancoDados banco(temp.Arquivo());
    try {
        Consulta q(banco, "select * from TabelaQueNaoExiste");
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find(temp.Arquivo().string()), std::string::npos);
    }
    Consulta q(banco, "select * from EstacaoPrec where CodEstacao = :estacao");
    EXPECT_THROW(q.Bind(":outro", int64_t{1}), ErroVentaro);
}

TEST(BancoDados, SchemaAcceptsTheImportersStatements) {
    BancoTemporario temp;
    BancoDados banco(temp.Arquivo(), BancoDados::Modo::Escrita);
    // Station rows are inserted without a column list.
    Consulta a4(banco,
                "insert into EstacaoPrec values\n"
                "(:CodEstacao, :Nome, :Municipio, :Regiao, :Lat, :Long, :Alt, :NumAnos)");
    a4.Bind(":CodEstacao", std::string_view("2045012"))
        .Bind(":Nome", std::string_view("CANDEIAS"))
        .Bind(":Municipio", std::string_view("CANDEIAS"))
        .Bind(":Regiao", std::string_view("3"))
        .Bind(":Lat", -20.7546)
        .Bind(":Long", -45.2761)
        .Bind(":Alt", 960.0)
        .Bind(":NumAnos", int64_t{30});
    a4.Executar();
    Consulta c4(banco,
                "insert into EstacaoClima values\n(:CodEstacao, :Nome, :Municipio, :Regiao, "
                ":Latitude, :Longitude, :Altitude, :NumAnos, :ResTMax, :ResTMin, :ResRad)");
    c4.Bind(":CodEstacao", std::string_view("83587"))
        .Bind(":Nome", std::string_view("BH"))
        .Bind(":Municipio", std::string_view("BH"))
        .Bind(":Regiao", int64_t{3})
        .Bind(":Latitude", -19.9)
        .Bind(":Longitude", -43.9)
        .Bind(":Altitude", 915.0)
        .Bind(":NumAnos", int64_t{31})
        .Bind(":ResTMax", 0.1)
        .Bind(":ResTMin", 0.2)
        .Bind(":ResRad", 0.3);
    c4.Executar();
    Consulta q(banco, "select * from EstacaoClima");
    ASSERT_TRUE(q.Proxima());
    EXPECT_EQ(q.Inteiro("CodEstacao"), 83587);
    EXPECT_EQ(q.Real("XResJanRad"), 0.3);
    // A station code is unique.
    EXPECT_THROW(
        {
            a4.Reiniciar();
            a4.Bind(":CodEstacao", std::string_view("2045012")).Executar();
        },
        ErroVentaro);
    banco.Executar("delete from DadosClima where CodEstacao = 83587");
}

}  // namespace
}  // namespace ventaro
