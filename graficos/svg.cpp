#include "graficos/svg.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <span>

#include "codepage/cp850.hpp"
#include "console/console.hpp"

namespace lousa::graficos {

namespace {

void acrescenta_inteiro(std::string& s, unsigned long long n) {
    std::array<char, 24> buf{};
    const auto fim = std::to_chars(buf.data(), buf.data() + buf.size(), n).ptr;
    s.append(buf.data(), static_cast<std::size_t>(fim - buf.data()));
}

double potencia_de_dez(int e) {
    double p = 1;
    for (int k = 0; k < e; ++k) p *= 10;
    for (int k = 0; k > e; --k) p /= 10;
    return p;
}

// A picture with a destination is sent on when this full: small enough that
// the same few pages of memory serve the whole picture (fresh pages cost more
// than drawing in a VM).
constexpr std::size_t pedaco = 8192;

// "00" to "99": the integer part two digits at a time.
constexpr std::array<char, 200> dois_digitos = [] {
    std::array<char, 200> d{};
    for (std::size_t k = 0; k < 100; ++k)
        d[2 * k] = static_cast<char>('0' + k / 10), d[2 * k + 1] = static_cast<char>('0' + k % 10);
    return d;
}();

// Writes v to a tenth of a pixel, as an integer and its tenth, ending just
// before `fim`; returns where it starts. Fast (a 50 x 50 table has thousands
// of coordinates) and the same bytes everywhere.
char* decimos_antes(char* fim, double v) {
    v = std::clamp(std::isfinite(v) ? v : 0.0, -1e6, 1e6) * 10;
    const auto decimos = static_cast<std::int32_t>(v < 0 ? v - 0.5 : v + 0.5);  // half away from zero
    auto n = static_cast<std::uint32_t>(decimos < 0 ? -decimos : decimos);
    char* p = fim;
    if (n % 10 != 0) *--p = static_cast<char>('0' + n % 10), *--p = '.';
    n /= 10;
    for (; n >= 100; n /= 100) p = std::copy_n(&dois_digitos[2 * (n % 100)], 2, p - 2) - 2;
    if (n >= 10) p = std::copy_n(&dois_digitos[2 * n], 2, p - 2) - 2;
    else *--p = static_cast<char>('0' + n);
    if (decimos < 0) *--p = '-';
    return p;
}

}  // namespace

void acrescenta(std::string& s, double v) {
    std::array<char, 16> buf;  // NOLINT(cppcoreguidelines-pro-type-member-init): written before it is read
    char* const fim = buf.data() + buf.size();
    const char* inicio = decimos_antes(fim, v);
    s.append(inicio, static_cast<std::size_t>(fim - inicio));
}

std::string numero(double v, int casas) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "+Inf" : "-Inf";
    casas = std::clamp(casas, 0, 9);
    const double m = std::round(std::fabs(v) * potencia_de_dez(casas));
    if (m >= 9e15) {  // too long for a label in fixed form: one digit, point, two, exponent
        const int e = static_cast<int>(std::floor(std::log10(std::fabs(v))));
        return numero(v / potencia_de_dez(e), 2) + "e" + std::to_string(e);
    }
    std::string digitos;
    acrescenta_inteiro(digitos, static_cast<unsigned long long>(m));
    if (casas > 0) {
        if (digitos.size() <= static_cast<std::size_t>(casas))
            digitos.insert(0, static_cast<std::size_t>(casas) + 1 - digitos.size(), '0');
        digitos.insert(digitos.size() - static_cast<std::size_t>(casas), 1, '.');
    }
    return (v < 0 && m != 0 ? "-" : "") + digitos;
}

std::string breve(double v) {
    std::string s = numero(v, 4);
    if (s.find('.') != std::string::npos && s.find('e') == std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string como_na_tela(double v, int casas) {
    return fixed_text(real(v), casas);
}

std::string escapa(std::string_view utf8) {
    std::string s;
    s.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '&': s += "&amp;"; break;
            case '<': s += "&lt;"; break;
            case '>': s += "&gt;"; break;
            case '"': s += "&quot;"; break;
            case '\'': s += "&#39;"; break;
            default: s += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;  // no control characters in XML
        }
    }
    return s;
}

std::string texto_da_tela(std::string_view cp850) {
    const auto inicio = cp850.find_first_not_of(' ');
    if (inicio == std::string_view::npos) return {};
    cp850 = cp850.substr(inicio, cp850.find_last_not_of(' ') + 1 - inicio);
    return utf8_from_cp850(cp850);
}

std::string linha_de_numeros(const std::vector<std::string>& celulas) {
    std::string s;
    for (const auto& c : celulas) {
        if (!s.empty()) s += '\t';
        for (const char ch : c) s += ch == '\t' || ch == '\n' || ch == '\r' ? ' ' : ch;
    }
    return s + '\n';
}

marcas marcas_de(double menor, double maior, int quantas) {
    if (!std::isfinite(menor) || !std::isfinite(maior)) menor = 0, maior = 1;
    if (maior < menor) std::swap(menor, maior);
    if (maior - menor < 1e-12 * std::max(1.0, std::fabs(maior))) {  // one value: a range around it
        const double folga = std::max(1.0, std::fabs(maior) * 0.1);
        menor -= folga;
        maior += folga;
    }
    const double bruto = (maior - menor) / std::max(quantas, 1);
    if (!std::isfinite(bruto)) return marcas_de(0, 1, quantas);  // a range beyond doubles
    const double grandeza = potencia_de_dez(static_cast<int>(std::floor(std::log10(bruto))));
    const double norma = bruto / grandeza;
    const double passo = (norma <= 1 ? 1 : norma <= 2 ? 2 : norma <= 5 ? 5 : 10) * grandeza;
    const double primeira = std::floor(menor / passo + 1e-9), ultima = std::ceil(maior / passo - 1e-9);
    marcas m;
    for (double k = primeira; k <= ultima; ++k) m.valores.push_back(k * passo);
    m.casas = std::clamp(-static_cast<int>(std::floor(std::log10(passo) + 1e-9)), 0, 9);
    m.de = primeira * passo;
    m.ate = ultima * passo;
    return m;
}

extremos extremos_de(std::initializer_list<const std::vector<double>*> series) {
    extremos e{INFINITY, -INFINITY};
    for (const auto* serie : series)
        for (const double v : *serie)
            if (std::isfinite(v)) e.menor = std::min(e.menor, v), e.maior = std::max(e.maior, v);
    if (e.menor > e.maior) return {};
    return e;
}

const estilo& estilo_da_serie(std::size_t k) {
    static constexpr std::array<estilo, 8> estilos = {{
        {"#0072B2", "", 0},
        {"#D55E00", "8 4", 1},
        {"#009E73", "2 3", 2},
        {"#CC79A7", "9 3 2 3", 3},
        {"#E69F00", "14 3 3 3 3 3", 4},
        {"#56B4E9", "18 6", 5},
        {"#000000", "1 4", 6},
        {"#7F3C8D", "6 2 1 2", 7},
    }};
    return estilos[k % estilos.size()];
}

std::string traco_de(const estilo& e, double largura) {
    std::string s = "stroke=\"";
    s += e.cor;
    s += "\" stroke-width=\"";
    acrescenta(s, largura);
    s += '"';
    if (*e.tracejado) s += std::string(" stroke-dasharray=\"") + e.tracejado + '"';
    return s;
}

// ---- The canvas ----

svg::svg(int altura, std::string_view titulo, std::string_view descricao, const saida* destino) : destino_(destino) {
    // Most pictures fit whole: no copy as it grows.
    s_.reserve(destino_ != nullptr ? pedaco + 1024 : 65536);
    s_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"";
    acrescenta(s_, altura);
    s_ += "\" viewBox=\"0 0 640 ";
    acrescenta(s_, altura);
    s_ += "\" role=\"img\" font-family=\"DejaVu Sans, Verdana, Arial, sans-serif\" font-size=\"12\">\n";
    s_ += "<title>" + escapa(titulo) + "</title>\n<desc>" + escapa(descricao) + "</desc>\n";
    s_ += "<rect width=\"640\" height=\"";
    acrescenta(s_, altura);
    s_ += "\" fill=\"#fff\"/>\n";
    const bool longo = titulo.size() > 68;  // bytes: a few more than the characters it shows
    texto(320, 22, titulo, longo ? "text-anchor=\"middle\" font-size=\"12\" font-weight=\"bold\""
                                 : "text-anchor=\"middle\" font-size=\"14\" font-weight=\"bold\"");
}

void svg::linha(double x1, double y1, double x2, double y2, std::string_view atributos) {
    s_ += "<line x1=\"";
    acrescenta(s_, x1);
    s_ += "\" y1=\"";
    acrescenta(s_, y1);
    s_ += "\" x2=\"";
    acrescenta(s_, x2);
    s_ += "\" y2=\"";
    acrescenta(s_, y2);
    s_ += "\" ";
    s_ += atributos;
    s_ += "/>\n";
    escoa_se_cheio();
}

void svg::retangulo(double x, double y, double w, double h, std::string_view atributos) {
    if (h < 0) y += h, h = -h;
    s_ += "<rect x=\"";
    acrescenta(s_, x);
    s_ += "\" y=\"";
    acrescenta(s_, y);
    s_ += "\" width=\"";
    acrescenta(s_, w);
    s_ += "\" height=\"";
    acrescenta(s_, h);
    s_ += "\" ";
    s_ += atributos;
    s_ += "/>\n";
    escoa_se_cheio();
}

void svg::texto(double x, double y, std::string_view utf8, std::string_view atributos) {
    s_ += "<text x=\"";
    acrescenta(s_, x);
    s_ += "\" y=\"";
    acrescenta(s_, y);
    s_ += '"';
    if (!atributos.empty()) s_ += ' ';
    s_ += atributos;
    s_ += '>';
    s_ += escapa(utf8);
    s_ += "</text>\n";
    escoa_se_cheio();
}

void svg::marcador(int tipo, double x, double y, const char* cor, std::string_view classe) {
    const bool cheio = tipo >= 6;
    if (tipo == 0 || tipo == 6) {
        s_ += "<circle cx=\"";
        acrescenta(s_, x);
        s_ += "\" cy=\"";
        acrescenta(s_, y);
        s_ += "\" r=\"4\"";
    } else if (tipo == 1 || tipo == 7) {
        s_ += "<rect x=\"";
        acrescenta(s_, x - 3.5);
        s_ += "\" y=\"";
        acrescenta(s_, y - 3.5);
        s_ += "\" width=\"7\" height=\"7\"";
    } else {
        // Triangle, diamond, cross, plus: offsets from the centre.
        static constexpr std::array<std::string_view, 4> formas = {
            "m0,-5 4.5,8 -9,0z", "m0,-5 5,5 -5,5 -5,-5z", "m-4,-4 8,8m0,-8 -8,8", "m-5,0 10,0m-5,-5 0,10"};
        s_ += "<path d=\"M";
        acrescenta(s_, x);
        s_ += ',';
        acrescenta(s_, y);
        s_ += formas[static_cast<std::size_t>(tipo - 2) % formas.size()];
        s_ += '"';
    }
    s_ += cheio ? " fill=\"" : " fill=\"none\" stroke-width=\"1.5\" stroke=\"";
    s_ += cor;
    s_ += '"';
    if (!classe.empty()) {
        s_ += " class=\"";
        s_ += classe;
        s_ += '"';
    }
    s_ += "/>\n";
    escoa_se_cheio();
}

void svg::inicia_caminho(std::string_view atributos) {
    s_ += "<path fill=\"none\" ";
    s_ += atributos;
    s_ += " d=\"";
    em_caminho_ = true;
    segmento_aberto_ = false;
}

void svg::inicia_area(std::string_view atributos) {
    s_ += "<path ";
    s_ += atributos;
    s_ += " d=\"";
    em_caminho_ = true;
    segmento_aberto_ = false;
}

void svg::ponto_do_caminho(double x, double y) {
    // "L12.3,45.6", written backwards into one buffer and appended at once.
    std::array<char, 32> buf;  // NOLINT(cppcoreguidelines-pro-type-member-init): written before it is read
    char* const fim = buf.data() + buf.size();
    char* p = decimos_antes(fim, y);
    *--p = ',';
    p = decimos_antes(p, x);
    *--p = segmento_aberto_ ? 'L' : 'M';
    s_.append(p, static_cast<std::size_t>(fim - p));
    segmento_aberto_ = true;
    escoa_se_cheio();
}

void svg::vertical(double x, double de, double ate) {
    // "M12.3,45.6V7.8", as ponto_do_caminho writes its point.
    std::array<char, 48> buf;  // NOLINT(cppcoreguidelines-pro-type-member-init): written before it is read
    char* const fim = buf.data() + buf.size();
    char* p = decimos_antes(fim, ate);
    *--p = 'V';
    p = decimos_antes(p, de);
    *--p = ',';
    p = decimos_antes(p, x);
    *--p = 'M';
    s_.append(p, static_cast<std::size_t>(fim - p));
    segmento_aberto_ = false;
    escoa_se_cheio();
}

void svg::quebra_caminho() { segmento_aberto_ = false; }

void svg::fecha_contorno() {
    if (segmento_aberto_) s_ += 'Z';
    segmento_aberto_ = false;
}

void svg::fecha_caminho() {
    if (em_caminho_) s_ += "\"/>\n";
    em_caminho_ = false;
}

std::string svg::fecha() {
    s_ += "</svg>\n";
    if (destino_ == nullptr) return std::move(s_);
    (*destino_)(s_);
    return {};
}

// A piece may end anywhere, even inside a path: the pieces are only put
// together again.
void svg::escoa_se_cheio() {
    if (destino_ == nullptr || s_.size() < pedaco) return;
    (*destino_)(s_);
    s_.clear();
}

// ---- The plot box and its axes ----

plano plano_padrao(int altura, bool com_legenda, const marcas& mx, const marcas& my) {
    plano p{70, 44, com_legenda ? 420.0 : 620.0, altura - 52.0, {}, {}};
    // A little room beyond the outer ticks, so that no point sits on an axis;
    // none below a value axis that starts at zero, where bars and densities stand.
    const double fx = (mx.ate - mx.de) * 0.03, fy = (my.ate - my.de) * 0.04;
    p.x = {mx.de - fx, mx.ate + fx, p.esquerda, p.direita};
    p.y = {my.de == 0 ? 0 : my.de - fy, my.ate + fy, p.base, p.topo};
    return p;
}

namespace {

constexpr std::string_view grade = "stroke=\"#d9d9d9\" stroke-width=\"1\"";
constexpr std::string_view traco = "stroke=\"#000\" stroke-width=\"1\"";

void eixo_y(svg& d, const plano& p, const marcas& my, std::string_view nome_y) {
    for (const double v : my.valores) {
        const double y = p.y(v);
        d.linha(p.esquerda, y, p.direita, y, grade);
        d.linha(p.esquerda - 5, y, p.esquerda, y, traco);
        d.texto(p.esquerda - 8, y + 4, numero(v, my.casas), "text-anchor=\"end\" class=\"marca-y\"");
    }
    std::string gira = "text-anchor=\"middle\" transform=\"rotate(-90 ";
    acrescenta(gira, 18);
    gira += ' ';
    acrescenta(gira, (p.topo + p.base) / 2);
    gira += ")\"";
    d.texto(18, (p.topo + p.base) / 2, nome_y, gira);
}

void moldura(svg& d, const plano& p, std::string_view nome_x) {
    d.linha(p.esquerda, p.base, p.direita, p.base, traco);
    d.linha(p.esquerda, p.topo, p.esquerda, p.base, traco);
    if (!nome_x.empty()) d.texto((p.esquerda + p.direita) / 2, p.base + 40, nome_x, "text-anchor=\"middle\"");
}

// A category name cut to the characters its slot holds.
std::string cabe(const std::string& nome, double largura) {
    const auto caracteres = static_cast<std::size_t>(std::max(3.0, largura / 7.5));
    std::size_t n = 0, k = 0;
    for (; k < nome.size(); ++k)
        if ((static_cast<unsigned char>(nome[k]) & 0xC0) != 0x80 && ++n > caracteres) break;
    if (k == nome.size()) return nome;
    std::size_t corte = k;
    do --corte;  // room for the ellipsis, on a character boundary
    while (corte > 0 && (static_cast<unsigned char>(nome[corte]) & 0xC0) == 0x80);
    return nome.substr(0, corte) + "…";
}

}  // namespace

void eixo_x(svg& d, const plano& p, const marcas& mx) {
    for (const double v : mx.valores) {
        const double x = p.x(v);
        d.linha(x, p.topo, x, p.base, grade);
        d.linha(x, p.base, x, p.base + 5, traco);
        d.texto(x, p.base + 18, numero(v, mx.casas), "text-anchor=\"middle\" class=\"marca-x\"");
    }
    d.linha(p.esquerda, p.base, p.direita, p.base, traco);
}

void eixos(svg& d, const plano& p, const marcas& mx, const marcas& my, std::string_view nome_x,
           std::string_view nome_y) {
    eixo_x(d, p, mx);
    eixo_y(d, p, my, nome_y);
    moldura(d, p, nome_x);
}

std::vector<std::string> nomes_das_colunas(std::size_t colunas, std::string primeiro) {
    std::vector<std::string> nomes;
    if (!primeiro.empty()) nomes.push_back(std::move(primeiro));
    for (std::size_t j = 0; j < colunas; ++j) nomes.push_back("Coluna " + std::to_string(j + 1));
    return nomes;
}

escala escala_de_categorias(std::size_t quantas, double esquerda, double direita) {
    return {-0.5, static_cast<double>(quantas) - 0.5, esquerda, direita};
}

void eixos_de_categorias(svg& d, const plano& p, const std::vector<std::string>& categorias,
                         const marcas& my, std::string_view nome_x, std::string_view nome_y) {
    eixo_y(d, p, my, nome_y);
    const std::size_t salto = (categorias.size() + 15) / 16;  // at most 16 labels
    const double fenda = (p.direita - p.esquerda) / static_cast<double>(std::max<std::size_t>(categorias.size(), 1));
    for (std::size_t k = 0; k < categorias.size(); ++k) {
        const double x = p.x(static_cast<double>(k));
        d.linha(x, p.base, x, p.base + 5, traco);
        if (k % salto == 0)
            d.texto(x, p.base + 18, cabe(categorias[k], fenda * static_cast<double>(salto)),
                    "text-anchor=\"middle\" class=\"categoria\"");
    }
    moldura(d, p, nome_x);
}

namespace {

// The part of a segment inside the box's height, if any; the curve is sampled
// across the box's width, so only its height cuts it.
bool recorta(const plano& p, double& x0, double& y0, double& x1, double& y1) {
    const auto fora = [&p](double y) { return y < p.topo ? -1 : y > p.base ? 1 : 0; };
    const int f0 = fora(y0), f1 = fora(y1);
    if (f0 != 0 && f0 == f1) return false;
    if (f0 != 0 && f1 != 0) return false;  // across a pole, from one side to the other
    const auto no_limite = [&](double& x, double& y, int lado, double xo, double yo) {
        const double limite = lado < 0 ? p.topo : p.base;
        x = xo + (x - xo) * (limite - yo) / (y - yo);
        y = limite;
    };
    if (f0 != 0) no_limite(x0, y0, f0, x1, y1);
    if (f1 != 0) no_limite(x1, y1, f1, x0, y0);
    return true;
}

}  // namespace

void traca_curva(svg& d, const plano& p, std::string_view atributos, const std::function<double(double)>& f,
           int amostras) {
    d.inicia_caminho(atributos);
    double xa = 0, ya = 0;
    bool anterior = false;
    for (int k = 0; k <= amostras; ++k) {
        const double v = p.x.de + (p.x.ate - p.x.de) * k / amostras;
        const double x = p.x(v), y = p.y(f(v));
        if (!std::isfinite(y)) {
            anterior = false;
            d.quebra_caminho();
            continue;
        }
        double x0 = xa, y0 = ya, x1 = x, y1 = y;
        if (anterior && recorta(p, x0, y0, x1, y1)) {
            if (!d.caminho_aberto()) d.ponto_do_caminho(x0, y0);
            d.ponto_do_caminho(x1, y1);
            if (y1 != y) d.quebra_caminho();  // it leaves the box
        } else {
            d.quebra_caminho();
        }
        xa = x, ya = y, anterior = true;
    }
    d.fecha_caminho();
}

void legenda(svg& d, const plano& p, const std::vector<item_de_legenda>& itens) {
    const double x = p.direita + 18;
    double y = p.topo + 6;
    // As many lines as the picture has room for (a 50-row table has 50); the
    // last one then says how many more there are.
    const auto cabem = static_cast<std::size_t>((p.base + 42 - y) / 20) + 1;
    const std::size_t mostrados = itens.size() > cabem ? cabem - 1 : itens.size();
    for (const auto& item : std::span(itens).first(mostrados)) {
        const std::string atributos = traco_de(item.e, 2);
        if (!item.barra.empty()) {
            d.retangulo(x + 4, y - 7, 16, 14, item.barra);
        } else if (item.com_linha) {
            d.linha(x, y, x + 24, y, atributos);
        }
        if (item.com_marcador) d.marcador(item.e.marcador, x + 12, y, item.e.cor);
        d.texto(x + 32, y + 4, cabe(item.nome, 636 - (x + 32)), "class=\"legenda\"");
        y += 20;
    }
    if (mostrados < itens.size())
        d.texto(x + 32, y + 4, "… e mais " + std::to_string(itens.size() - mostrados), "class=\"legenda\"");
}

}  // namespace lousa::graficos
