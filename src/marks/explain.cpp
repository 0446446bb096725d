// The explanation beside a triangle or a cross: the length the value was
// measured against (its span, or the compared length closest to it), written
// the way the text writes its value, or that one end point or none was found.
// It is written in a free-size text of its own colour at half the judged text's size, centred
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

// The measured length in the units and the form of the text: "3,460.2",
// "7.283M", one decimal more than the text shows.
void write_length(const Judgement& j, double magnification, char* out, std::size_t size) {
    double v = j.measured() / magnification;
    if (j.read_in_metres) v /= 1000.0;
    char plain[400];
    format_to(plain, sizeof plain, "%.*f", j.decimals + 1, v);
    const char* p = plain;
    std::size_t n = 0;  // a measured length is never negative
    std::size_t digits = std::strspn(p, "0123456789");
    for (std::size_t i = 0; i < digits; ++i) {
        if (j.commas && i > 0 && (digits - i) % 3 == 0) out[n++] = ',';
        out[n++] = p[i];
    }
    std::snprintf(out + n, size - n, "%s%s", p + digits, j.written_with_m ? "M" : "");
}

// A size as the record "%.2f" writes it.
double two_decimals(double v) {
    char text[400];
    format_to(text, sizeof text, "%.2f", v);
    return std::strtod(text, nullptr);
}

}  // namespace

void write_explanation(const Drawing& d, const Options& o, const Text& text, const Judgement& j,
                       const FoundPoint* found, Output& out) {
    char body[600];
    if (j.found_count >= 2) {
        std::size_t n = std::strlen(kDrawnLength);
        std::memcpy(body, kDrawnLength, n);
        write_length(j, o.magnification, body + n, sizeof body - n);
    } else if (j.found_count == 1) {
        std::snprintf(body, sizeof body, kOnlyOnePoint, j.found_count);
    } else {
        std::snprintf(body, sizeof body, "%s", kNoEndPoint);
    }

    // Sizes as the host reads them back from the record.
    const double width = two_decimals(0.5 * text_width(d, text.kind));
    const double height = two_decimals(0.5 * text_height(d, text.kind));
    free_size_kind(out, width, height, 0.0, kExplanationColour);

    const Point u = text.direction();
    const double ux = u.x, uy = u.y;
    // The text's up direction, a quarter turn counter-clockwise from its
    // direction. A value sits above its dimension line; only when every end
    // point found lies above the middle of the text's height is the line
    // taken to run above it, and the explanation goes below.
    double nx = -uy, ny = ux;
    double h = text_height(d, text.kind) * d.scale;
    bool below = j.found_count > 0;
    for (int i = 0; i < j.found_count && i < kFoundSlots; ++i)
        below = below && (found[i].x - text.x) * nx + (found[i].y - text.y) * ny > 0.5 * h;
    // The mark is a square (or circle) aligned with the drawing's axes around
    // the middle of the base line: across the base line it reaches r (|ux| + |uy|).
    double tall = height * d.scale;
    double clear = mark_radius(d, text) * (std::fabs(ux) + std::fabs(uy)) + 0.5 * tall;
    double across = below ? -(clear + tall) : clear;
    // Drawn length as the verdict reckons a text's width: half a character
    // width per byte (the spacing is 0).
    double drawn = std::strlen(body) * width * 0.5 * d.scale;
    const Point m = text.middle();
    double x = m.x - 0.5 * drawn * ux + across * nx;
    double y = m.y - 0.5 * drawn * uy + across * ny;
    print_to(out.result, "ch %.6f %.6f %.6f %.6f \"%s\n", x, y, ux * drawn, uy * drawn, body);
}

}  // namespace dimcheck
