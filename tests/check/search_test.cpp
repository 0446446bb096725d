// The end-point search: the frame laid over the text, the far points of the
// test rays, and the selection of the end points inside the frame.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "check/check.h"
#include "support.h"

namespace dimcheck {
namespace {

using test::Captured;

// A text at (0, 0) along (100, 0), 2.5 paper units high at scale 1, in layer
// group 0 of scale 1, with an empty extent.
struct Search : ::testing::Test {
    Captured c;
    DrawingState& s = *c.s;
    Search() {
        s.MOJIS = 3;
        s.MOJI_H[3] = 2.5;
        s.scale = 1.0;
        s.G_SCALE[0] = 1.0;
        s.ChDX = 100.0;
        // Markers for what the search must leave alone.
        s.PT[0] = {-7, -7};
        s.PT[5] = {-9, -9};
    }
    void add(double x, double y) { s.TEN[s.tenc++] = {x, y}; }
    void expect_corner(int row, double x, double y) {
        EXPECT_DOUBLE_EQ(s.PT[row].x, x) << "row " << row;
        EXPECT_DOUBLE_EQ(s.PT[row].y, y) << "row " << row;
    }
};

TEST_F(Search, FrameOfATextAlongX) {
    s.PTcnt = 0;
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 0);
    // 0.75 x 1000 to each side of the middle (50, 0); 1.75 below, 4.0 above.
    expect_corner(1, -700, -1.75);
    expect_corner(2, 800, -1.75);
    expect_corner(3, 800, 4.0);
    expect_corner(4, -700, 4.0);
    EXPECT_EQ(s.PTcnt, 4);
    EXPECT_EQ(s.PT[0].x, -7);
    EXPECT_EQ(s.PT[5].x, -9);
    EXPECT_DOUBLE_EQ(s.mcos, 1.0);
    EXPECT_DOUBLE_EQ(s.msin, 0.0);
}

TEST_F(Search, FrameTurnsWithTheText) {
    s.ChDX = 0.0;
    s.ChDY = 100.0;
    Search_Ten(s, 1000.0, 0);
    // Turned about the middle (0, 50): the base side is on the right.
    expect_corner(1, 1.75, -700);
    expect_corner(2, 1.75, 800);
    expect_corner(3, -4.0, 800);
    expect_corner(4, -4.0, -700);
}

TEST_F(Search, FrameOfATextRunningBackwards) {
    s.ChX = 100.0;
    s.ChDX = -100.0;
    Search_Ten(s, 1000.0, 0);
    // Middle (50, 0); the letters' top is towards negative y.
    expect_corner(1, 800, 1.75);
    expect_corner(2, -700, 1.75);
    expect_corner(3, -700, -4.0);
    expect_corner(4, 800, -4.0);
}

TEST_F(Search, FarPointsLieBelowAndLeftOfFrameAndExtent) {
    // Frame alone: least corner (-700, -1.75), group scale 1.
    Search_Ten(s, 1000.0, 0);
    EXPECT_DOUBLE_EQ(s.Pmin[0].x, -750.0);
    EXPECT_DOUBLE_EQ(s.Pmin[1].x, -750.2);
    EXPECT_DOUBLE_EQ(s.Pmin[2].x, -750.4);
    for (const Point& p : s.Pmin) EXPECT_DOUBLE_EQ(p.y, -19.75);

    // The extent reaches further: its corners count in either order.
    s.HANI[0] = 5000;
    s.HANI[1] = -20;
    s.HANI[2] = -1000;
    s.HANI[3] = 50;
    s.GROUP = 2;
    s.G_SCALE[2] = 10.0;
    Search_Ten(s, 1000.0, 0);
    EXPECT_DOUBLE_EQ(s.Pmin[0].x, -1500.0);
    EXPECT_DOUBLE_EQ(s.Pmin[1].x, -1502.0);
    EXPECT_DOUBLE_EQ(s.Pmin[2].x, -1504.0);
    for (const Point& p : s.Pmin) EXPECT_DOUBLE_EQ(p.y, -200.0);
}

TEST_F(Search, LayerGroupOutsideTheTableReadsScaleZero) {
    for (int group : {16, -1}) {
        s.GROUP = group;
        Search_Ten(s, 1000.0, 0);
        for (const Point& p : s.Pmin) {
            EXPECT_EQ(p.x, -700.0) << group;
            EXPECT_EQ(p.y, -1.75) << group;
        }
    }
}

TEST_F(Search, TextKindOutsideTheTableGivesAFlatFrame) {
    s.MOJIS = 99;
    Search_Ten(s, 1000.0, 0);
    expect_corner(1, -700, 0);
    expect_corner(3, 800, 0);
}

TEST_F(Search, KeepsThePointsInsideWithTheirDistanceFromTheStart) {
    s.ChY = 3.0;  // frame y from 1.25 to 7.0
    add(4, 6);        // inside, 5 from the start
    add(801, 4);      // right of the frame
    add(100, 8);      // above it
    add(-701, 4);     // left of it
    add(300, 1.0);    // below it
    add(0, 3);        // the start point itself
    add(300, 3);      // inside, 300 from the start
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 3);
    EXPECT_EQ(s.STEN[0].x, 4);
    EXPECT_EQ(s.STEN[0].y, 6);
    EXPECT_EQ(s.STEN[0].d, 5.0);
    EXPECT_EQ(s.STEN[1].x, 0);
    EXPECT_EQ(s.STEN[1].d, 0.0);
    EXPECT_EQ(s.STEN[2].x, 300);
    EXPECT_EQ(s.STEN[2].d, 300.0);
}

TEST_F(Search, PointOnTheBaseSideCountsPointOnTheTopSideDoesNot) {
    add(100, -1.75);
    add(200, 4.0);
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 1);
    EXPECT_EQ(s.STEN[0].x, 100);
}

TEST_F(Search, NoPointFound) {
    add(5000, 0);
    s.STEN[0] = {1, 2, 3};
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 0);
    EXPECT_EQ(s.STEN[0].x, 1);  // entries beyond the count keep what they held
}

TEST_F(Search, AtMostThirtyNinePointsInTableOrder) {
    s.ChY = 3.0;
    s.STEN[40] = {-1, -1, -1};
    for (int k = 0; k < 45; ++k) {
        add(10.0 * k, 100.0);  // outside, between the inside ones
        add(10.0 * k, 3.5);
    }
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 39);
    for (int k = 0; k < 39; ++k) {
        EXPECT_EQ(s.STEN[k].x, 10.0 * k);
        EXPECT_EQ(s.STEN[k].y, 3.5);
        EXPECT_DOUBLE_EQ(s.STEN[k].d, std::sqrt(100.0 * k * k + 0.25));
    }
    // Later points keep overwriting the entry behind the count.
    EXPECT_EQ(s.STEN[39].x, 440.0);
    EXPECT_EQ(s.STEN[40].x, -1);
}

TEST_F(Search, SelectionUsesTheFrameAsItStands) {
    // The crossing-test frame, searched without rebuilding it.
    s.PT[1] = {0, 0};
    s.PT[2] = {10, 0};
    s.PT[3] = {10, 4};
    s.PT[4] = {0, 4};
    s.Pmin[0] = {-50, -18};
    s.Pmin[1] = {-50.2, -18};
    s.Pmin[2] = {-50.4, -18};
    s.ChX = 1;
    s.ChY = 2;
    add(5, 2);
    add(12, 2);
    add(5, 0);
    add(5, 4);
    add(0, 0);
    EXPECT_EQ(Get_Ten_Hanni(s), 2);
    EXPECT_EQ(s.STEN[0].x, 5);
    EXPECT_EQ(s.STEN[0].d, 4.0);
    EXPECT_EQ(s.STEN[1].y, 0);
    EXPECT_DOUBLE_EQ(s.STEN[1].d, std::sqrt(20.0));
}

// ---------------------------------------------------------------------------
// Traces.

TEST_F(Search, LevelOneDrawsTheFrameTheModeAndTheFirstFarPoint) {
    s.isTest = 1;
    Search_Ten(s, 1000.0, 1);
    EXPECT_EQ(c.result(),
              "pt -700.000000000000 -1.750000000000 \n"
              "pt 800.000000000000 -1.750000000000 \n"
              "pt 800.000000000000 4.000000000000 \n"
              "pt -700.000000000000 4.000000000000 \n"
              "ch -700.000000 4.000000 30 0 \"1\n"
              "pt -750.000000000000 -19.750000000000 \n"
              "# ## Pmin(-750.0 , -19.8) \n");
    EXPECT_EQ(c.trace(), "");
}

TEST_F(Search, LevelOneFrameRecordsComeBeforeThoseOfTheCrossingTests) {
    s.isTest = 1;
    add(0, -1);
    Search_Ten(s, 1000.0, 0);
    const std::string head =
        "pt -700.000000000000 -1.750000000000 \n"
        "pt 800.000000000000 -1.750000000000 \n"
        "pt 800.000000000000 4.000000000000 \n"
        "pt -700.000000000000 4.000000000000 \n"
        "ch -700.000000 4.000000 30 0 \"0\n"
        "pt -750.000000000000 -19.750000000000 \n"
        "# ## Pmin(-750.0 , -19.8) \n";
    std::string r = c.result();
    ASSERT_GT(r.size(), head.size());
    EXPECT_EQ(r.substr(0, head.size()), head);
    EXPECT_EQ(r.substr(head.size(), 3), "pt ");
}

TEST_F(Search, LevelTwoOpensWithTheLengthsAndClosesWithTheCount) {
    s.isTest = 2;
    add(0, -1);
    add(5000, 0);
    add(10, 0);
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 2);
    std::string t = c.trace();
    const std::string first = "# Search_Ten() nagasa(1000.0) draft(0.8) mae(750.0) ush(750.0)\n";
    const std::string last = "# Get_Ten_Hanni() j(2)/tenc(3)\n";
    EXPECT_EQ(t.substr(0, first.size()), first);
    ASSERT_GE(t.size(), last.size());
    EXPECT_EQ(t.substr(t.size() - last.size()), last);
    EXPECT_EQ(c.result(), "");
}

// A text whose base line has no length has no direction and finds nothing.
TEST_F(Search, ZeroLengthBaseLineFindsNothingAndBuildsNoFrame) {
    s.isTest = 2;
    s.ChDX = 0.0;
    s.ChDY = 0.0;
    s.PTcnt = 0;
    s.PT[1] = {11, 12};
    s.Pmin[0] = {13, 14};
    add(0, 0);
    add(0, -1);
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 0);
    EXPECT_EQ(c.trace(), "# Search_Ten() nagasa(1000.0) draft(0.8) mae(750.0) ush(750.0)\n");
    EXPECT_EQ(s.PT[1].x, 11);
    EXPECT_EQ(s.Pmin[0].x, 13);
    EXPECT_EQ(c.result(), "");
}

TEST_F(Search, ZeroLengthBaseLineWritesNothingAtLevelOne) {
    s.isTest = 1;
    s.ChDX = 0.0;
    add(0, 0);
    EXPECT_EQ(Search_Ten(s, 1000.0, 1), 0);
    EXPECT_EQ(c.result(), "");
    EXPECT_EQ(c.trace(), "");
}

}  // namespace
}  // namespace dimcheck
