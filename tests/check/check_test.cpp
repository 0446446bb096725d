// Dimension checking: the value a text body reads as, and the verdict of a
// pair of end points.
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
        found[r.integer("first")] = {10, 20, 0};
        found[r.integer("second")] = {700, 744.5, 0};
        const SearchMode mode = SearchMode(r.integer("mode"));
        const Verdict v = compare_pair(j, found, mode, r.integer("first"), r.integer("second"),
                                       r.num("length"), {0, nullptr});
        EXPECT_EQ(int(v), r.integer("code")) << r.where;
    }
}

}  // namespace dimcheck::test
