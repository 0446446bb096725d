// The explanation beside a triangle or a cross: the compared length closest
// to the value, written the way the text writes its value, or how many end
// points were found when there were fewer than two. It is written in a
// free-size text of its own colour at half the judged text's size, centred
// on the judged text and just past its mark on the side away from the
// dimension line, where the texts and marks of a chain's neighbours are not.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "control/numbers.h"
#include "control/result_texts.h"
#include "marks/explain.h"
#include "marks/marks.h"

namespace dimcheck {

namespace {

// The colour of the explanations' text kind, which no mark uses: an operator
// can pick the explanations out by it.
constexpr int kExplanationColour = 8;

// The closest length in the units and the form of the text: "3,460.2",
// "7.283M", one decimal more than the text shows.
void write_length(const DrawingState& s, char* out, std::size_t size) {
    double v = s.closest / s.magnification;
    if (s.metres) v /= 1000.0;
    char plain[400];
    format_to(plain, sizeof plain, "%.*f", s.decimals + 1, v);
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

// A size as the record "%.2f" writes it.
double two_decimals(double v) {
    char text[400];
    format_to(text, sizeof text, "%.2f", v);
    return std::strtod(text, nullptr);
}

}  // namespace

void write_explanation(DrawingState& s) {
    char body[600];
    if (s.found >= 2) {
        std::size_t n = std::strlen(kDrawnLength);
        std::memcpy(body, kDrawnLength, n);
        write_length(s, body + n, sizeof body - n);
    } else {
        std::snprintf(body, sizeof body, kTooFewPoints, s.found);
    }

    // Sizes as the host reads them back from the record.
    const int kind = s.text_kind;
    const double width = two_decimals(0.5 * text_width(s, kind));
    const double height = two_decimals(0.5 * text_height(s, kind));
    free_size_kind(s, width, height, 0.0, kExplanationColour);

    double len = std::sqrt(s.text_dx * s.text_dx + s.text_dy * s.text_dy);
    double ux = 1.0, uy = 0.0;
    if (len != 0.0) {
        ux = s.text_dx / len;
        uy = s.text_dy / len;
    }
    // The text's up direction, a quarter turn counter-clockwise from its
    // direction. A value sits above its dimension line; only when every end
    // point found lies above the middle of the text's height is the line
    // taken to run above it, and the explanation goes below.
    double nx = -uy, ny = ux;
    double h = text_height(s, kind) * s.scale;
    bool below = s.found > 0;
    for (int i = 0; i < s.found && i < kFoundSlots; ++i)
        below = below && (s.found_points[i].x - s.text_x) * nx + (s.found_points[i].y - s.text_y) * ny > 0.5 * h;
    // The mark is a square (or circle) aligned with the drawing's axes around
    // the middle of the base line: across the base line it reaches r (|ux| + |uy|).
    double tall = height * s.scale;
    double clear = mark_radius(s) * (std::fabs(ux) + std::fabs(uy)) + 0.5 * tall;
    double across = below ? -(clear + tall) : clear;
    // Drawn length as the verdict reckons a text's width: half a character
    // width per byte (the spacing is 0).
    double drawn = std::strlen(body) * width * 0.5 * s.scale;
    double x = s.text_x + 0.5 * s.text_dx - 0.5 * drawn * ux + across * nx;
    double y = s.text_y + 0.5 * s.text_dy - 0.5 * drawn * uy + across * ny;
    print_to(s.result_file, "ch %.6f %.6f %.6f %.6f \"%s\n", x, y, ux * drawn, uy * drawn, body);
}

}  // namespace dimcheck
