// Drawing intake: records read into the drawing and the intake memory (end points, arrow tips,
// scale, tables, attributes), and the consolidation pass.
#include <cmath>
#include <cstring>
#include <algorithm>
#include <map>
#include <sstream>

#include "intake/consolidate.h"
#include "intake/intake.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

// A row: the scale fixed before (none: not yet), the records, fields with their first values (end_points: all).
TEST(Intake, RecordsLeaveTheTabledState) {
    for (const Row& r : table("intake/intake.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        Drawing& s = c.d;
        IntakeMemory m;
        if (!r[0].empty()) s.scale = r.num(0), m.scale_fixed = true;
        std::istringstream records(r[1]);
        for (std::string line; std::getline(records, line);) read_record(s, m, (line + "\n").c_str(), {0, nullptr});
        std::map<std::string, std::vector<double>> all = {
            {"group_scales", {s.group_scales, s.group_scales + 16}}, {"selection_extent", {s.selection_extent, s.selection_extent + 4}}, {"kind_widths", {s.kind_widths, s.kind_widths + 16}},
            {"kind_heights", {s.kind_heights, s.kind_heights + 16}}, {"kind_spacings", {s.kind_spacings, s.kind_spacings + 16}}, {"kind_colours", {s.kind_colours, s.kind_colours + 16}},
            {"scale", {s.scale}}, {"crossing_margin", {s.crossing_margin}}, {"stroke_len2", {m.stroke.len2}}, {"scale_fixed", {1.0 * m.scale_fixed}}, {"text_count", {1.0 * s.text_count}},
            {"text_kind", {1.0 * s.text_kind}}, {"layer_group", {1.0 * s.layer_group}}, {"layer", {1.0 * m.layer}}, {"line_type", {1.0 * m.line_type}},
            {"line_colour", {1.0 * m.line_colour}}, {"point_kind", {1.0 * m.point_kind}}, {"end_points", {}}, {"first", {1.0 * s.first.text_kind, s.first.free_width, s.first.free_height,
            s.first.free_spacing, 1.0 * s.first.free_colour, 1.0 * s.first.layer_group, 1.0 * s.first.layer, 1.0 * s.first.line_type, 1.0 * s.first.line_colour, 1.0 * s.first.point_kind}}};
        for (int i = 0; i < s.end_point_count; ++i) all["end_points"].insert(all["end_points"].end(), {s.end_points[i].x, s.end_points[i].y});
        for (std::size_t k = 2; k < r.size(); ++k) {
            std::vector<std::string> want = words(r[k]), got;
            const std::string name = want[0];
            const std::vector<double>& v = all.at(name);
            want.erase(want.begin());
            char buf[32];
            for (std::size_t i = 0; i < (name == "end_points" ? v.size() : std::min(v.size(), want.size())); ++i)
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
        for (std::size_t i = 0; i < r[0].size(); ++i) c.d.end_points[i] = known[letters.find(r[0][i])];
        std::string after = std::to_string(consolidation_pass(c.d, int(r[0].size()), c.out.trace)) + " ";
        for (std::size_t i = 0; i < r[0].size(); ++i)
            for (std::size_t k = 0; k < letters.size(); ++k)
                if (std::memcmp(&c.d.end_points[i], &known[k], sizeof(Point)) == 0) after += letters[k];
        EXPECT_EQ(after, r[2] + " " + r[1]) << r.where;
    }
}

}  // namespace dimcheck::test
