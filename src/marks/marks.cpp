// Verdict marks, centred on the middle of the judged text and one and a
// quarter text heights in radius, always aligned with the drawing's axes.
#include "marks/marks.h"

#include <cstdio>

#include "control/numbers.h"

namespace dimcheck {

Mark mark_for(Verdict verdict) {
    switch (verdict) {
    case Verdict::Exact: return Mark::DoubleCircle;
    case Verdict::Good: return Mark::Circle;
    case Verdict::NearMiss2:
    case Verdict::NearMiss3: return Mark::Triangle;
    case Verdict::Wrong: return Mark::Cross;
    default: return Mark::None;
    }
}

void write_point_record(std::FILE* result, const Point& p) {
    print_to(result, "pt %.12f %.12f \n", p.x, p.y);
}

void write_line_record(std::FILE* result, const double* seg) {
    // "%.12f %.12f %.12f %.12f\n": the one writer of line records.
    write_fixed_line(result, "", seg, 4, 12);
}

namespace {

void stroke(Output& out, double x1, double y1, double x2, double y2) {
    const double seg[] = {x1, y1, x2, y2};
    write_line_record(out.result, seg);
}

// "ci %.6f %.6f %.6f\n"
void circle(Output& out, double cx, double cy, double r) {
    const double v[] = {cx, cy, r};
    write_fixed_line(out.result, "ci ", v, 3, 6);
}

}  // namespace

void free_size_kind(Output& out, double width, double height, double spacing, int colour) {
    print_to(out.result, "cn0 %.2f, %.2f, %.2f, %d\n", width, height, spacing, colour);
}

double mark_radius(const Drawing& d, const Text& text) {
    return text_height(d, text.kind) * d.scale * 0.5 * 2.5f;
}

void draw_mark(const Drawing& d, const Text& text, Mark mark, Output& out) {
    const Point c = text.middle();
    const double cx = c.x, cy = c.y;
    double r = mark_radius(d, text);

    std::fputs("lt1\nlc2\n", out.result);
    switch (mark) {
    case Mark::DoubleCircle:
        circle(out, cx, cy, r);
        circle(out, cx, cy, 0.5 * r);
        ++out.circle_count;
        break;
    case Mark::Circle:
        circle(out, cx, cy, r);
        ++out.circle_count;
        break;
    case Mark::Triangle:
        stroke(out, cx - r, cy - r, cx + r, cy - r);
        stroke(out, cx + r, cy - r, cx, cy + r);
        stroke(out, cx, cy + r, cx - r, cy - r);
        ++out.triangle_count;
        break;
    case Mark::Cross:
        stroke(out, cx - r, cy - r, cx + r, cy + r);
        stroke(out, cx + r, cy - r, cx - r, cy + r);
        ++out.cross_count;
        break;
    default: break;
    }
}

void restore_attributes(const FirstSeen& first, Output& out) {
    if (first.text_kind == 0)
        free_size_kind(out, first.free_width, first.free_height, first.free_spacing,
                       first.free_colour);
    else if (first.text_kind <= 10)
        std::fprintf(out.result, "cn%d\n", first.text_kind);
    std::fprintf(out.result, "lg%x\nly%x\nlt%d\nlc%d\n", static_cast<unsigned>(first.layer_group),
                 static_cast<unsigned>(first.layer), first.line_type, first.line_colour);
    if (first.point_kind <= 9) std::fprintf(out.result, "pn%d\n", first.point_kind);
}

}  // namespace dimcheck
