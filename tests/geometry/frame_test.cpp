// Point-in-frame test by the parity of crossings along three rays.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "geometry/geometry.h"
#include "support.h"

namespace dimcheck {
namespace {

using test::Captured;

// The frame (0,0) (10,0) (10,4) (0,4) with the three far points below and to
// the left of it, 0.2 apart in x.
struct Frame : ::testing::Test {
    Captured c;
    DrawingState& s = *c.s;
    Frame() {
        s.PT[1] = {0, 0};
        s.PT[2] = {10, 0};
        s.PT[3] = {10, 4};
        s.PT[4] = {0, 4};
        s.PTcnt = 4;
        s.Pmin[0] = {-50, -18};
        s.Pmin[1] = {-50.2, -18};
        s.Pmin[2] = {-50.4, -18};
    }

    int inside(double x, double y) {
        double seg[4] = {x, y, x, y};
        return Sen_inside(s, seg);
    }

    // The closing summary line of one call at level 2.
    std::string counts_of(double x, double y) {
        s.isTest = 2;
        long start = std::ftell(s.out);
        inside(x, y);
        std::string all = c.trace().substr(static_cast<std::size_t>(start));
        std::size_t at = all.rfind("#### ");
        return at == std::string::npos ? "" : all.substr(at);
    }
};

TEST_F(Frame, InteriorPointHasOneCrossingPerRay) {
    EXPECT_EQ(inside(5, 2), 1);
    EXPECT_EQ(s.KPcnt, 1);  // left at the third pass's count
    EXPECT_EQ(counts_of(5, 2), "#### Sen_inside() kt(3) k(3) k1(1) k2(1) k3(1)\n");
}

TEST_F(Frame, PointRightOfTheFrameHasTwoCrossingsPerRay) {
    EXPECT_EQ(inside(12, 2), 0);
    EXPECT_EQ(s.KPcnt, 2);
    EXPECT_EQ(counts_of(12, 2), "#### Sen_inside() kt(6) k(0) k1(2) k2(2) k3(2)\n");
}

TEST_F(Frame, PointOnTheBottomSideIsInside) {
    // The rays leave through the bottom side at the point itself.
    EXPECT_EQ(inside(5, 0), 1);
    EXPECT_EQ(counts_of(5, 0), "#### Sen_inside() kt(3) k(3) k1(1) k2(1) k3(1)\n");
}

TEST_F(Frame, PointOnTheTopSideIsOutside) {
    // Counted at the top side and again where the ray leaves through the left.
    EXPECT_EQ(inside(5, 4), 0);
    EXPECT_EQ(counts_of(5, 4), "#### Sen_inside() kt(6) k(0) k1(2) k2(2) k3(2)\n");
}

TEST_F(Frame, LowerLeftCornerIsOutside) {
    // Counted on the bottom and on the left side.
    EXPECT_EQ(inside(0, 0), 0);
    EXPECT_EQ(counts_of(0, 0), "#### Sen_inside() kt(6) k(0) k1(2) k2(2) k3(2)\n");
}

TEST_F(Frame, InteriorPointWhoseRaysLeaveThroughACornerIsOutside) {
    // The rays from (5, 2) to these points pass exactly through (0, 0).
    s.Pmin[0] = {-50, -20};
    s.Pmin[1] = {-50, -20};
    s.Pmin[2] = {-50, -20};
    EXPECT_EQ(inside(5, 2), 0);
    EXPECT_EQ(s.KPcnt, 2);
}

TEST_F(Frame, EveryRayMustCountOddly) {
    // One ray at a time leaves through the corner (0, 0); the others are
    // the ordinary ones.
    for (int pass = 0; pass < 3; ++pass) {
        s.Pmin[0] = {-50, -18};
        s.Pmin[1] = {-50.2, -18};
        s.Pmin[2] = {-50.4, -18};
        s.Pmin[pass] = {-50, -20};
        EXPECT_EQ(inside(5, 2), 0) << "pass " << pass + 1;
    }
    s.Pmin[2] = {-50, -20};
    EXPECT_EQ(counts_of(5, 2), "#### Sen_inside() kt(4) k(2) k1(1) k2(1) k3(2)\n");
}

TEST_F(Frame, FourCrossingsAreNotDrawn) {
    // The ray from (15, 6) to (-50, -20) runs along the diagonal through the
    // corners (10, 4) and (0, 0): each corner counts on both of its sides.
    s.isTest = 2;
    s.Pmin[0] = {-50, -20};
    EXPECT_EQ(inside(15, 6), 0);
    EXPECT_EQ(c.result(), "");
    std::string t = c.trace();
    EXPECT_NE(t.find(" k1(4) "), std::string::npos) << t;
}

TEST_F(Frame, OnlyTheMidpointOfTheSegmentIsTested) {
    double across[4] = {4, 1, 6, 3};   // midpoint (5, 2)
    EXPECT_EQ(Sen_inside(s, across), 1);
    double outside[4] = {0, 2, 24, 2};  // midpoint (12, 2), first end on the left side
    EXPECT_EQ(Sen_inside(s, outside), 0);
}

TEST_F(Frame, CounterIsResetBeforeEveryPass) {
    s.KPcnt = 7;
    EXPECT_EQ(inside(5, 2), 1);
}

TEST_F(Frame, NaNPointMeetsNoSide) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(inside(nan, 2), 0);
    EXPECT_EQ(s.KPcnt, 0);
    EXPECT_EQ(counts_of(nan, nan), "#### Sen_inside() kt(0) k(0) k1(0) k2(0) k3(0)\n");
}

// ---------------------------------------------------------------------------
// Traces.

TEST_F(Frame, LevelTwoTraceOfAnInteriorPoint) {
    s.isTest = 2;
    EXPECT_EQ(inside(5, 2), 1);
    // Each ray is counted once, on the left side, near (0, 0.18).
    EXPECT_EQ(c.trace(),
              "# Sen_inside()  cp(5.0 , 2.0) SQhani[0.0 , 0.0  10.0 , 4.0]\n"
              "#      XXX  KP[0] kten(0 ,0)  XXX p(3)q(0) KPcnt(1) seido(0)\n"
              "#      XXX  KP[0] kten(0 ,0)  XXX p(3)q(0) KPcnt(1) seido(0)\n"
              "#      XXX  KP[0] kten(0 ,0)  XXX p(3)q(0) KPcnt(1) seido(0)\n"
              "#### Sen_inside() kt(3) k(3) k1(1) k2(1) k3(1)\n");
    EXPECT_EQ(c.result(), "");
}

TEST_F(Frame, LevelTwoTraceOfAnOutsidePoint) {
    s.isTest = 2;
    EXPECT_EQ(inside(12, 2), 0);
    // Bottom side near (5.8, 0), then the right side near (10, 1.35).
    const std::string pass =
        "#      XXX  KP[0] kten(6 ,0)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
        "#      XXX  KP[1] kten(10 ,1)  XXX p(3)q(0) KPcnt(2) seido(0)\n";
    EXPECT_EQ(c.trace(), "# Sen_inside()  cp(12.0 , 2.0) SQhani[0.0 , 0.0  10.0 , 4.0]\n" + pass +
                             pass + pass + "#### Sen_inside() kt(6) k(0) k1(2) k2(2) k3(2)\n");
}

TEST_F(Frame, LevelThreeOpensWithTheFirstRayAndRowsZeroAndOne) {
    s.isTest = 3;
    s.PT[0] = {-1, -2};
    inside(5, 2);
    const std::string t = c.trace();
    const std::string head =
        "# Sen_inside()  cp---Pmin(5.0 , 2.0)---(-50.0 , -18.0)\n"
        "#               PT---PT+(-1.0 , -2.0)---(0.0 , 0.0)\n";
    EXPECT_EQ(t.substr(0, head.size()), head);
    // Twelve crossing tests, no level-2 lines.
    std::size_t n = 0;
    for (std::size_t at = t.find("# Koten_lnln()"); at != std::string::npos;
         at = t.find("# Koten_lnln()", at + 1))
        ++n;
    EXPECT_EQ(n, 12u);
    EXPECT_EQ(t.find("####"), std::string::npos);
    EXPECT_EQ(t.find("XXX"), std::string::npos);
}

TEST_F(Frame, ThreeCrossingsInTheFirstPassDrawTheRay) {
    // The ray from (14, 8) to (-10, -16) enters through the corner (10, 4),
    // which counts on the right and on the top side, and leaves through the
    // bottom side at (6, 0). The two other rays run horizontally above the
    // frame and meet nothing.
    s.isTest = 1;
    s.Pmin[0] = {-10, -16};
    s.Pmin[1] = {-10, 8};
    s.Pmin[2] = {-10, 8};
    EXPECT_EQ(inside(14, 8), 0);
    EXPECT_EQ(c.result(),
              "pt 6.000000000000 0.000000000000 \n# # p(7) q(0) kten(6.0 , 0.0)\n"
              "pt 10.000000000000 4.000000000000 \n# # p(3) q(0) kten(10.0 , 4.0)\n"
              "pt 10.000000000000 4.000000000000 \n# # p(7) q(0) kten(10.0 , 4.0)\n"
              "# KPcnt=3\n"
              "14.000000000000 8.000000000000 -10.000000000000 -16.000000000000\n");
    EXPECT_EQ(c.trace(), "");
}

TEST_F(Frame, ThreeCrossingsAreDrawnAtLevelsAboveOneToo) {
    s.Pmin[0] = {-10, -16};
    s.Pmin[1] = {-10, 8};
    s.Pmin[2] = {-10, 8};
    s.isTest = 3;
    inside(14, 8);
    EXPECT_EQ(c.result(),
              "# KPcnt=3\n14.000000000000 8.000000000000 -10.000000000000 -16.000000000000\n");
}

TEST_F(Frame, ThreeCrossingsInALaterPassAreNotDrawn) {
    s.isTest = 1;
    s.Pmin[0] = {-10, 8};
    s.Pmin[1] = {-10, -16};
    s.Pmin[2] = {-10, -16};
    EXPECT_EQ(inside(14, 8), 0);
    EXPECT_EQ(c.result().find("# KPcnt=3"), std::string::npos);
}

TEST_F(Frame, NoTraceAtLevelZero) {
    inside(5, 2);
    inside(14, 8);
    EXPECT_EQ(c.trace(), "");
    EXPECT_EQ(c.result(), "");
}

}  // namespace
}  // namespace dimcheck
