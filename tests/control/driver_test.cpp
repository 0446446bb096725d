// The run driver in-process, in a scratch folder: the consolidation loop and
// its traces, the limits, the second pass's text records, the summary and the
// working copy's fate, and the file failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "control/driver.h"
#include "control/records.h"
#include "support.h"

namespace dimcheck::test {
namespace {

std::string summary(int batu, int sankaku, int maru, int total) {
    char buf[256];
    std::snprintf(buf, sizeof buf, kSummary, batu, sankaku, maru, total);
    return buf;
}

// The tail of a completed run whose input set no attribute record.
std::string completed(const std::string& x, const std::string& y, int total) {
    std::string s = summary(0, 0, 0, total);
    return "cn4\nch " + x + " " + y + " 10.0 0.0 \"" + s + "\nlg14\nly14\nlt20\nlc20\nh# " + s +
           "\n";
}

const std::string kNoValues = std::string(kNoValuesHe) + kNoValuesStatus;

std::string too_many_points() {
    char buf[128];
    std::snprintf(buf, sizeof buf, kTooManyPoints, 800);
    return buf;
}

class Driver : public ::testing::Test {
protected:
    Driver() {
        // The run opens the result file itself.
        std::fclose(c.s->fpw);
        c.s->fpw = nullptr;
    }

    int run_with(const std::string& input, std::vector<const char*> args = {}) {
        write_file("JWC_TEMP.TXT", input);
        return run_args(args);
    }

    int run_args(std::vector<const char*> args) {
        args.insert(args.begin(), "dimcheck");
        return run(*c.s, static_cast<int>(args.size()), args.data());
    }

    DrawingState& s() { return *c.s; }
    std::string result() const { return read_file("JWC_TEMP.TXT"); }
    std::string working() const { return read_file("JWC_TEMP.$$$"); }

    ScratchDir dir;
    Captured c;
};

TEST_F(Driver, ConsolidationRepeatsUntilTheCountIsStable) {
    // A, A, B: the first pass removes one copy, the second confirms.
    EXPECT_EQ(run_with("pt 1 1\npt 1 1\npt 2 2\n", {"-t2"}), 1);
    EXPECT_EQ(c.trace(),
              "### TFILEcopy_Ten() xmax(3) tenc(3) mmax(0)\n"
              "# i(0) j(1) k(3)\n"
              "# same i(0) j(1) k(3)\n"
              "# i(0) j(2) k(3)\n"
              "# i(1) j(2) k(3)\n"
              "# i(0) j(1) k(2)\n"
              "# TEN_DP()  tenc(2) duplication(1)\n");
    EXPECT_EQ(s().tenc, 2);
    EXPECT_EQ(s().TEN[0].x, 1.0);
    EXPECT_EQ(s().TEN[1].x, 2.0);
    EXPECT_EQ(result(), kNoValues);
}

TEST_F(Driver, ThreeEqualPointsTakeThreePasses) {
    EXPECT_EQ(run_with("pt 1 1\npt 1 1\npt 1 1\n", {"-t2"}), 1);
    EXPECT_EQ(c.trace(),
              "### TFILEcopy_Ten() xmax(3) tenc(3) mmax(0)\n"
              "# i(0) j(1) k(3)\n"
              "# same i(0) j(1) k(3)\n"
              "# i(0) j(2) k(3)\n"
              "# i(1) j(2) k(3)\n"
              "# i(0) j(1) k(2)\n"
              "# same i(0) j(1) k(2)\n"
              "# TEN_DP()  tenc(1) duplication(2)\n");
    EXPECT_EQ(s().tenc, 1);
}

TEST_F(Driver, AlternatingPairsShrinkInOnePass) {
    EXPECT_EQ(run_with("pt 1 1\npt 2 2\npt 1 1\npt 2 2\n", {"-t2"}), 1);
    EXPECT_EQ(c.trace(),
              "### TFILEcopy_Ten() xmax(4) tenc(4) mmax(0)\n"
              "# i(0) j(1) k(4)\n"
              "# i(0) j(2) k(4)\n"
              "# same i(0) j(2) k(4)\n"
              "# i(0) j(3) k(4)\n"
              "# i(1) j(2) k(4)\n"
              "# same i(1) j(2) k(4)\n"
              "# i(1) j(3) k(4)\n"
              "# i(0) j(1) k(2)\n"
              "# TEN_DP()  tenc(2) duplication(1)\n");
}

TEST_F(Driver, NoPointMakesOneSilentPass) {
    EXPECT_EQ(run_with("x\n", {"-t2"}), 1);
    EXPECT_EQ(c.trace(),
              "### TFILEcopy_Ten() xmax(1) tenc(0) mmax(0)\n"
              "# TEN_DP()  tenc(0) duplication(0)\n");
}

TEST_F(Driver, OnePointMakesOneSilentPass) {
    EXPECT_EQ(run_with("pt 3 4\n", {"-t2"}), 1);
    EXPECT_EQ(c.trace(),
              "### TFILEcopy_Ten() xmax(1) tenc(1) mmax(0)\n"
              "# TEN_DP()  tenc(1) duplication(0)\n");
}

// The comparison traces do not depend on the level; the summary lines belong
// to level 2 alone.
TEST_F(Driver, ComparisonTracesArePrintedAtEveryLevel) {
    const std::string comparisons =
        "# i(0) j(1) k(3)\n# same i(0) j(1) k(3)\n# i(0) j(2) k(3)\n# i(1) j(2) k(3)\n"
        "# i(0) j(1) k(2)\n";
    for (const char* level : {"-t0", "-t1", "-t3", "-t-1"}) {
        Captured other;
        std::fclose(other.s->fpw);
        other.s->fpw = nullptr;
        write_file("JWC_TEMP.TXT", "pt 1 1\npt 1 1\npt 2 2\n");
        const char* argv[] = {"dimcheck", level};
        EXPECT_EQ(run(*other.s, 2, argv), 1) << level;
        EXPECT_EQ(other.trace(), comparisons) << level;
    }
}

TEST_F(Driver, EightHundredEqualPointsNeedFivePasses) {
    std::string input = "ch 0 0 1 0 \"abc\n";
    for (int i = 0; i < 800; ++i) input += "pt 7 7\n";
    EXPECT_EQ(run_with(input, {"-t2"}), 0);
    EXPECT_EQ(s().tenc, 1);
    std::string trace = c.trace();
    EXPECT_NE(trace.find("### TFILEcopy_Ten() xmax(801) tenc(800) mmax(1)\n"), std::string::npos);
    EXPECT_NE(trace.find("\n# TEN_DP()  tenc(1) duplication(4)\n"), std::string::npos);
}

TEST_F(Driver, LimitsAreTestedAfterConsolidationInTheirOrder) {
    // 800 distinct points and no text: the end-point limit comes first.
    std::string input;
    for (int i = 0; i < 800; ++i) input += "pt " + std::to_string(i) + " 0\n";
    EXPECT_EQ(run_with(input), 1);
    EXPECT_EQ(result(), too_many_points());
    EXPECT_EQ(working(), input + "#\n");
}

TEST_F(Driver, OneRepeatedPointAmongEightHundredIsEnough) {
    // The 800th point repeats the first: two passes, 799 points, the run goes on.
    std::string input = "ch 0 0 1 0 \"abc\n";
    for (int i = 0; i < 799; ++i) input += "pt " + std::to_string(i) + " 0\n";
    input += "pt 0 0\n";
    EXPECT_EQ(run_with(input), 0);
    EXPECT_EQ(s().tenc, 799);
    EXPECT_EQ(result(), completed("0.000000", "0.000000", 1));
    std::string trace = c.trace();
    // 800 * 799 / 2 and 799 * 798 / 2 comparisons, one of them a duplicate.
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 319600 + 1 + 318801);
    EXPECT_NE(trace.find("# i(0) j(799) k(800)\n# same i(0) j(799) k(800)\n# i(1) j(2) k(800)\n"),
              std::string::npos);
}

TEST_F(Driver, SevenHundredNinetyNinePointsPassTheLimit) {
    std::string input;
    for (int i = 0; i < 799; ++i) input += "pt " + std::to_string(i) + " 0\n";
    EXPECT_EQ(run_with(input), 1);
    EXPECT_EQ(result(), kNoValues);  // no text: the last limit
}

TEST_F(Driver, SelectionWithoutTextStopsBeforeTheSecondPass) {
    EXPECT_EQ(run_with(" 0 0 10 10\ncn1\nci 1 2 3\nlc5\n#\n", {"-t1"}), 1);
    EXPECT_EQ(result(), kNoValues);
    EXPECT_EQ(c.trace(), "");  // no final line on an error exit
    EXPECT_EQ(working(), " 0 0 10 10\ncn1\nci 1 2 3\nlc5\n#\n#\n");  // kept after errors
}

TEST_F(Driver, SecondPassReadsTextRecordFields) {
    EXPECT_EQ(run_with("ch 1 2 3 4 \"abcdefgh\n"
                       "co 5 6 \"xy\n"),  // the third field fails: the rest keep their values
              0);
    EXPECT_STREQ(s().ChHEAD, "co");
    EXPECT_EQ(s().ChHEAD[2], '\0');
    EXPECT_EQ(s().ChHEAD[3], '\0');
    EXPECT_EQ(s().ChX, 5.0);
    EXPECT_EQ(s().ChY, 6.0);
    EXPECT_EQ(s().ChDX, 3.0);
    EXPECT_EQ(s().ChDY, 4.0);
    EXPECT_STREQ(s().ChSTR, "abcdefgh");
    EXPECT_EQ(result(), completed("0.000000", "0.000000", 2));
}

TEST_F(Driver, TextRecordWithoutQuoteKeepsTheBody) {
    EXPECT_EQ(run_with("ch 1 2 3 4 \"abc\n"
                       "cs 9 8 7 6 no quote\n"),
              0);
    EXPECT_STREQ(s().ChHEAD, "cs");
    EXPECT_EQ(s().ChX, 9.0);
    EXPECT_EQ(s().ChDY, 6.0);
    EXPECT_STREQ(s().ChSTR, "abc");
}

TEST_F(Driver, TextBodiesShareOneBuffer) {
    // A shorter body is terminated where it ends; the bytes behind stay.
    EXPECT_EQ(run_with("ch 1 2 3 4 \"abcdefgh\n"
                       "cr -1e1 2.5\t-3 4\t \"xy\n"),
              0);
    EXPECT_STREQ(s().ChHEAD, "cr");
    EXPECT_EQ(s().ChX, -10.0);
    EXPECT_EQ(s().ChY, 2.5);
    EXPECT_EQ(s().ChDX, -3.0);
    EXPECT_STREQ(s().ChSTR, "xy");
    EXPECT_EQ(std::string(s().ChSTR + 4, 4), "efgh");
}

TEST_F(Driver, TextBodyIsCutAt250Bytes) {
    EXPECT_EQ(run_with("cs 0 0 1 0 \"" + std::string(300, 'A') + "\n"), 0);
    EXPECT_EQ(std::strlen(s().ChSTR), 250u);
    EXPECT_EQ(s().ChSTR[249], 'A');
}

TEST_F(Driver, QuoteEndingAReadGivesAnEmptyBody) {
    // The second record is 511 bytes long and ends with the quote; its line
    // end is read as a record of its own.
    std::string head = "ch 1 2 3 4";
    std::string second = head + std::string(510 - head.size(), ' ') + "\"";
    ASSERT_EQ(second.size(), 511u);
    EXPECT_EQ(run_with("ch 0 0 1 0 \"zzz\n" + second + "\n"), 0);
    EXPECT_EQ(s().ChX, 1.0);
    EXPECT_STREQ(s().ChSTR, "");
    EXPECT_EQ(s().ChSTR[1], 'z');
    EXPECT_EQ(s().mmax, 2);
}

TEST_F(Driver, LongLineIsReadAsTwoRecords) {
    // 600 bytes: the rest after 511 bytes is a text record of its own.
    std::string first = "ch 1 2 3 4 \"" + std::string(499, 'q');
    ASSERT_EQ(first.size(), 511u);
    std::string rest = "ch 5 6 7 8 \"rest";
    std::string line = first + rest + std::string(600 - 1 - first.size() - rest.size(), ' ') + "\n";
    ASSERT_EQ(line.size(), 600u);
    EXPECT_EQ(run_with(line), 0);
    EXPECT_EQ(s().mmax, 2);
    EXPECT_EQ(s().ChX, 5.0);
    EXPECT_EQ(std::strncmp(s().ChSTR, "rest", 4), 0);
    EXPECT_EQ(result(), completed("0.000000", "0.000000", 2));
}

TEST_F(Driver, TextKindFollowsTheCnRecords) {
    EXPECT_EQ(run_with("cn3\nch 0 0 1 0 \"abc\ncn0 1 2 3 4\ncn7\ncnq\n"), 0);
    EXPECT_EQ(s().MOJIS, 7);
}

TEST_F(Driver, SummaryStandsTenScaleUnitsBelowTheExtent) {
    const std::string input =
        "hs 0 5 0 0 0 0 0 0 0 0 0 0 0 0 0 0\nlg1\nhn 10 20 30 40\n#\nch 0 0 1 0 \"abc\n";
    EXPECT_EQ(run_with(input), 0);
    std::string s = summary(0, 0, 0, 1);
    EXPECT_EQ(result(), "cn4\nch 10.000000 -30.000000 10.0 0.0 \"" + s +
                            "\nlg1\nly14\nlt20\nlc20\nh# " + s + "\n");
    EXPECT_FALSE(file_exists("JWC_TEMP.$$$"));
    EXPECT_EQ(c.trace(), "");
}

TEST_F(Driver, WorkingCopyStaysAboveLevelZeroWithTheFinalLine) {
    const std::string input = "hs 2.5\n#\nch 0 0 1 0 \"abc\nco 0 0 1 0 \"def\n";
    EXPECT_EQ(run_with(input, {"-t1", "-b0.25"}), 0);
    EXPECT_EQ(working(), input + "#\n");
    EXPECT_EQ(c.trace(), "## Bairitsu(0.2) scale(2.5) mmax(2) isTest(1) BATU(0) SAN(0) MARU(0)\n");
    EXPECT_EQ(result(), completed("0.000000", "-25.000000", 2));
}

TEST_F(Driver, NegativeLevelKeepsTheCopyWithoutTheFinalLine) {
    EXPECT_EQ(run_with("ch 0 0 1 0 \"abc\n", {"-t-1"}), 0);
    EXPECT_TRUE(file_exists("JWC_TEMP.$$$"));
    EXPECT_EQ(c.trace(), "");
}

TEST_F(Driver, MissingExchangeFile) {
    EXPECT_EQ(run_args({"-t1"}), -1);
    EXPECT_EQ(c.errors(), "Cannot open file: JWC_TEMP.TXT\n");
    EXPECT_EQ(c.trace(), "");
    EXPECT_FALSE(file_exists("JWC_TEMP.TXT"));
    EXPECT_FALSE(file_exists("JWC_TEMP.$$$"));
}

TEST_F(Driver, ExchangeFileThatIsAFolderCannotBeRead) {
    // A folder under the exchange name cannot be read: the intake fails
    // before anything is written, and the folder stays as it was.
    std::filesystem::create_directory("JWC_TEMP.TXT");
    EXPECT_EQ(run_args({}), -1);
    EXPECT_EQ(c.errors(), "Cannot open file: JWC_TEMP.TXT\n");
    EXPECT_TRUE(std::filesystem::is_directory("JWC_TEMP.TXT"));
}

TEST_F(Driver, WorkingCopyThatCannotBeWrittenLeavesTheExchangeFileAlone) {
    std::filesystem::create_symlink("/dev/full", "JWC_TEMP.$$$");
    const std::string input = "ch 0 0 1 0 \"abc\n";
    EXPECT_EQ(run_with(input), -1);
    EXPECT_EQ(c.errors(), "Cannot write file: JWC_TEMP.$$$");
    EXPECT_EQ(result(), input);
}

}  // namespace
}  // namespace dimcheck::test
