#include "tabela/tabela.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "console/format.hpp"
#include "distribuicoes/distribuicoes.hpp"

namespace lousa::tabela {
namespace {

namespace d = distribuicoes;
using resultados::estatistica;
using resultados::lei;

// The two levels a printed table gives.
constexpr double cinco = 0.05;
constexpr double um = 0.01;

std::string bytes(texto t) { return std::string(t.bytes); }

// A number with `casas` decimals, rounded as the screen rounds a stored real
// (half away from zero), with a point for the decimal mark.
std::string numero(double v, int casas) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "+Inf" : "-Inf";
    if (casas == 0) return std::to_string(static_cast<long long>(std::llround(v)));
    std::string campo;
    console::append_fixed_field(campo, static_cast<float>(v), 40, casas);
    return campo.substr(campo.find_first_not_of(' '));
}

std::string inteiro_de(double v) { return std::to_string(static_cast<long long>(std::llround(v))); }

// What the tables give back for sizes or values beyond them (NaN) is never
// shown: the block says there is no table instead.
double lido(double v) {
    if (std::isnan(v)) throw std::domain_error("no table for this statistic");
    return v;
}

// A critical value, to three decimals.
std::string tres(double v) { return numero(lido(v), 3); }

// Four significant digits; below 0.0001 only that it is.
std::string valor_p(double p) {
    if (!(lido(p) >= 0.0001)) return "p < 0.0001";
    p = std::min(p, 1.0);
    return "p = " + numero(p, 3 - static_cast<int>(std::floor(std::log10(p))));
}

// The block's lines between its frame.
class quadro {
public:
    void linha(std::string texto) { linhas_.push_back(std::move(texto)); }
    void linha(texto t) { linha(bytes(t)); }
    std::size_t tamanho() const { return linhas_.size(); }
    void corta(std::size_t n) { linhas_.resize(n); }

    std::vector<std::string> emoldurado() const {
        constexpr std::size_t largura = 60;  // between "* " and " *"
        const std::string titulo = bytes(" Consulta à tabela "_t);
        const std::size_t antes = (largura + 4 - titulo.size()) / 2;
        std::vector<std::string> tela{std::string(antes, '*') + titulo +
                                      std::string(largura + 4 - antes - titulo.size(), '*')};
        for (const std::string& l : linhas_)
            tela.push_back("* " + l + std::string(largura - std::min(largura, l.size()), ' ') + " *");
        tela.emplace_back(largura + 4, '*');
        return tela;
    }

private:
    std::vector<std::string> linhas_;
};

enum class cauda : std::uint8_t { bilateral, superior };

// Where the screen states its own verdict, the block adds the p-value only.
void criticos(quadro& q, const estatistica& e, cauda c, const std::string& a5, const std::string& a1) {
    if (e.na_tela != resultados::veredito::nenhum) return;
    const texto qual =
        c == cauda::bilateral ? texto("Críticos (bilateral)"_t) : texto("Críticos (cauda superior)"_t);
    q.linha(bytes(qual) + ": 5 % = " + a5 + "   1 % = " + a1);
}

// The p-value and the verdict at 5 %, or the screen's own verdict, which
// stands: the screen compares in single precision with its own critical value.
void conclusao(quadro& q, const estatistica& e, double p) {
    q.linha(valor_p(p));
    if (e.na_tela == resultados::veredito::nenhum) {
        q.linha(p <= cinco ? texto("Rejeita-se H0 a 5 %"_t) : texto("Não se rejeita H0 a 5 %"_t));
        return;
    }
    const bool rejeitou = e.na_tela == resultados::veredito::rejeita;
    q.linha(rejeitou ? texto("Conclusão da tela: rejeita-se H0 a 5 %"_t)
                     : texto("Conclusão da tela: não se rejeita H0 a 5 %"_t));
    const bool no_critico =
        e.critico_na_tela != 0 && static_cast<float>(e.valor) == static_cast<float>(e.critico_na_tela);
    if (no_critico)
        q.linha(e.nome + bytes(" igual ao valor crítico da tela ("_t) + numero(e.critico_na_tela, 2) +
                bytes("): vale a tela."_t));
    else if ((p <= cinco) != rejeitou)
        q.linha(e.critico_na_tela != 0 ? bytes("A tela compara com "_t) + numero(e.critico_na_tela, 2) +
                                             bytes(" em precisão simples: vale a tela."_t)
                                       : bytes("Vale a conclusão da tela."_t));
}

std::string graus(double gl) {
    return bytes(" com "_t) + inteiro_de(gl) + (std::llround(gl) == 1 ? bytes(" grau de liberdade"_t)
                                                                    : bytes(" graus de liberdade"_t));
}

// ---- Continuous distributions ----

void student(quadro& q, const estatistica& e, double t, double gl) {
    if (!(gl >= 1)) return q.linha("sem tabela: graus de liberdade insuficientes"_t);
    if (!std::isfinite(t)) return q.linha("sem tabela: variância nula"_t);
    criticos(q, e, cauda::bilateral, tres(d::t_critico_bilateral(cinco, gl)),
             tres(d::t_critico_bilateral(um, gl)));
    conclusao(q, e, d::t_p_bilateral(std::fabs(t), gl));
}

void normal(quadro& q, const estatistica& e, double z) {
    if (!std::isfinite(z)) return q.linha("sem tabela: variância nula"_t);
    criticos(q, e, cauda::bilateral, tres(d::normal_critico_bilateral(cinco)),
             tres(d::normal_critico_bilateral(um)));
    conclusao(q, e, d::normal_p_bilateral(std::fabs(z)));
}

void snedecor(quadro& q, const estatistica& e) {
    if (!(e.gl1 >= 1 && e.gl2 >= 1)) return q.linha("sem tabela: graus de liberdade insuficientes"_t);
    if (!std::isfinite(e.valor)) return q.linha("sem tabela: variância nula"_t);
    criticos(q, e, cauda::superior, tres(d::f_critico_superior(cinco, e.gl1, e.gl2)),
             tres(d::f_critico_superior(um, e.gl1, e.gl2)));
    conclusao(q, e, d::f_p_superior(std::max(e.valor, 0.0), e.gl1, e.gl2));
}

void qui(quadro& q, const estatistica& e, texto se_indefinido) {
    if (!(e.gl1 >= 1)) return q.linha("sem tabela: graus de liberdade insuficientes"_t);
    if (!std::isfinite(e.valor)) return q.linha(se_indefinido);
    criticos(q, e, cauda::superior, tres(d::qui_critico_superior(cinco, e.gl1)),
             tres(d::qui_critico_superior(um, e.gl1)));
    conclusao(q, e, d::qui_p_superior(std::max(e.valor, 0.0), e.gl1));
}

// ---- Exact counts of the rank tests ----

std::string critico_exato(const std::optional<std::int32_t>& c) {
    return c ? std::to_string(*c) : bytes("nenhum"_t);
}

// The exact tables assume no ties: the normal approximation instead.
void aproximacao_normal(quadro& q, const estatistica& e, double media, double variancia) {
    const double z = (e.valor - media) / std::sqrt(variancia);
    q.linha("Há empates: as tabelas exatas supõem dados sem empates."_t);
    q.linha(bytes("Aproximação normal: Z = "_t) + numero(std::fabs(z), 2));
    normal(q, e, z);
}

void postos_sinalizados(quadro& q, const estatistica& e) {
    const double n = e.n1;
    if (e.n1 < 1) return q.linha("sem tabela: nenhuma diferença não nula"_t);
    if (e.empates || e.n1 > 50) return aproximacao_normal(q, e, n * (n + 1) / 4, n * (n + 1) * (2 * n + 1) / 24);
    criticos(q, e, cauda::bilateral, critico_exato(d::postos_sinalizados_critico(e.n1, cinco)),
             critico_exato(d::postos_sinalizados_critico(e.n1, um)));
    q.linha("(rejeita-se H0 com T menor ou igual ao valor crítico)"_t);
    conclusao(q, e, d::postos_sinalizados_p_bilateral(e.n1, e.valor));
}

void mann_whitney(quadro& q, const estatistica& e) {
    const double n1 = e.n1, n2 = e.n2;
    if (e.n1 < 1 || e.n2 < 1) return q.linha("sem tabela: amostra vazia"_t);
    if (e.empates || e.n1 > 50 || e.n2 > 50)
        return aproximacao_normal(q, e, n1 * n2 / 2, n1 * n2 * (n1 + n2 + 1) / 12);
    criticos(q, e, cauda::bilateral, critico_exato(d::mann_whitney_critico(e.n1, e.n2, cinco)),
             critico_exato(d::mann_whitney_critico(e.n1, e.n2, um)));
    q.linha("(rejeita-se H0 com U menor ou igual ao valor crítico)"_t);
    conclusao(q, e, d::mann_whitney_p_bilateral(e.n1, e.n2, e.valor));
}

void sequencias(quadro& q, const estatistica& e) {
    if (e.n1 < 1 || e.n2 < 1) return q.linha("sem tabela: um dos grupos está vazio"_t);
    conclusao(q, e, d::sequencias_p_bilateral(e.n1, e.n2, static_cast<std::int32_t>(std::llround(e.valor))));
}

// Up to 35 observations, where the screen sends the student to the table,
// the exact critical values; above, the course's 1.36 and 1.63 over the root
// of N (the screen's Dt is the first) beside the exact p-value, which is also
// what keeps a session of hundreds of observations as quick as without it.
void kolmogorov(quadro& q, const estatistica& e) {
    if (e.n1 < 1 || !std::isfinite(e.valor)) return q.linha("sem tabela: nenhuma observação"_t);
    if (e.n1 <= 35) {
        criticos(q, e, cauda::superior, tres(d::kolmogorov_critico(e.n1, cinco)),
                 tres(d::kolmogorov_critico(e.n1, um)));
    } else {
        const double raiz = std::sqrt(double(e.n1));
        q.linha(bytes("Críticos do curso (1.36 e 1.63 / raiz de N):"_t));
        q.linha("5 % = " + numero(1.36 / raiz, 3) + "   1 % = " + numero(1.63 / raiz, 3) +
                bytes("   (p abaixo: exato)"_t));
    }
    q.linha("Dados agrupados em classes: o teste fica conservador."_t);
    conclusao(q, e, 1 - lido(d::kolmogorov_cdf(e.n1, e.valor)));
}

// Pearson's r or Spearman's rs through t with n - 2 degrees of freedom.
void t_de_correlacao(quadro& q, const estatistica& e) {
    const double n = e.n1, r = e.valor;
    if (e.n1 < 3) return q.linha("sem tabela: são precisos ao menos 3 pares"_t);
    if (!std::isfinite(r)) return q.linha("sem tabela: variância nula"_t);
    const double t = std::fabs(r) >= 1 ? std::copysign(INFINITY, r) : r * std::sqrt((n - 2) / (1 - r * r));
    q.linha("t de " + e.nome + " = " + (std::isfinite(t) ? numero(t, 2) : bytes("infinito"_t)) + graus(n - 2) +
            " (t de Student)");
    criticos(q, e, cauda::bilateral, tres(d::t_critico_bilateral(cinco, n - 2)),
             tres(d::t_critico_bilateral(um, n - 2)));
    conclusao(q, e, std::isfinite(t) ? d::t_p_bilateral(std::fabs(t), n - 2) : 0);
}

void spearman(quadro& q, const estatistica& e) {
    if (e.n1 > 9 || e.n1 < 3) return t_de_correlacao(q, e);
    if (e.empates) {
        q.linha("Há empates: as tabelas exatas supõem dados sem empates."_t);
        return t_de_correlacao(q, e);
    }
    const auto numero_ou_nenhum = [](std::optional<double> c) { return c ? numero(*c, 3) : bytes("nenhum"_t); };
    criticos(q, e, cauda::bilateral, numero_ou_nenhum(d::spearman_critico(e.n1, cinco)),
             numero_ou_nenhum(d::spearman_critico(e.n1, um)));
    conclusao(q, e, d::spearman_p_bilateral(e.n1, e.valor));
}

// code 2: the two tabulated t the student is about to type.
void t_tabelado(quadro& q, const estatistica& e) {
    q.linha("Valores de t da tabela (bilateral), para as perguntas:"_t);
    for (const double gl : {e.gl1, e.gl2}) {
        if (!(gl >= 1)) {
            q.linha(inteiro_de(gl) + bytes(" graus de liberdade: sem tabela"_t));
            continue;
        }
        q.linha(inteiro_de(gl) + bytes(" g.l.: 5 % = "_t) + tres(d::t_critico_bilateral(cinco, gl)) +
                "   1 % = " + tres(d::t_critico_bilateral(um, gl)));
    }
}

// The first line: the statistic as printed, its degrees of freedom or sizes
// and the distribution it is read in.
std::string apresentacao(const estatistica& e) {
    const std::string valor = e.nome + " = " + numero(e.valor, e.casas);
    const std::string n = " com N = " + std::to_string(e.n1);
    const std::string n1n2 = " com n1 = " + std::to_string(e.n1) + " e n2 = " + std::to_string(e.n2);
    switch (e.distribuicao) {
        case lei::t_student: return valor + graus(e.gl1) + " (t de Student)";
        case lei::t_tabelado: return bytes("Variâncias heterogêneas, tamanhos diferentes"_t);
        case lei::f_snedecor:
            return valor + " com " + inteiro_de(e.gl1) + " e " + inteiro_de(e.gl2) + bytes(" g.l. (F de Snedecor)"_t);
        case lei::qui_quadrado: return valor + graus(e.gl1) + " (qui-quadrado)";
        case lei::normal: return valor + bytes(" (normal padrão)"_t);
        case lei::sequencias: return valor + bytes(" sequências"_t) + n1n2 + bytes(" (exata)"_t);
        case lei::kolmogorov: return valor + n + " (Kolmogorov, exata)";
        case lei::postos_sinalizados:
            return valor + n + (e.empates || e.n1 > 50 ? " (postos sinalizados)" : " (postos sinalizados, exata)");
        case lei::mann_whitney:
            return valor + n1n2 + (e.empates || e.n1 > 50 || e.n2 > 50 ? " (Mann-Whitney)" : " (Mann-Whitney, exata)");
        case lei::spearman: return valor + n + (e.n1 <= 9 && !e.empates ? " pares (Spearman, exata)" : " pares");
        case lei::correlacao: return valor + n + " pares";
        case lei::kruskal_wallis: return valor + graus(e.gl1) + " (qui-quadrado)";
    }
    return valor;
}

void leitura(quadro& q, const estatistica& e) {
    switch (e.distribuicao) {
        case lei::t_student: return student(q, e, e.valor, e.gl1);
        case lei::t_tabelado: return t_tabelado(q, e);
        case lei::f_snedecor: return snedecor(q, e);
        case lei::qui_quadrado: return qui(q, e, "sem tabela: frequência esperada nula"_t);
        case lei::normal: return normal(q, e, e.valor);
        case lei::sequencias: return sequencias(q, e);
        case lei::kolmogorov: return kolmogorov(q, e);
        case lei::postos_sinalizados: return postos_sinalizados(q, e);
        case lei::mann_whitney: return mann_whitney(q, e);
        case lei::spearman: return spearman(q, e);
        case lei::correlacao: return t_de_correlacao(q, e);
        case lei::kruskal_wallis:
            if (e.empates) q.linha("Há empates: H sem correção, um pouco menor que o corrigido."_t);
            return qui(q, e, "sem tabela: nenhuma observação"_t);
    }
}

}  // namespace

std::vector<std::string> bloco(const estatistica& e) {
    quadro q;
    q.linha(apresentacao(e));
    if (!e.h0.empty() && e.distribuicao != lei::t_tabelado) q.linha("H0: " + e.h0);
    // A size or value beyond what a table covers is said, never shown wrong.
    const std::size_t lidas = q.tamanho();
    try {
        leitura(q, e);
    } catch (const std::exception&) {
        q.corta(lidas);
        q.linha("sem tabela: fora do alcance das tabelas"_t);
    }
    return q.emoldurado();
}

void consulta::estatistica(const resultados::estatistica& e) {
    for (const std::string& linha : bloco(e)) con_.line(texto{linha});
    con_.flush();  // a block apart from the screen (the page's panel) goes out whole, now
}

}  // namespace lousa::tabela
