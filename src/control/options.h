// The options of a run, as the command line sets them.
#pragma once

namespace dimcheck {

// No -l: the marks go on the layer current when the result is read.
constexpr int kNoMarksLayer = -1;

struct Options {
    int trace_level = 0;              // -t
    double magnification = 1.0;       // -b: a value read is multiplied by it
    bool explain = false;             // -e: say beside every triangle and cross why
    bool report = false;              // -r: list every text in the report
    bool leave_notes_out = false;     // -n: judge only plain texts written like a value
                                      // and with something to measure around them
    bool judge_on_span = false;       // -s: judge a length on the span it is written on
    int marks_layer = kNoMarksLayer;  // -l: the layer (0 to 15) the marks are written on
    // An argument was no option we take; the status line says so.
    bool illegal_seen = false;
};

}  // namespace dimcheck
