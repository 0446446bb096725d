// Point-in-frame test by crossing parity: from the point, three rays run to
// three reference points outside the frame; the point is inside only when
// every ray crosses the frame's sides an odd number of times.
#include "geometry/frame.h"

#include <cstdio>

#include "control/numbers.h"

namespace dimcheck {

namespace {

// Counts the crossings of one ray with the sides corners[1]..corners[4], closed.
int count_crossings(const SearchFrame& f, const double* ray, Meeting* meetings, Trace trace) {
    double side[4];
    int count = 0;
    for (int i = 1; i <= 4; ++i) {
        make_segment(&f.corners[i], &f.corners[i == 4 ? 1 : i + 1], side);
        meetings[i - 1] = add_meeting_points(count, ray, side, f.margin, 0, trace);
    }
    return count;
}

}  // namespace

InsideTest inside_frame(const SearchFrame& f, const double* seg, Trace trace) {
    Point cp = {(seg[0] + seg[2]) * 0.5f, (seg[1] + seg[3]) * 0.5f};

    if (trace.sums_up()) {
        print_to(trace.out, "# Sen_inside()  cp(%.1f , %.1f) SQhani[%.1f , %.1f  %.1f , %.1f]\n",
                 cp.x, cp.y, f.corners[1].x, f.corners[1].y, f.corners[3].x, f.corners[3].y);
    } else if (trace.details()) {
        print_to(trace.out, "# Sen_inside()  cp---Pmin(%.1f , %.1f)---(%.1f , %.1f)\n", cp.x, cp.y,
                 f.far_points[0].x, f.far_points[0].y);
        print_to(trace.out, "#               PT---PT+(%.1f , %.1f)---(%.1f , %.1f)\n",
                 f.corners[0].x, f.corners[0].y, f.corners[1].x, f.corners[1].y);
    }

    InsideTest t;
    double ray[4];
    for (int r = 0; r < 3; ++r) {
        make_segment(&cp, &f.far_points[r], ray);
        if (r == 0) make_segment(&cp, &f.far_points[r], t.first_ray);
        t.counts[r] = count_crossings(f, ray, t.meetings[r], trace);
    }
    const int k1 = t.counts[0], k2 = t.counts[1], k3 = t.counts[2];
    if (trace.sums_up()) {
        std::fprintf(trace.out, "#### Sen_inside() kt(%d) k(%d) k1(%d) k2(%d) k3(%d)\n",
                     k1 + k2 + k3, k1 % 2 + k2 % 2 + k3 % 2, k1, k2, k3);
    }
    return t;
}

}  // namespace dimcheck
