// Drawing intake: records parsed into the drawing state, arrow tips, and the
// consolidation pass. The first-seen copies are checked through the restore
// records of whole runs (e2e/cases/restore-*).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "intake/intake.h"
#include "support.h"

namespace dimcheck::test {
namespace {

const std::string kScales = "hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n";

void feed(DrawingState& s, const std::string& lines) {
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) Ten_Store(s, (line + "\n").c_str());
}

std::string points(const DrawingState& s) {
    std::ostringstream all;
    for (int i = 0; i < s.tenc; ++i) all << (i ? " " : "") << s.TEN[i].x << "," << s.TEN[i].y;
    return all.str();
}

// End points from point records, small full circles and arrow tips. An arrow
// stroke is longer than 1.7 and shorter than 3.5 times the scale (compared
// squared); two strokes alike within ten per cent that meet exactly give a tip.
TEST(Intake, EndPoints) {
    char apart[80];  // end points one bit apart
    std::snprintf(apart, sizeof apart, " 0 0 200 0\n %.17g 0 %.17g 200\n",
                  std::nextafter(200.0, 300.0), std::nextafter(200.0, 300.0));
    struct Row {
        const char* note; double scale; std::string lines, want; int level = 0; std::string trace = "";
    };
    const Row rows[] = {
        {"numbers right after the keyword", 0, "pt 1.5 -2\npt3 4\npt 5 y\n", "1.5,-2 3,4 5,0"},
        {"170 is in: 28900 > 2.8899999999999997e4", 100, " 0 0 170 0\n 0 0 0 170\n", "0,0"},
        {"just below 3.5 times the scale", 100, " 5 5 5 354.99\n 5 5 354.99 5\n", "5,5"},
        {"350 is out: 122500 is not below 12.25e4", 100, " 0 0 350 0\n 0 0 0 350\n", ""},
        {"strokes out of the band are not remembered", 100,
         " 0 0 170 0\n 0 0 350 0\n 0 0 0 350\n 0 0 0 169.99\n 0 170 0 0\n", "0,0"},
        {"ten per cent shorter is out", 100, " 0 0 250 0\n 0 0 0 225\n", ""},
        {"twelve per cent longer is out", 100, " 0 0 225 0\n 0 0 0 252\n", ""},
        {"1.1 * 1.1 is a hair above 1.21: ten per cent longer is in", 100, " 0 0 250 0\n 0 0 0 275\n", "0,0"},
        {"an unlike stroke is remembered: 210 is alike to 225, not 250", 100,
         " 0 0 250 0\n 0 0 0 225\n 0 0 210 0\n", "0,0"},
        {"the first stroke never joins", 100, " 0 0 200 0\n", ""},
        {"only a blank starts a line record", 100, " 0 0 200 0\n\t0 0 0 200\n0 0 0 200\n", ""},
        {"end points one bit apart do not meet", 100, apart, ""},
        {"other records and long lines between the strokes", 100,
         " 0 0 200 0\nlc3\nch 0 0 1 0 \"x\n# c\ncn2\nhcw 1\n 0 0 5000 5000\n 1 1 2 2\n 200 0 200 210\n",
         "200,0"},
        {"the four pairings of first and second ends", 100,
         " 0 0 200 0\n 0 0 0 200\n 500 0 700 0\n 700 0 700 200\n 1000 0 1200 0\n 1000 200 1000 0\n"
         " 1500 0 1700 0\n 1700 200 1700 0\n", "0,0 700,0 1000,0 1700,0"},
        {"an identical line: the later pairing", 100, " 0 0 200 0\n 0 0 200 0\n", "200,0"},
        {"a reversed line: the later pairing", 100, " 0 0 200 0\n 200 0 0 0\n", "0,0"},
        {"three strokes in a row", 100, " 0 0 200 0\n 200 0 200 200\n 200 200 0 200\n", "200,0 200,200"},
        {"a tip equal to the last point is traced, not added; an earlier one is added", 100,
         "pt 9 9\npt 0 0\n 0 0 200 0\n 0 0 0 200\n 9 9 209 9\n 9 9 9 209\n", "9,9 0,0 9,9", 3,
         "# Yaji()  yajirusi tenc=2 \n# Yaji()  yajirusi tenc=2 \n"},
        {"the trace belongs to level 3 alone", 100, " 0 0 200 0\n 0 0 0 200\n", "0,0", 4},
        {"the trace belongs to level 3 alone", 100, " 0 0 200 0\n 0 0 0 200\n", "0,0", 2},
        {"scale 0 finds no tip", 0, " 0 0 200 0\n 0 0 0 200\n 0 0 0.001 0\n 0 0 0 0.001\n", ""},
        {"a failed field keeps its value: (0, 200) meets the second end", 100,
         " 0 0 200 0\n 0 0 0 200\n 200 200 q\n", "0,0 0,200"},
        {"1.1 * 100 is the double 110.00000000000001", 100,
         "ci 100 100 2\nci 5 6 110\nci 7 8 110.00000000000001\n", "100,100 5,6"},
        {"scale 1: 1.1 is too big", 1, "ci 1 1 1.1\nci 2 2 1.0999999999999999\n", "2,2"},
        {"full circles: three blanks (0x20) before the line end or a CR", 100,
         "ci 1 2 3 4 5\nci 1 2 3 \nci 1  2 3\nci\t1 2 3\nci 5 6\t7 \nci 4 5 6\r\nci 7 8 9\r \n", "5,6 4,5 7,8"},
        {"before the first comment line the scale is 0", 0,
         kScales + "ci 1 1 0.5\nci 2 2 0\nci 3 3 -1\n#\nci 4 4 0.5\n", "3,3 4,4"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Captured c;
        c.s.scale = r.scale;
        c.s.PH = r.scale != 0 ? 0 : 20;  // a non-zero scale was fixed at a comment line
        c.s.isTest = r.level;
        feed(c.s, r.lines);
        EXPECT_EQ(points(c.s), r.want);
        EXPECT_EQ(c.trace(), r.trace);
    }
}

TEST(Intake, TheEightHundredthPointFillsTheTable) {
    for (const char* last : {"pt 7 7\n", "ci 7 7 1\n", " 7 7 7 207\n"}) {
        Captured c;
        c.s.scale = 100;
        c.s.tenc = 798;
        EXPECT_EQ(Ten_Store(c.s, "pt 1 1\n"), 0) << last;
        Ten_Store(c.s, " 7 7 207 7\n");
        EXPECT_EQ(Ten_Store(c.s, last), -1) << last;
        EXPECT_EQ(c.s.tenc, 800) << last;
        EXPECT_EQ(c.s.TEN[799].x, 7.0) << last;
    }
}

TEST(Intake, ScaleIsFixedAtTheFirstCommentFromTheGroupCurrentThere) {
    struct Row { std::string lines; double scale; bool fixed; };  // fixed: a comment line was met
    const Row rows[] = {
        {kScales + "lg2\n", 0, false},
        {kScales + "lg2\n#jw\nlg5\nhs 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9\n#\n# again\n", 3, true},
        {"lg2\nlga\n" + kScales + "#\r\n", 11, true},  // groups are hexadecimal
        {kScales + "#\n", 1, true},
        {kScales + "lg3\npt 1 1\nx # not a comment\n", 0, false},
        {kScales + "lg10\n#\n", 0, true},  // groups outside the table read scale 0
        {kScales + "lg-1\n#\n", 0, true},
        {kScales + "lgffffffff\n#\n", 0, true},
        {kScales + "lg7fffffff\n#\n", 0, true},
    };
    for (const Row& r : rows) {
        Captured c;
        feed(c.s, r.lines);
        EXPECT_EQ(c.s.scale, r.scale) << r.lines;
        EXPECT_EQ(c.s.gomi, r.fixed ? 0.00025 * r.scale : 0.00025) << r.lines;
        EXPECT_EQ(c.s.PH, r.fixed ? 0 : 20) << r.lines;
    }
}

TEST(Intake, HeaderTablesAndTextCount) {
    Captured c;
    DrawingState& s = c.s;
    // "hs", "hch" directly followed by a digit lose that digit: the separator;
    // spacings and colours ("hcd", "hcc") are not read.
    feed(s, "hs12.5 7\nhcw 1 2 3 4 5 6 7 8 9 10 11\nhch91.5 2\nhcd 3 4\n"
            "hcc 1 2 3 4 5 6 7 8 9 10\nhn -1 2.5 3e2 4\r\nhn 9 x 9 9\n");
    EXPECT_EQ(std::vector<double>(s.G_SCALE, s.G_SCALE + 3), (std::vector<double>{2.5, 7, 0}));
    for (int k = 0; k <= 11; ++k) {  // ten values from column 1 on
        EXPECT_EQ(s.MOJI_W[k], k % 11 ? k : 0);
        EXPECT_EQ(s.MOJI_C[k] + s.MOJI_D[k], 0);
    }
    EXPECT_EQ(std::vector<double>({s.MOJI_H[1], s.MOJI_H[2]}), std::vector<double>({1.5, 2}));
    EXPECT_EQ(std::vector<double>(s.HANI, s.HANI + 4), (std::vector<double>{9, 2.5, 300, 4}));
    // Keywords are case-sensitive and need their full spelling.
    feed(s, "HS 5 5\nhx 5\nhc 5\nhcx 5\nh\n");
    EXPECT_EQ(std::vector<double>({s.G_SCALE[0], s.MOJI_W[1], s.HANI[0]}), std::vector<double>({2.5, 1, 9}));

    feed(s, "ch 0 0 1 0 \"a\nco\ncr\ncs\nca\nc\ncx 1 2\ncN1\ncn1\ncn0 1 2 3 4\ncn\n"
            "ci 1 2 3\nci 1 2 3 4 5\nCh\n ch\n#ch\n");
    Ten_Store(s, "c");
    EXPECT_EQ(s.mmax, 9);
}

// One consolidation pass. Letters stand for points: A, B, C, D distinct; a
// and b one bit from A in x and in y; 0 and - for (0, 0) and (-0, -0), which
// are equal; V the marker of a vacated slot, -2^31 / 10000 in x and y.
TEST(Consolidate, OnePass) {
    auto point = [](char l) -> Point {
        const Point known[] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {std::nextafter(1.0, 9.0), 2},
                               {1, std::nextafter(2.0, 0.0)}, {0.0, 0.0}, {-0.0, -0.0}};
        const std::size_t at = std::string("ABCDab0-").find(l);
        return at == std::string::npos ? Point{-214748.3648, -214748.3648} : known[at];
    };
    struct Row { std::string in, out; const char* trace; };  // out: the slots afterwards
    const Row rows[] = {
        {"", "", ""},
        {"A", "A", ""},
        {"AA", "AV", "# i(0) j(1) k(2)\n# same i(0) j(1) k(2)\n"},
        {"AAB", "ABV",  // a vacated slot is compared like any other
         "# i(0) j(1) k(3)\n# same i(0) j(1) k(3)\n# i(0) j(2) k(3)\n# i(1) j(2) k(3)\n"},
        {"AAA", "AAV", nullptr},  // the entry sliding into the vacated slot is skipped
        {"ABAB", "ABVV", "# i(0) j(1) k(4)\n# i(0) j(2) k(4)\n# same i(0) j(2) k(4)\n# i(0) j(3) k(4)\n"
                         "# i(1) j(2) k(4)\n# same i(1) j(2) k(4)\n# i(1) j(3) k(4)\n"},
        {"ABCBAD", "ABCDVV", nullptr},
        {"Aab", "Aab", nullptr},
        {"0-", "0V", nullptr},
        {"AVBC", "AVBC", "# i(0) j(1) k(4)\n# i(0) j(2) k(4)\n# i(0) j(3) k(4)\n"},  // ends early
    };
    for (const Row& r : rows) {
        Captured c;
        for (std::size_t i = 0; i < r.in.size(); ++i) c.s.TEN[i] = point(r.in[i]);
        EXPECT_EQ(TEN_DP(c.s, int(r.in.size())), int(std::min(r.out.find('V'), r.out.size()))) << r.in;
        for (std::size_t i = 0; i < r.out.size(); ++i) {
            const Point p = point(r.out[i]);
            EXPECT_TRUE(c.s.TEN[i].x == p.x && c.s.TEN[i].y == p.y) << r.in << " " << i;
            EXPECT_EQ(std::signbit(c.s.TEN[i].x), std::signbit(p.x)) << r.in << " " << i;
        }
        if (r.trace) { EXPECT_EQ(c.trace(), r.trace) << r.in; }
    }
}

TEST(Consolidate, RunsShrinkByTheRunLengthTable) {
    // A run of m equal points keeps 1 for m = 2, 2 for 3..6, 3 for 7..14 ... The
    // passes of a whole run are in e2e/cases (800 equal points in five passes).
    for (auto [m, kept] : std::vector<std::pair<int, int>>{{2, 1}, {3, 2}, {6, 2}, {7, 3}, {14, 3},
             {15, 4}, {30, 4}, {31, 5}, {62, 5}, {63, 6}, {126, 6}, {127, 7}}) {
        Captured c;
        for (int i = 0; i < m; ++i) c.s.TEN[i] = {1, 2};
        EXPECT_EQ(TEN_DP(c.s, m), kept) << m;
        for (int i = 0; i < m; ++i) EXPECT_EQ(c.s.TEN[i].x, i < kept ? 1 : -214748.3648) << m;
    }
}

}  // namespace
}  // namespace dimcheck::test
