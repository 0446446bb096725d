// Dimension checking: the value read from a text body, and the verdict of a
// pair and of a whole text.
#include <cstring>

#include "check/check.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(ValueReading, BodiesGiveTheirValueToleranceAndUnit) {
    for (const Row& r : table("check/values.txt")) {
        Captured c;
        char body[kLineBuf] = {}, got[256];
        std::memcpy(body, r[0].data(), r[0].size());
        const int length = __DEL_CR(body), mixed = ZenHan(c.s, body);
        const std::string csp = c.s.CSP;
        const int numeric = isSuchi(c.s, c.s.CSP), thousands = Comma(c.s.CSP);
        std::snprintf(got, sizeof got, "%d | %d | %s | %d | %g | %d | %s", length, mixed, csp.c_str(), numeric,
                      c.s.gosa, thousands, c.s.CSP);
        EXPECT_EQ(got, r[1] + " | " + r[2] + " | " + r[3] + " | " + r[4] + " | " + r[5] + " | " + r[6] + " | " + r[7]) << r.where;
    }
}

TEST(Verdict, PairsAndTextsAsTabled) {
    for (const Row& r : table("check/verdicts.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        DrawingState& s = c.s;
        const std::vector<double> v = r.nums(1);
        if (r[0] == "pair") {
            s.gosa = v[0], s.STEN[int(v[2])] = {10, 20, 0}, s.STEN[int(v[3])] = {700, 744.5, 0};
            EXPECT_EQ(Same_dis(s, int(v[1]), int(v[2]), int(v[3]), v[4]), r.integer(2));
        } else {
            s.isTest = 1, s.bairitsu = r.num(3), s.MOJIS = 2, s.MOJI_W[2] = s.MOJI_H[2] = 2.5, s.scale = s.G_SCALE[0] = 1.0;
            for (double x : r.nums(4)) s.TEN[s.tenc++] = {x, -1};
            std::memcpy(s.ChHEAD, r[1].data(), 2);
            std::strcpy(s.ChSTR, (r[2] + "\n").c_str());
            s.ChX = 500, s.ChDX = 10;
            EXPECT_EQ(Sun_chk(s), r.integer(5));
            const std::string drawn = c.result();  // the frame's text at level 1 is the search mode
            EXPECT_EQ(drawn.find('"') == std::string::npos ? "-" : drawn.substr(drawn.find('"') + 1, 1), r[6]);
        }
    }
}

}  // namespace dimcheck::test
