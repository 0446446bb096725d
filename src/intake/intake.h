// First pass over the host's file: copy it to the working copy and parse every
// record into the drawing.
#pragma once

#include <cstdio>

#include "control/drawing.h"
#include "control/trace.h"
#include "intake/arrow.h"

namespace dimcheck {

// Result of read_selection when a file could not be opened or the working copy
// could not be written completely; the driver ends the run with status -1.
constexpr int kIntakeFailed = -1;

// What the intake keeps from record to record besides the drawing.
struct IntakeMemory {
    bool scale_fixed = false;         // set at the first comment line, which fixes the scale
    bool duplicates_dropped = false;  // the table once filled up: it holds no point twice
    bool named = false;               // a line "file=" gave the drawing's name
    // The current attributes ("ly", "lt", "lc", "pn"), only for their first-seen copies.
    int layer = 0;
    int line_type = 0;
    int line_colour = 0;
    int point_kind = 0;
    double line[4] = {};    // the line record just read: x1, y1, x2, y2
    double circle[3] = {};  // the last small full circle read: x, y, r
    Stroke stroke;          // for arrow recognition
};

// Copies `in_name` to `copy_name` line by line while parsing each line, then
// adds a line "#". Returns the number of lines read, or kIntakeFailed after
// writing the message to `err`.
int read_selection(Drawing& d, Trace trace, std::FILE* err, const char* in_name,
                   const char* copy_name);

// Parses one line as read. True when the end-point table is full of distinct
// points: the intake stops there.
bool read_record(Drawing& d, IntakeMemory& m, const char* line, Trace trace);

// Number of blanks (0x20) before the first NUL, CR or LF, within 512 bytes.
int count_blanks(const char* text);

}  // namespace dimcheck
