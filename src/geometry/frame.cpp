// Point-in-frame test by crossing parity: from the point, three rays run to
// three reference points outside the frame; the point is inside only when
// every ray crosses the frame's sides an odd number of times.
#include <cstdio>

#include "geometry/geometry.h"

namespace dimcheck {

namespace {

// Counts the crossings of one ray with the sides PT[1]..PT[PTcnt], closed.
int count_crossings(DrawingState& s, const double* ray) {
    double side[4];
    s.KPcnt = 0;
    for (int i = 1; i < s.PTcnt; ++i) {
        __T2_LN(&s.PT[i], &s.PT[i + 1], side);
        Koten_lnln(s, ray, side, 0);
    }
    __T2_LN(&s.PT[s.PTcnt], &s.PT[1], side);
    Koten_lnln(s, ray, side, 0);
    return s.KPcnt;
}

}  // namespace

int Sen_inside(DrawingState& s, const double* seg) {
    Point cp = {(seg[0] + seg[2]) * 0.5f, (seg[1] + seg[3]) * 0.5f};

    if (s.isTest == 2) {
        std::fprintf(s.out, "# Sen_inside()  cp(%.1f , %.1f) SQhani[%.1f , %.1f  %.1f , %.1f]\n",
                     cp.x, cp.y, s.PT[1].x, s.PT[1].y, s.PT[3].x, s.PT[3].y);
    } else if (s.isTest >= 3) {
        std::fprintf(s.out, "# Sen_inside()  cp---Pmin(%.1f , %.1f)---(%.1f , %.1f)\n", cp.x, cp.y,
                     s.Pmin[0].x, s.Pmin[0].y);
        std::fprintf(s.out, "#               PT---PT+(%.1f , %.1f)---(%.1f , %.1f)\n", s.PT[0].x,
                     s.PT[0].y, s.PT[1].x, s.PT[1].y);
    }

    double ray[4];
    __T2_LN(&cp, &s.Pmin[0], ray);
    int k1 = count_crossings(s, ray);
    if (s.isTest >= 1 && k1 == 3) {
        std::fputs("# KPcnt=3\n", s.fpw);
        __LINE(s, ray);
    }
    __T2_LN(&cp, &s.Pmin[1], ray);
    int k2 = count_crossings(s, ray);
    __T2_LN(&cp, &s.Pmin[2], ray);
    int k3 = count_crossings(s, ray);

    if (s.isTest == 2) {
        std::fprintf(s.out, "#### Sen_inside() kt(%d) k(%d) k1(%d) k2(%d) k3(%d)\n", k1 + k2 + k3,
                     k1 % 2 + k2 % 2 + k3 % 2, k1, k2, k3);
    }
    return (k1 % 2 == 1 && k2 % 2 == 1 && k3 % 2 == 1) ? 1 : 0;
}

}  // namespace dimcheck
