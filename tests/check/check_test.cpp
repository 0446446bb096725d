// Dimension checking: reading a value from a text body, and the verdict of a
// pair, a sort and a whole text, row by row from the tables beside this file.
#include <gtest/gtest.h>

#include <cstring>

#include "check/check.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {
namespace {

TEST(ValueReading, BodiesGiveTheirValueToleranceAndUnit) {
    for (const Row& r : table("check/values.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        char body[kLineBuf] = {};
        std::memcpy(body, r[0].data(), r[0].size());
        const int length = __DEL_CR(body), mixed = ZenHan(c.s, body);
        const std::string csp = c.s.CSP;
        const int numeric = isSuchi(c.s, c.s.CSP), thousands = Comma(c.s.CSP);
        char got[256];
        std::snprintf(got, sizeof got, "%d %d %s %d %g %d %s", length, mixed, csp.c_str(), numeric,
                      c.s.gosa, thousands, c.s.CSP);
        EXPECT_EQ(got, r[1] + " " + r[2] + " " + r[3] + " " + r[4] + " " + r[5] + " " + r[6] + " " + r[7]);
    }
}

TEST(Verdict, PairsSortAndTextsAsTabled) {
    for (const Row& r : table("check/verdicts.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        DrawingState& s = c.s;
        if (r[0] == "pair") {
            s.gosa = r.num(1);
            s.STEN[r.integer(3)] = {10, 20, 0};
            s.STEN[r.integer(4)] = {700, 744.5, 0};
            EXPECT_EQ(Same_dis(s, r.integer(2), r.integer(3), r.integer(4), r.num(5)), r.integer(6));
        } else if (r[0] == "sort") {
            const std::vector<double> d = r.nums(1);
            for (std::size_t i = 0; i < d.size(); ++i) s.STEN[i] = {double(i), 0, d[i]};
            STEN_sort(s, r.integer(2));
            std::string order;
            for (std::size_t i = 0; i < d.size(); ++i) order += (i ? " " : "") + std::to_string(int(s.STEN[i].x));
            EXPECT_EQ(order, r[3]);
        } else {
            s.isTest = 1;
            s.bairitsu = r.num(3);
            s.MOJIS = 2;
            s.MOJI_W[2] = s.MOJI_H[2] = 2.5;
            s.scale = s.G_SCALE[0] = 1.0;
            for (double x : r.nums(4)) s.TEN[s.tenc++] = {x, -1};
            std::memcpy(s.ChHEAD, r[1].data(), 2);
            std::strcpy(s.ChSTR, (r[2] + "\n").c_str());
            s.ChX = 500;
            s.ChDX = 10;
            EXPECT_EQ(Sun_chk(s), r.integer(5));
            const std::string drawn = c.result();
            EXPECT_EQ(drawn.find('"') == std::string::npos ? "-" : drawn.substr(drawn.find('"') + 1, 1), r[6]);
        }
    }
}

}  // namespace
}  // namespace dimcheck::test
