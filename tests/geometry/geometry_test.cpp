// Plane geometry: the crossing test of two segments with its widened boxes
// and the point-in-frame test. Their traces in whole runs are in e2e/cases.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "geometry/geometry.h"
#include "support.h"

namespace dimcheck::test {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The level-1 drawing of a counted meeting point.
std::string drawn(double x, double y, int p, int q) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "pt %.12f %.12f \n# # p(%d) q(%d) kten(%.1f , %.1f)\n", x, y, p, q, x, y);
    return buf;
}

// Koten_lnln(A, B) from a fresh state: the counter it returns, what it draws
// at level 1 and what it prints at levels 2 and 3. The box tolerance is
// t = gomi / 100. Traces in whole runs: e2e/cases/worked_example_*.
TEST(Crossing, CasesAndCodes) {
    const double t = 0.00025;  // the default gomi
    struct Row {  // start: the counter before the call
        const char* note; double a[4], b[4]; int count; std::string drawing;
        double gomi = 0.00025; int start = 0; int level = 1; const char* trace = "";
    };
    const Row rows[] = {
        {"diagonals, code 7", {0, 0, 10, 10}, {0, 10, 10, 0}, 1,
         "pt 5.000000000000 5.000000000000 \n# # p(7) q(0) kten(5.0 , 5.0)\n"},
        {"x = (bB - bA) / (mA - mB), y = (mA bB - bA mB) / (mA - mB), not mA x + bA",
         {-40, 1313, -180, -3981}, {2287, -2038, -2876, -256}, 1,
         "pt -106.768291608541 -1211.795255540108 \n# # p(7) q(0) kten(-106.8 , -1211.8)\n"},
        {"B vertical, code 3", {0, 0, 10, 10}, {5, -1, 5, 20}, 1, drawn(5, 5, 3, 0)},
        {"A vertical, code 4", {5, -1, 5, 20}, {0, 0, 10, 10}, 1, drawn(5, 5, 4, 0)},
        {"A vertical, missed: drawn, code 10", {20, 0, 20, 1}, {0, 0, 10, 10}, 0, drawn(20, 20, 10, 0)},
        {"B vertical, missed", {0, 0, 10, 10}, {20, 0, 20, 30}, 0, ""},
        {"lines meeting outside both", {0, 0, 1, 1}, {0, 10, 10, 0}, 0, ""},
        {"parallel verticals", {1, 0, 1, 10}, {2, 0, 2, 10}, 0, ""},
        {"equal slopes", {0, 0, 10, 10}, {0, 1, 10, 11}, 0, ""},
        {"one vertical line: both ends of B on A", {0, 0, 0, 10}, {0, 2, 0, 8}, 2, drawn(0, 8, 1, 2)},
        {"one vertical line: B1 on A, B2 drawn", {0, 0, 0, 10}, {0, 5, 0, 20}, 1, drawn(0, 20, 1, 0)},
        {"one vertical line: A inside B", {0, 2, 0, 8}, {0, 0, 0, 10}, 0, ""},
        {"one sloped line: both ends", {0, 0, 10, 10}, {2, 2, 8, 8}, 2, drawn(8, 8, 5, 6)},
        {"one sloped line: B1", {0, 0, 10, 10}, {5, 5, 20, 20}, 1, drawn(20, 20, 5, 0)},
        {"one sloped line: B2", {0, 0, 10, 10}, {20, 20, 5, 5}, 1, drawn(5, 5, 0, 6)},
        {"one sloped line: neither end", {0, 0, 10, 10}, {-5, -5, 20, 20}, 0, ""},
        {"meeting at A2 = B1", {0, 0, 10, 10}, {10, 10, 20, 0}, 1, drawn(10, 10, 7, 0)},
        {"t = 0.25: half of t beyond A's end", {0, 0, 8, 8}, {8.125, 0, 8.125, 20}, 1,
         drawn(8.125, 8.125, 3, 0), 25},
        {"t = 0.25: t beyond, strict", {0, 0, 8, 8}, {8.25, 0, 8.25, 20}, 0, "", 25},
        {"t = 0.25: t before, strict", {0, 0, 8, 8}, {-0.25, -5, -0.25, 20}, 0, "", 25},
        {"t = gomi / 100 at scale 100", {0, 0, 8, 8}, {8 + t / 2, 0, 8 + t / 2, 20}, 1,
         drawn(8 + t / 2, 8 + t / 2, 3, 0), 100 * t},
        {"beyond t at scale 100", {0, 0, 8, 8}, {8 + 2 * t, 0, 8 + 2 * t, 20}, 0, "", 100 * t},
        {"t = 0: a vertical B never counts", {0, 0, 10, 10}, {5, -1, 5, 20}, 0, "", 0},
        {"t = 0: a vertical A never counts", {5, -1, 5, 20}, {0, 0, 10, 10}, 0, drawn(5, 5, 10, 0), 0},
        {"t = 0: sloped segments crossing inside", {0, 0, 10, 10}, {0, 10, 10, 0}, 1, drawn(5, 5, 7, 0), 0},
        {"zero-length B is vertical", {0, 0, 10, 10}, {3, 3, 3, 3}, 1, drawn(3, 3, 3, 0)},
        {"zero-length A is vertical", {3, 3, 3, 3}, {0, 0, 10, 10}, 1, drawn(3, 3, 4, 0)},
        {"two equal zero-length segments", {3, 3, 3, 3}, {3, 3, 3, 3}, 2, drawn(3, 3, 1, 2)},
        {"the tenth point counts", {0, 0, 10, 10}, {0, 10, 10, 0}, 10, drawn(5, 5, 7, 0), t, 9},
        {"full: neither counted nor drawn", {0, 0, 10, 10}, {0, 10, 10, 0}, 10, "", t, 10},
        {"full: vertical A draws code 10", {5, -1, 5, 20}, {0, 0, 10, 10}, 10, drawn(5, 5, 10, 0), t, 10},
        {"full between the tests of one line", {0, 0, 0, 10}, {0, 2, 0, 8}, 10, drawn(0, 8, 1, 0), t, 9},
        {"NaN in B", {0, 0, 10, 10}, {kNaN, 10, 10, 0}, 0, ""},
        {"level 2: code 10 is printed too", {20, 0, 20, 1}, {0, 0, 10, 10}, 0, "", t, 0, 2,
         "#      XXX  KP[-1] kten(20 ,20)  XXX p(10)q(0) KPcnt(0) seido(0)\n"},
        {"level 3: parallel segments are not box-tested", {1, 0, 1, 10}, {2, 0, 2, 10}, 0, "", t, 0, 3,
         "# Koten_lnln() A1(1.0 , 0.0)---A2(1.0 , 10.0)\n#              B1(2.0 , 0.0)---B2(2.0 , 10.0)\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Captured c;
        c.s.gomi = r.gomi;
        c.s.KPcnt = r.start;
        c.s.isTest = r.level;
        EXPECT_EQ(Koten_lnln(c.s, r.a, r.b, 0), r.count);
        EXPECT_EQ(c.s.KPcnt, r.count);
        EXPECT_EQ(c.result(), r.drawing);
        EXPECT_EQ(c.trace(), r.trace);
    }
}

// Sen_inside on the frame (0,0) (10,0) (10,4) (0,4), point by point. Some rows
// move far points to (-50, -20), so that their rays leave through the corner
// (0, 0). The counter is reset before every pass.
TEST(Frame, PointsInAndOut) {
    struct Row { const char* note; double x, y; int bent; int inside; const char* counts; };
    const Row rows[] = {  // bent: bit i moves Pmin[i]
        {"inside: one crossing per ray", 5, 2, 0, 1, "kt(3) k(3) k1(1) k2(1) k3(1)"},
        {"right of the frame: two per ray", 12, 2, 0, 0, "kt(6) k(0) k1(2) k2(2) k3(2)"},
        {"on the bottom side: leaving through it", 5, 0, 0, 1, "kt(3) k(3) k1(1) k2(1) k3(1)"},
        {"on the top side: counted there and on the left", 5, 4, 0, 0, "kt(6) k(0) k1(2) k2(2) k3(2)"},
        {"the lower left corner: bottom and left", 0, 0, 0, 0, "kt(6) k(0) k1(2) k2(2) k3(2)"},
        {"every ray through a corner", 5, 2, 7, 0, "kt(6) k(0) k1(2) k2(2) k3(2)"},
        {"the first ray through a corner", 5, 2, 1, 0, "kt(4) k(2) k1(2) k2(1) k3(1)"},
        {"the second ray through a corner", 5, 2, 2, 0, "kt(4) k(2) k1(1) k2(2) k3(1)"},
        {"the third ray through a corner", 5, 2, 4, 0, "kt(4) k(2) k1(1) k2(1) k3(2)"},
        {"along the diagonal through two corners", 15, 6, 1, 0, "kt(8) k(0) k1(4) k2(2) k3(2)"},
        {"NaN meets no side", kNaN, 2, 0, 0, "kt(0) k(0) k1(0) k2(0) k3(0)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Captured c;
        set_frame(c.s);
        for (int i = 0; i < 3; ++i) c.s.Pmin[i] = r.bent & (1 << i) ? Point{-50, -20} : c.s.Pmin[i];
        c.s.KPcnt = 7;
        c.s.isTest = 2;
        const double seg[4] = {r.x - 1, r.y - 1, r.x + 1, r.y + 1};  // only its midpoint counts
        EXPECT_EQ(Sen_inside(c.s, seg), r.inside);
        const std::string t = c.trace();
        EXPECT_EQ(t.substr(t.rfind("#### ")), "#### Sen_inside() " + std::string(r.counts) + "\n");
        EXPECT_EQ(c.result(), "");
    }
}

// The ray from (14, 8) to (-10, -16) enters through the corner (10, 4), which
// counts on the right and on the top side, and leaves through the bottom side
// at (6, 0); rays to (-10, 8) run above the frame. Three crossings of the
// first ray draw it, at every level from 1 up.
TEST(Frame, ThreeCrossingsOfTheFirstRayAreDrawn) {
    const std::string marks = drawn(6, 0, 7, 0) + drawn(10, 4, 3, 0) + drawn(10, 4, 7, 0);
    const std::string ray = "# KPcnt=3\n14.000000000000 8.000000000000 -10.000000000000 -16.000000000000\n";
    struct Row { int level, through; std::string drawing; };
    for (const Row& r : {Row{1, 0, marks + ray}, Row{3, 0, ray}, Row{1, 1, marks}, Row{0, 0, ""}}) {
        Captured c;
        set_frame(c.s);
        c.s.isTest = r.level;
        for (Point& p : c.s.Pmin) p = {-10, 8};
        c.s.Pmin[r.through] = {-10, -16};
        const double seg[4] = {14, 8, 14, 8};
        EXPECT_EQ(Sen_inside(c.s, seg), 0);
        EXPECT_EQ(c.result(), r.drawing) << r.level << " " << r.through;
        if (r.level < 3) { EXPECT_EQ(c.trace(), ""); }
    }
}

}  // namespace
}  // namespace dimcheck::test
