#pragma once
// How values look on the screen: the fields of a layout and the items of a
// free-form write. Each rendering is a small pure function of its value.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "console/layout.hpp"

namespace lousa::console {

// One value handed to a write.
struct value {
    field_kind kind = field_kind::text;
    std::int32_t integer = 0;
    float real = 0.0f;
    std::string_view text;  // code page 850
};

inline value make_value(std::int32_t v) { return {field_kind::integer, v, 0.0f, {}}; }
inline value make_value(lousa::real v) { return {field_kind::real, 0, v.value(), {}}; }
inline value make_value(float v) { return {field_kind::real, 0, v, {}}; }
inline value make_value(texto v) { return {field_kind::text, 0, 0.0f, v.bytes}; }

// Aw: the first w characters, or the text right-justified in w.
std::string render_text_field(std::string_view text, int w);
// Iw: right-justified digits, asterisks when they do not fit.
std::string render_integer_field(std::int32_t v, int w);
// Fw.d: the exact stored value rounded half away from zero to d decimals.
std::string render_fixed_field(float v, int w, int d);

// Free-form items: integers in 11 characters, reals in 15.
std::string render_free_integer(std::int32_t v);
std::string render_free_real(float v);
// A whole free-form line, without its line end.
std::string render_free_line(std::span<const value> values);

// A whole layout write: its screen lines, each ended by line_end.
std::string render_layout(layout_view layout, std::span<const value> values, std::string_view line_end);

// The same, added to the end of screen (out of line, so that a write costs
// its call site no more than the call).
void append_free_line(std::string& screen, std::span<const value> values, std::string_view line_end);
void append_layout(std::string& screen, layout_view layout, std::span<const value> values,
                   std::string_view line_end);

}  // namespace lousa::console
