// The report dimcheck.csv (-r): one row per text record.
#pragma once

#include "check/verdict.h"
#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"

namespace dimcheck {

// Opens the report at `path` and writes its header; a report that cannot be
// opened is left to close_report to tell.
void open_report(Output& out, const char* path);
// One row: the record `line` (a text record), its line number in the
// selection and its judgement (the verdict NotJudged for a record that is
// counted, not judged).
void report_row(const Drawing& d, const Options& o, const Judgement& j, int line_number,
                const char* line, Output& out);
// Closes the report at `path`; false, said on the error stream, if it is not
// complete, and then removed.
bool close_report(Output& out, const char* path);

}  // namespace dimcheck
