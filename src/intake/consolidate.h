// Duplicate removal: exact duplicates leave the end-point table.
#pragma once

#include <cstdio>

#include "control/drawing.h"
#include "control/trace.h"

namespace dimcheck {

// One pass over end_points[0..n-1]; returns the number left. Its comparison
// lines go to `trace` at every trace level.
int consolidation_pass(Drawing& d, int n, std::FILE* trace);

// Keeps the first of equal points in points[0..n-1], in their order, in one
// go and without traces (the intake, when the table fills up); returns how
// many are left.
int remove_all_duplicates(Point* points, int n);

// Runs the passes until the count is stable, at most 10.
void consolidate(Drawing& d, Trace trace);

}  // namespace dimcheck
