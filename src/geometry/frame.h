// The point-in-frame test by the parity of crossings along three rays.
#pragma once

#include "control/trace.h"
#include "geometry/segment.h"

namespace dimcheck {

// The search frame of one text, which the end-point search lays and the
// inside test reads.
struct SearchFrame {
    // Corners 1 to 4; row 0 stays (0, 0), only a level-3 trace prints it.
    Point corners[5] = {};
    Point far_points[3] = {};  // the far ends of the three rays of the inside test
    double margin = 0.0;       // the crossing test widens the boxes by margin / 100
};

// What the inside test found: the crossings counted along each ray and the
// meeting points found with each side (drawn by a level-1 trace).
struct InsideTest {
    int counts[3];
    Meeting meetings[3][4];
    double first_ray[4];  // the segment from the tested point to far_points[0]
    bool inside() const { return counts[0] % 2 == 1 && counts[1] % 2 == 1 && counts[2] % 2 == 1; }
};

// Whether the midpoint of `seg` lies inside the frame, judged by three rays
// towards far_points.
InsideTest inside_frame(const SearchFrame& frame, const double* seg, Trace trace);

}  // namespace dimcheck
