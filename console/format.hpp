#pragma once
// How values look on the screen: the fields of a layout and the items of a
// free-form write. Each rendering depends on its value alone. The console's
// own: console_io's writes are the way in.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "console/layout.hpp"

namespace lousa::console::detail {

// One value handed to a write.
struct value {
    field_kind kind = field_kind::text;
    std::int32_t integer = 0;
    float single = 0.0f;  // a real, in single precision
    std::string_view text;  // code page 850
};

inline value make_value(std::int32_t v) { return {field_kind::integer, v, 0.0f, {}}; }
inline value make_value(lousa::real v) { return {field_kind::real, 0, v.value(), {}}; }
inline value make_value(float v) { return {field_kind::real, 0, v, {}}; }
inline value make_value(texto v) { return {field_kind::text, 0, 0.0f, v.bytes}; }

// Each appends its rendering to the end of `out`, the screen being built (out
// of line, so that a write costs its call site no more than the call).

// Aw: the first w characters, or the text right-justified in w.
void append_text_field(std::string& out, std::string_view text, int w);
// Iw: right-justified digits, asterisks when they do not fit.
void append_integer_field(std::string& out, std::int32_t v, int w);
// Fw.d: the exact stored value rounded half away from zero to d decimals.
void append_fixed_field(std::string& out, float v, int w, int d);
// A free-form real in 15 characters.
void append_free_real(std::string& out, float v);

// A whole free-form line, or a whole layout write, each line ended by line_end.
void append_free_line(std::string& out, std::span<const value> values, std::string_view line_end);
void append_layout(std::string& out, layout_view layout, std::span<const value> values, std::string_view line_end);

}  // namespace lousa::console::detail
