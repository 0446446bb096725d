// Drawing intake: records read into the drawing and the intake memory (end points, arrow tips,
// scale, tables, attributes), and the consolidation pass.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <sstream>

#include "intake/consolidate.h"
#include "intake/intake.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

// A row: the scale fixed before (none: not yet), the records, fields with their first values
// (end_points: all).
TEST(Intake, RecordsLeaveTheTabledState) {
    for (const Row& r : table("intake/intake.txt")) {
        SCOPED_TRACE(r.where);
        Drawing s;
        IntakeMemory m;
        if (!r["scale fixed"].empty()) s.scale = r.num("scale fixed"), m.scale_fixed = true;
        std::istringstream records(r["records"]), state(r["state"]);
        for (std::string line; std::getline(records, line);)
            read_record(s, m, (line + "\n").c_str(), {});
        auto of = [](const auto& a) { return std::vector<double>(std::begin(a), std::end(a)); };
        const FirstSeen& f = s.first;
        std::map<std::string, std::vector<double>> all = {
            {"group_scales", of(s.group_scales)},
            {"selection_extent", of(s.selection_extent)},
            {"kind_widths", of(s.kind_widths)},
            {"kind_heights", of(s.kind_heights)},
            {"kind_spacings", of(s.kind_spacings)},
            {"kind_colours", of(s.kind_colours)},
            {"scale", {s.scale}},
            {"crossing_margin", {s.crossing_margin}},
            {"stroke_len2", {m.stroke.len2}},
            {"scale_fixed", {1.0 * m.scale_fixed}},
            {"text_count", {1.0 * s.text_count}},
            {"text_kind", {1.0 * s.text_kind}},
            {"layer_group", {1.0 * s.layer_group}},
            {"layer", {1.0 * m.layer}},
            {"line_type", {1.0 * m.line_type}},
            {"line_colour", {1.0 * m.line_colour}},
            {"point_kind", {1.0 * m.point_kind}},
            {"end_points", {}},
            {"first",
             {1.0 * f.text_kind, f.free_width, f.free_height, f.free_spacing, 1.0 * f.free_colour,
              1.0 * f.layer_group, 1.0 * f.layer, 1.0 * f.line_type, 1.0 * f.line_colour,
              1.0 * f.point_kind}}};
        for (int i = 0; i < s.end_point_count; ++i)
            all["end_points"].insert(all["end_points"].end(),
                                     {s.end_points[i].x, s.end_points[i].y});
        for (std::string field; std::getline(state, field, ';');) {
            std::vector<std::string> want = words(field), got;
            const std::vector<double>& v = all.at(want[0]);
            char buf[32];
            for (std::size_t i = 0;
                 i < (want[0] == "end_points" ? v.size() : std::min(v.size(), want.size() - 1));
                 ++i)
                got.push_back(std::isnan(v[i])
                                  ? "nan"
                                  : (std::snprintf(buf, sizeof buf, "%.15g", v[i]), buf));
            EXPECT_EQ(got, std::vector<std::string>(want.begin() + 1, want.end())) << want[0];
        }
    }
}

// One pass over letters for points: A..D distinct, a and b one bit from A in
// x and in y, 0 and - are (0, 0) and (-0, -0), W has the vacated x only, V is
// vacated. Expected: the slots afterwards and the count returned.
TEST(Consolidate, OnePassKeepsTheFirstOfEqualPointsInOrder) {
    const std::string letters = "ABCDab0-WV";
    const Point known[] = {{1, 2},
                           {3, 4},
                           {5, 6},
                           {7, 8},
                           {std::nextafter(1.0, 2.0), 2},
                           {1, std::nextafter(2.0, 0.0)},
                           {0.0, 0.0},
                           {-0.0, -0.0},
                           {kVacated, 0},
                           {kVacated, kVacated}};
    for (const Row& r : table("intake/consolidation.txt")) {
        Captured c;
        const std::string& before = r["points before"];
        for (std::size_t i = 0; i < before.size(); ++i)
            c.d.end_points[i] = known[letters.find(before[i])];
        std::string after =
            std::to_string(consolidation_pass(c.d, int(before.size()), c.out.trace)) + " ";
        for (std::size_t i = 0; i < before.size(); ++i)
            for (std::size_t k = 0; k < letters.size(); ++k)
                if (std::memcmp(&c.d.end_points[i], &known[k], sizeof(Point)) == 0)
                    after += letters[k];
        EXPECT_EQ(after, r["count"] + " " + r["slots after"]) << r.where;
    }
}

}  // namespace dimcheck::test
