#include "shell/opcoes.hpp"

#include "console/console.hpp"

namespace lousa {
namespace {

// The help, one screen line each; kept within 80 columns.
constexpr texto help_lines[] = {
    "Lousa: aplicações de bioestatística para o ensino."_t,
    ""_t,
    "Uso: lousa [--cp850 | --utf8] [--tabela] [--graficos PASTA]"_t,
    "     lousa --help | --version"_t,
    ""_t,
    "Sem opções, mostra o menu das dezesseis aplicações: digite o código de uma"_t,
    "delas, confirme e responda a cada pergunta. Um valor por pergunta, ou vários"_t,
    "na mesma linha separados por espaços ou vírgulas. O separador decimal é o"_t,
    "ponto (1.5), nunca a vírgula. Ao final, digite zero para encerrar."_t,
    "Para sair antes de escolher: Ctrl-C, ou o fim da entrada (Ctrl-D no Linux"_t,
    "e no macOS; Ctrl-Z e Enter no Windows)."_t,
    ""_t,
    "Opções:"_t,
    "  --help     mostra este texto e termina"_t,
    "  --version  mostra a versão e termina"_t,
    "  --cp850    escreve e lê página de código 850, mesmo num terminal UTF-8"_t,
    "  --utf8     converte de e para UTF-8, mesmo em arquivos e pipes"_t,
    "  --tabela   depois de cada resultado, a consulta à tabela: valores críticos"_t,
    "             a 5 % e a 1 %, o valor p e a conclusão a 5 %"_t,
    "  --graficos PASTA"_t,
    "             grava em PASTA (que deve existir) um gráfico SVG de cada"_t,
    "             resultado e dá o nome de cada arquivo em stderr"_t,
    ""_t,
    "Acentos: para arquivos e pipes, a tela sai em página de código 850; num"_t,
    "terminal UTF-8 ela sai em UTF-8 e o que se digita é convertido; no console"_t,
    "do Windows, a página de código 850 é ativada durante a execução. Respostas"_t,
    "de um arquivo com BOM (UTF-8 ou UTF-16) são convertidas. Este texto sai em"_t,
    "UTF-8 quando o locale usa UTF-8, exceto com --cp850."_t,
    ""_t,
    "Estado de saída:"_t,
    "  0   fim normal (zero digitado na pergunta final)"_t,
    "  1   a tela não pôde ser escrita (ou um gráfico, informado no fim)"_t,
    "  2   uma resposta não pôde ser lida (duas linhas de relatório em stderr)"_t,
    "  3   erro interno"_t,
    "  64  opção desconhecida"_t,
};

}  // namespace

options parse_options(std::span<const char* const> arguments) {
    options parsed;
    bool help_asked = false;
    bool version_asked = false;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string_view argument = arguments[k];
        if (argument == "--help") help_asked = true;
        else if (argument == "--version") version_asked = true;
        else if (argument == "--cp850") parsed.accents = terminal::conversion::cp850;
        else if (argument == "--utf8") parsed.accents = terminal::conversion::utf8;
        else if (argument == "--tabela") parsed.table = true;
        else if (argument == "--graficos" && k + 1 < arguments.size() && *arguments[k + 1] != '\0')
            parsed.pictures_folder = arguments[++k];
        else {
            parsed.what = request::unknown_option;
            parsed.unknown = argument;
            return parsed;
        }
    }
    if (help_asked) parsed.what = request::help;
    else if (version_asked) parsed.what = request::version;
    return parsed;
}

std::string help_text() {
    std::string text;
    for (const texto line : help_lines) {
        text += line.bytes;
        text += line_end;
    }
    return text;
}

std::string version_text() { return std::string("lousa ") + LOUSA_VERSION + std::string(line_end); }

std::string unknown_option_message(std::string_view argument) {
    std::string message = "lousa: opcao desconhecida: ";
    message += argument;
    message += line_end;
    message += "Use 'lousa --help' para ver as opcoes.";
    message += line_end;
    return message;
}

}  // namespace lousa
