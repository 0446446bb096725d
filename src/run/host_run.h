// The run the host starts: options, the exchange-file name, both passes, the
// limits, the summary and the status line.
#pragma once

#include <cstdio>

#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"
#include "run/files.h"

namespace dimcheck {

// Handles one option argument ("-t2", "/B1.5", ...); an illegal one is said on `err`.
void apply_option(Options& o, const char* arg, std::FILE* err);

// Brings an exchange file of any letter case in the folder to the name JWC_TEMP.TXT.
void normalise_exchange_name(const RunFiles& files);

// One whole run on `files`: the options from argv into `o`, the
// drawing read into `d`, the result, report, traces and counters through
// `out`. Returns the exit status: 0 done, 1 an error record (a limit, no text)
// written, 2 done but the report (-r) is not complete, 3 the result could not
// be written whole or put in place (the exchange file is untouched), -1 the
// intake could not read or copy the file.
int run(int argc, const char* const* argv, const RunFiles& files, Options& o, Drawing& d,
        Output& out);

}  // namespace dimcheck
