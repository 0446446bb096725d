// Marking output: the verdict marks with their counters, the records that
// restore the host's drawing attributes, and the point and line records of
// the level-1 traces.
#pragma once

#include "check/text.h"
#include "check/verdict.h"
#include "control/drawing.h"
#include "control/output.h"

namespace dimcheck {

enum class Mark { None = 0, DoubleCircle = 1, Circle = 2, Triangle = 3, Cross = 4 };

// The mark for a verdict.
Mark mark_for(Verdict verdict);
void draw_mark(const Drawing& d, const Text& text, Mark mark, Output& out);
void restore_attributes(const FirstSeen& first, Output& out);

// The record that makes the free-size text kind current with these sizes and
// colour: "cn0 w, h, d, c".
void free_size_kind(Output& out, double width, double height, double spacing, int colour);

// Radius of the mark of the text.
double mark_radius(const Drawing& d, const Text& text);

// Drawing records: a point, a line x1, y1, x2, y2.
void write_point_record(std::FILE* result, const Point& p);
void write_line_record(std::FILE* result, const double* seg);

}  // namespace dimcheck
