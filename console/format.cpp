#include "console/format.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "console/decimal.hpp"

namespace lousa::console::detail {
namespace {

void right_justified(std::string& out, std::string_view s, int w) {
    if (static_cast<int>(s.size()) < w) out.append(static_cast<std::size_t>(w) - s.size(), ' ');
    out += s;
}

void asterisks(std::string& out, int w) { out.append(static_cast<std::size_t>(w), '*'); }

// Infinity and not-a-number, the same in every real field.
void append_non_finite(std::string& out, float v, int w) {
    const bool negative = v < 0;
    if (std::isnan(v)) w < 3 ? asterisks(out, w) : right_justified(out, "NaN", w);
    else if (w >= 9) right_justified(out, negative ? "-Infinity" : "+Infinity", w);
    else if (w >= 4) right_justified(out, negative ? "-Inf" : "+Inf", w);
    else asterisks(out, w);
}

// Fw.d of a finite value, given its sign and the expansion of its magnitude.
void append_fixed(std::string& out, bool negative, const decimal& magnitude, int w, int d) {
    const decimal x = rounded(magnitude, magnitude.exponent + d);
    const int integer_digits = x.size > 0 ? std::max(x.exponent, 0) : 0;
    const int needed = (negative ? 1 : 0) + integer_digits + 1 + d;
    if (needed > w) return asterisks(out, w);
    // A zero integer part is shown only where the field has room for it.
    const bool zero_shown = integer_digits == 0 && needed < w;
    out.append(static_cast<std::size_t>(w - needed - (zero_shown ? 1 : 0)), ' ');
    if (negative) out += '-';
    if (zero_shown) out += '0';
    for (int k = x.exponent - integer_digits; k < x.exponent; ++k) out += x.at(k);
    out += '.';
    for (int k = x.exponent; k < x.exponent + d; ++k) out += x.at(k);
}

// d.ddddddddE+xx, right-justified in 15 characters.
void append_scientific(std::string& out, bool negative, const decimal& magnitude) {
    const decimal x = rounded(magnitude, 9);
    const int e = x.exponent - 1;
    out += negative ? '-' : ' ';
    out += x.at(0);
    out += '.';
    for (int k = 1; k < 9; ++k) out += x.at(k);
    out += e < 0 ? "E-" : "E+";
    out += static_cast<char>('0' + std::abs(e) / 10);
    out += static_cast<char>('0' + std::abs(e) % 10);
}

// Walks a parsed layout, printing items and consuming values.
class layout_writer {
public:
    layout_writer(std::string& out, layout_view p, std::span<const value> values)
        : out_(out), p_(p), values_(values) {}

    // Returns false once a field finds no value left: the write ends there.
    bool items(std::size_t begin, std::size_t end, std::string_view line_end) {
        for (std::size_t k = begin; k < end; ++k) {
            const layout_item& it = p_.items[k];
            using type = layout_item::type;
            switch (it.what) {
                case type::blanks: pending_ += it.count; break;
                case type::text: start_item() += p_.text_of(it); break;
                case type::line_end:
                    out_ += line_end;
                    pending_ = 0;
                    break;
                case type::group_begin:
                    for (int r = 0; r < it.count; ++r)
                        if (!items(k + 1, it.group_end, line_end)) return false;
                    k = it.group_end;
                    break;
                case type::group_end: break;
                case type::field_a:
                case type::field_i:
                case type::field_f:
                    if (next_ == values_.size()) return false;
                    field(it, values_[next_++]);
                    break;
            }
        }
        return true;
    }

private:
    void field(const layout_item& it, const value& v) {
        switch (it.what) {
            case layout_item::type::field_a: return append_text_field(start_item(), v.text, it.width);
            case layout_item::type::field_i: return append_integer_field(start_item(), v.integer, it.width);
            default: return append_fixed_field(start_item(), v.single, it.width, it.decimals);
        }
    }

    // Blanks are held back until something follows them on the same line.
    std::string& start_item() {
        out_.append(static_cast<std::size_t>(pending_), ' ');
        pending_ = 0;
        return out_;
    }

    std::string& out_;
    layout_view p_;
    std::span<const value> values_;
    std::size_t next_ = 0;
    int pending_ = 0;
};

}  // namespace

void append_text_field(std::string& out, std::string_view text, int w) {
    right_justified(out, text.substr(0, static_cast<std::size_t>(w)), w);
}

void append_integer_field(std::string& out, std::int32_t v, int w) {
    std::array<char, 12> text{};
    const char* end = std::to_chars(text.data(), text.data() + text.size(), v).ptr;
    const std::string_view digits(text.data(), static_cast<std::size_t>(end - text.data()));
    if (static_cast<int>(digits.size()) > w) asterisks(out, w);
    else right_justified(out, digits, w);
}

void append_fixed_field(std::string& out, float v, int w, int d) {
    if (!std::isfinite(v)) return append_non_finite(out, v, w);
    append_fixed(out, std::signbit(v), decimal_of(v), w, d);
}

void append_free_real(std::string& out, float v) {
    if (!std::isfinite(v)) return append_non_finite(out, v, 15);
    const decimal magnitude = decimal_of(v);
    const double m = std::fabs(static_cast<double>(v));
    if (v != 0.0f && (m < 0.0999999995 || m >= 99999999.5)) return append_scientific(out, std::signbit(v), magnitude);
    // Decimals from the integer digits of the value shown to 8 significant
    // digits (zero counts one).
    const int integer_digits = v == 0.0f ? 1 : std::max(rounded(magnitude, 8).exponent, 0);
    append_fixed(out, std::signbit(v), magnitude, 11, 8 - integer_digits);
    out.append(4, ' ');
}

void append_free_line(std::string& out, std::span<const value> values, std::string_view line_end) {
    for (std::size_t k = 0; k < values.size(); ++k) {
        const value& v = values[k];
        const bool joined = k > 0 && v.kind == field_kind::text && values[k - 1].kind == field_kind::text;
        if (!joined) out += ' ';  // also the blank that starts the line
        switch (v.kind) {
            case field_kind::text: out += v.text; break;
            case field_kind::integer: append_integer_field(out, v.integer, 11); break;
            case field_kind::real: append_free_real(out, v.single); break;
        }
    }
    out += line_end;
}

void append_layout(std::string& out, layout_view layout, std::span<const value> values, std::string_view line_end) {
    layout_writer(out, layout, values).items(0, layout.items.size(), line_end);
    out += line_end;  // the closing parenthesis, or a field without a value
}

}  // namespace lousa::console::detail
