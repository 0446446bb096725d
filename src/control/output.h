// Where a run writes: the result, the report, traces and messages, and the
// counters of the marks drawn.
#pragma once

#include <cstdio>

namespace dimcheck {

struct Output {
    std::FILE* result = nullptr;  // the result file
    std::FILE* report = nullptr;  // the report, while it is written
    // Where traces and messages go; tests point these at files of their own.
    std::FILE* trace = stdout;
    std::FILE* err = stderr;
    int circle_count = 0;    // marks drawn: double circles and circles (good)
    int triangle_count = 0;  // triangles (needs checking)
    int cross_count = 0;     // crosses (wrong)
    int left_out_count = 0;  // texts -n left out: notes and those with nothing to measure
};

// Closes a file written; true when everything written reached it whole (no
// write failed, nor the close, which writes what was still buffered).
bool close_whole(std::FILE* f);

// The messages of a file that cannot be opened or written, on `err`. Their
// bytes are relied on: only the intake's "Cannot open" ends in a line end.
void say_cannot_open(std::FILE* err, const char* name, bool line_end);
void say_cannot_write(std::FILE* err, const char* name);

}  // namespace dimcheck
