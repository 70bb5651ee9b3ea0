#include "import/leitor_mdb.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/erro.h"
#include "teste_util.h"

namespace ventaro {
namespace {

TEST(DataAccessParaTexto, ConvertsDaysSince1899) {
    EXPECT_EQ(DataAccessParaTexto(0), "1899-12-30 00:00:00");
    EXPECT_EQ(DataAccessParaTexto(1), "1899-12-31 00:00:00");
    EXPECT_EQ(DataAccessParaTexto(31048.5), "1985-01-01 12:00:00");
    EXPECT_EQ(DataAccessParaTexto(36526), "2000-01-01 00:00:00");
    // Before the epoch the time of day still counts forward.
    EXPECT_EQ(DataAccessParaTexto(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(DataAccessParaTexto(2958465), "9999-12-31 00:00:00");
    EXPECT_EQ(DataAccessParaTexto(-657434), "0100-01-01 00:00:00");
    // Outside what Access stores (a damaged file) there is no date, and no overflow.
    for (double dias : {2958466.0, -657435.0, 1e300, -1e300, std::nan(""), HUGE_VAL}) {
        EXPECT_EQ(DataAccessParaTexto(dias), "") << dias;
    }
}

TEST(CopiarTabelasMdb, CopiesAJet4TableWithDates) {
    const auto arquivo = teste::Dados("DateTestDatabase.mdb");
    EXPECT_EQ(ListarTabelasMdb(arquivo), std::vector<std::string>{"DateTest"});
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    CopiarTabelasMdb(arquivo, db, {"datetest"});
    EXPECT_EQ(db.execAndGet("select count(*) from DateTest").getInt(), 6);
    // Dates come from the stored day count, so years outside 1900-2100 are right too.
    SQLite::Statement q(db,
                        "select DateCol, DateTimeCol, LongTextCol from DateTest order by IDCol");
    std::vector<std::string> datas, horas, textos;
    while (q.executeStep()) {
        datas.push_back(q.getColumn(0).getString());
        horas.push_back(q.getColumn(1).getString());
        textos.push_back(q.getColumn(2).getString());
    }
    ASSERT_EQ(datas.size(), 6u);
    EXPECT_EQ(datas[0], "2021-12-02 00:00:00");
    EXPECT_EQ(datas[1], "9999-01-01 00:00:00");
    EXPECT_EQ(datas[2], "1899-01-01 00:00:00");
    EXPECT_EQ(horas[3], "0632-01-01 00:00:00");
    EXPECT_EQ(textos[1], "Year 9999");
    EXPECT_EQ(textos[5], "New line\r\nin field");
}

TEST(CopiarTabelasMdb, CopiesAJet3TableAndFiltersRows) {
    const std::filesystem::path arquivo =
        std::filesystem::path(VENTARO_SHARED_DATA_DIR) / "mdb_testdata" / "nwind.mdb";
    if (!std::filesystem::exists(arquivo)) GTEST_SKIP() << "sem " << arquivo;
    const auto tabelas = ListarTabelasMdb(arquivo);
    EXPECT_NE(std::find(tabelas.begin(), tabelas.end(), "Umsätze"), tabelas.end());
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    CopiarTabelasMdb(arquivo, db, {"Customers", "Order Details"});
    EXPECT_EQ(db.execAndGet("select count(*) from Customers").getInt(), 91);
    EXPECT_EQ(db.execAndGet("select count(*) from \"Order Details\"").getInt(), 2155);
    EXPECT_EQ(db.execAndGet("select count(*) from Customers where City = 'Helsinki'").getInt(), 1);
    EXPECT_EQ(
        db.execAndGet("select count(*) from Customers where CompanyName like 'Océ%'").getInt(), 1);

    SQLite::Database filtrado(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    CopiarTabelasMdb(arquivo, filtrado, {"Orders"}, FiltroMdb{"EmployeeID", {1, 2}});
    const int n = filtrado.execAndGet("select count(*) from Orders").getInt();
    EXPECT_GT(n, 0);
    EXPECT_LT(n, 830);
    EXPECT_EQ(filtrado.execAndGet("select count(*) from Orders where EmployeeID > 2").getInt(), 0);
    // Dates sort in time order as text.
    EXPECT_EQ(filtrado.execAndGet("select min(OrderDate) from Orders").getString().size(), 19u);
}

TEST(CopiarTabelasMdb, MissingTableOrNotAnAccessFileIsNamed) {
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    try {
        CopiarTabelasMdb(teste::Dados("DateTestDatabase.mdb"), db, {"Clima"});
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("Clima"), std::string::npos) << e.what();
    }
    EXPECT_THROW(CopiarTabelasMdb(teste::Dados("barra_1978_jan_fev.txt"), db, {"Clima"}),
                 ErroVentaro);
}

TEST(CopiarTabelasMdb, ADamagedCatalogIsRefusedInsteadOfHangingTheReader) {
    // The table's property block ("MR2", names record of 0x4d0 bytes, then a properties
    // record): a property of length 0 made libmdb loop for ever, allocating gigabytes.
    std::ifstream entrada(teste::Dados("DateTestDatabase.mdb"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
    const std::size_t bloco = bytes.find(std::string("MR2\0\xd0\x04\0\0\x80\0", 10));
    ASSERT_NE(bloco, std::string::npos);
    const std::size_t registro = bloco + 4 + 0x4d0;
    const std::size_t nome = static_cast<unsigned char>(bytes[registro + 10]);
    const std::size_t propriedade = registro + 12 + nome;
    bytes[propriedade] = bytes[propriedade + 1] = '\0';
    teste::PastaTemporaria pasta;
    const auto arquivo = pasta.Escrever("danificado.mdb", bytes);
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    try {
        CopiarTabelasMdb(arquivo, db, {"DateTest"});
        FAIL();
    } catch (const ErroVentaro& e) {
        EXPECT_NE(std::string(e.what()).find("danificado.mdb está danificado"), std::string::npos)
            << e.what();
    }
    EXPECT_THROW(ListarTabelasMdb(arquivo), ErroVentaro);
}

}  // namespace
}  // namespace ventaro
