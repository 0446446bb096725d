// Dimension checking: the value a text body reads as, and the verdict of a
// pair and of a whole text.
#include <cstring>

#include "check/value.h"
#include "check/verdict.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(ValueReading, BodiesGiveTheirValueToleranceAndUnit) {
    for (const Row& r : table("check/values.txt")) {
        Captured c;
        Text t;
        FoundPoint found[kFoundSlots];
        std::memcpy(t.body, r["body"].data(), r["body"].size());
        cut_line_end(t.body);  // as the text record is read
        const Judgement j = judge_text(c.d, nullptr, c.o, t, found, c.sinks());
        char got[128] = "none | - | -";
        if (j.verdict != Verdict::NotAValue)
            std::snprintf(got, sizeof got, "%.15g | %.15g | %s", j.value, j.tolerance,
                          j.read_in_metres ? "yes" : "no");
        EXPECT_EQ(got, r["value"] + " | " + r["tolerance"] + " | " + r["metres"]) << r.where;
    }
}

TEST(Verdict, PairsAsTabled) {
    for (const Row& r : table("check/pairs.txt")) {
        FoundPoint found[kFoundSlots] = {};
        Judgement j;
        j.tolerance = r.num("tolerance");
        found[r.integer("first")] = {10, 20, 0}, found[r.integer("second")] = {700, 744.5, 0};
        const Verdict v = compare_pair(j, found, SearchMode(r.integer("mode")), r.integer("first"),
                                       r.integer("second"), r.num("length"), {0, nullptr});
        EXPECT_EQ(int(v), r.integer("code")) << r.where;
    }
}

TEST(Verdict, TextsAsTabled) {
    for (const Row& r : table("check/texts.txt")) {
        Captured c;
        FoundPoint found[kFoundSlots] = {};
        Text t;
        c.o.trace_level = 1, c.o.magnification = r.num("magnification"), t.kind = 2;
        c.d.kind_widths[2] = c.d.kind_heights[2] = 2.5, c.d.scale = c.d.group_scales[0] = 1.0;
        for (double x : r.nums("end points x")) c.d.end_points[c.d.end_point_count++] = {x, -1};
        t.keyword_letter = r["kind"][1];
        std::strcpy(t.body, r["body"].c_str()), t.x = 500, t.dx = 10;
        EXPECT_EQ(int(judge_text(c.d, nullptr, c.o, t, found, c.sinks()).verdict),
                  r.integer("code"))
            << r.where;
        const std::string drawn = c.result();  // the frame's text at level 1 is the search mode
        const std::size_t quote = drawn.find('"');
        EXPECT_EQ(quote == std::string::npos ? "-" : drawn.substr(quote + 1, 1), r["mode"])
            << r.where;
    }
}

}  // namespace dimcheck::test
