#include "shell/opcoes.hpp"

#include "console/console.hpp"

namespace lousa {
namespace {

// The help, one screen line each; kept within 80 columns.
constexpr texto ajuda[] = {
    "Lousa: aplicações de bioestatística para o ensino."_t,
    ""_t,
    "Uso: lousa [--cp850 | --utf8]"_t,
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
    ""_t,
    "Acentos: para arquivos e pipes, a tela sai em página de código 850; num"_t,
    "terminal UTF-8 ela sai em UTF-8 e o que se digita é convertido; no console"_t,
    "do Windows, a página de código 850 é ativada durante a execução. Respostas"_t,
    "de um arquivo com BOM (UTF-8 ou UTF-16) são convertidas. Este texto sai em"_t,
    "UTF-8 quando o locale usa UTF-8, exceto com --cp850."_t,
    ""_t,
    "Estado de saída:"_t,
    "  0   fim normal (zero digitado na pergunta final)"_t,
    "  1   a tela não pôde ser escrita"_t,
    "  2   uma resposta não pôde ser lida (duas linhas de relatório em stderr)"_t,
    "  3   erro interno"_t,
    "  64  opção desconhecida"_t,
};

}  // namespace

opcoes le_opcoes(std::span<const char* const> argumentos) {
    opcoes lidas;
    bool ajuda_pedida = false;
    bool versao_pedida = false;
    for (const std::string_view argumento : argumentos) {
        if (argumento == "--help") ajuda_pedida = true;
        else if (argumento == "--version") versao_pedida = true;
        else if (argumento == "--cp850") lidas.acentos = terminal::conversion::cp850;
        else if (argumento == "--utf8") lidas.acentos = terminal::conversion::utf8;
        else {
            lidas.o_que = pedido::opcao_desconhecida;
            lidas.desconhecida = argumento;
            return lidas;
        }
    }
    if (ajuda_pedida) lidas.o_que = pedido::ajuda;
    else if (versao_pedida) lidas.o_que = pedido::versao;
    return lidas;
}

std::string texto_ajuda() {
    std::string texto;
    for (const lousa::texto linha : ajuda) {
        texto += linha.bytes;
        texto += line_end;
    }
    return texto;
}

std::string texto_versao() { return std::string("lousa ") + LOUSA_VERSION + std::string(line_end); }

std::string mensagem_opcao_desconhecida(std::string_view argumento) {
    std::string mensagem = "lousa: opcao desconhecida: ";
    mensagem += argumento;
    mensagem += line_end;
    mensagem += "Use 'lousa --help' para ver as opcoes.";
    mensagem += line_end;
    return mensagem;
}

}  // namespace lousa
