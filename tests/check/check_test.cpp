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
        const int length = cut_line_end(body), mixed = to_half_width(c.s, body);
        const std::string value_text = c.s.value_text;
        const int numeric = check_number_and_tolerance(c.s, c.s.value_text), thousands = strip_and_find_metres(c.s.value_text);
        std::snprintf(got, sizeof got, "%d | %d | %s | %d | %g | %d | %s", length, mixed, value_text.c_str(), numeric,
                      c.s.tolerance, thousands, c.s.value_text);
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
            s.tolerance = v[0], s.found_points[int(v[2])] = {10, 20, 0}, s.found_points[int(v[3])] = {700, 744.5, 0};
            EXPECT_EQ(compare_pair(s, int(v[1]), int(v[2]), int(v[3]), v[4]), r.integer(2));
        } else {
            s.trace_level = 1, s.magnification = r.num(3), s.text_kind = 2, s.kind_widths[2] = s.kind_heights[2] = 2.5, s.scale = s.group_scales[0] = 1.0;
            for (double x : r.nums(4)) s.end_points[s.end_point_count++] = {x, -1};
            std::memcpy(s.text_keyword, r[1].data(), 2);
            std::strcpy(s.text_body, (r[2] + "\n").c_str());
            s.text_x = 500, s.text_dx = 10;
            EXPECT_EQ(judge_text(s), r.integer(5));
            const std::string drawn = c.result();  // the frame's text at level 1 is the search mode
            EXPECT_EQ(drawn.find('"') == std::string::npos ? "-" : drawn.substr(drawn.find('"') + 1, 1), r[6]);
        }
    }
}

}  // namespace dimcheck::test
