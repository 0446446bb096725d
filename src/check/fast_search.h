// The end-point search in two forms: the literal one, which asks inside_frame
// about every point and so produces every trace in its order, and a shortcut
// for runs without traces that finds the same points in the same order and
// leaves the same bits in found_points and the same count (docs/fast-search.md).
#pragma once

#include "control/drawing_state.h"

namespace dimcheck {

// Every point of end_points through inside_frame, in table order (all trace levels).
int points_in_frame_literal(DrawingState& s);

// The same result without the traces of the inside test: used by
// points_in_frame at trace level 0, on the four-cornered frame that search_end_points
// builds.
int points_in_frame_fast(DrawingState& s);

// Whether points_in_frame may take the shortcut at trace level 0 (on by
// default). Tests and the benchmark turn it off to run both searches on the
// same state.
void set_fast_search(bool on);
bool fast_search();

}  // namespace dimcheck
