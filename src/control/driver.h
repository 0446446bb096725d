// The run driver: options, the exchange-file name, both passes, the limits,
// the summary and the status line.
#pragma once

#include "control/drawing_state.h"

namespace dimcheck {

constexpr const char kExchange[] = "JWC_TEMP.TXT";
constexpr const char kWorking[] = "JWC_TEMP.$$$";
// The result while it is written; it replaces the exchange file only when
// complete. No step of the name chain ever renames it.
constexpr const char kResultTemp[] = "JWC_TEMP.$$R";

// Handles one option argument ("-t2", "/B1.5", ...).
void apply_option(DrawingState& s, const char* arg);

// Brings an exchange file of any letter case to the name JWC_TEMP.TXT.
void normalise_exchange_name();

// Runs the consolidation passes until the count is stable, at most 10.
void consolidate(DrawingState& s);

// Parses a text record into the current text record. The keyword is the first
// two bytes, the numbers start at the third; a field that does not convert
// leaves it and every later field (the body among them) as they were.
void parse_text_record(DrawingState& s, const char* line);

// One whole run in the current directory. Returns the exit status: 0 done,
// 1 an error record (a limit, no text) written, 2 done but the report (-r) is
// not complete, 3 the result could not be written whole or put in place (the
// exchange file is untouched), -1 the intake could not read or copy the file.
int run(DrawingState& s, int argc, const char* const* argv);

}  // namespace dimcheck
