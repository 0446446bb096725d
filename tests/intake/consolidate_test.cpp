// One consolidation pass: exact duplicates removed in place, first occurrences
// kept in order, vacated slots marked, every comparison traced.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "intake/intake.h"
#include "support.h"

namespace dimcheck::test {
namespace {

const Point A{1.0, 2.0};
const Point B{3.0, 4.0};
const Point C{5.0, 6.0};
const Point D{7.0, 8.0};
const double kMarker = -214748.3648;  // -2^31 / 10000

class Consolidate : public ::testing::Test {
protected:
    int pass(const std::vector<Point>& points) {
        for (std::size_t i = 0; i < points.size(); ++i) s().TEN[i] = points[i];
        return TEN_DP(s(), static_cast<int>(points.size()));
    }
    bool is(int slot, const Point& p) { return s().TEN[slot].x == p.x && s().TEN[slot].y == p.y; }
    bool vacated(int slot) { return is(slot, Point{kMarker, kMarker}); }
    DrawingState& s() { return *c.s; }
    Captured c;
};

TEST_F(Consolidate, NoneOrOnePointIsLeftAlone) {
    EXPECT_EQ(pass({}), 0);
    EXPECT_EQ(pass({A}), 1);
    EXPECT_TRUE(is(0, A));
    EXPECT_EQ(c.trace(), "");
}

TEST_F(Consolidate, TwoEqualPoints) {
    EXPECT_EQ(pass({A, A}), 1);
    EXPECT_EQ(c.trace(), "# i(0) j(1) k(2)\n# same i(0) j(1) k(2)\n");
    EXPECT_TRUE(is(0, A));
    EXPECT_TRUE(vacated(1));
}

TEST_F(Consolidate, PairAndAnotherPoint) {
    EXPECT_EQ(pass({A, A, B}), 2);
    EXPECT_TRUE(is(0, A));
    EXPECT_TRUE(is(1, B));
    EXPECT_TRUE(vacated(2));
    // Vacated slots are compared like any other.
    EXPECT_EQ(c.trace(),
              "# i(0) j(1) k(3)\n# same i(0) j(1) k(3)\n# i(0) j(2) k(3)\n# i(1) j(2) k(3)\n");
}

TEST_F(Consolidate, EntrySlidingIntoTheVacatedSlotIsSkipped) {
    EXPECT_EQ(pass({A, A, A}), 2);
    EXPECT_TRUE(is(0, A));
    EXPECT_TRUE(is(1, A));
    EXPECT_TRUE(vacated(2));
    EXPECT_EQ(pass({A, A}), 1);
}

TEST_F(Consolidate, AlternatingPairs) {
    EXPECT_EQ(pass({A, B, A, B}), 2);
    EXPECT_TRUE(is(0, A));
    EXPECT_TRUE(is(1, B));
    EXPECT_TRUE(vacated(2));
    EXPECT_TRUE(vacated(3));
    EXPECT_EQ(c.trace(),
              "# i(0) j(1) k(4)\n# i(0) j(2) k(4)\n# same i(0) j(2) k(4)\n# i(0) j(3) k(4)\n"
              "# i(1) j(2) k(4)\n# same i(1) j(2) k(4)\n# i(1) j(3) k(4)\n");
}

TEST_F(Consolidate, FirstOccurrencesSurviveInOrder) {
    EXPECT_EQ(pass({A, B, C, B, A, D}), 4);
    EXPECT_TRUE(is(0, A));
    EXPECT_TRUE(is(1, B));
    EXPECT_TRUE(is(2, C));
    EXPECT_TRUE(is(3, D));
    EXPECT_TRUE(vacated(4));
    EXPECT_TRUE(vacated(5));
}

TEST_F(Consolidate, DistinctPointsMakeEveryComparison) {
    std::vector<Point> points;
    for (int i = 0; i < 40; ++i) points.push_back({double(i), 0.0});
    EXPECT_EQ(pass(points), 40);
    std::string expected;
    for (int i = 0; i < 39; ++i)
        for (int j = i + 1; j < 40; ++j)
            expected += "# i(" + std::to_string(i) + ") j(" + std::to_string(j) + ") k(40)\n";
    EXPECT_EQ(c.trace(), expected);
}

TEST_F(Consolidate, OneBitApartIsNotEqual) {
    Point x_apart{std::nextafter(A.x, 10.0), A.y};
    Point y_apart{A.x, std::nextafter(A.y, -10.0)};
    EXPECT_EQ(pass({A, x_apart, y_apart}), 3);
    Point zero{0.0, 0.0};
    Point minus_zero{-0.0, -0.0};  // equal as doubles
    EXPECT_EQ(pass({zero, minus_zero}), 1);
}

TEST_F(Consolidate, RunsShrinkByTheRunLengthTable) {
    // A run of m equal points keeps 1 for m = 2, 2 for 3..6, 3 for 7..14,
    // 4 for 15..30, 5 for 31..62, 6 for 63..126.
    const std::vector<std::pair<int, int>> table = {{2, 1},   {3, 2},   {6, 2},   {7, 3},
                                                    {14, 3},  {15, 4},  {30, 4},  {31, 5},
                                                    {62, 5},  {63, 6},  {126, 6}, {127, 7}};
    for (const auto& [m, kept] : table) {
        Captured fresh;
        for (int i = 0; i < m; ++i) fresh.s->TEN[i] = A;
        EXPECT_EQ(TEN_DP(*fresh.s, m), kept) << m;
        for (int i = 0; i < kept; ++i) EXPECT_TRUE(fresh.s->TEN[i].x == A.x) << m << " " << i;
        for (int i = kept; i < m; ++i) EXPECT_EQ(fresh.s->TEN[i].x, kMarker) << m << " " << i;
    }
}

TEST_F(Consolidate, AllEightHundredEqualPointsInFivePasses) {
    for (int i = 0; i < 800; ++i) s().TEN[i] = A;
    std::vector<int> counts;
    int n = 800;
    for (int k = 0; k < 5; ++k) counts.push_back(n = TEN_DP(s(), n));
    EXPECT_EQ(counts, (std::vector<int>{9, 3, 2, 1, 1}));
}

TEST_F(Consolidate, PointOnTheMarkerEndsThePassEarly) {
    Point marker{kMarker, kMarker};
    EXPECT_EQ(pass({A, marker, B, C}), 1);
    EXPECT_EQ(c.trace(), "# i(0) j(1) k(4)\n# i(0) j(2) k(4)\n# i(0) j(3) k(4)\n");
}

}  // namespace
}  // namespace dimcheck::test
