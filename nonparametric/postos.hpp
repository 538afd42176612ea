#pragma once
// Ranking shared by the signed-rank (code 12), Mann-Whitney (code 13) and
// Kruskal-Wallis (code 15) tests: an exchange sort of a pooled copy, then the
// average rank for each run of equal keys. The key is the value itself, or its
// magnitude in the signed-rank test. What each test does around these two steps
// (which values are pooled, how provisional ranks are laid down, how ranks go
// back to samples or cells) stays in its own file. The runs test (code 8) and
// the Spearman correlation (code 14) use the same exchange sort.

#include <cmath>
#include <cstdint>
#include <utility>

#include "common/vetores.hpp"
#include "console/real.hpp"

namespace lousa::postos {

// Keys: equality and order of keys are exact comparisons of the stored
// single-precision values.
inline double valor(real v) { return v; }
inline double magnitude(real v) { return std::fabs(v); }

// Exchange sort of v(1..n): n - 1 full passes with no early exit; each pass,
// for i = 1 to n - 1, exchanges positions i and i+1 when the key of v(i) is
// strictly greater. Equal keys therefore keep their pooled order. troca(i)
// makes the exchange in v and in whatever moves together with it.
template <class T, int N, class Chave, class Troca>
void trocas_ordenando(const vetor<T, N>& v, std::int32_t n, Chave chave, Troca troca) {
    for (std::int32_t passo = 1; passo <= n - 1; ++passo)
        for (std::int32_t i = 1; i <= n - 1; ++i)
            if (chave(v[i]) > chave(v[i + 1])) troca(i);
}

template <class T, int N, class Chave>
void ordena_por_trocas(vetor<T, N>& v, std::int32_t n, Chave chave) {
    trocas_ordenando(v, n, chave, [&](std::int32_t i) { std::swap(v[i], v[i + 1]); });
}

// The same sort with the values themselves as keys (reals or integers).
template <class T, int N>
void ordena_por_trocas(vetor<T, N>& v, std::int32_t n) {
    ordena_por_trocas(v, n, [](const T& x) { return x; });
}

// The same sort, moving a companion mark (such as the sample a value came
// from) together with each value.
template <int N, class Marca, class Chave>
void ordena_por_trocas(vetor<real, N>& v, vetor<Marca, N>& junto, std::int32_t n, Chave chave) {
    trocas_ordenando(v, n, chave, [&](std::int32_t i) {
        std::swap(v[i], v[i + 1]);
        std::swap(junto[i], junto[i + 1]);
    });
}

// Average ranks for ties. v(1..n) is sorted by its key and posto(1..n) holds
// the provisional ranks 1..n. For j = 1 to n in turn: soma adds the ranks of
// the later positions j+k whose key equals the key of v(j); the first offset k
// that fails ends the run j..j+k-1, and a run of two or more takes
// pst = (posto(j) + soma) / k. The scan restarts at every position, also
// inside a run already averaged, which leaves its members at the same average.
//
// The Mann-Whitney test adds posto(j) into soma before dividing, and the
// Kruskal-Wallis test never starts a run at position n; both give the same
// ranks as this routine: ranks are at most 200, so every provisional rank, run
// sum and average (a whole number or a half) is exact in single precision,
// and a run starting at position n is a single position.
template <int N, class Chave>
void media_dos_empates(const vetor<real, N>& v, vetor<real, N>& posto, std::int32_t n, Chave chave) {
    real soma, rk, pst;
    std::int32_t k;
    for (std::int32_t j = 1; j <= n; ++j) {
        soma = 0;
        for (k = 1; j + k <= n && chave(v[j + k]) == chave(v[j]); ++k) soma = soma + posto[j + k];
        if (k > 1) {
            rk = k;
            pst = (posto[j] + soma) / rk;
            for (std::int32_t m = j; m <= j + k - 1; ++m) posto[m] = pst;
        }
    }
}

}  // namespace lousa::postos
