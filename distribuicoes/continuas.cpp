// The continuous distributions, from Boost.Math: Student's t, Snedecor's F,
// chi-square and the standard normal.

#include <cmath>
#include <limits>

// GCC sees an F quantile's second output possibly unset after a domain error;
// the parameters are checked before Boost is called, so none occurs.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "distribuicoes/distribuicoes.hpp"

namespace lousa::distribuicoes {
namespace {

namespace pol = boost::math::policies;

// A degenerate statistic or impossible degrees of freedom give NaN instead of
// an exception: the caller says "sem tabela". Doubles are not promoted to long
// double, which is 80 bits on x86, 128 bits in software under Emscripten and
// plain double elsewhere: every build computes the same numbers, and fast.
using politica = pol::policy<pol::domain_error<pol::ignore_error>, pol::pole_error<pol::ignore_error>,
                             pol::overflow_error<pol::ignore_error>,
                             pol::evaluation_error<pol::ignore_error>, pol::promote_double<false>>;

using t_de_student = boost::math::students_t_distribution<double, politica>;
using f_de_snedecor = boost::math::fisher_f_distribution<double, politica>;
using qui_quadrado = boost::math::chi_squared_distribution<double, politica>;
using normal_padrao = boost::math::normal_distribution<double, politica>;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

bool alfa_valido(double alfa) { return alfa > 0 && alfa < 1; }
bool gl_valido(double gl) { return gl > 0 && std::isfinite(gl); }
bool gl_validos(double gl1, double gl2) { return gl_valido(gl1) && gl_valido(gl2); }

// The value with probability alfa above it.
template <class Lei>
double acima_de(const Lei& lei, double alfa) {
    return alfa_valido(alfa) ? quantile(complement(lei, alfa)) : nan;
}

// The probability above x, for a finite x.
template <class Lei>
double alem_de(const Lei& lei, double x) {
    return std::isfinite(x) ? cdf(complement(lei, x)) : nan;
}

}  // namespace

double t_critico_bilateral(double alfa, double gl) {
    return gl_valido(gl) ? acima_de(t_de_student(gl), alfa / 2) : nan;
}

double t_p_bilateral(double t, double gl) {
    return gl_valido(gl) ? 2 * alem_de(t_de_student(gl), std::fabs(t)) : nan;
}

double f_critico_superior(double alfa, double gl1, double gl2) {
    return gl_validos(gl1, gl2) ? acima_de(f_de_snedecor(gl1, gl2), alfa) : nan;
}

double f_p_superior(double f, double gl1, double gl2) {
    return gl_validos(gl1, gl2) && f >= 0 ? alem_de(f_de_snedecor(gl1, gl2), f) : nan;
}

double qui_critico_superior(double alfa, double gl) {
    return gl_valido(gl) ? acima_de(qui_quadrado(gl), alfa) : nan;
}

double qui_p_superior(double x, double gl) {
    return gl_valido(gl) && x >= 0 ? alem_de(qui_quadrado(gl), x) : nan;
}

double normal_critico_bilateral(double alfa) { return acima_de(normal_padrao(), alfa / 2); }

double normal_p_bilateral(double z) { return 2 * alem_de(normal_padrao(), std::fabs(z)); }

}  // namespace lousa::distribuicoes
