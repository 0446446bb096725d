// The end-point search in two forms: the literal one, which asks Sen_inside
// about every point and so produces every trace in its order, and a shortcut
// for runs without traces that finds the same points in the same order and
// leaves the same bits in STEN, the count and KPcnt.
#pragma once

#include "control/state.h"

namespace dimcheck {

// Every point of TEN through Sen_inside, in table order (all trace levels).
int Get_Ten_Hanni_literal(DrawingState& s);

// The same result without the traces of the inside test: used by
// Get_Ten_Hanni at trace level 0, on the four-cornered frame that Search_Ten
// builds.
int Get_Ten_Hanni_fast(DrawingState& s);

// Whether Get_Ten_Hanni may take the shortcut at trace level 0 (on by
// default). Tests and the benchmark turn it off to run both searches on the
// same state.
void set_fast_search(bool on);
bool fast_search();

}  // namespace dimcheck
