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
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "e2e/runner.h"
#include "support.h"

namespace dimcheck::test {
namespace {

const std::string kSample = std::string(DIMCHECK_SAMPLES) + "/plan.jwc";
const std::string kExpected = std::string(DIMCHECK_CASES) + "/../sample/plan.expect";
const std::string kTrace = std::string(DIMCHECK_CASES) + "/../sample/plan.stdout";

// The records of the n-th mark (0-based), up to the next mark or the summary.
std::string nth_mark(const std::string& result, int n) {
    std::size_t at = 0;
    for (int i = 0; i <= n; ++i) {
        at = result.find("lt1\nlc2\n", i == 0 ? 0 : at + 1);
        if (at == std::string::npos) return "";
    }
    std::size_t end = std::min(result.find("lt1\n", at + 1), result.find("cn4\n", at + 1));
    return result.substr(at, end - at);
}

class SampleRun : public ::testing::Test {
protected:
    void SetUp() override {
        write_file("JWC_TEMP.TXT", read_file(kSample));
        outcome = run_program({});
        result = read_file("JWC_TEMP.TXT");
    }
    ScratchDir scratch;
    Outcome outcome;
    std::string result;
};

TEST_F(SampleRun, ResultMatchesTheRecordedRunByteForByte) {
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(result, read_file(kExpected));
    EXPECT_EQ(outcome.out, read_file(kTrace));
    EXPECT_EQ(outcome.err, "");
    EXPECT_FALSE(file_exists("JWC_TEMP.$$$"));
}

TEST_F(SampleRun, AllFourMarksAndTheUnmarkedTextsAreCounted) {
    // "不良 Ｘ=3 , 要・確認 △=3 , 良◎◯=12  /全文字数(20)"
    const std::string summary =
        "\x95s\x97\xc7 \x82w=3 , \x97v\x81" "E\x8am\x94" "F \x81\xa2=3 , "
        "\x97\xc7\x81\x9d\x81\xfc=12  /\x91S\x95\xb6\x8e\x9a\x90\x94(20)";
    EXPECT_NE(result.find("cn4\nch -1500.000000 -4500.000000 10.0 0.0 \"" + summary + "\n"),
              std::string::npos);
    EXPECT_EQ(result.substr(result.size() - summary.size() - 4), "h# " + summary + "\n");
    // The restore brings back the first attributes of the selection.
    EXPECT_NE(result.find("\ncn3\nlg0\nly0\nlt1\nlc1\npn1\nh# "), std::string::npos);
}

TEST_F(SampleRun, HandWorkedMarks) {
    EXPECT_EQ(nth_mark(result, 0),
              "lt1\nlc2\nci 1820.000000 -950.000000 312.500000\n"
              "ci 1820.000000 -950.000000 156.250000\n");
    // Triangle: three strokes, base first.
    std::string triangle = nth_mark(result, 5);
    EXPECT_EQ(triangle.rfind("lt1\nlc2\n2418.850000000000 6237.500000000000 "
                             "3043.850000000000 6237.500000000000\n",
                             0),
              0u);
    EXPECT_EQ(std::count(triangle.begin(), triangle.end(), '\n'), 5);
    // Cross of the "3,640" that is 1.9 short.
    std::string cross = nth_mark(result, 6);
    EXPECT_EQ(std::count(cross.begin(), cross.end(), '\n'), 4);
    // The widened "300" gets a single circle.
    EXPECT_EQ(nth_mark(result, 12), "lt1\nlc2\nci 7850.100000 6050.000000 312.500000\n");
    // "900" with one end point: a cross, rising diagonal first.
    EXPECT_EQ(nth_mark(result, 17),
              "lt1\nlc2\n5475.000000000000 4037.500000000000 6100.000000000000 "
              "4662.500000000000\n6100.000000000000 4037.500000000000 5475.000000000000 "
              "4662.500000000000\n");
}

}  // namespace
}  // namespace dimcheck::test
