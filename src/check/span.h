// What lies along a text's own line: the span it is written on, and whether
// any end point lies near that line at all.
#pragma once

#include <optional>

#include "check/text.h"
#include "control/drawing.h"

namespace dimcheck {

// The length of the span the text is written on, measured along its
// direction. Of the found points, those nearest its base line across its
// direction (within a quarter text height of the nearest) lie on its own
// dimension line; the nearest of them on either side of the text's middle
// bound the span; a point just under the middle bounds neither side. None
// when one side has no such point (a value written outside a short span's
// marks; a text without direction finds no point at all).
std::optional<double> own_span(const Drawing& d, const Text& text, const FoundPoint* found, int n);

// Whether any end point lies in the band along the text's line: from 0.7 text
// heights below its base line to 1.6 above it, as the search frame reaches,
// and within 8 text heights of its middle along it. A plain number with none
// there (a table cell, a level, a time) measures nothing.
bool end_point_along_line(const Drawing& d, const Text& text);

}  // namespace dimcheck
