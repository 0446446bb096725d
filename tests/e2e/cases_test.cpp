// Every folder under e2e/cases is one run of the real program:
//   in       (optional) the exchange file as the host writes it; its comment
//            records ("# ...") explain the case where it needs explaining
//   name     (optional) the name the host gave it; JWC_TEMP.TXT if absent
//   before/  (optional) files lying in the folder before the run, such as
//            leftovers of an interrupted earlier run
//   args     (optional) one argument per line
//   status   the exit status (255 for -1)
//   expect   (optional) the exchange file after the run, byte for byte;
//            absent: no JWC_TEMP.TXT may exist after the run
//   working  (optional) the working copy left behind; absent: none may remain
//   report   (optional) dimcheck.csv after the run, byte for byte (CR LF on
//            every platform); absent: no such file may exist after the run
//   stdout, stderr (optional) the streams, byte for byte; absent: empty
//   linux-only (optional, empty) the case needs case-sensitive file names, so
//            the Windows suite skips it
// tests/e2e/record.sh records a folder from the built program; every recorded
// expectation is checked by hand before it is committed. Below the folders:
// the bundled sample, inputs too big for a folder (generated here), and files
// that cannot be read or written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "control/records.h"
#include "support.h"

namespace dimcheck::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> case_names() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(DIMCHECK_CASES))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Case : public ::testing::TestWithParam<std::string> {};

TEST_P(Case, MatchesItsFolder) {
    const fs::path dir = fs::path(DIMCHECK_CASES) / GetParam();
    auto optional = [&](const char* file) {
        return fs::exists(dir / file) ? read_file((dir / file).string()) : "";
    };
    std::istringstream name_file(optional("name")), args_file(optional("args"));
    std::string name;
    if (!std::getline(name_file, name)) name = "JWC_TEMP.TXT";
    std::vector<std::string> args;
    for (std::string arg; std::getline(args_file, arg);) args.push_back(arg);

    ScratchDir scratch;
    if (fs::exists(dir / "before"))
        for (const auto& entry : fs::directory_iterator(dir / "before"))
            fs::copy(entry.path(), entry.path().filename(), fs::copy_options::recursive);
    if (fs::exists(dir / "in")) write_file(name, optional("in"));
    Outcome o = run_program(args);

    EXPECT_EQ(o.status, std::stoi(optional("status")));
    EXPECT_EQ(o.out, optional("stdout"));
    EXPECT_EQ(o.err, optional("stderr"));
    for (auto [file, left] : {std::pair{"expect", "JWC_TEMP.TXT"}, {"working", "JWC_TEMP.$$$"},
                              {"report", "dimcheck.csv"}}) {
        EXPECT_EQ(fs::is_regular_file(left), fs::exists(dir / file)) << left;
        if (fs::exists(dir / file)) { EXPECT_EQ(read_file(left), optional(file)) << left; }
    }
    // The intermediate names never outlive a run; a renamed file is gone.
    EXPECT_FALSE(fs::exists("JWC_x2x2.$$"));
    EXPECT_FALSE(fs::exists("JWC_x2x2.$$$"));
    if (fs::exists(dir / "expect") && name != "JWC_TEMP.TXT") { EXPECT_FALSE(fs::exists(name)); }
}

INSTANTIATE_TEST_SUITE_P(Folder, Case, ::testing::ValuesIn(case_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param;
                             std::replace_if(
                                 n.begin(), n.end(), [](char c) { return !isalnum(c); }, '_');
                             return n;
                         });

// The bundled sample drawing (samples/plan.jwc), run as the host runs it: a
// 7280 x 5460 plan at 1/100 with twenty texts. Group scale 100; text kind 3 is
// 2.5 wide and 2.5 high, so a half-width character is 2.5 * 0.5 * 100 = 125
// units wide and every mark has the radius r = 2.5 * 100 * 0.5 * 2.5 = 312.5.
//
// Worked by hand (tolerance g = 0.51 for whole numbers):
//  - "3,640" from (1507.5, -950) along (625, 0); arrow tips (0, -1000) and
//    (3640, -1000). The frame reaches 0.75 * 3640 = 2730 either side of the
//    middle (1820, -950) and from -1125 to -550 in y: both tips are in it,
//    nothing else is. The tip (0, -1000) is nearer the text's start, so it
//    sorts first; the pair measures exactly 3640: double circle at (1820, -950).
//  - "1,820" over the tips (0, 6500) and (1820.8, 6500): 0.8 off, more than
//    g but within 2g = 1.02: triangle.
//  - "1,820" over (1820.8, 6500) and (3641.9, 6500): 1.1 off, more than 2g
//    but within 3g = 1.53: triangle, centred (2731.35, 6550); its base runs
//    from (2418.85, 6237.5) to (3043.85, 6237.5).
//  - "3,640" over (3641.9, 6500) and (7280, 6500): 1.9 off, beyond 3g:
//    cross.
//  - "7.28M": 7280 with g = 0.0051 * 1000 = 5.1; the tips are 7283 apart,
//    3 off: double circle.
//  - "2,729.5" (g = 0.051) over points 2729.56 apart: 0.06 off, within
//    2g = 0.102: triangle.
//  - "300" (3 bytes, drawn 375 wide): 300 is not above 1.3 * 375, so the
//    search is widened (0.75 * (450 + 375) either side) and a match gives a
//    single circle: the points are 300.2 apart, within g: circle.
//  - "900" finds one point only (its other end was never drawn): cross at
//    (5787.5, 4350), from (5475, 4037.5) to (6100, 4662.5).
//  - "LDK" and the kanji room name are no values: no mark, but both count in
//    the total of twenty.

// The records of the n-th mark (0-based), up to the next mark or the summary.
std::string nth_mark(const std::string& result, int n) {
    std::size_t at = std::string::npos;
    for (int i = 0; i <= n; ++i) {
        at = result.find("lt1\nlc2\n", at + 1);
        if (at == std::string::npos) return "";
    }
    return result.substr(at, std::min(result.find("lt1\n", at + 1), result.find("cn4\n", at)) - at);
}

TEST(Sample, RunAsTheHostRunsIt) {
    ScratchDir scratch;
    const std::string recorded = std::string(DIMCHECK_CASES) + "/../sample/plan.";
    write_file("JWC_TEMP.TXT", read_file(std::string(DIMCHECK_SAMPLES) + "/plan.jwc"));
    Outcome o = run_program({});
    const std::string result = read_file("JWC_TEMP.TXT");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(result, read_file(recorded + "expect"));
    EXPECT_EQ(o.out, read_file(recorded + "stdout"));
    EXPECT_EQ(o.err, "");
    EXPECT_FALSE(fs::exists("JWC_TEMP.$$$"));

    // All four marks, twenty texts; the restore brings back the first
    // attributes of the selection.
    const std::string s = cp932("不良 Ｘ=3 , 要・確認 △=3 , 良◎◯=12  /全文字数(20)");
    const std::string tail = "cn4\nch -1500.000000 -4500.000000 10.0 0.0 \"" + s +
                             "\ncn3\nlg0\nly0\nlt1\nlc1\npn1\nh# " + s + "\n";
    ASSERT_GT(result.size(), tail.size());
    EXPECT_EQ(result.substr(result.size() - tail.size()), tail);

    // The marks worked by hand above.
    EXPECT_EQ(nth_mark(result, 0), "lt1\nlc2\nci 1820.000000 -950.000000 312.500000\n"
                                   "ci 1820.000000 -950.000000 156.250000\n");
    const std::string triangle = nth_mark(result, 5);  // three strokes, base first
    const std::string base =
        "lt1\nlc2\n2418.850000000000 6237.500000000000 3043.850000000000 6237.500000000000\n";
    EXPECT_EQ(triangle.substr(0, base.size()), base);
    EXPECT_EQ(count_of(triangle, "\n"), 5u);
    EXPECT_EQ(count_of(nth_mark(result, 6), "\n"), 4u);  // the cross of the "3,640" 1.9 short
    EXPECT_EQ(nth_mark(result, 12), "lt1\nlc2\nci 7850.100000 6050.000000 312.500000\n");
    EXPECT_EQ(nth_mark(result, 17), "lt1\nlc2\n5475.000000000000 4037.500000000000 6100.000000000000 "
                                    "4662.500000000000\n6100.000000000000 4037.500000000000 "
                                    "5475.000000000000 4662.500000000000\n");
}

const std::string kText = "ch 0 0 1 0 \"abc\n";  // a text that is no value

// The result of a completed run without extent, scale or attribute records.
std::string completed(int total) {
    char s[256];
    std::snprintf(s, sizeof s, kSummary, 0, 0, 0, total);
    return "cn4\nch 0.000000 0.000000 10.0 0.0 \"" + std::string(s) +
           "\nlg14\nly14\nlt20\nlc20\nh# " + s + "\n";
}

std::string points(int n, bool distinct) {
    std::string all;
    for (int i = 0; i < n; ++i) all += "pt " + std::to_string(distinct ? i : 1) + " 0\n";
    return all;
}

TEST(Limits, FiftyThousandLines) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", kText + std::string(49999, '\n'));
    Outcome o = run_program({});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed(1));
    EXPECT_EQ(o.out + o.err, "");
    EXPECT_FALSE(fs::exists("JWC_TEMP.$$$"));

    // 50001 lines are too many; the intake stops there, the copy stays.
    const std::string read = kText + std::string(50000, '\n');
    write_file("JWC_TEMP.TXT", read + kText + "pt 1 1\n");
    o = run_program({});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), cp932("he  要素数オーバー    MAX = 50000\n"));
    EXPECT_EQ(o.out + o.err, "");
    EXPECT_TRUE(read_file("JWC_TEMP.$$$") == read + "#\n");
}

TEST(Limits, EightHundredEqualPointsBroughtBelowTheLimit) {
    // Five passes bring them down to one (9, 3, 2, 1, 1). The intake stops at
    // the record that fills the table: the text after it is neither counted
    // nor judged.
    ScratchDir dir;
    const std::string read = kText + points(800, false);
    write_file("JWC_TEMP.TXT", read + "co 0 0 1 0 \"def\npt 5000 0\n");
    Outcome o = run_program({"-t2"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed(1));
    EXPECT_TRUE(read_file("JWC_TEMP.$$$") == read + "#\n");
    EXPECT_EQ(o.err, "");
    const std::string head = "### TFILEcopy_Ten() xmax(801) tenc(800) mmax(1)\n# i(0) j(1) k(800)\n";
    const std::string tail = "# TEN_DP()  tenc(1) duplication(4)\n##kekka(-2)\n"
                             "## Bairitsu(1.0) scale(0.0) mmax(1) isTest(2) BATU(0) SAN(0) MARU(0)\n";
    ASSERT_GT(o.out.size(), head.size() + tail.size());
    EXPECT_EQ(o.out.substr(0, head.size()), head);
    EXPECT_EQ(o.out.substr(o.out.size() - tail.size()), tail);
    EXPECT_EQ(count_of(o.out, "# same i(0) j(1) k(2)\n"), 1u);  // the fourth pass
}

TEST(Limits, EightHundredDistinctPointsStayAtTheLimit) {
    // Without a text: the end-point limit is tested first. 799 pass it.
    for (int n : {800, 799}) {
        ScratchDir dir;
        write_file("JWC_TEMP.TXT", points(n, true));
        Outcome o = run_program({});
        EXPECT_EQ(o.status, 1);
        EXPECT_EQ(read_file("JWC_TEMP.TXT"), cp932(n == 800 ? "he  寸法端点  処理限度数オーバー    MAX=800\n"
                                                            : "he  寸法値がありません\nh#  寸法値がありません\n"));
        EXPECT_EQ(read_file("JWC_TEMP.$$$"), points(n, true) + "#\n");
        // One pass, its comparisons printed at level 0 too.
        std::string comparisons;
        for (int i = 0; i < n - 1; ++i)
            for (int j = i + 1; j < n; ++j)
                comparisons += "# i(" + std::to_string(i) + ") j(" + std::to_string(j) + ") k(" +
                               std::to_string(n) + ")\n";
        EXPECT_TRUE(o.out == comparisons) << o.out.size() << " bytes";
        EXPECT_EQ(o.err, "");
    }
}

TEST(ExchangeFile, LaterNamesInTheChainReplaceEarlierFiles) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", "pt 1 1\n");
    write_file("jwc_temp.txt", kText);
    write_file("JWC_TEMP.txt", kText + kText);
    write_file("jwc_temp.TXT", kText + kText + kText);
    EXPECT_EQ(run_program({}).status, 0);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed(3));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(".")) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"JWC_TEMP.TXT"});
}

TEST(ExchangeFile, FilesThatCannotBeReadOrWritten) {
    const std::string no_values = cp932("he  寸法値がありません\nh#  寸法値がありません\n");
    struct Row {  // blocked: made a folder, or /dev/full for "full"; working: nullptr, not checked
        const char* note; const char* blocked; std::string input; unsigned long max_bytes;
        int status; const char* err; std::string result; const char* working;
    };
    const Row rows[] = {
        {"the working copy cannot be created", "JWC_TEMP.$$$", kText, 0, 255,
         "Cannot open file: JWC_TEMP.$$$\n", kText, nullptr},
        {"the working copy cannot be written: the exchange file is untouched", "full", kText, 0, 255,
         "Cannot write file: JWC_TEMP.$$$", kText, nullptr},
        {"a folder under the exchange name cannot be read: nothing is judged", "JWC_TEMP.TXT", "",
         0, 255, "Cannot open file: JWC_TEMP.TXT\n", "", nullptr},
        {"the result cannot be written whole: no success", nullptr, kText, 64, 1,
         "Cannot write file: JWC_TEMP.TXT", completed(1).substr(0, 64), "ch 0 0 1 0 \"abc\n#\n"},
        {"nor can an error record", nullptr, "pt 1 1\n", 40, 1, "Cannot write file: JWC_TEMP.TXT",
         no_values.substr(0, 40), "pt 1 1\n#\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        ScratchDir dir;
        if (!r.input.empty()) write_file("JWC_TEMP.TXT", r.input);
        if (r.blocked && std::string(r.blocked) == "full") fs::create_symlink("/dev/full", "JWC_TEMP.$$$");
        else if (r.blocked) fs::create_directory(r.blocked);
        Outcome o = run_program({"-t1"}, r.max_bytes);
        EXPECT_EQ(o.status, r.status);
        EXPECT_EQ(o.err, r.err);
        EXPECT_EQ(o.out, "");
        if (!r.input.empty()) { EXPECT_EQ(read_file("JWC_TEMP.TXT"), r.result); }
        if (r.working) { EXPECT_EQ(read_file("JWC_TEMP.$$$"), r.working); }
    }
}

}  // namespace
}  // namespace dimcheck::test
