// Plane geometry: the crossing test of two segments and the point-in-frame
// test by the parity of crossings along three rays.
#pragma once

#include "control/state.h"

namespace dimcheck {

// Packs two points into a segment x1, y1, x2, y2.
void __T2_LN(const Point* p, const Point* q, double* seg);

// 1 when `ten` lies inside the boxes of both segments, widened by gomi / 100.
int __CROSS(DrawingState& s, const double* A, const double* B, const Point* ten);

// Counts the meeting points of A and B that lie on both in KPcnt (at most 10)
// and returns KPcnt. `seido` is only shown in the level-2 trace: the frame
// test always asks with 0, the narrow boxes.
int Koten_lnln(DrawingState& s, const double* A, const double* B, int seido);

// Drawing records for traces: a point, a line.
void __TEN(DrawingState& s, const Point* p);
void __LINE(DrawingState& s, const double* seg);

// 1 when the midpoint of `seg` lies inside the frame PT[1..PTcnt], judged by
// three rays towards Pmin.
int Sen_inside(DrawingState& s, const double* seg);

}  // namespace dimcheck
