#include "console/format.hpp"

#include <cmath>
#include <cstdlib>

#include "console/decimal.hpp"

namespace lousa::console {
namespace {

std::string right_justified(std::string s, int w) {
    if (static_cast<int>(s.size()) < w) s.insert(0, static_cast<std::size_t>(w) - s.size(), ' ');
    return s;
}

std::string asterisks(int w) { return std::string(static_cast<std::size_t>(w), '*'); }

// Infinity and not-a-number, the same in every real field.
std::string render_non_finite(float v, int w) {
    if (std::isnan(v)) return w < 3 ? asterisks(w) : right_justified("NaN", w);
    const char sign = v < 0 ? '-' : '+';
    if (w >= 9) return right_justified(std::string(1, sign) + "Infinity", w);
    if (w >= 4) return right_justified(std::string(1, sign) + "Inf", w);
    return asterisks(w);
}

std::string scientific(float v) {
    const decimal r = round_significant(decimal_of(v), 9);
    std::string digits = r.digits + std::string(9 - r.digits.size(), '0');
    const int e = r.exponent - 1;
    std::string s = std::signbit(v) ? "-" : "";
    s += digits.substr(0, 1) + "." + digits.substr(1) + "E" + (e < 0 ? "-" : "+");
    s += static_cast<char>('0' + std::abs(e) / 10);
    s += static_cast<char>('0' + std::abs(e) % 10);
    return right_justified(s, 15);
}

}  // namespace

std::string render_text_field(std::string_view text, int w) {
    const auto width = static_cast<std::size_t>(w);
    if (text.size() >= width) return std::string(text.substr(0, width));
    return right_justified(std::string(text), w);
}

std::string render_integer_field(std::int32_t v, int w) {
    const std::string s = std::to_string(v);
    return static_cast<int>(s.size()) > w ? asterisks(w) : right_justified(s, w);
}

std::string render_fixed_field(float v, int w, int d) {
    if (!std::isfinite(v)) return render_non_finite(v, w);
    const bool negative = std::signbit(v);
    const std::string scaled = scaled_digits(decimal_of(v), d);
    const auto n = scaled.size();
    const auto du = static_cast<std::size_t>(d);
    const std::string integer_digits = n > du ? scaled.substr(0, n - du) : std::string{};
    const std::string decimals = n >= du ? scaled.substr(n - du) : std::string(du - n, '0') + scaled;
    const int needed = (negative ? 1 : 0) + static_cast<int>(integer_digits.size()) + 1 + d;
    if (needed > w) return asterisks(w);
    // A zero integer part is shown only where the field has room for it.
    const std::string integer_part = integer_digits.empty() && needed < w ? "0" : integer_digits;
    return right_justified((negative ? "-" : "") + integer_part + "." + decimals, w);
}

std::string render_free_integer(std::int32_t v) { return right_justified(std::to_string(v), 11); }

std::string render_free_real(float v) {
    if (!std::isfinite(v)) return render_non_finite(v, 15);
    const double magnitude = std::fabs(static_cast<double>(v));
    if (v == 0.0f) return render_fixed_field(v, 11, 7) + "    ";
    if (magnitude < 0.0999999995 || magnitude >= 99999999.5) return scientific(v);
    // Decimals from the integer digits of the value shown to 8 significant digits.
    const decimal shown = round_significant(decimal_of(v), 8);
    const int integer_digits = shown.exponent > 0 ? shown.exponent : 0;
    return render_fixed_field(v, 11, 8 - integer_digits) + "    ";
}

std::string render_free_line(std::span<const value> values) {
    std::string line;
    if (values.empty()) return line;
    line += ' ';
    for (std::size_t k = 0; k < values.size(); ++k) {
        const value& v = values[k];
        const bool joined = k > 0 && v.kind == field_kind::text && values[k - 1].kind == field_kind::text;
        if (k > 0 && !joined) line += ' ';
        switch (v.kind) {
            case field_kind::text: line += v.text; break;
            case field_kind::integer: line += render_free_integer(v.integer); break;
            case field_kind::real: line += render_free_real(v.real); break;
        }
    }
    return line;
}

namespace {

// Walks a parsed layout, printing items and consuming values.
class layout_writer {
public:
    layout_writer(layout_view p, std::span<const value> values, std::string_view line_end)
        : p_(p), values_(values), line_end_(line_end) {}

    std::string run() {
        items(0, p_.items.size());
        out_ += line_end_;  // the closing parenthesis, or a field without a value
        return std::move(out_);
    }

private:
    // Returns false once a field finds no value left: the write ends there.
    bool items(std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k) {
            const layout_item& it = p_.items[k];
            using type = layout_item::type;
            switch (it.what) {
                case type::blanks: pending_ += it.count; break;
                case type::text: print(p_.text_of(it)); break;
                case type::line_end:
                    out_ += line_end_;
                    pending_ = 0;
                    break;
                case type::group_begin:
                    for (int r = 0; r < it.count; ++r)
                        if (!items(k + 1, it.group_end)) return false;
                    k = it.group_end;
                    break;
                case type::group_end: break;
                case type::field_a:
                case type::field_i:
                case type::field_f:
                    if (next_ == values_.size()) return false;
                    print(field(it, values_[next_++]));
                    break;
            }
        }
        return true;
    }

    static std::string field(const layout_item& it, const value& v) {
        switch (it.what) {
            case layout_item::type::field_a: return render_text_field(v.text, it.width);
            case layout_item::type::field_i: return render_integer_field(v.integer, it.width);
            default: return render_fixed_field(v.real, it.width, it.decimals);
        }
    }

    // Blanks are held back until something follows them on the same line.
    void print(std::string_view s) {
        out_.append(static_cast<std::size_t>(pending_), ' ');
        pending_ = 0;
        out_ += s;
    }

    layout_view p_;
    std::span<const value> values_;
    std::string_view line_end_;
    std::size_t next_ = 0;
    int pending_ = 0;
    std::string out_;
};

}  // namespace

std::string render_layout(layout_view layout, std::span<const value> values, std::string_view line_end) {
    return layout_writer(layout, values, line_end).run();
}

void append_free_line(std::string& screen, std::span<const value> values, std::string_view line_end) {
    screen += render_free_line(values);
    screen += line_end;
}

void append_layout(std::string& screen, layout_view layout, std::span<const value> values,
                   std::string_view line_end) {
    screen += render_layout(layout, values, line_end);
}

}  // namespace lousa::console
