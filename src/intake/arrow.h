// Arrow recognition: arrowheads are two short strokes whose ends meet exactly.
#pragma once

#include "control/drawing.h"
#include "control/trace.h"

namespace dimcheck {

// The last stroke of arrowhead length the intake read, and its squared length.
struct Stroke {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    double len2 = 0.0;
};

// Called for every line record `line` (x1, y1, x2, y2); remembers it in
// `last` when it is a stroke. True when it has written a new arrow tip
// into end_points[end_point_count].
bool take_arrow_tip(Drawing& d, Stroke& last, const double* line, Trace trace);

}  // namespace dimcheck
