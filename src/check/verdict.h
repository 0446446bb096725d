// The verdict of one dimension text.
#pragma once

#include "check/search.h"
#include "check/text.h"
#include "control/drawing.h"
#include "control/options.h"
#include "control/trace.h"

namespace dimcheck {

class EndPointIndex;

// The verdict codes, as traces print them.
enum class Verdict {
    Exact = 0,      // a pair at the value, or within the tolerance from the start point
    Good = 1,       // a pair within the tolerance
    NearMiss2 = 2,  // the nearest miss within two tolerances
    NearMiss3 = 3,  // within three
    Wrong = 10,
    NotAValue = -2,
    // A text record that is counted, not judged: a vertical or angle text, or
    // with -n a note.
    NotJudged = -100,
};

// Why -n left a text out (its verdict is then NotJudged).
enum class LeftOut {
    No,
    Note,              // the body holds characters no value is written with
    NothingToMeasure,  // a plain text with no end point near its line
};

// What judging a text found, for the marks, the explanation and the report.
struct Judgement {
    Verdict verdict = Verdict::NotJudged;
    LeftOut left_out = LeftOut::No;
    double value = 0.0;       // the value read, in coordinate units
    double tolerance = 0.51;  // of the value, in coordinate units
    int found_count = 0;      // end points found
    int pairs = 0;            // pairs compared
    // The compared length closest to the value (the first of equally close
    // ones); valid when pairs > 0.
    double closest = 0.0;
    // How the value is written: digits after the point, thousands separators,
    // a unit M.
    int decimals = 0;
    bool commas = false;
    bool written_with_m = false;
    // The value was read in metres and multiplied by 1000.
    bool read_in_metres = false;
    // With -s, the span the value is written on, when the verdict came from it.
    bool judged_on_span = false;
    double span = 0.0;

    // The length the verdict measured the value against: the span, or the
    // compared length closest to the value.
    double measured() const { return judged_on_span ? span : closest; }
};

// Judges the text. `found` is the second pass's table of the end points found
// around a text: this text's come first, sorted by their distance from its
// start; slots beyond them keep what an earlier text left (a level-2 trace
// shows them). Without traces the search takes the shortcut on `index` when
// there is one. The trace lines and the drawing of the search go to `sinks`.
Judgement judge_text(const Drawing& d, const EndPointIndex* index, const Options& o,
                     const Text& text, FoundPoint* found, const JudgingSinks& sinks);
void sort_found_points(FoundPoint* found, int n, Trace trace);
// The verdict of one pair of found points against the length, counted in
// j.pairs and j.closest; as far as the value, a pair with the point nearest
// the text's start is exact within the tolerance.
Verdict compare_pair(Judgement& j, const FoundPoint* found, SearchMode mode, int first, int second,
                     double length, Trace trace);

}  // namespace dimcheck
