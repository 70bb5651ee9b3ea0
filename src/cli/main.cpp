// ventaro-cli: station listing, series generation, imports, regional storm laws and erosivity
// batches from the command line.
//
// Exit codes: 0 success, 2 a command line that cannot be understood, 3 a command that did part
// of its work (an import that wrote some stations and failed others, an erosivity batch that
// skipped stations), 128 + the signal when Ctrl+C or SIGTERM stopped the work, 1 any other
// failure, with a line on stderr saying what failed.

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "cli/comandos.h"
#include "cli/comandos_erosividade.h"
#include "cli/comandos_importar.h"
#include "cli/erro_uso.h"
#include "core/erro.h"
#include "versao.h"

namespace {

constexpr int kSaidaErro = 1;
constexpr int kSaidaUso = 2;
constexpr int kSaidaParcial = 3;

void ConfigurarAjuda(CLI::App& app) {
    auto formato = std::make_shared<CLI::Formatter>();
    formato->label("Usage", "Uso");
    formato->label("OPTIONS", "OPÇÕES");
    formato->label("SUBCOMMAND", "COMANDO");
    formato->label("SUBCOMMANDS", "COMANDOS");
    // CLI11 pads by bytes: an accented label would push its line out of alignment.
    formato->label("REQUIRED", "(exigida)");
    formato->label("Positionals", "Argumentos");
    formato->label("Excludes", "Exclui");
    formato->label("Needs", "Requer");
    formato->label("Env", "Variável");
    formato->column_width(34);
    app.formatter(formato);
    app.option_defaults()->group("Opções");
    app.set_help_flag("-h,--help", "Mostra esta ajuda e sai");
}

// CLI11 words its errors in English; the user reads Portuguese.
std::string MensagemDeUso(const CLI::ParseError& e) {
    const std::string nome = e.get_name();
    const std::string texto = e.what();
    auto depois = [&](const std::string& marca) {
        const auto p = texto.find(marca);
        return p == std::string::npos ? texto : texto.substr(p + marca.size());
    };
    if (nome == "RequiredError") {
        if (texto.starts_with("A subcommand"))
            return "Informe um comando: estacoes, gerar, importar-inmet, importar-ana, "
                   "estimar-regiao, erosividade ou erosividade-juntar.";
        const std::string fim = " is required";
        if (texto.size() > fim.size() && texto.ends_with(fim)) {
            return "A opção " + texto.substr(0, texto.size() - fim.size()) + " é obrigatória.";
        }
        return "Falta uma opção obrigatória (" + texto + ").";
    }
    if (nome == "ExtrasError") return "Argumento não esperado: " + depois("expected: ") + ".";
    if (nome == "ExcludesError") {
        const auto p = texto.find(" excludes ");
        if (p != std::string::npos) {
            return "As opções " + texto.substr(0, p) + " e " + texto.substr(p + 10) +
                   " não podem ser usadas juntas.";
        }
    }
    if (nome == "ArgumentMismatch") {
        return "Número errado de valores na opção " + texto.substr(0, texto.find(':')) + ".";
    }
    if (nome == "ValidationError" || nome == "ConversionError") {
        return "Valor inválido em " + texto + ".";
    }
    return "Erro na linha de comando: " + texto;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Ventaro 2.0: séries climáticas sintéticas diárias a partir dos parâmetros de uma estação "
        "pluviométrica e de uma estação climatológica.",
        "ventaro-cli"};
    ConfigurarAjuda(app);
    app.set_version_flag("--version", "ventaro-cli " + ventaro::TextoVersao(),
                         "Mostra a versão e sai");
    app.require_subcommand(1);
    ventaro::RegistrarEstacoes(app);
    ventaro::RegistrarGerar(app);
    ventaro::RegistrarImportarInmet(app);
    ventaro::RegistrarImportarAna(app);
    ventaro::RegistrarEstimarRegiao(app);
    ventaro::RegistrarErosividade(app);
    ventaro::RegistrarErosividadeJuntar(app);
    for (CLI::App* comando : app.get_subcommands([](CLI::App*) { return true; })) {
        comando->group("Comandos");
        // Recreated so that it joins the other options under "Opções".
        comando->set_help_flag("-h,--help", "Mostra esta ajuda e sai");
    }
    app.footer(
        "Use \"ventaro-cli COMANDO --help\" para as opções de cada comando.\n"
        "Códigos de saída: 0 sucesso; 1 falha; 2 linha de comando inválida; 3 trabalho parcial "
        "(algumas estações gravadas, outras não); 128 + o sinal quando interrompido (130 "
        "Ctrl+C, 143 SIGTERM).");

    try {
        app.parse(argc, argv);
        return 0;
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::RuntimeError& e) {
        // A command that ran and reports how it ended (stations skipped, interrupted).
        return e.get_exit_code();
    } catch (const CLI::ParseError& e) {
        std::cerr << "ventaro-cli: " << MensagemDeUso(e) << "\n"
                  << "Use \"ventaro-cli --help\" para ver as opções.\n";
        return kSaidaUso;
    } catch (const ventaro::ErroUso& e) {
        std::cerr << "ventaro-cli: " << e.what() << "\n";
        return kSaidaUso;
    } catch (const ventaro::ErroInterrompido& e) {
        std::cerr << "\nventaro-cli: " << e.what() << "\n";
        return 128 + e.Sinal();
    } catch (const ventaro::ErroParcial& e) {
        std::cerr << "ventaro-cli: " << e.what() << "\n";
        return kSaidaParcial;
    } catch (const ventaro::ErroVentaro& e) {
        std::cerr << "ventaro-cli: " << e.what() << "\n";
        return kSaidaErro;
    } catch (const std::exception& e) {
        std::cerr << "ventaro-cli: erro: " << e.what() << "\n";
        return kSaidaErro;
    }
}
