#pragma once
// The shared constant texts, each with its exact length: the blanks that fill a
// text up to its length belong to it and are printed with it.

#include <array>

#include "codepage/texto.hpp"

namespace lousa::textos {

// Application titles, by menu code (entry 0 unused; 17 to 20 never shown).
inline constexpr std::array<texto_fixo<50>, 21> aplic = {
    "",
    "Dimensionamento de Amostras",
    "Teste 't' de Student",
    "Teste 't' para dados parelhados",
    "ANOVA - 1 critério de classificação",
    "ANOVA - 2 critérios de classificação",
    "ANOVA - 2 critérios com repetições",
    "Correlacao/Regressao linear/linearizadas",
    "Teste de Aleatoriedade de 1 amostra",
    "Teste Qui-quadrado",
    "Teste  Kolmogorov-Smirnov",
    "Teste Z para proporcoes",
    "Teste de Wilcoxon",
    "Teste de Mann-Withney",
    "Correlacao de Spearman",
    "Teste de Kruskal-Wallis",
    "Regressoes Curvelineas",
};

// Regression model titles, by model code (entry 0 unused).
inline constexpr std::array<texto_fixo<40>, 6> model = {
    "",
    "         Modelo: Linha reta",
    "         Modelo: Curva hiperbólica",
    "         Modelo: Curva Logarítmica",
    "         Modelo: Curva Exponencial",
    "         Modelo: Curva potencial",
};

inline constexpr texto_fixo<18> mens1 = "CURVAS D0 MODELO 1";  // a zero, not the letter O
inline constexpr texto_fixo<18> mens2 = "CURVAS DO MODELO 2";
inline constexpr texto_fixo<18> mens3 = "CURVAS DO MODELO 3";
inline constexpr texto_fixo<18> mens4 = "CURVAS DO MODELO 4";
inline constexpr texto_fixo<30> mens1a = "(Ver pagina 60 do tutorial)";
inline constexpr texto_fixo<30> mens2a = "(Ver pagina 61 do tutorial)";
inline constexpr texto_fixo<30> mens3a = "(Ver pagina 63 do tutorial)";
inline constexpr texto_fixo<30> mens4a = "(Ver pagina 65 do tutorial)";
inline constexpr texto_fixo<4> mens5 = "A = ";
inline constexpr texto_fixo<4> mens6 = "B = ";
inline constexpr texto_fixo<4> mens7 = "C = ";
inline constexpr texto_fixo<30> mens8 = "Erro padrão da Regressao = ";
inline constexpr texto_fixo<14> resho = "Aceitamos_Ho";
inline constexpr texto_fixo<14> resh1 = "Rejeitamos_Ho";
inline constexpr texto_fixo<22> mensagem = "Ver Tabela para N =";
inline constexpr texto_fixo<22> mensagem2 = "Z tabelar = 1.96 **   ";
inline constexpr texto_fixo<1> ast = "*";
// The blank handed to a layout's closing a1, so that the line ends with a blank.
inline constexpr texto_fixo<1> bra = " ";

}  // namespace lousa::textos
