// Crossing test of two segments (Koten_lnln), its tolerance box (__CROSS)
// and the drawing records written for traces.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "geometry/geometry.h"
#include "support.h"

namespace dimcheck {
namespace {

using test::Captured;

struct Seg {
    double v[4];
};

// A fresh state with the default tolerance base (t = 0.0000025) and the
// counter at zero.
struct Crossing : ::testing::Test {
    Captured c;
    DrawingState& s = *c.s;
    Crossing() { s.KPcnt = 0; }

    int meet(Seg a, Seg b) { return Koten_lnln(s, a.v, b.v, 0); }
};

// ---------------------------------------------------------------------------
// Which branch counts, and how much.

TEST_F(Crossing, DiagonalsCrossInTheMiddle) {
    // mB = -1, bB = 10, mA = 1, bA = 0: kten = (5, 5), code 7.
    s.isTest = 1;
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{0, 10, 10, 0}}), 1);
    EXPECT_EQ(s.KPcnt, 1);
    EXPECT_EQ(c.result(), "pt 5.000000000000 5.000000000000 \n# # p(7) q(0) kten(5.0 , 5.0)\n");
    EXPECT_EQ(c.trace(), "");
}

TEST_F(Crossing, MeetingPointFollowsTheInterceptFormulas) {
    // x = (bB - bA) / (mA - mB), y = (mA bB - bA mB) / (mA - mB); the last
    // digit of y differs from mA x + bA.
    s.isTest = 1;
    EXPECT_EQ(meet({{-40, 1313, -180, -3981}}, {{2287, -2038, -2876, -256}}), 1);
    EXPECT_EQ(c.result(),
              "pt -106.768291608541 -1211.795255540108 \n"
              "# # p(7) q(0) kten(-106.8 , -1211.8)\n");
}

TEST_F(Crossing, OneVerticalSegmentGivesCodesThreeAndFour) {
    s.isTest = 1;
    // B vertical, A sloped: meeting point (5, 5) on A's line, code 3.
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{5, -1, 5, 20}}), 1);
    // A vertical, B sloped: code 4.
    EXPECT_EQ(meet({{5, -1, 5, 20}}, {{0, 0, 10, 10}}), 2);
    EXPECT_EQ(c.result(),
              "pt 5.000000000000 5.000000000000 \n# # p(3) q(0) kten(5.0 , 5.0)\n"
              "pt 5.000000000000 5.000000000000 \n# # p(4) q(0) kten(5.0 , 5.0)\n");
}

TEST_F(Crossing, VerticalAWithMissedMeetingPointStillDrawsItWithCode10) {
    s.isTest = 1;
    // The lines meet at (20, 20): beyond both segments.
    EXPECT_EQ(meet({{20, 0, 20, 1}}, {{0, 0, 10, 10}}), 0);
    EXPECT_EQ(s.KPcnt, 0);
    EXPECT_EQ(c.result(),
              "pt 20.000000000000 20.000000000000 \n# # p(10) q(0) kten(20.0 , 20.0)\n");
}

TEST_F(Crossing, SlopedAWithMissedMeetingPointLeavesNoTrace) {
    s.isTest = 1;
    // B vertical at x = 20, far right of A: code 3 is not reached, nothing drawn.
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{20, 0, 20, 30}}), 0);
    // Neither vertical, lines meet outside: nothing either.
    EXPECT_EQ(meet({{0, 0, 1, 1}}, {{0, 10, 10, 0}}), 0);
    EXPECT_EQ(c.result(), "");
}

TEST_F(Crossing, ParallelSegmentsNeverCount) {
    s.isTest = 1;
    EXPECT_EQ(meet({{1, 0, 1, 10}}, {{2, 0, 2, 10}}), 0);       // both vertical
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{0, 1, 10, 11}}), 0);     // equal slopes
    EXPECT_EQ(meet({{0, 3, 10, 3}}, {{0, 3.5, 10, 3.5}}), 0);   // both horizontal
    EXPECT_EQ(c.result(), "");
}

TEST_F(Crossing, CollinearVerticalSegmentsCountEachEndOfB) {
    s.isTest = 1;
    // Both ends of B inside A: codes 1 and 2, kten is B2.
    EXPECT_EQ(meet({{0, 0, 0, 10}}, {{0, 2, 0, 8}}), 2);
    // Only B1 inside A: still only B2 is drawn.
    EXPECT_EQ(meet({{0, 0, 0, 10}}, {{0, 5, 0, 20}}), 3);
    // A inside B: no end of B lies on A.
    EXPECT_EQ(meet({{0, 2, 0, 8}}, {{0, 0, 0, 10}}), 3);
    EXPECT_EQ(c.result(),
              "pt 0.000000000000 8.000000000000 \n# # p(1) q(2) kten(0.0 , 8.0)\n"
              "pt 0.000000000000 20.000000000000 \n# # p(1) q(0) kten(0.0 , 20.0)\n");
}

TEST_F(Crossing, CollinearSlopedSegmentsCountEachEndOfB) {
    s.isTest = 1;
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{2, 2, 8, 8}}), 2);       // codes 5 and 6
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{5, 5, 20, 20}}), 3);     // only B1
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{20, 20, 5, 5}}), 4);     // only B2
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{-5, -5, 20, 20}}), 4);   // neither
    EXPECT_EQ(c.result(),
              "pt 8.000000000000 8.000000000000 \n# # p(5) q(6) kten(8.0 , 8.0)\n"
              "pt 20.000000000000 20.000000000000 \n# # p(5) q(0) kten(20.0 , 20.0)\n"
              "pt 5.000000000000 5.000000000000 \n# # p(0) q(6) kten(5.0 , 5.0)\n");
}

TEST_F(Crossing, MeetingExactlyAtAnEndPointCounts) {
    // A2 = B1 = (10, 10).
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{10, 10, 20, 0}}), 1);
    // A vertical ends on a horizontal B.
    EXPECT_EQ(meet({{5, 0, 5, 5}}, {{0, 5, 10, 5}}), 2);
    // B vertical ends on A's end.
    EXPECT_EQ(meet({{0, 0, 8, 8}}, {{8, 8, 8, 20}}), 3);
}

TEST_F(Crossing, BeyondTheEndByLessThanTheToleranceCounts) {
    s.gomi = 25.0;  // t = gomi / 100 = 0.25
    // A ends at (8, 8); B vertical meets A's line 0.125 beyond it.
    EXPECT_EQ(meet({{0, 0, 8, 8}}, {{8.125, 0, 8.125, 20}}), 1);
    // Exactly t beyond: the box comparisons are strict.
    EXPECT_EQ(meet({{0, 0, 8, 8}}, {{8.25, 0, 8.25, 20}}), 1);
    // More than t beyond.
    EXPECT_EQ(meet({{0, 0, 8, 8}}, {{8.5, 0, 8.5, 20}}), 1);
}

TEST_F(Crossing, ToleranceIsGomiOverHundredAtTheDefaultScale) {
    s.gomi = 0.025;  // scale 100: t = 0.00025
    EXPECT_EQ(meet({{0, 0, 8, 8}}, {{8 + 0.0001220703125, 0, 8 + 0.0001220703125, 20}}), 1);
    EXPECT_EQ(meet({{0, 0, 8, 8}}, {{8 + 0.00048828125, 0, 8 + 0.00048828125, 20}}), 1);
}

TEST_F(Crossing, ZeroToleranceNeverCountsOnAxisParallelSegments) {
    s.gomi = 0.0;
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{5, -1, 5, 20}}), 0);   // vertical B
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{0, 5, 10, 5}}), 0);    // horizontal B
    EXPECT_EQ(meet({{5, -1, 5, 20}}, {{0, 0, 10, 10}}), 0);   // vertical A
    // A sloped crossing in both interiors still counts.
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{0, 10, 10, 0}}), 1);
}

TEST_F(Crossing, ZeroLengthSegmentIsVertical) {
    s.isTest = 1;
    // Zero-length B on A's line: code 3.
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{3, 3, 3, 3}}), 1);
    // Zero-length A on B's line: code 4.
    EXPECT_EQ(meet({{3, 3, 3, 3}}, {{0, 0, 10, 10}}), 2);
    // Two equal zero-length segments: codes 1 and 2.
    EXPECT_EQ(meet({{3, 3, 3, 3}}, {{3, 3, 3, 3}}), 4);
    EXPECT_EQ(c.result(),
              "pt 3.000000000000 3.000000000000 \n# # p(3) q(0) kten(3.0 , 3.0)\n"
              "pt 3.000000000000 3.000000000000 \n# # p(4) q(0) kten(3.0 , 3.0)\n"
              "pt 3.000000000000 3.000000000000 \n# # p(1) q(2) kten(3.0 , 3.0)\n");
}

TEST_F(Crossing, CounterSaturatesAtTen) {
    s.isTest = 1;
    s.KPcnt = 9;
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{0, 10, 10, 0}}), 10);
    // Full: an accepted point is neither counted nor drawn (code stays 0) ...
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{0, 10, 10, 0}}), 10);
    // ... except in the vertical-A branch, where the code becomes 10.
    EXPECT_EQ(meet({{5, -1, 5, 20}}, {{0, 0, 10, 10}}), 10);
    EXPECT_EQ(s.KPcnt, 10);
    EXPECT_EQ(c.result(),
              "pt 5.000000000000 5.000000000000 \n# # p(7) q(0) kten(5.0 , 5.0)\n"
              "pt 5.000000000000 5.000000000000 \n# # p(10) q(0) kten(5.0 , 5.0)\n");
}

TEST_F(Crossing, TwoPointBranchSaturatesBetweenItsTests) {
    s.isTest = 1;
    s.KPcnt = 9;
    EXPECT_EQ(meet({{0, 0, 0, 10}}, {{0, 2, 0, 8}}), 10);
    EXPECT_EQ(c.result(), "pt 0.000000000000 8.000000000000 \n# # p(1) q(0) kten(0.0 , 8.0)\n");
}

TEST_F(Crossing, NaNCoordinateIsNeverCounted) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{nan, 10, 10, 0}}), 0);
    EXPECT_EQ(meet({{nan, 0, nan, 10}}, {{0, 10, 10, 0}}), 0);
    EXPECT_EQ(meet({{0, 0, 10, 10}}, {{5, nan, 5, 20}}), 0);
}

// ---------------------------------------------------------------------------
// Traces at levels 2 and 3.

TEST_F(Crossing, LevelTwoPrintsOneLinePerCountedBranch) {
    s.isTest = 2;
    meet({{0, 0, 10, 10}}, {{0, 10, 10, 0}});
    meet({{20, 0, 20, 1}}, {{0, 0, 10, 10}});  // not counted: p 10
    meet({{1, 0, 1, 10}}, {{2, 0, 2, 10}});     // parallel: nothing
    EXPECT_EQ(c.trace(),
              "#      XXX  KP[0] kten(5 ,5)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
              "#      XXX  KP[0] kten(20 ,20)  XXX p(10)q(0) KPcnt(1) seido(0)\n");
    EXPECT_EQ(c.result(), "");
}

TEST_F(Crossing, ParallelSegmentsAreNotEvenBoxTested) {
    s.isTest = 3;
    meet({{1, 0, 1, 10}}, {{2, 0, 2, 10}});
    meet({{0, 0, 10, 10}}, {{0, 1, 10, 11}});
    EXPECT_EQ(c.trace(),
              "# Koten_lnln() A1(1.0 , 0.0)---A2(1.0 , 10.0)\n"
              "#              B1(2.0 , 0.0)---B2(2.0 , 10.0)\n"
              "# Koten_lnln() A1(0.0 , 0.0)---A2(10.0 , 10.0)\n"
              "#              B1(0.0 , 1.0)---B2(10.0 , 11.0)\n");
}

TEST_F(Crossing, LevelThreePrintsTheSegmentsAndEveryBoxTest) {
    s.isTest = 3;
    meet({{0, 0, 10, 10}}, {{0, 10, 10, 0}});
    meet({{0, 0, 0, 10}}, {{0, 5, 0, 20}});
    EXPECT_EQ(c.trace(),
              "# Koten_lnln() A1(0.0 , 0.0)---A2(10.0 , 10.0)\n"
              "#              B1(0.0 , 10.0)---B2(10.0 , 0.0)\n"
              "# __CROSS() k1(1) k2(1) k3(1) k4(1) ten(5.0 , 5.0)\n"
              "# Koten_lnln() A1(0.0 , 0.0)---A2(0.0 , 10.0)\n"
              "#              B1(0.0 , 5.0)---B2(0.0 , 20.0)\n"
              "# __CROSS() k1(1) k2(1) k3(1) k4(1) ten(0.0 , 5.0)\n"
              "# __CROSS() k1(1) k2(0) k3(1) k4(1) ten(0.0 , 20.0)\n");
    EXPECT_EQ(c.result(), "");
}

// ---------------------------------------------------------------------------
// The box test by itself.

TEST_F(Crossing, BoxTestWidensByGomiOrGomiOverHundred) {
    s.gomi = 1.0;
    double a[4] = {0, 0, 10, 10};
    double b[4] = {0, 10, 10.5, 0};
    Point p = {10.5, 5};
    EXPECT_EQ(__CROSS(s, a, b, &p, 1), 1);  // t = 1
    EXPECT_EQ(__CROSS(s, a, b, &p, 0), 0);  // t = 0.01
}

TEST_F(Crossing, BoxTestFlagsDoNotDependOnEndPointOrder) {
    s.isTest = 3;
    double a[4] = {10, 10, 0, 0};
    double b[4] = {1, 1, 0, 0};
    Point p = {5, 5};
    EXPECT_EQ(__CROSS(s, a, b, &p, 0), 0);
    Point q = {0.5, 0.5};
    EXPECT_EQ(__CROSS(s, a, b, &q, 0), 1);
    EXPECT_EQ(c.trace(),
              "# __CROSS() k1(1) k2(1) k3(0) k4(0) ten(5.0 , 5.0)\n"
              "# __CROSS() k1(1) k2(1) k3(1) k4(1) ten(0.5 , 0.5)\n");
}

// ---------------------------------------------------------------------------
// Packing and drawing records.

TEST_F(Crossing, PackingAndDrawingRecords) {
    Point p = {1.5, -2.25};
    Point q = {-0.125, 1e6};
    double seg[4];
    __T2_LN(&p, &q, seg);
    EXPECT_EQ(seg[0], 1.5);
    EXPECT_EQ(seg[1], -2.25);
    EXPECT_EQ(seg[2], -0.125);
    EXPECT_EQ(seg[3], 1e6);
    __TEN(s, &p);
    __LINE(s, seg);
    EXPECT_EQ(c.result(),
              "pt 1.500000000000 -2.250000000000 \n"
              "1.500000000000 -2.250000000000 -0.125000000000 1000000.000000000000\n");
}

}  // namespace
}  // namespace dimcheck
