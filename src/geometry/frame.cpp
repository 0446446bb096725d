// Point-in-frame test by crossing parity: from the point, three rays run to
// three reference points outside the frame; the point is inside only when
// every ray crosses the frame's sides an odd number of times.
#include <cstdio>

#include "control/numbers.h"
#include "geometry/geometry.h"

namespace dimcheck {

namespace {

// Counts the crossings of one ray with the sides frame_corners[1]..frame_corners[frame_corner_count], closed.
int count_crossings(DrawingState& s, const double* ray) {
    double side[4];
    s.crossing_count = 0;
    for (int i = 1; i < s.frame_corner_count; ++i) {
        make_segment(&s.frame_corners[i], &s.frame_corners[i + 1], side);
        add_meeting_points(s, ray, side, 0);
    }
    make_segment(&s.frame_corners[s.frame_corner_count], &s.frame_corners[1], side);
    add_meeting_points(s, ray, side, 0);
    return s.crossing_count;
}

}  // namespace

int inside_frame(DrawingState& s, const double* seg) {
    Point cp = {(seg[0] + seg[2]) * 0.5f, (seg[1] + seg[3]) * 0.5f};

    if (s.trace_level == 2) {
        print_to(s.out, "# Sen_inside()  cp(%.1f , %.1f) SQhani[%.1f , %.1f  %.1f , %.1f]\n",
                     cp.x, cp.y, s.frame_corners[1].x, s.frame_corners[1].y, s.frame_corners[3].x, s.frame_corners[3].y);
    } else if (s.trace_level >= 3) {
        print_to(s.out, "# Sen_inside()  cp---Pmin(%.1f , %.1f)---(%.1f , %.1f)\n", cp.x, cp.y,
                     s.far_points[0].x, s.far_points[0].y);
        print_to(s.out, "#               PT---PT+(%.1f , %.1f)---(%.1f , %.1f)\n", s.frame_corners[0].x,
                     s.frame_corners[0].y, s.frame_corners[1].x, s.frame_corners[1].y);
    }

    double ray[4];
    make_segment(&cp, &s.far_points[0], ray);
    int k1 = count_crossings(s, ray);
    if (s.trace_level >= 1 && k1 == 3) {
        std::fputs("# KPcnt=3\n", s.result_file);
        write_line_record(s, ray);
    }
    make_segment(&cp, &s.far_points[1], ray);
    int k2 = count_crossings(s, ray);
    make_segment(&cp, &s.far_points[2], ray);
    int k3 = count_crossings(s, ray);

    if (s.trace_level == 2) {
        std::fprintf(s.out, "#### Sen_inside() kt(%d) k(%d) k1(%d) k2(%d) k3(%d)\n", k1 + k2 + k3,
                     k1 % 2 + k2 % 2 + k3 % 2, k1, k2, k3);
    }
    return (k1 % 2 == 1 && k2 % 2 == 1 && k3 % 2 == 1) ? 1 : 0;
}

}  // namespace dimcheck
