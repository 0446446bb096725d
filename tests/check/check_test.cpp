// Dimension checking: the value read from a text body, and the verdict of a
// pair and of a whole text.
#include <cstring>

#include "check/value.h"
#include "check/verdict.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(ValueReading, BodiesGiveTheirValueToleranceAndUnit) {
    for (const Row& r : table("check/values.txt")) {
        char body[kLineBuf] = {}, got[256], value[kValueText];
        double tolerance = 0.51;
        std::memcpy(body, r[0].data(), r[0].size());
        const int length = cut_line_end(body), mixed = to_half_width(value, body, {0, nullptr});
        const std::string value_text = value;
        const int numeric = check_number_and_tolerance(tolerance, value), thousands = strip_and_find_metres(value);
        std::snprintf(got, sizeof got, "%d | %d | %s | %d | %g | %d | %s", length, mixed, value_text.c_str(), numeric,
                      tolerance, thousands, value);
        EXPECT_EQ(got, r[1] + " | " + r[2] + " | " + r[3] + " | " + r[4] + " | " + r[5] + " | " + r[6] + " | " + r[7]) << r.where;
    }
}

TEST(Verdict, PairsAndTextsAsTabled) {
    for (const Row& r : table("check/verdicts.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        FoundPoint found[kFoundSlots] = {};
        const std::vector<double> v = r.nums(1);
        Judgement j;
        Text t;
        if (r[0] == "pair") {
            j.tolerance = v[0], found[int(v[2])] = {10, 20, 0}, found[int(v[3])] = {700, 744.5, 0};
            EXPECT_EQ(int(compare_pair(j, found, int(v[1]), int(v[2]), int(v[3]), v[4], {0, nullptr})), r.integer(2));
        } else {
            c.o.trace_level = 1, c.o.magnification = r.num(3), t.kind = 2, c.d.kind_widths[2] = c.d.kind_heights[2] = 2.5, c.d.scale = c.d.group_scales[0] = 1.0;
            for (double x : r.nums(4)) c.d.end_points[c.d.end_point_count++] = {x, -1};
            std::memcpy(t.keyword, r[1].data(), 2);
            std::strcpy(t.body, r[2].c_str()), t.x = 500, t.dx = 10;
            EXPECT_EQ(int(judge_text(c.d, nullptr, c.o, t, found, c.out).verdict), r.integer(5));
            const std::string drawn = c.result();  // the frame's text at level 1 is the search mode
            EXPECT_EQ(drawn.find('"') == std::string::npos ? "-" : drawn.substr(drawn.find('"') + 1, 1), r[6]);
        }
    }
}

}  // namespace dimcheck::test
