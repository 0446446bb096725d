// Dimension checking: reading a text body as a length with its tolerance, the
// end-point search around the text, and the verdict.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "check/check.h"
#include "support.h"

namespace dimcheck::test {
namespace {

// The whole reading, with its traces, is in e2e/cases/value-reading-*; here
// the parts whose results no trace shows.
TEST(ValueReading, LineEndRemovalStaysInItsBuffer) {
    char buf[kLineBuf] = "   \n";
    EXPECT_EQ(__DEL_CR(buf), 0);  // blanks only: nothing is left
    std::strcpy(buf, "12\n34\n");
    EXPECT_EQ(__DEL_CR(buf), 2);
    EXPECT_EQ(std::string(buf, 6), std::string("12\0" "34\n", 6));  // the bytes behind stay
    // A line end in the last byte; none at all, with or without trailing blanks.
    std::memset(buf, 'x', sizeof buf);
    buf[kLineBuf - 1] = '\n';
    EXPECT_EQ(__DEL_CR(buf), kLineBuf - 1);
    EXPECT_EQ(buf[kLineBuf - 1], '\0');
    buf[kLineBuf - 1] = buf[kLineBuf - 2] = ' ';
    EXPECT_EQ(__DEL_CR(buf), kLineBuf - 2);
    EXPECT_EQ(std::string(buf + kLineBuf - 3, 3), std::string("x\0\0", 3));
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(__DEL_CR(buf), kLineBuf);
}

TEST(ValueReading, NumericTestAndSeparators) {
    struct Suchi { std::string text; int result; double gosa; };  // gosa from 0.51
    const Suchi suchi[] = {
        {"1500", 1, 0.51}, {"2.5", 1, 0.051}, {"2.50", 1, 0.0051}, {"2.505", 1, 0.00051},
        {"2.", 1, 0.51}, {"2.5055", -3, 0.00051}, {"1.2,3", 1, 0.0051}, {"1.2.5", 1, 0.0051},
        {"1.234.567", 1, 0.51e-6},  // every point restarts the count
        {"1.23M45", -3, 0.00051}, {"-", 1, 0.51}, {"+,-RmM", 1, 0.51}, {"1/2", 0, 0.51},
        {"3*1000", 0, 0.51}, {"12a", 0, 0.51}, {"r", 0, 0.51}, {"", -1, 0.51},
        {std::string(63, '1'), 1, 0.51}, {std::string(64, '1'), -2, 0.51},
    };
    for (const Suchi& r : suchi) {
        Captured c;
        char buf[65] = {};
        std::memcpy(buf, r.text.data(), r.text.size());
        c.s.gosa = 0.51;
        EXPECT_EQ(isSuchi(c.s, buf), r.result) << r.text;
        EXPECT_NEAR(c.s.gosa, r.gosa, r.gosa * 1e-12) << r.text;
    }
    struct Stripped { std::string text; int thousands; std::string left; };
    const Stripped comma[] = {
        {"1,500", 0, "1500"}, {"R300", 0, "300"}, {"1500mm", 0, "1500"}, {"+1-2*3/4,5.6", 0, "12345.6"},
        {"-", 0, ""}, {"1.5M", 1, "1.5"}, {"12M3M", 1, "123"}, {"1.5m", 0, "1.5"}, {"", 0, ""},
    };
    for (const Stripped& r : comma) {
        char buf[65] = {};
        std::memcpy(buf, r.text.data(), r.text.size());
        EXPECT_EQ(Comma(buf), r.thousands) << r.text;
        EXPECT_EQ(std::string(buf), r.left) << r.text;
    }
}

// A text at (0, 0) along (100, 0), 2.5 high at scale 1: the frame reaches 0.75
// search lengths to each side of the middle (50, 0), 0.7 heights below the base
// line and 1.6 above it. Frames and far points are drawn in e2e/cases/search-*.
struct Search : ::testing::Test {
    Captured c;
    DrawingState& s = c.s;
    Search() {
        s.MOJIS = 3;
        s.MOJI_H[3] = 2.5;
        s.scale = s.G_SCALE[0] = 1.0;
        s.ChDX = 100.0;
    }
    void add(std::vector<Point> points) {
        for (Point p : points) s.TEN[s.tenc++] = p;
    }
};

TEST_F(Search, KeepsThePointsInsideWithTheirDistanceFromTheStart) {
    s.ChY = 3.0;  // the frame runs from y = 1.25 to 7.0
    s.isTest = 2;
    add({{4, 6}, {801, 4}, {100, 8}, {-701, 4}, {300, 1.0}, {0, 3}, {300, 3}, {100, 1.25}, {200, 7}});
    s.STEN[4] = {1, 2, 3};
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 4);  // the base side counts, the top side does not
    const std::string t = c.trace();
    EXPECT_EQ(t.substr(t.rfind("# Get")), "# Get_Ten_Hanni() j(4)/tenc(9)\n");
    std::ostringstream found;
    for (int i = 0; i < 5; ++i) found << s.STEN[i].x << "," << s.STEN[i].d << " ";
    EXPECT_EQ(found.str(), "4,5 0,0 300,300 100,100.015 1,3 ");  // behind the count: untouched
    // At most 39, in table order; later ones keep overwriting the entry behind.
    s.tenc = 0;
    s.STEN[40] = {-1, -1, -1};
    for (int k = 0; k < 45; ++k) add({{10.0 * k, 100.0}, {10.0 * k, 3.5}});
    EXPECT_EQ(Search_Ten(s, 1000.0, 0), 39);
    for (int k = 0; k < 39; ++k) EXPECT_EQ(s.STEN[k].d, std::sqrt(100.0 * k * k + 0.25));
    EXPECT_EQ(s.STEN[39].x, 440.0);
    EXPECT_EQ(s.STEN[40].x, -1);
}

TEST_F(Search, SelectionUsesTheFrameAsItStands) {
    set_frame(s);
    s.ChX = 1;
    s.ChY = 2;
    add({{5, 2}, {12, 2}, {5, 0}, {5, 4}, {0, 0}});
    EXPECT_EQ(Get_Ten_Hanni(s), 2);  // (5, 2) and (5, 0), 4 and sqrt(20) from (1, 2)
    EXPECT_EQ(std::vector<double>({s.STEN[0].x, s.STEN[0].y, s.STEN[0].d, s.STEN[1].x, s.STEN[1].y}),
              std::vector<double>({5, 2, 4, 5, 0}));
    EXPECT_EQ(s.STEN[1].d, std::sqrt(20.0));
}

// A text whose base line has no length finds nothing and builds no frame.
TEST_F(Search, ZeroLengthBaseLineFindsNothing) {
    s.ChDX = 0.0;
    s.PT[1] = s.Pmin[0] = {11, 12};
    add({{0, 0}, {0, -1}});
    for (int level : {1, 2}) {
        s.isTest = level;
        EXPECT_EQ(Search_Ten(s, 1000.0, 1), 0);
    }
    EXPECT_EQ(c.trace(), "# Search_Ten() nagasa(1000.0) draft(0.8) mae(750.0) ush(750.0)\n");
    EXPECT_EQ(c.result(), "");
    EXPECT_EQ(s.PT[1].x, 11);  // left as they were
    EXPECT_EQ(s.Pmin[0].x, 11);
}

// Sun_chk for what the marks do not tell apart; every other verdict is judged
// by its mark in e2e/cases/verdicts. The body at (500, 0) along (10, 0), 4 bytes
// 5 wide; end points at y = -1, the first nearest to the start.
TEST(Verdict, NeedsCheckingTwoOrThree) {
    struct Row { const char* head; std::vector<double> xs; int code; const char* body = "1000"; double b = 1; };
    const Row rows[] = {
        {"ch", {0, 1000.6}, 2},                // within two tolerances
        {"ch", {0, 1001.2}, 3},                // within three
        {"co", {501, -499.8, 1502.2}, 2},      // within two, then within three
        {"co", {501, -500.2, 1501.8}, 2},      // within three, then within two
        {"ch", {0, 1000}, 0},                  // exact
        {"ch", {0, 1000.6}, 2, "100", 10},     // -b10 scales the length, not the tolerance
        {"ch", {0, 1000}, kNotAValue, "1/2"},  // no search at all
    };
    for (const Row& r : rows) {
        Captured c;
        DrawingState& s = c.s;
        s.bairitsu = r.b;
        s.MOJIS = 2;
        s.MOJI_W[2] = s.MOJI_H[2] = 2.5;
        s.scale = s.G_SCALE[0] = 1.0;
        s.PT[1] = {123, 456};
        for (double x : r.xs) s.TEN[s.tenc++] = {x, -1};
        std::memcpy(s.ChHEAD, r.head, 2);
        std::strcpy(s.ChSTR, (std::string(r.body) + "\n").c_str());
        s.ChX = 500;
        s.ChDX = 10;
        EXPECT_EQ(Sun_chk(s), r.code) << r.head << " " << r.body << " " << r.xs.back();
        EXPECT_EQ(s.PT[1].x == 123, r.code == kNotAValue);
    }
}

TEST(Verdict, SortingByDistance) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row { std::vector<double> d; int n; const char* order; int rest; };  // rest: last j
    const Row rows[] = {  // order: the original positions, in the new order
        {{5, 1, 4, 2, 3}, 5, "13420", 2}, {{1, 3, 2}, 3, "021", 1}, {{1}, 1, "0", 0}, {{}, 0, "", 0},
        {{5, 5, 3, 5}, 4, "2310", 1},  // the later of equal distances goes in front
        {{5, 4, 1}, 2, "102", 0},      // only the counted entries
        {{1, nan, 0.5}, 3, "012", 2},  // NaN stops the move
    };
    for (const Row& r : rows) {
        Captured c;
        c.s.isTest = 2;
        for (std::size_t i = 0; i < r.d.size(); ++i) c.s.STEN[i] = {double(i), 0, r.d[i]};
        STEN_sort(c.s, r.n);
        std::string order;
        for (std::size_t i = 0; i < r.d.size(); ++i) order += char('0' + int(c.s.STEN[i].x));
        EXPECT_EQ(order, r.order);
        EXPECT_EQ(c.trace(), "# STEN_sort(" + std::to_string(r.n) + ")  >  j(" +
                                 std::to_string(r.rest) + ")  OK\n");
    }
}

TEST(Verdict, OnePair) {
    // Length 1000, tolerance 0.5; STEN[jj] at the origin, STEN[kk] at (x, 0).
    struct Row { int mode, jj, kk; double x; int code; };
    const Row rows[] = {
        {0, 0, 1, 1000.5, 0}, {1, 0, 1, 1000.5, 1},  // exactly the tolerance is good
        {0, 1, 0, 1000.5, 1}, {0, 1, 2, 999.5, 1},   // not from the nearest point
        {1, 1, 2, 1000, 0},   {0, 3, 2, 1000, 0},    // exact is always 0
        {0, 0, 1, 1001.0, 2}, {0, 0, 1, 999.0, 2},  {1, 0, 1, 1001.0, 2},
        {0, 0, 1, 1001.5, 3}, {0, 0, 1, 1001.5001, 10},
        {0, 0, 1, std::numeric_limits<double>::quiet_NaN(), 10},
    };
    for (const Row& r : rows) {
        Captured c;
        c.s.gosa = 0.5;
        c.s.isTest = 2;
        c.s.STEN[r.jj] = {0, 0, 0};
        c.s.STEN[r.kk] = {r.x, 0, 0};
        EXPECT_EQ(Same_dis(c.s, r.mode, r.jj, r.kk, 1000.0), r.code) << r.jj << " " << r.kk << " " << r.x;
    }
}

}  // namespace
}  // namespace dimcheck::test
