// Verdict marks with their counters. Series of marks, turned texts, the mapping
// of verdicts to marks and the restore records are checked in whole runs
// (e2e/cases).
#include <gtest/gtest.h>

#include <string>

#include "marks/marks.h"
#include "support.h"

namespace dimcheck::test {
namespace {

// A text at (1000, 500) along (400, 0), text kind 4 of height 2.5, scale 100:
// r = 2.5 x 100 x 0.5 x 2.5 = 312.5 around (1200, 500).
TEST(Marks, Figures) {
    struct Row { const char* note; int kind; std::string records; int text_kind = 4; double scale = 100; };
    const Row rows[] = {
        {"double circle", 1, "ci 1200.000000 500.000000 312.500000\nci 1200.000000 500.000000 156.250000\n"},
        {"circle", 2, "ci 1200.000000 500.000000 312.500000\n"},
        {"triangle, base first, apex up", 3,
         "887.500000000000 187.500000000000 1512.500000000000 187.500000000000\n"
         "1512.500000000000 187.500000000000 1200.000000000000 812.500000000000\n"
         "1200.000000000000 812.500000000000 887.500000000000 187.500000000000\n"},
        {"cross, rising diagonal first", 4,
         "887.500000000000 187.500000000000 1512.500000000000 812.500000000000\n"
         "1512.500000000000 187.500000000000 887.500000000000 812.500000000000\n"},
        {"scale 0: zero radius, still written", 1,
         "ci 1200.000000 500.000000 0.000000\nci 1200.000000 500.000000 0.000000\n", 4, 0},
        {"a height never filled", 4,
         "1200.000000000000 500.000000000000 1200.000000000000 500.000000000000\n"
         "1200.000000000000 500.000000000000 1200.000000000000 500.000000000000\n", 12},
        {"a kind beyond the table reads height 0", 2, "ci 1200.000000 500.000000 0.000000\n", 16},
        {"a negative kind likewise", 2, "ci 1200.000000 500.000000 0.000000\n", -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Captured c;
        DrawingState& s = c.s;
        s.MOJI_H[4] = 2.5;
        s.MOJI_D[0] = s.MOJI_W[15] = 7;  // what kinds 16 and -1 would read beside the table
        s.MOJIS = r.text_kind;
        s.scale = r.scale;
        s.ChX = 1000;
        s.ChY = 500;
        s.ChDX = 400;
        Print_batu_maru(s, r.kind);
        EXPECT_EQ(c.result(), "lt1\nlc2\n" + r.records);
        EXPECT_EQ(s.maru_count, r.kind <= 2 ? 1 : 0);
        EXPECT_EQ(s.sankaku_count, r.kind == 3 ? 1 : 0);
        EXPECT_EQ(s.batu_count, r.kind == 4 ? 1 : 0);
    }
}

}  // namespace
}  // namespace dimcheck::test
