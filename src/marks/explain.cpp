// The explanation beside a triangle or a cross: the compared length closest
// to the value, written the way the text writes its value, or how many end
// points were found when there were fewer than two. It runs along the text's
// base line from just past the text and its mark, in the text's own size.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "control/records.h"
#include "marks/explain.h"
#include "marks/marks.h"

namespace dimcheck {

namespace {

// The closest length in the units and the form of the text: "3,460.2",
// "7.283M", one decimal more than the text shows.
void write_length(const DrawingState& s, char* out, std::size_t size) {
    double v = s.closest / s.bairitsu;
    if (s.metres) v /= 1000.0;
    char plain[400];
    std::snprintf(plain, sizeof plain, "%.*f", s.decimals + 1, v);
    const char* p = plain;
    std::size_t n = 0;
    if (*p == '-') out[n++] = *p++;
    std::size_t digits = std::strspn(p, "0123456789");
    for (std::size_t i = 0; i < digits; ++i) {
        if (s.commas && i > 0 && (digits - i) % 3 == 0) out[n++] = ',';
        out[n++] = p[i];
    }
    std::snprintf(out + n, size - n, "%s%s", p + digits, s.metres ? "M" : "");
}

}  // namespace

void write_explanation(DrawingState& s) {
    char body[600];
    if (s.found >= 2) {
        std::size_t n = std::strlen(kMeasured);
        std::memcpy(body, kMeasured, n);
        write_length(s, body + n, sizeof body - n);
    } else {
        std::snprintf(body, sizeof body, kTooFewPoints, s.found);
    }

    // The host draws a text in its current text kind, which the result has
    // not set before the summary: name the judged text's kind so that the
    // explanation is drawn in its size. A kind without a number of its own
    // gets the free-size form the restore writes.
    int kind = s.MOJIS;
    if (kind >= 1 && kind <= 10)
        std::fprintf(s.fpw, "cn%d\n", kind);
    else
        free_size_kind(s, text_width(s, kind), text_height(s, kind), text_spacing(s, kind),
                       text_colour(s, kind));

    double len = std::sqrt(s.ChDX * s.ChDX + s.ChDY * s.ChDY);
    double ux = 1.0, uy = 0.0;
    if (len != 0.0) {
        ux = s.ChDX / len;
        uy = s.ChDY / len;
    }
    // Drawn length and start as the verdict reckons a text's width: half a
    // character width per byte.
    double drawn = std::strlen(body) * text_width(s, kind) * 0.5 * s.scale;
    double past = std::max(0.5 * len, mark_radius(s)) + 0.5 * text_height(s, kind) * s.scale;
    double x = s.ChX + 0.5 * s.ChDX + ux * past;
    double y = s.ChY + 0.5 * s.ChDY + uy * past;
    std::fprintf(s.fpw, "ch %.6f %.6f %.6f %.6f \"%s\n", x, y, ux * drawn, uy * drawn, body);
}

}  // namespace dimcheck
