// Marking output: the verdict marks with their counters and the records that
// restore the host's drawing attributes.
#pragma once

#include "control/state.h"

namespace dimcheck {

// Mark kinds: 1 double circle, 2 circle, 3 triangle, 4 cross.
void Print_batu_maru(DrawingState& s, int kind);
void LN_OUT(DrawingState& s, double x1, double y1, double x2, double y2);
void IniZokusei(DrawingState& s);

// The record that makes the free-size text kind current with these sizes and
// colour: "cn0 w, h, d, c".
void free_size_kind(DrawingState& s, double width, double height, double spacing, int colour);

// Radius of the mark of the current text.
double mark_radius(const DrawingState& s);

// Mark kind for a verdict code, or 0 for none.
int mark_kind(int verdict);

}  // namespace dimcheck
