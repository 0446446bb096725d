// Verdict marks with their counters, and the records that restore the
// drawing attributes first seen in the input.
#include <gtest/gtest.h>

#include <string>

#include "marks/marks.h"
#include "support.h"

namespace dimcheck {
namespace {

using test::Captured;

// A text at (1000, 500) along (400, 0), height 2.5 at scale 100: the mark is
// centred on (1200, 500) with r = 2.5 x 100 x 0.5 x 2.5 = 312.5.
struct Marks : ::testing::Test {
    Captured c;
    DrawingState& s = *c.s;
    Marks() {
        s.MOJIS = 4;
        s.MOJI_H[4] = 2.5;
        s.scale = 100.0;
        s.ChX = 1000;
        s.ChY = 500;
        s.ChDX = 400;
        s.ChDY = 0;
    }
};

TEST_F(Marks, DoubleCircleForKindOne) {
    Print_batu_maru(s, 1);
    EXPECT_EQ(c.result(),
              "lt1\nlc2\n"
              "ci 1200.000000 500.000000 312.500000\n"
              "ci 1200.000000 500.000000 156.250000\n");
    EXPECT_EQ(s.maru_count, 1);
    EXPECT_EQ(s.sankaku_count, 0);
    EXPECT_EQ(s.batu_count, 0);
}

TEST_F(Marks, CircleForKindTwo) {
    Print_batu_maru(s, 2);
    EXPECT_EQ(c.result(), "lt1\nlc2\nci 1200.000000 500.000000 312.500000\n");
    EXPECT_EQ(s.maru_count, 1);
}

TEST_F(Marks, TriangleForKindThree) {
    Print_batu_maru(s, 3);
    EXPECT_EQ(c.result(),
              "lt1\nlc2\n"
              "887.500000000000 187.500000000000 1512.500000000000 187.500000000000\n"
              "1512.500000000000 187.500000000000 1200.000000000000 812.500000000000\n"
              "1200.000000000000 812.500000000000 887.500000000000 187.500000000000\n");
    EXPECT_EQ(s.sankaku_count, 1);
    EXPECT_EQ(s.maru_count, 0);
}

TEST_F(Marks, CrossForKindFour) {
    Print_batu_maru(s, 4);
    EXPECT_EQ(c.result(),
              "lt1\nlc2\n"
              "887.500000000000 187.500000000000 1512.500000000000 812.500000000000\n"
              "1512.500000000000 187.500000000000 887.500000000000 812.500000000000\n");
    EXPECT_EQ(s.batu_count, 1);
}

TEST_F(Marks, EveryMarkCarriesItsOwnAttributesAndCounts) {
    for (int kind : {2, 4, 1, 3, 4}) Print_batu_maru(s, kind);
    std::string r = c.result();
    std::size_t n = 0;
    for (std::size_t at = r.find("lt1\nlc2\n"); at != std::string::npos;
         at = r.find("lt1\nlc2\n", at + 1))
        ++n;
    EXPECT_EQ(n, 5u);
    const std::string last_cross_line =
        "1512.500000000000 187.500000000000 887.500000000000 812.500000000000\n";
    EXPECT_EQ(r.substr(r.size() - last_cross_line.size()), last_cross_line);
    EXPECT_EQ(s.maru_count, 2);
    EXPECT_EQ(s.sankaku_count, 1);
    EXPECT_EQ(s.batu_count, 2);
}

TEST_F(Marks, TurnedTextMovesTheCentreButNotTheFigure) {
    s.ChDX = 0;
    s.ChDY = 400;
    Print_batu_maru(s, 4);
    EXPECT_EQ(c.result(),
              "lt1\nlc2\n"
              "687.500000000000 387.500000000000 1312.500000000000 1012.500000000000\n"
              "1312.500000000000 387.500000000000 687.500000000000 1012.500000000000\n");
}

TEST_F(Marks, TextWithoutDirectionIsMarkedOnItsStart) {
    s.ChDX = 0;
    Print_batu_maru(s, 2);
    EXPECT_EQ(c.result(), "lt1\nlc2\nci 1000.000000 500.000000 312.500000\n");
}

TEST_F(Marks, RadiusIsOneAndAQuarterTextHeights) {
    s.MOJI_H[4] = 3.0;
    s.scale = 50.0;
    s.ChX = -10;
    s.ChY = -20;
    s.ChDX = 5;
    s.ChDY = 3;
    Print_batu_maru(s, 1);
    EXPECT_EQ(c.result(),
              "lt1\nlc2\n"
              "ci -7.500000 -18.500000 187.500000\n"
              "ci -7.500000 -18.500000 93.750000\n");
}

TEST_F(Marks, ZeroRadiusIsStillWrittenAndCounted) {
    s.scale = 0.0;
    Print_batu_maru(s, 1);
    s.scale = 100.0;
    s.MOJIS = 12;  // a kind whose height was never filled
    Print_batu_maru(s, 4);
    EXPECT_EQ(c.result(),
              "lt1\nlc2\n"
              "ci 1200.000000 500.000000 0.000000\n"
              "ci 1200.000000 500.000000 0.000000\n"
              "lt1\nlc2\n"
              "1200.000000000000 500.000000000000 1200.000000000000 500.000000000000\n"
              "1200.000000000000 500.000000000000 1200.000000000000 500.000000000000\n");
    EXPECT_EQ(s.maru_count, 1);
    EXPECT_EQ(s.batu_count, 1);
}

TEST_F(Marks, TextKindOutsideTheTableReadsHeightZero) {
    for (int kind : {99, -1, 16}) {
        s.MOJIS = kind;
        Print_batu_maru(s, 2);
    }
    const std::string one = "lt1\nlc2\nci 1200.000000 500.000000 0.000000\n";
    EXPECT_EQ(c.result(), one + one + one);
    EXPECT_EQ(s.maru_count, 3);
}

TEST_F(Marks, LineRecordFormat) {
    LN_OUT(s, -1.25, 0, 1e-13, 123456789.5);
    EXPECT_EQ(c.result(), "-1.250000000000 0.000000000000 0.000000000000 123456789.500000000000\n");
}

TEST(MarkKind, VerdictCodesMapToKinds) {
    EXPECT_EQ(mark_kind(0), 1);
    EXPECT_EQ(mark_kind(1), 2);
    EXPECT_EQ(mark_kind(2), 3);
    EXPECT_EQ(mark_kind(3), 3);
    EXPECT_EQ(mark_kind(10), 4);
    EXPECT_EQ(mark_kind(-2), 0);
    EXPECT_EQ(mark_kind(20), 0);
    EXPECT_EQ(mark_kind(4), 0);
}

// ---------------------------------------------------------------------------
// Restoring the first-seen attributes.

struct Restore : ::testing::Test {
    Captured c;
    DrawingState& s = *c.s;
};

TEST_F(Restore, FirstSeenValuesInOrder) {
    s.MOJISi = 5;
    s.GROUPi = 3;
    s.LAYERi = 10;
    s.TYPEi = 1;
    s.COLORi = 5;
    s.TENSi = 2;
    // The current values are not what is restored.
    s.MOJIS = 7;
    s.GROUP = 4;
    s.LAYER = 11;
    s.TYPE = 2;
    s.COLOR = 6;
    s.TENS = 3;
    IniZokusei(s);
    EXPECT_EQ(c.result(), "cn5\nlg3\nlya\nlt1\nlc5\npn2\n");
}

TEST_F(Restore, FreeSizeTextKindWithItsFourValues) {
    s.MOJISi = 0;
    s.MOJIWi = 2.5;
    s.MOJIHi = 3;
    s.MOJIDi = 0.5;
    s.MOJICi = 1;
    s.MOJI_W[0] = 9;  // a later cn0 record
    IniZokusei(s);
    EXPECT_EQ(c.result(), "cn0 2.50, 3.00, 0.50, 1\nlg14\nly14\nlt20\nlc20\n");
}

TEST_F(Restore, NothingSeen) {
    IniZokusei(s);
    EXPECT_EQ(c.result(), "lg14\nly14\nlt20\nlc20\n");
}

TEST_F(Restore, LimitsOfTheTextKindAndPointKind) {
    s.MOJISi = 10;
    s.TENSi = 9;
    IniZokusei(s);
    s.MOJISi = 11;
    s.TENSi = 10;
    IniZokusei(s);
    EXPECT_EQ(c.result(),
              "cn10\nlg14\nly14\nlt20\nlc20\npn9\n"
              "lg14\nly14\nlt20\nlc20\n");
}

TEST_F(Restore, HexadecimalGroupAndLayer) {
    s.GROUPi = 15;
    s.LAYERi = 0;
    s.TYPEi = 0;
    s.COLORi = 9;
    s.TENSi = 0;
    s.MOJISi = 1;
    IniZokusei(s);
    EXPECT_EQ(c.result(), "cn1\nlgf\nly0\nlt0\nlc9\npn0\n");
}

}  // namespace
}  // namespace dimcheck
