// The end-point search around a text.
#pragma once

#include "check/text.h"
#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"
#include "geometry/frame.h"

namespace dimcheck {

class EndPointIndex;

// Lays the search frame of the text for search_length into `frame`; false,
// with only the margin set, for a text without direction, which has none.
bool lay_frame(const Drawing& d, const Text& text, double search_length, SearchFrame& frame);

// Lays the frame (mode is only drawn at trace level 1) and finds the end
// points inside it into `found`; returns how many (at most kFoundCounted).
// Without traces the shortcut search runs on `index` when there is one.
int search_end_points(const Drawing& d, const EndPointIndex* index, const Options& o,
                      const Text& text, double search_length, int mode, FoundPoint* found,
                      Output& out);
int points_in_frame(const Drawing& d, const EndPointIndex* index, const Options& o,
                    const SearchFrame& frame, const Text& text, FoundPoint* found, Output& out);

// Every point of end_points through inside_frame, in table order (all trace levels).
int points_in_frame_literal(const Drawing& d, const Options& o, const SearchFrame& frame,
                            const Text& text, FoundPoint* found, Output& out);

}  // namespace dimcheck
