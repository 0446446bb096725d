// The search's work drawn into the result at the trace levels that ask for it.
#pragma once

#include <cstdio>

#include "check/search.h"
#include "control/trace.h"

namespace dimcheck {

class ResultDrawing : public SearchDrawing {
public:
    ResultDrawing(std::FILE* result, Trace trace) : result_(result), trace_(trace) {}
    // At level 1: the frame's corners, its mode beside its last corner, and
    // the far point of its first ray.
    void frame(const SearchFrame& frame, SearchMode mode) override;
    // At level 1: every meeting point the test found; from level 1 up: the
    // first ray when it crossed three sides.
    void inside_test(const InsideTest& test) override;

private:
    std::FILE* result_;
    Trace trace_;
};

}  // namespace dimcheck
