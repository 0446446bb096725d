// Plane geometry: the crossing test of two segments and the point-in-frame
// test by the parity of crossings along three rays.
#pragma once

#include "control/drawing_state.h"

namespace dimcheck {

// Packs two points into a segment x1, y1, x2, y2.
void make_segment(const Point* p, const Point* q, double* seg);

// 1 when `point` lies inside the boxes of both segments, widened by crossing_margin / 100.
int in_both_boxes(DrawingState& s, const double* A, const double* B, const Point* point);

// Counts the meeting points of A and B that lie on both in crossing_count (at most 10)
// and returns crossing_count. `precision` is only shown in the level-2 trace: the frame
// test always asks with 0, the narrow boxes.
int add_meeting_points(DrawingState& s, const double* A, const double* B, int precision);

// Drawing records for traces: a point, a line.
void write_point_record(DrawingState& s, const Point* p);
void write_line_record(DrawingState& s, const double* seg);

// 1 when the midpoint of `seg` lies inside the frame frame_corners[1..frame_corner_count], judged by
// three rays towards far_points.
int inside_frame(DrawingState& s, const double* seg);

}  // namespace dimcheck
