// Crossing test of two segments, with its traces: the meeting point of the
// two lines is accepted when it lies in both segments' boxes, widened by a
// small tolerance so that points on horizontal and vertical segments and at
// end points count (geometry/crossing.h decides).
#include <cstdio>

#include "control/numbers.h"
#include "geometry/crossing.h"
#include "geometry/segment.h"

namespace dimcheck {

void make_segment(const Point* p, const Point* q, double* seg) {
    seg[0] = p->x;
    seg[1] = p->y;
    seg[2] = q->x;
    seg[3] = q->y;
}

bool in_both_boxes(const double* A, const double* B, const Point* point, double margin,
                   Trace trace) {
    double t = margin / 100.0f;
    int k1 = within(span_of(A[0], A[2], t), point->x) ? 1 : 0;
    int k2 = within(span_of(A[1], A[3], t), point->y) ? 1 : 0;
    int k3 = within(span_of(B[0], B[2], t), point->x) ? 1 : 0;
    int k4 = within(span_of(B[1], B[3], t), point->y) ? 1 : 0;
    if (trace.details())
        print_to(trace.out, "# __CROSS() k1(%d) k2(%d) k3(%d) k4(%d) ten(%.1f , %.1f)\n", k1, k2,
                 k3, k4, point->x, point->y);
    return k1 * k2 * k3 * k4 == 1;
}

Meeting add_meeting_points(int& count, const double* A, const double* B, double margin,
                           int precision, Trace trace) {
    if (trace.details()) {
        print_to(trace.out, "# Koten_lnln() A1(%.1f , %.1f)---A2(%.1f , %.1f)\n", A[0], A[1], A[2],
                 A[3]);
        print_to(trace.out, "#              B1(%.1f , %.1f)---B2(%.1f , %.1f)\n", B[0], B[1], B[2],
                 B[3]);
    }
    // At most ten meeting points are counted.
    const Crossing c = decide_crossing(A, B, [&](const Point& at) {
        if (!in_both_boxes(A, B, &at, margin, trace) || count > 9) return false;
        ++count;
        return true;
    });
    if ((c.p != 0 || c.q != 0) && trace.sums_up()) {
        print_to(trace.out,
                 "#      XXX  KP[%d] kten(%.0f ,%.0f)  XXX p(%d)q(%d) KPcnt(%d) seido(%d)\n",
                 count - 1, c.last.x, c.last.y, c.p, c.q, count, precision);
    }
    return {c.last, c.p, c.q};
}

}  // namespace dimcheck
