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

void LN_OUT(DrawingState& s, double x1, double y1, double x2, double y2) {
    const double seg[] = {x1, y1, x2, y2};
    __LINE(s, seg);
}

namespace {

// "ci %.6f %.6f %.6f\n"
void circle(DrawingState& s, double cx, double cy, double r) {
    const double v[] = {cx, cy, r};
    write_fixed_line(s.fpw, "ci ", v, 3, 6);
}

}  // namespace

void free_size_kind(DrawingState& s, double width, double height, double spacing, int colour) {
    std::fprintf(s.fpw, "cn0 %.2f, %.2f, %.2f, %d\n", width, height, spacing, colour);
}

double mark_radius(const DrawingState& s) {
    return text_height(s, s.MOJIS) * s.scale * 0.5 * 2.5f;
}

void Print_batu_maru(DrawingState& s, int kind) {
    double cx = s.ChX + 0.5 * s.ChDX;
    double cy = s.ChY + 0.5 * s.ChDY;
    double r = mark_radius(s);

    std::fputs("lt1\nlc2\n", s.fpw);
    switch (kind) {
    case 1:
        circle(s, cx, cy, r);
        circle(s, cx, cy, 0.5 * r);
        ++s.maru_count;
        break;
    case 2:
        circle(s, cx, cy, r);
        ++s.maru_count;
        break;
    case 3:
        LN_OUT(s, cx - r, cy - r, cx + r, cy - r);
        LN_OUT(s, cx + r, cy - r, cx, cy + r);
        LN_OUT(s, cx, cy + r, cx - r, cy - r);
        ++s.sankaku_count;
        break;
    case 4:
        LN_OUT(s, cx - r, cy - r, cx + r, cy + r);
        LN_OUT(s, cx + r, cy - r, cx - r, cy + r);
        ++s.batu_count;
        break;
    default:
        break;
    }
}

void IniZokusei(DrawingState& s) {
    if (s.MOJISi == 0)
        free_size_kind(s, s.MOJIWi, s.MOJIHi, s.MOJIDi, s.MOJICi);
    else if (s.MOJISi <= 10)
        std::fprintf(s.fpw, "cn%d\n", s.MOJISi);
    std::fprintf(s.fpw, "lg%x\nly%x\nlt%d\nlc%d\n", static_cast<unsigned>(s.GROUPi),
                 static_cast<unsigned>(s.LAYERi), s.TYPEi, s.COLORi);
    if (s.TENSi <= 9) std::fprintf(s.fpw, "pn%d\n", s.TENSi);
}

}  // namespace dimcheck
