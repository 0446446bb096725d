// Whole runs of the checker in-process, in a scratch folder, for the hostile
// input tests: what the run returned, left in the files and wrote to its
// streams, and the drawing state it ended with.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "control/driver.h"
#include "control/records.h"
#include "support.h"

namespace dimcheck::test {

struct Ran {
    int status = 0;
    std::string result, working, out, err;  // JWC_TEMP.TXT and .$$$ afterwards, streams
    bool working_left = false;
};

// One run in a scratch folder of its own with a fresh, captured state.
struct InPlace {
    InPlace() { std::fclose(c.s.fpw), c.s.fpw = nullptr; }  // the run opens the result
    // Writes `input` as the exchange file and runs with `args`.
    Ran go(const std::string& input, std::vector<const char*> args = {}) {
        write_file("JWC_TEMP.TXT", input);
        return go_args(args);
    }
    Ran go_args(std::vector<const char*> args) {
        args.insert(args.begin(), "dimcheck");
        Ran r;
        r.status = run(c.s, static_cast<int>(args.size()), args.data());
        // Only a plain file is read back: a device would never end.
        if (std::filesystem::is_regular_file("JWC_TEMP.TXT")) r.result = read_file("JWC_TEMP.TXT");
        if ((r.working_left = file_exists("JWC_TEMP.$$$"))) r.working = read_file("JWC_TEMP.$$$");
        r.out = c.trace();
        r.err = c.errors();
        return r;
    }
    DrawingState& s() { return c.s; }
    ScratchDir dir;
    Captured c;
};

// A completed result: the host reads an empty line as the end of a polyline,
// so there is none, and the last line is the status line with the summary.
inline void expect_completed(const Ran& r, const DrawingState& s) {
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.result.find("\n\n"), std::string::npos);
    ASSERT_FALSE(r.result.empty());
    EXPECT_NE(r.result[0], '\n');
    char last[256];
    std::snprintf(last, sizeof last, kSummary, s.batu_count, s.sankaku_count, s.maru_count, s.mmax);
    std::string want = "h# " + std::string(last) + "\n";
    ASSERT_GE(r.result.size(), want.size());
    EXPECT_EQ(r.result.substr(r.result.size() - want.size()), want);
    EXPECT_LE(s.maru_count + s.sankaku_count + s.batu_count, s.mmax);
}

// The worked example: end points (0, 0) and (1500, 0), text "1,500" from
// (740, 1) along (6.25, 0), text kind 1 of width and height 2.5, scale 1. It
// is judged good.
constexpr const char kHeader[] =
    "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n"
    "hcw 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
    "hch 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
    "hn 0 0 2000 100\n"
    "#jw\n";
// The worked example's records after the header, with `kind` for its text kind.
inline std::string worked(const std::string& kind = "cn1\n") {
    return kHeader + kind + "pt 0 0\npt 1500 0\nch 740 1 6.25 0 \"1,500\n";
}

}  // namespace dimcheck::test
