#pragma once
// The pen the pictures are drawn with: SVG text written straight into one
// string (or sent on a few kilobytes at a time), numbers in fixed forms that
// no locale touches (coordinates to a tenth of a pixel, labels with a point as
// on the screen), so that the same result always gives the same bytes. No element has an id, so that several
// pictures can sit in one page.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graficos/graficos.hpp"

namespace lousa::graficos {

// ---- Numbers and texts ----

// A label: v with `casas` decimals and a decimal point; "NaN", "+Inf", "-Inf".
std::string numero(double v, int casas);
// A short label: at most four decimals, trailing zeros dropped ("12.5", "3").
std::string breve(double v);
// A value the screen printed, rounded as the screen rounds its stored real
// (Fw.d on the single-precision value), without the field's blanks.
std::string como_na_tela(double v, int casas);
// A text typed by the student or kept by the program (code page 850 bytes),
// as UTF-8 with its padding blanks trimmed (the canvas escapes what it writes).
std::string texto_da_tela(std::string_view cp850);
// UTF-8 with XML's special characters escaped (and control characters blanked).
std::string escapa(std::string_view utf8);
// One line of a picture's numbers as a table: the cells (UTF-8) separated by
// tabs, a line end after the last; a tab or line end in a cell becomes a blank.
std::string linha_de_numeros(const std::vector<std::string>& celulas);

// ---- Scales and ticks ----

// Maps the values de..ate onto the pixels px_de..px_ate (either may run backwards).
struct escala {
    double de = 0, ate = 1, px_de = 0, px_ate = 1;
    double operator()(double v) const { return px_de + (v - de) * (px_ate - px_de) / (ate - de); }
};

// Round tick values covering a range: steps of 1, 2 or 5 times a power of ten.
struct marcas {
    std::vector<double> valores;
    int casas = 0;  // decimals each label needs
    double de = 0, ate = 1;  // the range the axis shows (from the first tick to the last)
};
marcas marcas_de(double menor, double maior, int quantas);

// The smallest and largest finite values of several series (0 and 1 if none).
struct extremos {
    double menor = 0, maior = 1;
};
extremos extremos_de(std::initializer_list<const std::vector<double>*> series);

// ---- Styles: every series differs by line style and marker, not by colour alone ----

struct estilo {
    const char* cor;
    const char* tracejado;  // stroke-dasharray, "" for a solid line
    int marcador;           // see svg::marcador
};
// The k-th series' style (colour-blind safe colours; cycles after eight).
const estilo& estilo_da_serie(std::size_t k);
// The stroke attributes of a series' line.
std::string traco_de(const estilo& e, double largura);

// ---- The canvas ----

class svg {
public:
    static constexpr int largura = 640;

    // Opens the picture: its size, its <title> and <desc> (UTF-8, unescaped),
    // and a heading over the plot. With a `destino` the text goes there a few
    // kilobytes at a time as it is drawn, so that a large picture written to
    // a file never sits whole in memory.
    svg(int altura, std::string_view titulo, std::string_view descricao, const saida* destino = nullptr);

    void linha(double x1, double y1, double x2, double y2, std::string_view atributos);
    void retangulo(double x, double y, double w, double h, std::string_view atributos);
    // Text in UTF-8, escaped here; `atributos` such as text-anchor="end".
    void texto(double x, double y, std::string_view utf8, std::string_view atributos = {});
    // Marker `tipo` (0 circle, 1 square, 2 triangle, 3 diamond, 4 cross,
    // 5 plus, 6 filled circle, 7 filled square) centred on x, y.
    void marcador(int tipo, double x, double y, const char* cor, std::string_view classe = {});

    // A polyline by its points; each run of points between breaks is one path.
    void inicia_caminho(std::string_view atributos);
    void inicia_area(std::string_view atributos);  // a closed, filled outline
    void ponto_do_caminho(double x, double y);
    void vertical(double x, double de, double ate);  // a vertical line of its own
    void quebra_caminho();
    void fecha_contorno();  // closes the outline just drawn (Z) and starts another
    bool caminho_aberto() const { return segmento_aberto_; }
    void fecha_caminho();

    // Ends the picture: its whole text, or "" once the rest went to `destino`.
    std::string fecha();

private:
    void escoa_se_cheio();

    std::string s_;
    const saida* destino_;
    bool em_caminho_ = false, segmento_aberto_ = false;
};

// A white outline behind a label that may sit over points or lines.
#define LOUSA_HALO "paint-order=\"stroke\" stroke=\"#fff\" stroke-width=\"4\" stroke-linejoin=\"round\""

// Appends a coordinate, to a tenth of a pixel.
void acrescenta(std::string& s, double v);

// ---- The plot box and its axes ----

struct plano {
    double esquerda, topo, direita, base;  // pixels
    escala x, y;
};
// A plot box of the standard picture: 640 wide, legend space on the right
// when `com_legenda`.
plano plano_padrao(int altura, bool com_legenda, const marcas& mx, const marcas& my);

// The horizontal axis alone: grid, ticks, labels.
void eixo_x(svg& d, const plano& p, const marcas& mx);
// Grid, ticks and labels of both axes, and the axes' names.
void eixos(svg& d, const plano& p, const marcas& mx, const marcas& my, std::string_view nome_x,
           std::string_view nome_y);
// A vertical value axis and a horizontal axis of named categories (UTF-8).
void eixos_de_categorias(svg& d, const plano& p, const std::vector<std::string>& categorias,
                         const marcas& my, std::string_view nome_x, std::string_view nome_y);
// "Coluna 1" .. "Coluna n", the columns of a two-way table, after `primeiro`
// when it is given (a table's corner heading).
std::vector<std::string> nomes_das_colunas(std::size_t colunas, std::string primeiro = {});
// An escala placing category k (from 0) at the centre of its slot.
escala escala_de_categorias(std::size_t quantas, double esquerda, double direita);

// A curve y = f(x) sampled across the box, cut where it leaves it or is not
// defined (a hyperbola's pole, a logarithm of a negative value).
void traca_curva(svg& d, const plano& p, std::string_view atributos, const std::function<double(double)>& f,
           int amostras = 160);

// One legend line: a line sample and/or a marker, and its name (UTF-8).
struct item_de_legenda {
    item_de_legenda(std::string n, estilo es, bool linha = true, bool marca = true, std::string caixa = {})
        : nome(std::move(n)), e(es), com_linha(linha), com_marcador(marca), barra(std::move(caixa)) {}
    std::string nome;
    estilo e;
    bool com_linha = true, com_marcador = true;
    std::string barra;  // a box drawn with these attributes instead of a line sample, for bars
};
void legenda(svg& d, const plano& p, const std::vector<item_de_legenda>& itens);

}  // namespace lousa::graficos
