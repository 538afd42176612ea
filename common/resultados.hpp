#pragma once
// What an application computed, handed on beside the screen: each statistic a
// student would look up in a printed table, and the data a picture of the
// result is drawn from. The table and the pictures listen; the screen never
// depends on what is said here, and with nobody listening the applications
// gather nothing for it.
//
//   if (resultados.ouvido()) resultados.informa(resultados::estatistica{...});

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "common/vetores.hpp"
#include "codepage/cp850.hpp"
#include "console/real.hpp"

namespace lousa::resultados {

// How the statistic is read in a table.
enum class lei : std::uint8_t {
    t_student,           // two-sided; gl1
    t_tabelado,          // code 2, heterogeneous variances and unequal sizes: the two
                         // tabulated t the student is about to be asked for (gl1, gl2)
    f_snedecor,          // upper tail; gl1 (numerator), gl2 (denominator)
    qui_quadrado,        // upper tail; gl1
    normal,              // two-sided Z
    sequencias,          // number of runs r, exact for the group sizes n1, n2
    kolmogorov,          // largest difference D of n1 observations
    postos_sinalizados,  // Wilcoxon T; n1 non-zero differences
    mann_whitney,        // U; sizes n1, n2
    spearman,            // rs of n1 pairs
    kruskal_wallis,      // H; gl1 = k - 1 groups, n1 observations in all
    correlacao,          // Pearson's r of n1 pairs, read through its t with n1 - 2 d.f.
};

// The verdict the course's screen itself prints, where it prints one.
enum class veredito : std::uint8_t { nenhum, rejeita, nao_rejeita };

// Texts are code page 850 bytes, as everywhere in the program.
struct estatistica {
    lei distribuicao = lei::t_student;
    std::string nome{};     // as the screen names it: "Fc", "t", "Zc", "T", ...
    double valor = 0;       // as the screen computed it (a stored real)
    std::int32_t casas = 2; // the decimals the screen prints it with
    double gl1 = 0, gl2 = 0;
    std::int32_t n1 = 0, n2 = 0;
    bool empates = false;   // tied values among the ranked data
    std::string h0{};       // the null hypothesis in a few words
    veredito na_tela = veredito::nenhum;
    double critico_na_tela = 0;  // the value the screen compared with, when it did
};

// ---- The data behind a result, for its picture ----

enum class centro : std::uint8_t { media, mediana, posto_medio };

struct grupo {
    std::string nome;
    std::vector<double> valores;
    double centro = 0;  // its mean, median or mean rank, as the screen has it
};

// Codes 2, 3 (one group: the differences), 4, 12 (the differences), 13, 15.
struct amostras {
    centro marca = centro::media;
    std::vector<grupo> grupos;
};

// Codes 5 and 6: the mean of each cell, row by row.
struct medias_de_celulas {
    std::int32_t linhas = 0, colunas = 0;
    std::vector<double> medias;  // linhas x colunas, row-major
};

// A fitted curve on the untransformed axes, as its screen names it.
enum class forma : std::uint8_t {
    reta,           // y = a + b x
    hiperbole,      // y = a + b / x
    logaritmica,    // y = a + b ln x
    exponencial,    // y = a e^(b x)
    potencial,      // y = a x^b
    parabola,       // y = c (x - b)^2 + a          (code 16, model 1)
    hiperbole_reta, // y = a + b / x + c x          (code 16, model 2)
    potencia_exp,   // y = a x^b c^x                (code 16, model 3)
    gaussiana,      // y = a b^((x - c)^2)          (code 16, model 4)
};

struct curva {
    forma tipo = forma::reta;
    std::string nome;
    double a = 0, b = 0, c = 0;
};

// Codes 7 and 16: the typed points and every curve fitted in the session.
struct ajustes {
    std::vector<double> x, y;
    std::vector<curva> curvas;
};

// Code 8: the values in the order typed and the median that splits them.
struct sequencia {
    std::vector<double> valores;
    double mediana = 0;
};

// Code 9: model 1 observed and expected per class (one row); model 2 the
// observed table, linhas x colunas, row-major, with its expected values.
struct frequencias {
    std::int32_t linhas = 1, colunas = 0;
    std::vector<std::string> classes;
    std::vector<double> observadas, esperadas;
};

// Code 10: the two cumulative curves per class and where the largest
// difference Dc occurs (a class index from 0).
struct acumuladas {
    std::vector<std::string> classes;
    std::vector<double> observada, teorica;
    double dc = 0;
    std::int32_t classe_do_dc = 0;
};

// Code 11: the proportion, the one it is compared with and its 1.96 band.
struct proporcao {
    double p = 0, p0 = 0, inferior = 0, superior = 0;
};

// Code 14: the ranks of each pair.
struct pares_de_postos {
    std::vector<double> x, y;
};

using dados = std::variant<amostras, medias_de_celulas, ajustes, sequencia, frequencias, acumuladas,
                           proporcao, pares_de_postos>;

// One who listens: the table block, the pictures.
class ouvinte {
public:
    virtual ~ouvinte() = default;
    virtual void estatistica(const resultados::estatistica&) {}
    // The application has shown its whole result (before the end question);
    // `dados` is what it reported for the pictures, in order.
    virtual void fim(std::int32_t codigo, const std::vector<resultados::dados>& dados) { (void)codigo, (void)dados; }
};

// The channel an application reports through; the shell connects listeners.
class canal {
public:
    void escuta(ouvinte& o) {
        for (auto& slot : ouvintes_)
            if (slot == nullptr) {
                slot = &o;
                return;
            }
    }
    bool ouvido() const { return ouvintes_[0] != nullptr; }
    void informa(const resultados::estatistica& e) const {
        for (auto* o : ouvintes_)
            if (o) o->estatistica(e);
    }
    // The data moves in and stays here until the result ends, when the
    // listeners read it: a 50 x 50 table is never copied for a picture.
    void informa(resultados::dados d) const {
        try {
            dados_.push_back(std::move(d));
        } catch (const std::bad_alloc&) {  // NOLINT(bugprone-empty-catch): a picture is an extra, never the screen
        }
    }
    void encerra(std::int32_t codigo) const {
        for (auto* o : ouvintes_)
            if (o) o->fim(codigo, dados_);
        dados_.clear();
    }

private:
    std::array<ouvinte*, 5> ouvintes_{};  // the screen's flush, the tables, the pictures, the distributions' pictures
    mutable std::vector<resultados::dados> dados_;  // reporting is all an application does with its channel
};

// ---- Helpers for the applications ----

// A text's code page 850 bytes, for the fields above: em_bytes("médias iguais"_t).
inline std::string em_bytes(texto t) { return std::string(t.bytes); }

// Positions 1..n of an application's array (none for n < 1).
template <class T, int N>
std::vector<double> valores(const vetor<T, N>& v, std::int32_t n) {
    std::vector<double> lista;
    for (std::int32_t j = 1; j <= std::min(n, std::int32_t{N}); ++j) lista.push_back(double(v[j]));
    return lista;
}

// The median of a list, in double (0 for an empty one).
inline double mediana(std::vector<double> lista) {
    if (lista.empty()) return 0;
    std::sort(lista.begin(), lista.end());
    const std::size_t meio = lista.size() / 2;
    return lista.size() % 2 != 0 ? lista[meio] : (lista[meio - 1] + lista[meio]) / 2;
}

// True when some value occurs more than once (ties among ranked data).
inline bool tem_empates(std::vector<double> lista) {
    std::sort(lista.begin(), lista.end());
    return std::adjacent_find(lista.begin(), lista.end()) != lista.end();
}

}  // namespace lousa::resultados
