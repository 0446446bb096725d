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
        using Numbers = std::vector<double>;
        auto of = [](const auto& a) { return Numbers(std::begin(a), std::end(a)); };
        auto one = [](double v) { return Numbers{v}; };
        auto list = [](auto... v) { return std::vector<Numbers>{v...}; };
        const FirstSeen& f = s.first;
        Numbers ends,
            first = {1.0 * f.text_kind,   f.free_width,        f.free_height, f.free_spacing,
                     1.0 * f.free_colour, 1.0 * f.layer_group, 1.0 * f.layer, 1.0 * f.line_type,
                     1.0 * f.line_colour, 1.0 * f.point_kind};
        for (int i = 0; i < s.end_point_count; ++i)
            ends.insert(ends.end(), {s.end_points[i].x, s.end_points[i].y});
        const std::vector<std::string> names = words(
            "group_scales selection_extent kind_widths kind_heights kind_spacings kind_colours "
            "scale crossing_margin stroke_len2 scale_fixed text_count text_kind layer_group layer "
            "line_type line_colour point_kind end_points first");
        const std::vector<Numbers> values =
            list(of(s.group_scales), of(s.selection_extent), of(s.kind_widths), of(s.kind_heights),
                 of(s.kind_spacings), of(s.kind_colours), one(s.scale), one(s.crossing_margin),
                 one(m.stroke.len2), one(m.scale_fixed), one(s.text_count), one(s.text_kind),
                 one(s.layer_group), one(m.layer), one(m.line_type), one(m.line_colour),
                 one(m.point_kind), ends, first);
        for (std::string field; std::getline(state, field, ';');) {
            std::vector<std::string> want = words(field), got;
            const auto name = std::find(names.begin(), names.end(), want[0]);
            ASSERT_NE(name, names.end()) << want[0];
            const std::vector<double>& v = values[name - names.begin()];
            const std::size_t n =
                want[0] == "end_points" ? v.size() : std::min(v.size(), want.size() - 1);
            char buf[32];
            for (std::size_t i = 0; i < n; ++i)
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
    const double x[] = {1, 3, 5, 7, std::nextafter(1.0, 2.0), 1, 0.0, -0.0, kVacated, kVacated};
    const double y[] = {2, 4, 6, 8, 2, std::nextafter(2.0, 0.0), 0.0, -0.0, 0, kVacated};
    for (const Row& r : table("intake/consolidation.txt")) {
        Captured c;
        const std::string& before = r["points before"];
        for (std::size_t i = 0; i < before.size(); ++i)
            c.d.end_points[i] = {x[letters.find(before[i])], y[letters.find(before[i])]};
        std::string after =
            std::to_string(consolidation_pass(c.d, int(before.size()), c.out.trace)) + " ";
        for (std::size_t i = 0; i < before.size(); ++i)
            for (std::size_t k = 0; k < letters.size(); ++k)
                if (!std::memcmp(&c.d.end_points[i].x, &x[k], 8) &&
                    !std::memcmp(&c.d.end_points[i].y, &y[k], 8))
                    after += letters[k];
        EXPECT_EQ(after, r["count"] + " " + r["slots after"]) << r.where;
    }
}

}  // namespace dimcheck::test
