// Drawing intake: records read into the drawing state (end points, arrow
// tips, scale, tables, attributes) and the consolidation pass, row by row.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <sstream>

#include "intake/intake.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {
namespace {

// The values of a state field as %.15g writes them, any NaN as "nan".
std::vector<std::string> shown(const std::vector<double>& v) {
    std::vector<std::string> out;
    char buf[32];
    for (double d : v) out.push_back(std::isnan(d) ? "nan" : (std::snprintf(buf, sizeof buf, "%.15g", d), buf));
    return out;
}

std::map<std::string, std::vector<double>> fields(const DrawingState& s) {
    std::vector<double> ten;
    for (int i = 0; i < s.tenc; ++i) ten.insert(ten.end(), {s.TEN[i].x, s.TEN[i].y});
    return {{"TEN", ten}, {"G_SCALE", {s.G_SCALE, s.G_SCALE + 16}}, {"HANI", {s.HANI, s.HANI + 4}},
            {"MOJI_W", {s.MOJI_W, s.MOJI_W + 16}}, {"MOJI_H", {s.MOJI_H, s.MOJI_H + 16}},
            {"MOJI_D", {s.MOJI_D, s.MOJI_D + 16}}, {"MOJI_C", {s.MOJI_C, s.MOJI_C + 16}},
            {"scale", {s.scale}}, {"gomi", {s.gomi}}, {"PH", {1.0 * s.PH}}, {"mmax", {1.0 * s.mmax}},
            {"YALEN", {s.YALEN}}, {"MOJIS", {1.0 * s.MOJIS}}, {"GROUP", {1.0 * s.GROUP}},
            {"LAYER", {1.0 * s.LAYER}}, {"TYPE", {1.0 * s.TYPE}}, {"COLOR", {1.0 * s.COLOR}},
            {"TENS", {1.0 * s.TENS}}, {"first", {1.0 * s.MOJISi, s.MOJIWi, s.MOJIHi, s.MOJIDi,
            1.0 * s.MOJICi, 1.0 * s.GROUPi, 1.0 * s.LAYERi, 1.0 * s.TYPEi, 1.0 * s.COLORi, 1.0 * s.TENSi}}};
}

// A row: the scale fixed before (none: not yet fixed), the records, then
// fields with their first values (all of TEN).
TEST(Intake, RecordsLeaveTheTabledState) {
    for (const Row& r : table("intake/intake.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        if (!r[0].empty()) c.s.scale = r.num(0), c.s.PH = 0;
        std::istringstream in(r[1]);
        for (std::string line; std::getline(in, line);) Ten_Store(c.s, (line + "\n").c_str());
        const auto all = fields(c.s);
        for (std::size_t k = 2; k < r.f.size(); ++k) {
            std::vector<std::string> want = r.words(k);
            const std::string name = want.front();
            want.erase(want.begin());
            std::vector<std::string> got = shown(all.at(name));
            if (name != "TEN") got.resize(want.size());
            EXPECT_EQ(got, want) << name;
        }
    }
}

// One pass over letters for points: A..D distinct, a and b one bit from A in
// x and in y, 0 and - are (0, 0) and (-0, -0), W has the vacated x only, V is
// vacated. Expected: the slots afterwards and the count returned.
TEST(Consolidate, OnePassKeepsTheFirstOfEqualPointsInOrder) {
    const std::string letters = "ABCDab0-WV";
    const double v = kVacated, up = std::nextafter(1.0, 2.0), down = std::nextafter(2.0, 0.0);
    const Point known[] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {up, 2}, {1, down}, {0.0, 0.0}, {-0.0, -0.0}, {v, 0}, {v, v}};
    for (const Row& r : table("intake/consolidation.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        for (std::size_t i = 0; i < r[0].size(); ++i) c.s.TEN[i] = known[letters.find(r[0][i])];
        EXPECT_EQ(TEN_DP(c.s, int(r[0].size())), r.integer(2));
        std::string after;
        for (std::size_t i = 0; i < r[0].size(); ++i)
            for (std::size_t k = 0; k < letters.size(); ++k)
                if (std::memcmp(&c.s.TEN[i], &known[k], sizeof(Point)) == 0) after += letters[k];
        EXPECT_EQ(after, r[1]);
    }
}

}  // namespace
}  // namespace dimcheck::test
