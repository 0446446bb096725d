// Helpers shared by the tests: files, the values of a run with captured streams and
// the program's runner (common/kit.h: a scratch folder, random numbers).
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "check/search.h"
#include "common/kit.h"
#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"

namespace dimcheck::test {

std::string slurp(std::FILE* f);  // a whole stream, read from its start
std::size_t count_of(const std::string& text, const std::string& part);

struct Captured {  // fresh values of a run; result, trace and error go to temporary files
    Captured();
    ~Captured();
    std::string result() const { return slurp(out.result); }
    // Judging's sinks: the trace at the options' level, the search drawn into the result.
    JudgingSinks sinks();
    Options o;
    Drawing d;
    Output out;
    std::unique_ptr<SearchDrawing> drawing;
};

// Runs the program under test in `folder`: the Linux program, or in the
// Windows suite dimcheck.exe under Wine in the suite's prefix. A non-zero
// `max_file_bytes` limits every file it writes, as a full disk would.
struct Outcome {
    int status = -1;  // as the shell sees it (0..255)
    std::string out, err;
};
Outcome run_program(const std::string& folder, const std::vector<std::string>& args,
                    unsigned long max_file_bytes = 0);

}  // namespace dimcheck::test
