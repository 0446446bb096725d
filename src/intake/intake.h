// First pass over the host's file: copy it to the working copy and parse every
// record into the drawing state.
#pragma once

#include "control/state.h"

namespace dimcheck {

// Result of TFILEcopy_Ten when a file could not be opened or the working copy
// could not be written completely; the driver ends the run with status -1.
constexpr int kIntakeFailed = -1;

// Copies `in_name` to `copy_name` line by line while parsing each line, then
// adds a line "#". Returns the number of lines read, or kIntakeFailed after
// writing the message to the error stream.
int TFILEcopy_Ten(DrawingState& s, const char* in_name, const char* copy_name);

// Parses one line as read. Returns 0 to go on, -1 when the end-point table has
// reached its limit.
int Ten_Store(DrawingState& s, const char* line);

// Number of blanks (0x20) before the first NUL, CR or LF, within 512 bytes.
int __SPCNT(const char* text);

// Arrow recognition: called for every line record once ILINE* hold it. Returns
// 1 when it has written a new arrow tip into TEN[tenc].
int Yaji(DrawingState& s);

// One consolidation pass over TEN[0..n-1]; returns the number left.
int TEN_DP(DrawingState& s, int n);

}  // namespace dimcheck
