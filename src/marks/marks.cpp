// Verdict marks, centred on the middle of the judged text and one and a
// quarter text heights in radius, always aligned with the drawing's axes.
#include <cstdio>

#include "control/numbers.h"
#include "geometry/geometry.h"
#include "marks/marks.h"

namespace dimcheck {

int mark_kind(int verdict) {
    switch (verdict) {
    case 0: return 1;
    case 1: return 2;
    case 2:
    case 3: return 3;
    case 10: return 4;
    default: return 0;
    }
}

void write_stroke(DrawingState& s, double x1, double y1, double x2, double y2) {
    const double seg[] = {x1, y1, x2, y2};
    write_line_record(s, seg);
}

namespace {

// "ci %.6f %.6f %.6f\n"
void circle(DrawingState& s, double cx, double cy, double r) {
    const double v[] = {cx, cy, r};
    write_fixed_line(s.result_file, "ci ", v, 3, 6);
}

}  // namespace

void free_size_kind(DrawingState& s, double width, double height, double spacing, int colour) {
    print_to(s.result_file, "cn0 %.2f, %.2f, %.2f, %d\n", width, height, spacing, colour);
}

double mark_radius(const DrawingState& s) {
    return text_height(s, s.text_kind) * s.scale * 0.5 * 2.5f;
}

void draw_mark(DrawingState& s, int kind) {
    double cx = s.text_x + 0.5 * s.text_dx;
    double cy = s.text_y + 0.5 * s.text_dy;
    double r = mark_radius(s);

    std::fputs("lt1\nlc2\n", s.result_file);
    switch (kind) {
    case 1:
        circle(s, cx, cy, r);
        circle(s, cx, cy, 0.5 * r);
        ++s.circle_count;
        break;
    case 2:
        circle(s, cx, cy, r);
        ++s.circle_count;
        break;
    case 3:
        write_stroke(s, cx - r, cy - r, cx + r, cy - r);
        write_stroke(s, cx + r, cy - r, cx, cy + r);
        write_stroke(s, cx, cy + r, cx - r, cy - r);
        ++s.triangle_count;
        break;
    case 4:
        write_stroke(s, cx - r, cy - r, cx + r, cy + r);
        write_stroke(s, cx + r, cy - r, cx - r, cy + r);
        ++s.cross_count;
        break;
    default:
        break;
    }
}

void restore_attributes(DrawingState& s) {
    if (s.first_text_kind == 0)
        free_size_kind(s, s.first_free_width, s.first_free_height, s.first_free_spacing, s.first_free_colour);
    else if (s.first_text_kind <= 10)
        std::fprintf(s.result_file, "cn%d\n", s.first_text_kind);
    std::fprintf(s.result_file, "lg%x\nly%x\nlt%d\nlc%d\n", static_cast<unsigned>(s.first_layer_group),
                 static_cast<unsigned>(s.first_layer), s.first_line_type, s.first_line_colour);
    if (s.first_point_kind <= 9) std::fprintf(s.result_file, "pn%d\n", s.first_point_kind);
}

}  // namespace dimcheck
