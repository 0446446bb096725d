// First pass over the host's file: copy it to the working copy and parse every
// record into the drawing state.
#pragma once

#include "control/drawing_state.h"

namespace dimcheck {

// Result of read_selection when a file could not be opened or the working copy
// could not be written completely; the driver ends the run with status -1.
constexpr int kIntakeFailed = -1;

// Copies `in_name` to `copy_name` line by line while parsing each line, then
// adds a line "#". Returns the number of lines read, or kIntakeFailed after
// writing the message to the error stream.
int read_selection(DrawingState& s, const char* in_name, const char* copy_name);

// Parses one line as read. Returns 0 to go on, -1 when the end-point table has
// reached its limit.
int read_record(DrawingState& s, const char* line);

// Number of blanks (0x20) before the first NUL, CR or LF, within 512 bytes.
int count_blanks(const char* text);

// Arrow recognition: called for every line record once line_x1 ... line_y2 hold it. Returns
// 1 when it has written a new arrow tip into end_points[end_point_count].
int take_arrow_tip(DrawingState& s);

// One consolidation pass over end_points[0..n-1]; returns the number left.
int consolidation_pass(DrawingState& s, int n);

}  // namespace dimcheck
