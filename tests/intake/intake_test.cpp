// Drawing intake: records read into the drawing state (end points, arrow tips,
// scale, tables, attributes), and the consolidation pass.
#include <cmath>
#include <cstring>
#include <algorithm>
#include <map>
#include <sstream>

#include "intake/intake.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

// A row: the scale fixed before (none: not yet), the records, fields with their first values (TEN: all).
TEST(Intake, RecordsLeaveTheTabledState) {
    for (const Row& r : table("intake/intake.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        DrawingState& s = c.s;
        if (!r[0].empty()) s.scale = r.num(0), s.PH = 0;
        std::istringstream records(r[1]);
        for (std::string line; std::getline(records, line);) Ten_Store(s, (line + "\n").c_str());
        std::map<std::string, std::vector<double>> all = {
            {"G_SCALE", {s.G_SCALE, s.G_SCALE + 16}}, {"HANI", {s.HANI, s.HANI + 4}}, {"MOJI_W", {s.MOJI_W, s.MOJI_W + 16}},
            {"MOJI_H", {s.MOJI_H, s.MOJI_H + 16}}, {"MOJI_D", {s.MOJI_D, s.MOJI_D + 16}}, {"MOJI_C", {s.MOJI_C, s.MOJI_C + 16}},
            {"scale", {s.scale}}, {"gomi", {s.gomi}}, {"YALEN", {s.YALEN}}, {"PH", {1.0 * s.PH}}, {"mmax", {1.0 * s.mmax}},
            {"MOJIS", {1.0 * s.MOJIS}}, {"GROUP", {1.0 * s.GROUP}}, {"LAYER", {1.0 * s.LAYER}}, {"TYPE", {1.0 * s.TYPE}},
            {"COLOR", {1.0 * s.COLOR}}, {"TENS", {1.0 * s.TENS}}, {"TEN", {}}, {"first", {1.0 * s.MOJISi, s.MOJIWi, s.MOJIHi, s.MOJIDi,
            1.0 * s.MOJICi, 1.0 * s.GROUPi, 1.0 * s.LAYERi, 1.0 * s.TYPEi, 1.0 * s.COLORi, 1.0 * s.TENSi}}};
        for (int i = 0; i < s.tenc; ++i) all["TEN"].insert(all["TEN"].end(), {s.TEN[i].x, s.TEN[i].y});
        for (std::size_t k = 2; k < r.size(); ++k) {
            std::vector<std::string> want = words(r[k]), got;
            const std::string name = want[0];
            const std::vector<double>& v = all.at(name);
            want.erase(want.begin());
            char buf[32];
            for (std::size_t i = 0; i < (name == "TEN" ? v.size() : std::min(v.size(), want.size())); ++i)
                got.push_back(std::isnan(v[i]) ? "nan" : (std::snprintf(buf, sizeof buf, "%.15g", v[i]), buf));
            EXPECT_EQ(got, want) << name;
        }
    }
}

// One pass over letters for points: A..D distinct, a and b one bit from A in
// x and in y, 0 and - are (0, 0) and (-0, -0), W has the vacated x only, V is
// vacated. Expected: the slots afterwards and the count returned.
TEST(Consolidate, OnePassKeepsTheFirstOfEqualPointsInOrder) {
    const std::string letters = "ABCDab0-WV";
    const Point known[] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {std::nextafter(1.0, 2.0), 2}, {1, std::nextafter(2.0, 0.0)},
                           {0.0, 0.0}, {-0.0, -0.0}, {kVacated, 0}, {kVacated, kVacated}};
    for (const Row& r : table("intake/consolidation.txt")) {
        Captured c;
        for (std::size_t i = 0; i < r[0].size(); ++i) c.s.TEN[i] = known[letters.find(r[0][i])];
        std::string after = std::to_string(TEN_DP(c.s, int(r[0].size()))) + " ";
        for (std::size_t i = 0; i < r[0].size(); ++i)
            for (std::size_t k = 0; k < letters.size(); ++k)
                if (std::memcmp(&c.s.TEN[i], &known[k], sizeof(Point)) == 0) after += letters[k];
        EXPECT_EQ(after, r[2] + " " + r[1]) << r.where;
    }
}

}  // namespace dimcheck::test
