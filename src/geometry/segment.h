// Crossing test of two segments.
#pragma once

#include "control/drawing.h"
#include "control/trace.h"

namespace dimcheck {

// A meeting point that add_meeting_points found: where, and the case codes p
// and q of the branch that found it (docs/traces.md); both 0 when none was.
struct Meeting {
    Point at;
    int p;
    int q;
};

// Packs two points into a segment x1, y1, x2, y2.
void make_segment(const Point* p, const Point* q, double* seg);

// Whether `point` lies inside the boxes of both segments, widened by margin / 100.
bool in_both_boxes(const double* A, const double* B, const Point* point, double margin,
                   Trace trace);

// Counts the meeting points of A and B that lie on both in `count` (at most
// 10) and returns the last one tested. `precision` is only shown in the
// level-2 trace: the frame test always asks with 0, the narrow boxes.
Meeting add_meeting_points(int& count, const double* A, const double* B, double margin,
                           int precision, Trace trace);

}  // namespace dimcheck
