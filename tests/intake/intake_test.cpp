// Drawing intake: records read into the drawing (end points, arrow tips, scale, tables,
// attributes).
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "intake/intake.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

// The fields of the drawing that a row of intake.txt may name, as numbers.
std::map<std::string, std::vector<double>> fields_of(const Drawing& d) {
    std::map<std::string, std::vector<double>> f;
    f["group_scales"].assign(std::begin(d.group_scales), std::end(d.group_scales));
    f["selection_extent"].assign(std::begin(d.selection_extent), std::end(d.selection_extent));
    f["kind_widths"].assign(std::begin(d.kind_widths), std::end(d.kind_widths));
    f["kind_heights"].assign(std::begin(d.kind_heights), std::end(d.kind_heights));
    f["kind_spacings"].assign(std::begin(d.kind_spacings), std::end(d.kind_spacings));
    f["kind_colours"].assign(std::begin(d.kind_colours), std::end(d.kind_colours));
    f["scale"] = {d.scale};
    f["crossing_margin"] = {d.crossing_margin};
    f["text_count"] = {double(d.text_count)};
    f["text_kind"] = {double(d.text_kind)};
    f["layer_group"] = {double(d.layer_group)};
    for (int i = 0; i < d.end_point_count; ++i) {
        f["end_points"].push_back(d.end_points[i].x);
        f["end_points"].push_back(d.end_points[i].y);
    }
    f["end_points"];  // named even when empty
    const FirstSeen& s = d.first;
    f["first"] = {double(s.text_kind), s.free_width,          s.free_height,
                  s.free_spacing,      double(s.free_colour), double(s.layer_group),
                  double(s.layer),     double(s.line_type),   double(s.line_colour),
                  double(s.point_kind)};
    return f;
}

// A number as the table writes it.
std::string written(double v) {
    if (std::isnan(v)) return "nan";
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", v);
    return text;
}

// A row: the scale fixed before (none: not yet), the records, and fields of
// the drawing afterwards with their first values (end_points: all of them).
TEST(Intake, RecordsLeaveTheTabledDrawing) {
    for (const Row& r : table("intake/intake.txt")) {
        SCOPED_TRACE(r.where);
        Drawing d;
        IntakeMemory m;
        if (!r["scale fixed"].empty()) {
            d.scale = r.num("scale fixed");
            m.scale_fixed = true;
        }
        std::istringstream records(r["records"]);
        for (std::string line; std::getline(records, line);)
            read_record(d, m, (line + "\n").c_str(), {});
        const std::map<std::string, std::vector<double>> fields = fields_of(d);
        std::istringstream state(r["state"]);
        for (std::string field; std::getline(state, field, ';');) {
            const std::vector<std::string> want = words(field);
            const auto named = fields.find(want[0]);
            ASSERT_NE(named, fields.end()) << want[0];
            const std::vector<double>& values = named->second;
            std::size_t n = values.size();
            if (want[0] != "end_points") n = std::min(n, want.size() - 1);
            std::vector<std::string> got;
            for (std::size_t i = 0; i < n; ++i) got.push_back(written(values[i]));
            EXPECT_EQ(got, std::vector<std::string>(want.begin() + 1, want.end())) << want[0];
        }
    }
}

}  // namespace dimcheck::test
