// The end-point search around a text.
#pragma once

#include "check/text.h"
#include "control/drawing.h"
#include "control/trace.h"
#include "geometry/frame.h"

namespace dimcheck {

class EndPointIndex;

// How far the search looks: as far as the value reaches, or further, for a
// value hardly longer than its own text and for radius and diameter values.
// A trace at level 1 draws it with the frame as 0 or 1.
enum class SearchMode { AsFarAsTheValue = 0, Widened = 1 };

// What the search draws of its work into the result, at the trace levels
// that ask for it: each frame with its mode and far point, and what each
// inside test found. marks/ writes the records.
class SearchDrawing {
public:
    virtual ~SearchDrawing() = default;
    virtual void frame(const SearchFrame& frame, SearchMode mode) = 0;
    virtual void inside_test(const InsideTest& test) = 0;
};

// Where judging shows its work: trace lines on the trace stream, and the
// drawing of the search in the result (none: nothing drawn).
struct JudgingSinks {
    Trace trace;
    SearchDrawing* drawing = nullptr;
};

// How far the frame reaches across the text: from 0.7 text heights below its
// base line to 1.6 above it, in drawing units.
struct FrameHeights {
    double up;
    double down;
};
FrameHeights frame_heights(const Drawing& d, const Text& text);

// Lays the search frame of the text for search_length into `frame`; false,
// with only the margin set, for a text without direction, which has none.
bool lay_frame(const Drawing& d, const Text& text, double search_length, SearchFrame& frame);

// Lays the frame and finds the end points inside it into `found`; returns how
// many (at most kFoundCounted). Without traces the shortcut search runs on
// `index` when there is one.
int search_end_points(const Drawing& d, const EndPointIndex* index, const Text& text,
                      double search_length, SearchMode mode, FoundPoint* found,
                      const JudgingSinks& sinks);
int points_in_frame(const Drawing& d, const EndPointIndex* index, const SearchFrame& frame,
                    const Text& text, FoundPoint* found, const JudgingSinks& sinks);

// Every point of end_points through inside_frame, in table order (all trace levels).
int points_in_frame_literal(const Drawing& d, const SearchFrame& frame, const Text& text,
                            FoundPoint* found, const JudgingSinks& sinks);

}  // namespace dimcheck
