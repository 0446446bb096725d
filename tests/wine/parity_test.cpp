// The Linux program and dimcheck.exe under Wine, run on the same selection,
// must leave the same bytes behind (every LF written as CR LF on Windows):
// the same status, result file, working copy and streams. The selections
// below put texts and end points at large and awkward coordinates, so that
// every number format of the result and the traces ("%.12f", "%.6f", "%.3f",
// "%.2f", "%.1f", "%.0f", "%f", "%x", "%d") prints digits where the two C
// libraries could differ, and they spell numbers in every form that the
// field reader takes (hex floats, inf, nan, overflow, subnormals, decimal
// strings that lie halfway between two doubles).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wine/runner.h"
#include "support.h"

namespace dimcheck::test::wine {
namespace {

// Points, texts and headers at large and awkward places.
std::string awkward_coordinates() {
    std::string s =
        "hs 1 0.3333333333333333 100 1e-7 1 1 1 1 1 1 1 1 1 1 1 1\n"
        "hcw 2.5 2.675 1.005 0.125 0.375 2.5 2.5 2.5 2.5 1e15\n"
        "hch 2.5 2.675 1.005 0.125 0.375 2.5 2.5 2.5 2.5 1e15\n"
        "hcd 0 0 0 0 0 0 0 0 0 0\n"
        "hn 123456.123456789 -0.0000000001 1e15 99999.9999999995\n"
        "cn0 0.125 2.675 1.005 7\n"
        "lg1\n#first comment fixes the scale of group 1\n"
        "ly1f\nlt2\nlc3\npn4\n";
    const double xs[] = {123456.123456789, -0.0000000001, 1e15, -1e15, 4503599627370496.5,
                         0.1, 2.675, 99999.9999999995, 0.0000005, 1e-300, 6e-13, -5e-13};
    int kind = 0;
    for (double x : xs) {
        char buf[256];
        std::snprintf(buf, sizeof buf, "%.17g", x);
        std::string sx = buf;
        std::snprintf(buf, sizeof buf, "%.17g", -x / 3);
        std::string sy = buf;
        s += "cn" + std::to_string(kind % 6) + "\n";
        ++kind;
        // Two end points 1500 apart and the text between them, near the
        // middle of its line.
        s += "pt " + sx + " " + sy + "\n";
        std::snprintf(buf, sizeof buf, "%.17g", x + 1500.0);
        s += "pt " + std::string(buf) + " " + sy + "\n";
        std::snprintf(buf, sizeof buf, "%.17g", x + 740.0);
        s += "ch " + std::string(buf) + " " + sy + " 6.25 0 \"1,500\n";
        // A value that is a little off, and one that is far off.
        s += "co " + std::string(buf) + " " + sy + " 6.25 0 \"1500.4\n";
        s += "cr " + std::string(buf) + " " + sy + " 6.25 0 \"1.5M\n";
        s += "cs " + std::string(buf) + " " + sy + " 6.25 0 \"2,000\n";
        // An arrowhead (two short strokes meeting at a tip) and a small circle.
        std::snprintf(buf, sizeof buf, " %.17g %.17g %.17g %.17g\n", x + 3000.0, x / 7,
                      x + 3002.5, x / 7 + 0.75);
        s += buf;
        std::snprintf(buf, sizeof buf, " %.17g %.17g %.17g %.17g\n", x + 3000.0, x / 7,
                      x + 3002.5, x / 7 - 0.75);
        s += buf;
        std::snprintf(buf, sizeof buf, "ci %.17g %.17g 0.5\n", x - 1500.0, x / 7);
        s += buf;
        std::snprintf(buf, sizeof buf, "ch %.17g %.17g 6.25 0 \"3,000\n", x + 1500.0, x / 7);
        s += buf;
    }
    return s;
}

// Numbers in every spelling the reader accepts, and some it half accepts.
std::string number_forms() {
    return "hs 0x1p0 3 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n"
           "hcw 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
           "hch 0x1.4p1 inf -inf nan -nan 1e400 4.9e-324 2.5 2.5 2.5\n"
           "hn -nan inf -inf nan(abc)\n"
           "cn0 nan(123) -nan 0x 12\n"
           // "0x" reads as 0 before an "x": group 0 (scale 1), not group 1.
           "lg1\nlg0x\nly-0x\nlt99999999999999999999\nlc-5\npn0x10\n"
           "#\n"
           // Two spellings of one double merge into one end point, whatever
           // their digits; the consolidation trace shows which ones did.
           "pt 0.1 0\npt 0.1000000000000000055511151231257827 0\n"
           "pt 9007199254740993 1\npt 9007199254740992 1\n"
           "pt 1.00000000000000011102230246251565404236316680908203125 2\npt 1 2\n"
           "pt 1.00000000000000011102230246251565404236316680908203126 3\n"
           "pt 1.0000000000000002 3\n"
           "pt 2.4703282292062327e-324 4\npt 0 4\n"
           "pt 2.4703282292062328e-324 5\npt 4.9406564584124654e-324 5\n"
           "pt 0x1.fffffffffffff8p1023 6\npt 0x1p-1074 6\npt 0x1p-1075 6\n"
           "pt 1e-400 7\npt -0 7\npt 0 7\n"
           "pt 1.2.3 8\npt 1e 8\npt .5 8\npt 5. 8\npt +.e1 8\n"
           "pt 0 0\npt 1500 0\n"
           "cn1\n"
           "ch 740 1 6.25 0 \"1,500\n"
           "ch -nan 1 6.25 0 \"1,500\n"
           "ch inf -inf 6.25 0 \"1,500\n"
           "ch 740 1 inf nan \"1,500\n"
           "ch 0x2E4 0x1p0 0x1.9p2 0 \"1,500\n"
           "ch 740 1 6.25 0 \"0x5DC\n"
           "ch 740 1 6.25 0 \"1e3\n"
           // Long values, read by the same reader (the trace shows them).
           "ch 740 1 6.25 0 \"9007199254740993\n"
           "ch 740 1 6.25 0 \"9,007,199,254,740,993.5\n"
           "ch 740 1 6.25 0 \"179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587207096330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764475730270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497791\n"
           "cn0\n"
           "ch 740 1 6.25 0 \"1,500\n";
}

std::string with_crlf(const std::string& lf) {
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

struct Leftovers {
    Outcome outcome;
    std::string result;
    std::string working;
    bool has_result = false;
    bool has_working = false;
};

template <class Runner>
Leftovers run_in_scratch(const std::string& drawing, const std::vector<std::string>& args,
                   Runner runner) {
    ScratchDir scratch;
    write_file("JWC_TEMP.TXT", drawing);
    Leftovers r;
    r.outcome = runner(args);
    r.has_result = file_exists("JWC_TEMP.TXT");
    r.has_working = file_exists("JWC_TEMP.$$$");
    if (r.has_result) r.result = read_file("JWC_TEMP.TXT");
    if (r.has_working) r.working = read_file("JWC_TEMP.$$$");
    return r;
}

struct Setting {
    const char* name;
    std::string (*drawing)();
    bool crlf;
    std::vector<std::string> args;
};

void PrintTo(const Setting& s, std::ostream* os) { *os << s.name; }

class SameBytes : public ::testing::TestWithParam<Setting> {};

TEST_P(SameBytes, OnLinuxAndWindows) {
    const Setting& p = GetParam();
    std::string drawing = p.crlf ? with_crlf(p.drawing()) : p.drawing();
    Leftovers linux_run = run_in_scratch(drawing, p.args, run_linux);
    Leftovers windows_run = run_in_scratch(drawing, p.args, run_windows);

    EXPECT_EQ(windows_run.outcome.status, linux_run.outcome.status);
    EXPECT_EQ(windows_run.has_result, linux_run.has_result);
    EXPECT_EQ(windows_run.result, as_written(linux_run.result));
    EXPECT_EQ(windows_run.has_working, linux_run.has_working);
    EXPECT_EQ(windows_run.working, as_written(linux_run.working));
    EXPECT_EQ(windows_run.outcome.out, as_written(linux_run.outcome.out));
    EXPECT_EQ(windows_run.outcome.err, as_written(linux_run.outcome.err));
    // The comparison means something only if the run got as far as the marks.
    EXPECT_EQ(linux_run.outcome.status, 0);
    EXPECT_NE(linux_run.result.find("lt1\nlc2\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Wine, SameBytes,
    ::testing::Values(Setting{"coordinates", awkward_coordinates, false, {}},
                      Setting{"coordinates_crlf", awkward_coordinates, true, {}},
                      Setting{"coordinates_t1", awkward_coordinates, false, {"-t1"}},
                      Setting{"coordinates_t2", awkward_coordinates, false, {"-t2"}},
                      Setting{"coordinates_t3", awkward_coordinates, true, {"-t3"}},
                      Setting{"coordinates_b", awkward_coordinates, false, {"-b0.3333333333333333"}},
                      Setting{"numbers", number_forms, false, {}},
                      Setting{"numbers_crlf", number_forms, true, {}},
                      Setting{"numbers_t1", number_forms, false, {"-t1"}},
                      Setting{"numbers_t2", number_forms, true, {"-t2"}},
                      Setting{"numbers_t3", number_forms, false, {"-t3"}},
                      Setting{"numbers_b_hex", number_forms, false, {"-b0x1.8p1", "-t1"}},
                      Setting{"numbers_b_nan", number_forms, false, {"/B-nan", "-t2"}},
                      Setting{"numbers_b_inf", number_forms, false, {"-binfinity", "-t2"}}),
    [](const ::testing::TestParamInfo<Setting>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dimcheck::test::wine
