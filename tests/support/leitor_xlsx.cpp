#include "support/leitor_xlsx.h"

#include <unzip.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string_view>

namespace ventaro::teste {

namespace {

struct FecharZip {
    void operator()(void* z) const { unzClose(z); }
};
using Zip = std::unique_ptr<void, FecharZip>;

std::string Parte(unzFile zip, const std::string& nome) {
    if (unzLocateFile(zip, nome.c_str(), 0) != UNZ_OK) return {};
    if (unzOpenCurrentFile(zip) != UNZ_OK) throw std::runtime_error("parte ilegível: " + nome);
    std::string conteudo;
    char buf[65536];
    for (int n; (n = unzReadCurrentFile(zip, buf, sizeof buf)) > 0;) conteudo.append(buf, n);
    unzCloseCurrentFile(zip);
    return conteudo;
}

std::string Entidades(std::string_view s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            r += s[i];
            continue;
        }
        const auto fim = s.find(';', i);
        const std::string_view e = s.substr(i + 1, fim - i - 1);
        r += e == "amp" ? "&" : e == "lt" ? "<" : e == "gt" ? ">" : e == "quot" ? "\"" : "'";
        i = fim;
    }
    return r;
}

// The value of attribute `nome` in the tag text `tag`, or empty.
std::string Atributo(std::string_view tag, std::string_view nome) {
    std::string chave(1, ' ');
    chave += nome;
    chave += "=\"";
    const auto p = tag.find(chave);
    if (p == std::string_view::npos) return {};
    const auto inicio = p + chave.size();
    return Entidades(tag.substr(inicio, tag.find('"', inicio) - inicio));
}

// Every element <nome ...> ... </nome> (or <nome .../>) of `xml`: the opening tag and the body.
std::vector<std::pair<std::string_view, std::string_view>> Elementos(std::string_view xml,
                                                                     std::string_view nome) {
    std::vector<std::pair<std::string_view, std::string_view>> r;
    std::string abre(1, '<');
    abre += nome;
    std::string fecha("</");
    fecha += nome;
    fecha += '>';
    for (std::size_t p = xml.find(abre); p != std::string_view::npos; p = xml.find(abre, p + 1)) {
        const char depois = xml[p + abre.size()];
        if (depois != ' ' && depois != '>' && depois != '/') continue;
        const auto fim_tag = xml.find('>', p);
        const std::string_view tag = xml.substr(p, fim_tag - p + 1);
        if (tag.ends_with("/>")) {
            r.emplace_back(tag, std::string_view{});
            continue;
        }
        const auto fim = xml.find(fecha, fim_tag);
        r.emplace_back(tag, xml.substr(fim_tag + 1, fim - fim_tag - 1));
    }
    return r;
}

// The text of every <t> inside a string item.
std::string Texto(std::string_view item) {
    std::string r;
    for (const auto& [tag, corpo] : Elementos(item, "t")) r += Entidades(corpo);
    return r;
}

std::pair<int, int> Posicao(std::string_view ref) {
    int coluna = 0;
    std::size_t i = 0;
    for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z'; ++i)
        coluna = coluna * 26 + (ref[i] - 'A' + 1);
    return {std::atoi(std::string(ref.substr(i)).c_str()), coluna};
}

}  // namespace

double CelulaXlsx::Numero() const {
    return std::strtod(valor.c_str(), nullptr);
}

std::vector<FolhaXlsx> LerXlsx(const std::filesystem::path& arquivo) {
    Zip zip(unzOpen(arquivo.c_str()));
    if (!zip) throw std::runtime_error("não é um arquivo zip: " + arquivo.string());
    const std::string livro = Parte(zip.get(), "xl/workbook.xml");
    const std::string relacoes = Parte(zip.get(), "xl/_rels/workbook.xml.rels");
    const std::string textos = Parte(zip.get(), "xl/sharedStrings.xml");
    const std::string estilos = Parte(zip.get(), "xl/styles.xml");
    if (livro.empty()) throw std::runtime_error("sem xl/workbook.xml: " + arquivo.string());

    std::vector<std::string> compartilhados;
    for (const auto& [tag, corpo] : Elementos(textos, "si")) compartilhados.push_back(Texto(corpo));
    std::vector<int> formatos;
    const auto xfs = Elementos(estilos, "cellXfs");
    if (!xfs.empty()) {
        for (const auto& [tag, corpo] : Elementos(xfs.front().second, "xf")) {
            formatos.push_back(std::atoi(Atributo(tag, "numFmtId").c_str()));
        }
    }
    std::map<std::string, std::string> alvos;
    for (const auto& [tag, corpo] : Elementos(relacoes, "Relationship")) {
        alvos[Atributo(tag, "Id")] = Atributo(tag, "Target");
    }

    std::vector<FolhaXlsx> folhas;
    for (const auto& [tag, corpo] : Elementos(livro, "sheet")) {
        FolhaXlsx folha;
        folha.nome = Atributo(tag, "name");
        const std::string alvo = alvos[Atributo(tag, "r:id")];
        const std::string xml = Parte(
            zip.get(), alvo.starts_with('/') ? alvo.substr(1) : std::string("xl/").append(alvo));
        for (const auto& [tag_c, corpo_c] : Elementos(xml, "c")) {
            CelulaXlsx c;
            const std::string tipo = Atributo(tag_c, "t");
            const std::string estilo = Atributo(tag_c, "s");
            const auto indice =
                estilo.empty() ? 0u : static_cast<std::size_t>(std::atoi(estilo.c_str()));
            c.formato = indice < formatos.size() ? formatos[indice] : 0;
            const auto v = Elementos(corpo_c, "v");
            const std::string bruto = v.empty() ? std::string() : Entidades(v.front().second);
            if (tipo == "s") {
                c.texto = true;
                c.valor = compartilhados.at(static_cast<std::size_t>(std::atoi(bruto.c_str())));
            } else if (tipo == "inlineStr" || tipo == "str") {
                c.texto = true;
                c.valor = tipo == "str" ? bruto : Texto(corpo_c);
            } else {
                c.valor = bruto;
            }
            folha.celulas[Posicao(Atributo(tag_c, "r"))] = c;
        }
        folhas.push_back(std::move(folha));
    }
    return folhas;
}

}  // namespace ventaro::teste
