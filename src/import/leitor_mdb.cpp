#include "import/leitor_mdb.h"

// glib must come before mdbtools, whose header otherwise declares templates with C linkage.
#include <glib.h>
#include <mdbtools.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/erro.h"
#include "import/texto.h"

namespace ventaro {

namespace {

struct FecharMdb {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct LiberarTabela {
    void operator()(MdbTableDef* tabela) const { mdb_free_tabledef(tabela); }
};
using Mdb = std::unique_ptr<MdbHandle, FecharMdb>;
using Tabela = std::unique_ptr<MdbTableDef, LiberarTabela>;

// The property blocks of a catalog entry (its LvProp value): "KKD" or "MR2", then records of
// a 32-bit length and a 16-bit type: 0x80 lists the property names (each a length and UTF-16
// text), 0 and 1 hold the properties of an object (4 bytes, the object's name as a 16-bit
// length and text, then each property: 16-bit length, a byte, its type, name index, value size,
// value). Whether every length stays within its record and every name index exists.
bool PropriedadesIntegras(const unsigned char* kkd, std::size_t tamanho) {
    auto int16 = [&](std::size_t p) { return static_cast<std::size_t>(kkd[p] | kkd[p + 1] << 8); };
    auto int32 = [&](std::size_t p) {
        return static_cast<std::size_t>(kkd[p]) | static_cast<std::size_t>(kkd[p + 1]) << 8 |
               static_cast<std::size_t>(kkd[p + 2]) << 16 |
               static_cast<std::size_t>(kkd[p + 3]) << 24;
    };
    if (tamanho < 4) return true;  // libmdb ignores a block of another format
    const std::string_view assinatura(reinterpret_cast<const char*>(kkd), 4);
    if (assinatura != std::string_view("KKD\0", 4) && assinatura != std::string_view("MR2\0", 4)) {
        return true;
    }
    std::size_t nomes = 0;
    for (std::size_t pos = 4; pos < tamanho;) {
        if (tamanho - pos < 6) return false;
        const std::size_t comprimento = int32(pos);
        if (comprimento < 6 || comprimento > tamanho - pos) return false;
        const std::size_t tipo = int16(pos + 4);
        const std::size_t inicio = pos + 6;
        const std::size_t fim = pos + comprimento;
        if (tipo == 0x80) {
            nomes = 0;
            for (std::size_t p = inicio; p < fim; ++nomes) {
                if (fim - p < 2) return false;
                const std::size_t nome = int16(p);
                p += 2;
                if (nome > fim - p) return false;
                p += nome;
            }
        } else if (tipo == 0 || tipo == 1) {
            if (fim - inicio < 6 || int16(inicio + 4) > fim - inicio - 6) return false;
            for (std::size_t p = inicio + 6 + int16(inicio + 4); p < fim;) {
                if (fim - p < 8) return false;
                const std::size_t registro = int16(p);
                if (registro < 8 || registro > fim - p) return false;
                if (int16(p + 4) >= nomes || int16(p + 6) > registro - 8) return false;
                p += registro;
            }
        }
        pos = fim;
    }
    return true;
}

// libmdb 1.0 trusts the lengths inside the catalog's property blocks: in a damaged file a
// length of 0 makes it loop for ever while allocating, and a bad name index reads outside its
// list. The blocks are read here first, as the catalog reads them, so that such a file is
// refused instead.
bool CatalogoIntegro(MdbHandle* mdb) {
    MdbCatalogEntry msys{};
    msys.mdb = mdb;
    msys.object_type = MDB_TABLE;
    msys.table_pg = 2;
    std::snprintf(msys.object_name, sizeof msys.object_name, "MSysObjects");
    Tabela tabela(mdb_read_table(&msys));
    // Without a readable catalog table libmdb fails by itself.
    if (!tabela || !mdb_read_columns(tabela.get())) return true;
    // Only the blocks of tables are parsed by the catalog read the importers make.
    std::vector<char> props(mdb->bind_size + 1, '\0');
    std::vector<char> tipo(mdb->bind_size + 1, '\0');
    int comprimento = 0;
    int comprimento_tipo = 0;
    MdbColumn* coluna = nullptr;
    for (unsigned c = 0; c < tabela->num_cols; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(tabela->columns, c));
        const std::string nome = Maiusculas(col->name);
        if (nome == "LVPROP") {
            coluna = col;
            mdb_bind_column(tabela.get(), static_cast<int>(c + 1), props.data(), &comprimento);
        } else if (nome == "TYPE") {
            mdb_bind_column(tabela.get(), static_cast<int>(c + 1), tipo.data(), &comprimento_tipo);
        }
    }
    if (!coluna) return true;
    mdb_rewind_table(tabela.get());
    while (mdb_fetch_row(tabela.get())) {
        const std::string_view texto_tipo(tipo.data(), static_cast<std::size_t>(comprimento_tipo));
        if (comprimento == 0 || LerInteiro(texto_tipo) != MDB_TABLE) continue;
        std::size_t tamanho = 0;
        std::unique_ptr<void, decltype(&std::free)> kkd(mdb_ole_read_full(mdb, coluna, &tamanho),
                                                        &std::free);
        if (kkd && !PropriedadesIntegras(static_cast<const unsigned char*>(kkd.get()), tamanho)) {
            return false;
        }
    }
    return true;
}

Mdb AbrirMdb(const std::filesystem::path& arquivo) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(arquivo, ec)) {
        throw ErroVentaro("Banco de dados não encontrado: " + TextoSeguro(arquivo.string()) + ".");
    }
    Mdb mdb(mdb_open(arquivo.string().c_str(), MDB_NOFLAGS));
    if (!mdb) {
        throw ErroVentaro("O arquivo " + TextoSeguro(arquivo.string()) +
                          " não é um banco de dados Access.");
    }
    if (!CatalogoIntegro(mdb.get())) {
        throw ErroVentaro("O banco de dados " + TextoSeguro(arquivo.string()) +
                          " está danificado (catálogo de tabelas ilegível).");
    }
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) {
        throw ErroVentaro("Não foi possível ler o catálogo do banco de dados " +
                          TextoSeguro(arquivo.string()) + ".");
    }
    return mdb;
}

std::vector<MdbCatalogEntry*> TabelasDoUsuario(MdbHandle* mdb) {
    std::vector<MdbCatalogEntry*> entradas;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* entrada = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entrada->object_type != MDB_TABLE) continue;
        if (!mdb_is_user_table(entrada)) continue;
        entradas.push_back(entrada);
    }
    return entradas;
}

std::string Aspas(std::string_view nome) {
    std::string s = "\"";
    for (char c : nome) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + "\"";
}

bool Numerico(int tipo) {
    return tipo == MDB_BYTE || tipo == MDB_INT || tipo == MDB_LONGINT || tipo == MDB_FLOAT ||
           tipo == MDB_DOUBLE || tipo == MDB_MONEY || tipo == MDB_NUMERIC || tipo == MDB_BOOL;
}

bool Inteiro(int tipo) {
    return tipo == MDB_BYTE || tipo == MDB_INT || tipo == MDB_LONGINT || tipo == MDB_BOOL;
}

void CopiarTabela(MdbCatalogEntry* entrada, SQLite::Database& destino,
                  const std::optional<FiltroMdb>& filtro, const std::filesystem::path& arquivo) {
    Tabela tabela(mdb_read_table(entrada));
    if (!tabela || !mdb_read_columns(tabela.get())) {
        throw ErroVentaro("Não foi possível ler a tabela " + TextoSeguro(entrada->object_name) +
                          " do banco de dados " + TextoSeguro(arquivo.string()) + ".");
    }
    MdbHandle* mdb = entrada->mdb;
    const unsigned num_colunas = tabela->num_cols;
    std::vector<MdbColumn*> colunas(num_colunas);
    std::vector<std::vector<char>> buffers(num_colunas);
    std::vector<int> comprimentos(num_colunas, 0);
    std::optional<unsigned> coluna_filtro;
    std::string criar = "create table " + Aspas(entrada->object_name) + " (";
    std::string inserir = "insert into " + Aspas(entrada->object_name) + " values (";
    for (unsigned c = 0; c < num_colunas; ++c) {
        colunas[c] = static_cast<MdbColumn*>(g_ptr_array_index(tabela->columns, c));
        buffers[c].assign(mdb->bind_size + 1, '\0');
        mdb_bind_column(tabela.get(), static_cast<int>(c + 1), buffers[c].data(), &comprimentos[c]);
        const int tipo = colunas[c]->col_type;
        const char* afinidade = Inteiro(tipo) ? "integer" : Numerico(tipo) ? "real" : "text";
        criar += (c ? ", " : "") + Aspas(colunas[c]->name) + " " + afinidade;
        inserir += c ? ", ?" : "?";
        if (filtro && Maiusculas(colunas[c]->name) == Maiusculas(filtro->Coluna)) {
            coluna_filtro = c;
        }
    }
    destino.exec(criar + ")");
    SQLite::Statement insercao(destino, inserir + ")");
    // What libmdb left in the bound buffer of a column, never past its end.
    auto texto = [&](unsigned c) {
        const auto comprimento = static_cast<std::size_t>(std::max(comprimentos[c], 0));
        return std::string_view(buffers[c].data(), std::min(comprimento, buffers[c].size() - 1));
    };
    // Whether a fixed-size value of a damaged file's row still lies within the page read.
    auto na_pagina = [](int inicio, int tamanho) {
        return inicio >= 0 && inicio <= static_cast<int>(MDB_PGSIZE) - tamanho;
    };
    mdb_rewind_table(tabela.get());
    while (mdb_fetch_row(tabela.get())) {
        bool manter = true;
        for (unsigned c = 0; c < num_colunas; ++c) {
            MdbColumn* col = colunas[c];
            const int param = static_cast<int>(c + 1);
            const int tipo = col->col_type;
            // Fixed-size values are read from the row itself: the text libmdb makes of them
            // depends on its formats and, for dates, on the year.
            const bool nulo = tipo != MDB_BOOL && comprimentos[c] == 0;
            if (nulo || tipo == MDB_OLE || tipo == MDB_BINARY) {
                insercao.bind(param);
                if (coluna_filtro == c) manter = false;
                continue;
            }
            const int inicio = col->cur_value_start;
            const int tamanho = tipo == MDB_BYTE                             ? 1
                                : tipo == MDB_INT                            ? 2
                                : tipo == MDB_LONGINT || tipo == MDB_FLOAT   ? 4
                                : tipo == MDB_DOUBLE || tipo == MDB_DATETIME ? 8
                                                                             : 0;
            if (tamanho > 0 && !na_pagina(inicio, tamanho)) {
                insercao.bind(param);
                if (coluna_filtro == c) manter = false;
                continue;
            }
            switch (tipo) {
                case MDB_BYTE:
                    insercao.bind(param, mdb_get_byte(mdb->pg_buf, inicio));
                    break;
                case MDB_INT:
                    insercao.bind(param, mdb_get_int16(mdb->pg_buf, inicio));
                    break;
                case MDB_LONGINT:
                    insercao.bind(param, static_cast<int64_t>(mdb_get_int32(mdb->pg_buf, inicio)));
                    break;
                case MDB_FLOAT:
                    insercao.bind(param, static_cast<double>(mdb_get_single(mdb->pg_buf, inicio)));
                    break;
                case MDB_DOUBLE:
                    insercao.bind(param, mdb_get_double(mdb->pg_buf, inicio));
                    break;
                case MDB_DATETIME: {
                    const std::string data =
                        DataAccessParaTexto(mdb_get_double(mdb->pg_buf, inicio));
                    if (data.empty()) {
                        insercao.bind(param);
                    } else {
                        insercao.bind(param, data);
                    }
                    break;
                }
                case MDB_BOOL:
                    insercao.bind(param, buffers[c][0] == '1' ? 1 : 0);
                    break;
                default: {
                    const std::string valor(texto(c));
                    if (tipo == MDB_MONEY || tipo == MDB_NUMERIC) {
                        const auto v = LerDecimal(valor);
                        if (v)
                            insercao.bind(param, *v);
                        else
                            insercao.bind(param);
                    } else {
                        insercao.bind(param, valor);
                    }
                }
            }
        }
        if (coluna_filtro && manter) {
            MdbColumn* col = colunas[*coluna_filtro];
            int64_t valor = 0;
            if (col->col_type == MDB_LONGINT) {
                valor = mdb_get_int32(mdb->pg_buf, col->cur_value_start);
            } else if (col->col_type == MDB_INT) {
                valor = mdb_get_int16(mdb->pg_buf, col->cur_value_start);
            } else {
                const auto v = LerInteiro(texto(*coluna_filtro));
                valor = v.value_or(0);
                if (!v) {
                    // A real code written with decimals; one no integer holds matches nothing.
                    const auto d = LerDecimal(texto(*coluna_filtro));
                    valor = d && std::fabs(*d) < 9e18 ? static_cast<int64_t>(*d) : 0;
                }
            }
            manter = filtro->Valores.count(valor) > 0;
        }
        if (manter) insercao.exec();
        insercao.reset();
        insercao.clearBindings();
    }
}

}  // namespace

std::string DataAccessParaTexto(double dias) {
    // Access keeps dates from year 100 to 9999; anything else in the file is no date.
    if (!(dias >= kPrimeiroDiaAccess && dias < kUltimoDiaAccess + 1)) return "";
    const double inteiro = std::trunc(dias);
    const double fracao = std::fabs(dias - inteiro);
    int64_t segundos_do_dia = static_cast<int64_t>(std::llround(fracao * 86400.0));
    int64_t dia = static_cast<int64_t>(inteiro);
    if (segundos_do_dia >= 86400) {
        segundos_do_dia -= 86400;
        dia += dias < 0 ? -1 : 1;
    }
    // Days since 1899-12-30 to a civil date (Howard Hinnant's days_from_civil inverse).
    int64_t z = dia - 25569 + 719468;  // 1970-01-01 is Access day 25569
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char texto[128];
    std::snprintf(texto, sizeof texto, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld",
                  static_cast<long long>(y), static_cast<long long>(m), static_cast<long long>(d),
                  static_cast<long long>(segundos_do_dia / 3600),
                  static_cast<long long>(segundos_do_dia / 60 % 60),
                  static_cast<long long>(segundos_do_dia % 60));
    return texto;
}

std::vector<std::string> ListarTabelasMdb(const std::filesystem::path& arquivo) {
    Mdb mdb = AbrirMdb(arquivo);
    std::vector<std::string> nomes;
    for (MdbCatalogEntry* entrada : TabelasDoUsuario(mdb.get())) {
        nomes.emplace_back(entrada->object_name);
    }
    return nomes;
}

void CopiarTabelasMdb(const std::filesystem::path& arquivo, SQLite::Database& destino,
                      const std::vector<std::string>& tabelas,
                      const std::optional<FiltroMdb>& filtro) {
    Mdb mdb = AbrirMdb(arquivo);
    const std::vector<MdbCatalogEntry*> entradas = TabelasDoUsuario(mdb.get());
    try {
        SQLite::Transaction transacao(destino);
        for (const std::string& nome : tabelas) {
            const auto it = std::find_if(entradas.begin(), entradas.end(), [&](auto* e) {
                return Maiusculas(e->object_name) == Maiusculas(nome);
            });
            if (it == entradas.end()) {
                throw ErroVentaro("O banco de dados " + TextoSeguro(arquivo.string()) +
                                  " não tem a tabela " + TextoSeguro(nome) + ".");
            }
            CopiarTabela(*it, destino, filtro, arquivo);
        }
        transacao.commit();
    } catch (const SQLite::Exception& e) {
        throw ErroVentaro("Erro ao copiar o banco de dados " + TextoSeguro(arquivo.string()) +
                          ": " + TextoSeguro(ParaUtf8(e.what())));
    }
}

}  // namespace ventaro
