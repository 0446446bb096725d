// Arrow tips: two strokes of arrowhead length (more than 1.7 and less than 3.5
// times the scale), alike within ten per cent, that meet exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "intake/intake.h"
#include "support.h"

namespace dimcheck::test {
namespace {

class Arrow : public ::testing::Test {
protected:
    // As after a first comment line that fixed the scale at 100.
    Arrow() {
        s().scale = 100.0;
        s().PH = 0;
    }

    void feed(std::initializer_list<std::string> lines) {
        for (const std::string& line : lines) Ten_Store(s(), line.c_str());
    }
    DrawingState& s() { return *c.s; }
    Captured c;
};

TEST_F(Arrow, StrokeBandAtScaleHundred) {
    // 170 is in: 28900 is above 2.8899999999999997 * 100 * 100.
    feed({" 0 0 170 0\n", " 0 0 0 170\n"});
    EXPECT_EQ(s().tenc, 1);
    EXPECT_EQ(s().TEN[0].x, 0.0);
    EXPECT_EQ(s().TEN[0].y, 0.0);
    // Just below 3.5 times the scale is in.
    feed({" 5 5 5 354.99\n", " 5 5 354.99 5\n"});
    EXPECT_EQ(s().tenc, 2);
    EXPECT_EQ(s().TEN[1].x, 5.0);
}

TEST_F(Arrow, StrokesOutsideTheBandNeitherJoinNorAreRemembered) {
    feed({" 0 0 170 0\n"});
    // 350 is out: 122500 is not below 12.25 * 100 * 100.
    feed({" 0 0 350 0\n", " 0 0 0 350\n"});
    EXPECT_EQ(s().tenc, 0);
    EXPECT_EQ(s().BLINEx2, 170.0);
    EXPECT_EQ(s().YALEN, 28900.0);
    // 169.99 is out as well.
    feed({" 0 0 0 169.99\n"});
    EXPECT_EQ(s().tenc, 0);
    EXPECT_EQ(s().YALEN, 28900.0);
    // The remembered stroke still pairs with the next one.
    feed({" 0 170 0 0\n"});
    EXPECT_EQ(s().tenc, 1);
}

TEST_F(Arrow, StrokesMustBeAlikeWithinTenPerCent) {
    feed({" 0 0 250 0\n", " 0 0 0 225\n"});  // 10 per cent shorter
    EXPECT_EQ(s().tenc, 0);
    EXPECT_EQ(s().YALEN, 225.0 * 225.0);  // the second stroke is remembered all the same
    feed({" 0 0 0 252\n"});  // 12 per cent longer than 225
    EXPECT_EQ(s().tenc, 0);
    feed({" 0 0 227 0\n"});  // 9.9 per cent shorter than 252
    EXPECT_EQ(s().tenc, 1);
    feed({" 0 0 0 249\n"});  // 9.7 per cent longer than 227
    EXPECT_EQ(s().tenc, 1);  // the same tip as the last point: not added
}

TEST_F(Arrow, UpperLikenessBoundIsTheDoubleProduct) {
    // 1.1 * 1.1 is the double 1.2100000000000002, a hair above 1.21: a stroke
    // exactly ten per cent longer than the remembered one still joins.
    feed({" 0 0 250 0\n", " 0 0 0 275\n"});
    EXPECT_EQ(s().tenc, 1);
}

TEST_F(Arrow, TheFirstStrokeNeverJoins) {
    // The memory starts as the degenerate line at the origin with length 0.
    feed({" 0 0 200 0\n"});
    EXPECT_EQ(s().tenc, 0);
    EXPECT_EQ(s().BLINEx1, 0.0);
    EXPECT_EQ(s().BLINEx2, 200.0);
    EXPECT_EQ(s().YALEN, 40000.0);
}

TEST_F(Arrow, EndPointsMustMeetExactly) {
    double x = std::nextafter(200.0, 300.0);
    char line[80];
    std::snprintf(line, sizeof line, " %.17g 0 %.17g 200\n", x, x);
    feed({" 0 0 200 0\n", line});
    EXPECT_EQ(s().tenc, 0);
}

TEST_F(Arrow, OtherRecordsAndLongLinesDoNotBreakAPair) {
    feed({" 0 0 200 0\n", "lc3\n", "ch 0 0 1 0 \"x\n", "# comment\n", "cn2\n", "hcw 1\n",
          " 0 0 5000 5000\n", " 1 1 2 2\n", " 200 0 200 210\n"});
    EXPECT_EQ(s().tenc, 1);
    EXPECT_EQ(s().TEN[0].x, 200.0);
    EXPECT_EQ(s().TEN[0].y, 0.0);
}

TEST_F(Arrow, EachOfTheFourPairingsFindsTheTip) {
    // New first end on remembered first end, on remembered second end; new
    // second end on remembered first end, on remembered second end.
    feed({" 0 0 200 0\n", " 0 0 0 200\n"});
    feed({" 500 0 700 0\n", " 700 0 700 200\n"});
    feed({" 1000 0 1200 0\n", " 1000 200 1000 0\n"});
    feed({" 1500 0 1700 0\n", " 1700 200 1700 0\n"});
    ASSERT_EQ(s().tenc, 4);
    EXPECT_EQ(s().TEN[0].x, 0.0);
    EXPECT_EQ(s().TEN[1].x, 700.0);
    EXPECT_EQ(s().TEN[2].x, 1000.0);
    EXPECT_EQ(s().TEN[3].x, 1700.0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s().TEN[i].y, 0.0) << i;
}

TEST_F(Arrow, IdenticalOrReversedLineTakesTheLaterPairing) {
    feed({" 0 0 200 0\n", " 0 0 200 0\n"});  // pairings 1 and 4: the new second end
    ASSERT_EQ(s().tenc, 1);
    EXPECT_EQ(s().TEN[0].x, 200.0);

    Captured other;
    DrawingState& t = *other.s;
    t.scale = 100.0;
    Ten_Store(t, " 0 0 200 0\n");
    Ten_Store(t, " 200 0 0 0\n");  // pairings 2 and 3: the new second end
    ASSERT_EQ(t.tenc, 1);
    EXPECT_EQ(t.TEN[0].x, 0.0);
}

TEST_F(Arrow, ThreeStrokesInARowAddTwoTips) {
    feed({" 0 0 200 0\n", " 200 0 200 200\n", " 200 200 0 200\n"});
    ASSERT_EQ(s().tenc, 2);
    EXPECT_EQ(s().TEN[0].x, 200.0);
    EXPECT_EQ(s().TEN[0].y, 0.0);
    EXPECT_EQ(s().TEN[1].x, 200.0);
    EXPECT_EQ(s().TEN[1].y, 200.0);
}

TEST_F(Arrow, TipEqualToTheLastPointIsNotAddedButTraced) {
    s().isTest = 3;
    feed({"pt 9 9\n", "pt 0 0\n", " 0 0 200 0\n", " 0 0 0 200\n"});
    EXPECT_EQ(s().tenc, 2);
    EXPECT_EQ(c.trace(), "# Yaji()  yajirusi tenc=2 \n");
    // An equal point that is not the last one is left to consolidation.
    feed({" 9 9 209 9\n", " 9 9 9 209\n"});
    EXPECT_EQ(s().tenc, 3);
    EXPECT_EQ(c.trace(), "# Yaji()  yajirusi tenc=2 \n# Yaji()  yajirusi tenc=2 \n");
}

TEST_F(Arrow, TraceBelongsToLevelThreeExactly) {
    for (int level : {0, 1, 2, 4}) {
        Captured other;
        DrawingState& t = *other.s;
        t.scale = 100.0;
        t.isTest = level;
        Ten_Store(t, " 0 0 200 0\n");
        Ten_Store(t, " 0 0 0 200\n");
        EXPECT_EQ(t.tenc, 1) << level;
        EXPECT_EQ(other.trace(), "") << level;
    }
}

TEST_F(Arrow, ZeroScaleFindsNoTip) {
    s().scale = 0.0;
    feed({" 0 0 200 0\n", " 0 0 0 200\n", " 0 0 0.001 0\n", " 0 0 0 0.001\n"});
    EXPECT_EQ(s().tenc, 0);
    EXPECT_EQ(s().YALEN, 0.0);
}

TEST_F(Arrow, UnparsedLineReusesThePreviousValues) {
    feed({" 0 0 200 0\n", " 0 0 0 200\n"});  // tip (0, 0)
    // The failing field keeps (0, 200) as the second end; the joint with the
    // remembered stroke is (0, 200) on its second end.
    feed({" 200 200 q\n"});
    ASSERT_EQ(s().tenc, 2);
    EXPECT_EQ(s().TEN[1].x, 0.0);
    EXPECT_EQ(s().TEN[1].y, 200.0);
}

}  // namespace
}  // namespace dimcheck::test
