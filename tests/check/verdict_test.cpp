// The verdict of one dimension text: search length and mode, sorting of the
// points found, and the pairing with its codes.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "check/check.h"
#include "support.h"

namespace dimcheck {
namespace {

using test::Captured;

// Text kind 2 with width and height 2.5 at scale 1; layer group 0 of scale 1.
struct Verdict : ::testing::Test {
    Captured c;
    DrawingState& s = *c.s;
    Verdict() {
        s.MOJIS = 2;
        s.MOJI_W[2] = 2.5;
        s.MOJI_H[2] = 2.5;
        s.scale = 1.0;
        s.G_SCALE[0] = 1.0;
    }
    void text(const char* head, const std::string& body, double x, double y, double dx,
              double dy) {
        std::memcpy(s.ChHEAD, head, 2);
        std::memset(s.ChSTR, 0, sizeof s.ChSTR);
        std::string raw = body + "\n";
        std::memcpy(s.ChSTR, raw.data(), raw.size());
        s.ChX = x;
        s.ChY = y;
        s.ChDX = dx;
        s.ChDY = dy;
    }
    void add(double x, double y) { s.TEN[s.tenc++] = {x, y}; }
    int lines_starting(const std::string& prefix) {
        std::string t = "\n" + c.trace();
        int n = 0;
        for (std::size_t at = t.find("\n" + prefix); at != std::string::npos;
             at = t.find("\n" + prefix, at + 1))
            ++n;
        return n;
    }
    std::string line_starting(const std::string& prefix) {
        std::string t = "\n" + c.trace();
        std::size_t at = t.find("\n" + prefix);
        if (at == std::string::npos) return "";
        return t.substr(at + 1, t.find('\n', at + 1) - at);
    }
};

// ---------------------------------------------------------------------------
// A text 1000 at (500, 0): four bytes 5 units wide, so the normal search runs
// with length 1000 over x from -245 to 1255. One end point at (0, -1) is the
// nearest to the text's start; the other sets the measured distance.

struct Thousand : Verdict {
    int judge(double other_x) {
        text("ch", "1000", 500, 0, 10, 0);
        add(0, -1);
        add(other_x, -1);
        return Sun_chk(s);
    }
};

TEST_F(Thousand, WithinOneToleranceIsGood) { EXPECT_EQ(judge(1000.3), 0); }
TEST_F(Thousand, WithinTwoTolerancesNeedsChecking) { EXPECT_EQ(judge(1000.6), 2); }
TEST_F(Thousand, WithinThreeTolerancesNeedsChecking) { EXPECT_EQ(judge(1001.2), 3); }
TEST_F(Thousand, BeyondThreeTolerancesIsWrong) { EXPECT_EQ(judge(1002.0), 10); }
TEST_F(Thousand, ShortByLessThanOneToleranceIsGood) { EXPECT_EQ(judge(999.7), 0); }

TEST_F(Verdict, GoodPairWithoutTheNearestPointGivesOne) {
    text("ch", "1000", 500, 0, 10, 0);
    add(500, -1);  // nearest to the start, 500 from both others
    add(0, -1);
    add(1000.3, -1);
    EXPECT_EQ(Sun_chk(s), 1);
}

TEST_F(Verdict, ExactPairWithoutTheNearestPointGivesZero) {
    text("ch", "1000", 500, 0, 10, 0);
    add(500, -1);
    add(0, -1);
    add(1000, -1);
    EXPECT_EQ(Sun_chk(s), 0);
}

TEST_F(Verdict, FewerThanTwoPointsIsWrong) {
    s.isTest = 2;
    text("ch", "1000", 500, 0, 10, 0);
    EXPECT_EQ(Sun_chk(s), 10);
    add(0, -1);
    EXPECT_EQ(Sun_chk(s), 10);
    EXPECT_EQ(lines_starting("## Same?"), 0);
    EXPECT_EQ(lines_starting("# Kekka(10) sankaku(0)"), 2);
}

TEST_F(Verdict, KeywordsCsAndChSearchNormally) {
    s.isTest = 2;
    text("cs", "1000", 500, 0, 10, 0);
    add(0, -1);
    add(1000.3, -1);
    EXPECT_EQ(Sun_chk(s), 0);
    EXPECT_EQ(line_starting("# Search_Ten()"),
              "# Search_Ten() nagasa(1000.0) draft(0.8) mae(750.0) ush(750.0)\n");
}

// ---------------------------------------------------------------------------
// Widened search: keywords co and cr look 2.2 times the value, and every good
// pair that is not exact gives 1.

struct Widened : Verdict {
    // Text 1000 at (0, 0); the points lie up to 1001 from it.
    void points(double far_left) {
        add(1, -1);
        add(far_left, -1);
        add(1001, -1);  // exactly 1000 from the first point
    }
};

TEST_F(Widened, KeywordCoSearchesFurtherAndStopsAtTheFirstGoodPair) {
    s.isTest = 2;
    text("co", "1000", 0, 0, 10, 0);
    points(-999.3);
    // (0, 1) measures 1000.3: good but not exact; (0, 2) would be exact.
    EXPECT_EQ(Sun_chk(s), 1);
    EXPECT_EQ(line_starting("# Search_Ten()"),
              "# Search_Ten() nagasa(2200.0) draft(0.8) mae(1650.0) ush(1650.0)\n");
    EXPECT_EQ(lines_starting("## Same?"), 1);
    EXPECT_EQ(line_starting("# Kekka("),
              "# Kekka(1) sankaku(0)----( 0-1: Good / 2-3 Need CHecK / 10 NG )---\n");
}

TEST_F(Widened, KeywordCrToo) {
    text("cr", "1000", 0, 0, 10, 0);
    points(-999.3);
    EXPECT_EQ(Sun_chk(s), 1);
}

TEST_F(Widened, ExactMatchStillGivesZero) {
    text("co", "1000", 0, 0, 10, 0);
    points(-999);
    EXPECT_EQ(Sun_chk(s), 0);
}

TEST_F(Widened, TheNormalSearchDoesNotReachThatFar) {
    text("ch", "1000", 0, 0, 10, 0);
    points(-999.3);  // only the first point lies within 750 of the middle
    EXPECT_EQ(Sun_chk(s), 10);
}

TEST_F(Verdict, ShortValueWidensTheSearch) {
    // 4 bytes of width 2.5 at scale 100: the text is 500 wide; 300 is not
    // more than 650, so the search runs with 300 x 1.5 + 500 = 950.
    s.isTest = 2;
    s.scale = 100.0;
    s.gomi = 0.025;
    text("ch", "R300", 0, 0, 500, 0);
    add(100, -50);
    add(400.2, -50);
    EXPECT_EQ(Sun_chk(s), 1);
    EXPECT_EQ(line_starting("# Search_Ten()"),
              "# Search_Ten() nagasa(950.0) draft(0.8) mae(712.5) ush(712.5)\n");
    EXPECT_EQ(line_starting("# ChSTR("),
              "# ChSTR(R300) CSP(300) sunpouchi(500.0) sunpou(300.0)\n");
}

TEST_F(Verdict, ValueEqualToOnePointThreeWidthsIsShort) {
    // Two bytes of width 10: the text is 10 wide, and 13 is not more than 13.
    s.isTest = 2;
    s.MOJI_W[2] = 10.0;
    text("ch", "13", 0, 0, 10, 0);
    Sun_chk(s);
    text("ch", "14", 0, 0, 10, 0);
    Sun_chk(s);
    EXPECT_EQ(lines_starting("# Search_Ten() nagasa(29.5)"), 1);
    EXPECT_EQ(lines_starting("# Search_Ten() nagasa(14.0)"), 1);
}

// ---------------------------------------------------------------------------
// Needs checking: the closest miss decides, whatever the order of the pairs.

TEST_F(Widened, TwoThenThreeGivesTwo) {
    s.isTest = 2;
    text("co", "1000", 0, 0, 10, 0);
    add(1, -1);
    add(-999.8, -1);  // 1000.8 from the first
    add(1002.2, -1);  // 1001.2 from the first
    EXPECT_EQ(Sun_chk(s), 2);
    EXPECT_EQ(line_starting("# Kekka("),
              "# Kekka(10) sankaku(2)----( 0-1: Good / 2-3 Need CHecK / 10 NG )---\n");
}

TEST_F(Widened, ThreeThenTwoGivesTwo) {
    s.isTest = 2;
    text("co", "1000", 0, 0, 10, 0);
    add(1, -1);
    add(-1000.2, -1);  // 1001.2 from the first
    add(1001.8, -1);   // 1000.8 from the first
    EXPECT_EQ(Sun_chk(s), 2);
    EXPECT_EQ(line_starting("# Kekka("),
              "# Kekka(10) sankaku(2)----( 0-1: Good / 2-3 Need CHecK / 10 NG )---\n");
}

// ---------------------------------------------------------------------------
// Tolerances from the written decimals and the M.

struct TwoPointFive : Verdict {
    // Text 2.5 at (1, 0), narrow enough for the normal search; the frame runs
    // from x = -0.725 to 3.025.
    int judge(double other_x) {
        s.MOJI_W[2] = 0.1;
        s.MOJI_H[2] = 0.5;
        text("ch", "2.5", 1, 0, 0.3, 0);
        add(0, -0.1);
        add(other_x, -0.1);
        return Sun_chk(s);
    }
};

TEST_F(TwoPointFive, OffByFiveHundredthsIsGood) { EXPECT_EQ(judge(2.55), 0); }
TEST_F(TwoPointFive, OffByOneTenthNeedsChecking) { EXPECT_EQ(judge(2.6), 2); }
TEST_F(TwoPointFive, OffByFifteenHundredthsNeedsChecking) { EXPECT_EQ(judge(2.65), 3); }
TEST_F(TwoPointFive, OffByTwoTenthsIsWrong) { EXPECT_EQ(judge(2.7), 10); }

struct OnePointFiveM : Verdict {
    int judge(const std::string& body, double other_x) {
        text("ch", body, 0, 0, 10, 0);
        add(-500, -1);
        add(other_x, -1);
        return Sun_chk(s);
    }
};

TEST_F(OnePointFiveM, FortyOffIsGood) { EXPECT_EQ(judge("1.5M", 1040), 0); }
TEST_F(OnePointFiveM, HundredOffNeedsChecking) { EXPECT_EQ(judge("1.5M", 1100), 2); }
TEST_F(OnePointFiveM, FullWidthSmallMIsThousandsToo) {
    EXPECT_EQ(judge("1.5" "\x82\x8d", 1040), 0);
}

// ---------------------------------------------------------------------------
// Not a value.

TEST_F(Verdict, NonNumericBodyIsNoValueWithoutSearch) {
    s.isTest = 2;
    text("ch", "1/2", 500, 0, 10, 0);
    add(0, -1);
    add(1000, -1);
    s.PT[1] = {123, 456};
    EXPECT_EQ(Sun_chk(s), kNotAValue);
    EXPECT_EQ(c.trace(), "# ZenHan() k(0) s(1/2) str[0][1][2][3] = (31)(2f)(32)(0)\n");
    EXPECT_EQ(s.PT[1].x, 123);
    text("ch", "abc", 500, 0, 10, 0);
    EXPECT_EQ(Sun_chk(s), kNotAValue);
    EXPECT_EQ(c.trace(), "# ZenHan() k(0) s(1/2) str[0][1][2][3] = (31)(2f)(32)(0)\n");
}

TEST_F(Verdict, NonNumericBodyDrawsNothingAtLevelOne) {
    s.isTest = 1;
    text("ch", "3*1000", 500, 0, 10, 0);
    add(0, -1);
    EXPECT_EQ(Sun_chk(s), kNotAValue);
    EXPECT_EQ(c.result(), "");
}

TEST_F(Verdict, TextWithoutDirectionIsWrong) {
    s.isTest = 1;
    text("ch", "1000", 0, 0, 0, 0);
    add(0, 0);
    add(1000, 0);
    EXPECT_EQ(Sun_chk(s), 10);
    EXPECT_EQ(c.result(), "");
}

// ---------------------------------------------------------------------------
// A dimension between the end points (0, 0) and (1500, 0): the text 1,500 of
// 5 bytes at (740, 1) along (6.25, 0). Its width is 6.25, so the normal search
// runs with length 1500 over x from -381.875 to 1868.125 and y from -0.75 to
// 5.0. (0, 0) is 740.0007 from the start and sorts first; the pair measures
// exactly 1500.

struct FifteenHundred : Verdict {
    FifteenHundred() {
        s.HANI[2] = 1500;
        s.HANI[3] = 5;
        add(0, 0);
        add(1500, 0);
        text("ch", "1,500", 740, 1, 6.25, 0);
        s.gosa = 99.0;  // left over from an earlier text
    }
};

TEST_F(FifteenHundred, IsGood) {
    EXPECT_EQ(Sun_chk(s), 0);
    EXPECT_DOUBLE_EQ(s.PT[1].x, -381.875);
    EXPECT_DOUBLE_EQ(s.PT[1].y, -0.75);
    EXPECT_DOUBLE_EQ(s.PT[3].x, 1868.125);
    EXPECT_DOUBLE_EQ(s.PT[3].y, 5.0);
    EXPECT_EQ(s.STEN[0].x, 0);
    EXPECT_EQ(s.STEN[1].x, 1500);
    EXPECT_EQ(c.trace(), "");
    EXPECT_EQ(c.result(), "");
}

TEST_F(FifteenHundred, LevelTwoTraceInOrder) {
    s.isTest = 2;
    s.STEN[2] = {7, 8, 9};        // left by an earlier text
    s.STEN[3] = {-1.25, 2.5, 0};
    EXPECT_EQ(Sun_chk(s), 0);
    // Each point is met once per ray, on the base side of the frame.
    const std::string near_point =
        "# Sen_inside()  cp(0.0 , 0.0) SQhani[-381.9 , -0.8  1868.1 , 5.0]\n"
        "#      XXX  KP[0] kten(-17 ,-1)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
        "#      XXX  KP[0] kten(-17 ,-1)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
        "#      XXX  KP[0] kten(-17 ,-1)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
        "#### Sen_inside() kt(3) k(3) k1(1) k2(1) k3(1)\n";
    const std::string far_point =
        "# Sen_inside()  cp(1500.0 , 0.0) SQhani[-381.9 , -0.8  1868.1 , 5.0]\n"
        "#      XXX  KP[0] kten(1423 ,-1)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
        "#      XXX  KP[0] kten(1423 ,-1)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
        "#      XXX  KP[0] kten(1423 ,-1)  XXX p(7)q(0) KPcnt(1) seido(0)\n"
        "#### Sen_inside() kt(3) k(3) k1(1) k2(1) k3(1)\n";
    EXPECT_EQ(c.trace(),
              "# ZenHan() k(0) s(1,500) str[0][1][2][3] = (31)(2c)(35)(30)\n"
              "# Search_Ten() nagasa(1500.0) draft(0.8) mae(1125.0) ush(1125.0)\n" +
                  near_point + far_point +
                  "# Get_Ten_Hanni() j(2)/tenc(2)\n"
                  "# STEN_sort(2)  >  j(1)  OK\n"
                  "# ChSTR(1,500) CSP(1500) sunpouchi(6.2) sunpou(1500.0)\n"
                  "# i(2) sort STEN 0(0.0 , 0.0) 1(1500.0 , 0.0)\n"
                  "# k(0) sort STEN 2(7.0 , 8.0) 3(-1.2 , 2.5)\n"
                  "## Same? jj(0) kk(1) gosa(0.510) disten(1500.000) length(1500.000) "
                  "dis(0.000)\n"
                  "# Kekka(0) sankaku(0)----( 0-1: Good / 2-3 Need CHecK / 10 NG )---\n\n");
    EXPECT_EQ(c.result(), "");
}

// ---------------------------------------------------------------------------
// Sorting by distance from the text's start.

struct Sorting : Verdict {
    void fill(std::initializer_list<double> ds) {
        int i = 0;
        for (double d : ds) {
            s.STEN[i] = {static_cast<double>(i), 0, d};
            ++i;
        }
    }
    std::string order(int n) {
        std::string o;
        for (int i = 0; i < n; ++i) o += static_cast<char>('0' + static_cast<int>(s.STEN[i].x));
        return o;
    }
};

TEST_F(Sorting, AscendingByDistance) {
    fill({5, 1, 4, 2, 3});
    STEN_sort(s, 5);
    EXPECT_EQ(order(5), "13420");
    EXPECT_EQ(s.STEN[0].d, 1);
    EXPECT_EQ(s.STEN[4].d, 5);
}

TEST_F(Sorting, LaterOfEqualDistancesGoesInFront) {
    fill({5, 5, 3, 5});
    STEN_sort(s, 4);
    EXPECT_EQ(order(4), "2310");
}

TEST_F(Sorting, OnlyTheCountedEntriesAreSorted) {
    fill({5, 4, 1});
    STEN_sort(s, 2);
    EXPECT_EQ(order(3), "102");
}

TEST_F(Sorting, NaNDistanceStopsTheMove) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    fill({1, nan, 0.5});
    STEN_sort(s, 3);
    EXPECT_EQ(order(3), "012");
}

TEST_F(Sorting, TraceShowsWhereTheLastEntryCameToRest) {
    s.isTest = 2;
    fill({1, 3, 2});
    STEN_sort(s, 3);
    fill({5, 4, 3, 2});
    STEN_sort(s, 4);
    fill({1, 2, 3});
    STEN_sort(s, 3);
    STEN_sort(s, 1);
    STEN_sort(s, 0);
    EXPECT_EQ(c.trace(),
              "# STEN_sort(3)  >  j(1)  OK\n"
              "# STEN_sort(4)  >  j(0)  OK\n"
              "# STEN_sort(3)  >  j(2)  OK\n"
              "# STEN_sort(1)  >  j(0)  OK\n"
              "# STEN_sort(0)  >  j(0)  OK\n");
}

// ---------------------------------------------------------------------------
// One pair.

struct Pair : Verdict {
    Pair() { s.gosa = 0.5; }
    int same(int mode, int jj, int kk, double other_x) {
        s.STEN[jj] = {0, 0, 0};
        s.STEN[kk] = {other_x, 0, 0};
        return Same_dis(s, mode, jj, kk, 1000.0);
    }
};

TEST_F(Pair, DifferenceOfExactlyTheToleranceIsGood) {
    EXPECT_EQ(same(0, 0, 1, 1000.5), 0);
    EXPECT_EQ(same(1, 0, 1, 1000.5), 1);  // widened search
    EXPECT_EQ(same(0, 1, 0, 1000.5), 1);  // first index not the nearest point
    EXPECT_EQ(same(0, 1, 2, 999.5), 1);   // only the size of the difference counts
}

TEST_F(Pair, ExactDifferenceIsAlwaysZero) {
    EXPECT_EQ(same(1, 1, 2, 1000), 0);
    EXPECT_EQ(same(0, 3, 2, 1000), 0);
}

TEST_F(Pair, BandsIncludeTheirUpperBound) {
    EXPECT_EQ(same(0, 0, 1, 1001.0), 2);
    EXPECT_EQ(same(0, 0, 1, 999.0), 2);
    EXPECT_EQ(same(0, 0, 1, 1001.5), 3);
    EXPECT_EQ(same(0, 0, 1, 1001.5001), 10);
    EXPECT_EQ(same(1, 0, 1, 1001.0), 2);
}

TEST_F(Pair, SamePointAndNaN) {
    EXPECT_EQ(Same_dis(s, 0, 3, 3, 1000.0), 20);
    EXPECT_EQ(same(0, 0, 1, std::numeric_limits<double>::quiet_NaN()), 10);
}

TEST_F(Pair, LevelTwoTrace) {
    s.isTest = 2;
    same(0, 0, 1, 1000.5);
    Same_dis(s, 0, 1, 1, 1000.0);  // no line for the same point
    EXPECT_EQ(c.trace(),
              "## Same? jj(0) kk(1) gosa(0.500) disten(1000.500) length(1000.000) dis(0.500)\n");
}

}  // namespace
}  // namespace dimcheck
