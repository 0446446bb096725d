// The report dimcheck.csv (-r): one row per text record.
#pragma once

#include "check/verdict.h"
#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"

namespace dimcheck {

// The report's first row:
// "行番号,種類,始点X,始点Y,文字,読取値,許容差,端点数,図上長さ,差,判定,図面,倍率"
constexpr const char kReportHeader[] =
    "\x8ds\x94\xd4\x8d\x86,\x8e\xed\x97\xde,\x8en\x93_X,\x8en\x93_Y,\x95\xb6\x8e\x9a,"
    "\x93\xc7\x8e\xe6\x92l,\x8b\x96\x97"
    "e\x8d\xb7,\x92[\x93_\x90\x94,\x90}\x8f\xe3\x92\xb7\x82\xb3,"
    "\x8d\xb7,\x94\xbb\x92\xe8,\x90}\x96\xca,\x94{\x97\xa6";

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
