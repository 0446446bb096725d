// Saying why: with -e an explanation beside every text judged triangle or
// cross, with -r the report dimcheck.csv, one row per text record.
#pragma once

#include "control/drawing_state.h"

namespace dimcheck {

constexpr const char kReport[] = "dimcheck.csv";
// Writes the explanation of the current text after its mark.
void write_explanation(DrawingState& s);

// Opens the report and writes its header; a report that cannot be opened is
// left to close_report to tell.
void open_report(DrawingState& s);
// One row: the record `line` (a text record), its line number in the
// selection and the verdict judge_text gave it (or kNotJudged).
void report_row(DrawingState& s, int line_number, const char* line, int verdict);
// Closes the report; false, said on standard error, if it is not complete.
bool close_report(DrawingState& s);

}  // namespace dimcheck
