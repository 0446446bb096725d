// Marking output: the verdict marks with their counters and the records that
// restore the host's drawing attributes.
#pragma once

#include "control/drawing_state.h"

namespace dimcheck {

// Mark kinds: 1 double circle, 2 circle, 3 triangle, 4 cross.
void draw_mark(DrawingState& s, int kind);
void write_stroke(DrawingState& s, double x1, double y1, double x2, double y2);
void restore_attributes(DrawingState& s);

// The record that makes the free-size text kind current with these sizes and
// colour: "cn0 w, h, d, c".
void free_size_kind(DrawingState& s, double width, double height, double spacing, int colour);

// Radius of the mark of the current text.
double mark_radius(const DrawingState& s);

// Mark kind for a verdict code, or 0 for none.
int mark_kind(int verdict);

}  // namespace dimcheck
