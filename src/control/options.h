// The options of a run, as the command line sets them.
#pragma once

namespace dimcheck {

struct Options {
    int trace_level = 0;           // -t
    double magnification = 1.0;    // -b: a value read is multiplied by it
    bool explain = false;          // -e: say beside every triangle and cross why
    bool report = false;           // -r: list every text in the report
    bool leave_notes_out = false;  // -n: judge only texts written like a value
    // The literal end-point search even without traces; no command-line
    // option sets it: tests and the benchmark compare both searches with it.
    bool literal_search = false;
};

}  // namespace dimcheck
