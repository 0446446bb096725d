// The trace a stage writes at the level -t asks for, and what each level shows.
#pragma once

#include <cstdio>

namespace dimcheck {

struct Trace {
    int level = 0;
    std::FILE* out = stdout;

    // Level 0 traces nothing, so the search may take its shortcut.
    bool off() const { return level == 0; }
    // Level 1 draws the search frames and the crossings into the result.
    bool draws() const { return level == 1; }
    // Every level from 1 up draws the first ray of a point whose first ray
    // crosses three sides of a frame.
    bool draws_triple_crossings() const { return level >= 1; }
    // Level 2 prints a summary of each stage: the value read, the points
    // found, the pairs compared, the verdict.
    bool sums_up() const { return level == 2; }
    // Level 3 and above print every crossing test.
    bool details() const { return level >= 3; }
    // The arrow recognition's count only at level 3 itself.
    bool counts_arrows() const { return level == 3; }
    // Any level but 0 keeps the working copy; only those above 0 print the
    // run's totals at the end.
    bool keeps_working_copy() const { return !off(); }
    bool prints_totals() const { return level > 0; }
};

}  // namespace dimcheck
