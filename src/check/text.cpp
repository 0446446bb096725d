#include "check/text.h"

#include <cmath>
#include <cstring>

#include "check/value.h"
#include "control/fields.h"

namespace dimcheck {

double Text::length() const { return std::sqrt(dx * dx + dy * dy); }

Point Text::direction() const {
    double len = length();
    if (len == 0.0) return {1.0, 0.0};
    return {dx / len, dy / len};
}

double Text::drawn_width(const Drawing& d) const {
    return std::strlen(body) * text_width(d, kind) * 0.5f * d.scale;
}

void parse_text_record(Text& text, const char* line) {
    text.keyword_letter = line[1];
    FieldReader f(line + 2);
    f.num(text.x);
    f.num(text.y);
    f.num(text.dx);
    f.num(text.dy);
    if (!f.ok()) return;
    const char* p = skip_space(f.pos());
    if (*p != '"') return;
    ++p;
    std::size_t n = std::strlen(p);
    if (n > static_cast<std::size_t>(kBodyMax)) n = kBodyMax;
    std::memcpy(text.body, p, n);
    text.body[n] = '\0';  // bytes behind the terminator stay as they were
    cut_line_end(text.body);
}

}  // namespace dimcheck
