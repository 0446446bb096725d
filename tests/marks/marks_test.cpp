// Marking output: the figure of each verdict and the restore records. The
// figures themselves are pinned by the recorded cases (e2e/cases/verdicts).
#include <gtest/gtest.h>

#include "marks/marks.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {
namespace {

TEST(Marks, VerdictsGetTheirFigureAndTheFirstSeenAttributesAreRestored) {
    for (const Row& r : table("marks/marks.txt")) {
        SCOPED_TRACE(r.where);
        const std::vector<double> v = r.nums(1);
        if (r[0] == "mark") {
            std::string kinds;
            for (double code : v) kinds += (kinds.empty() ? "" : " ") + std::to_string(mark_kind(int(code)));
            EXPECT_EQ(kinds, r[2]);
            continue;
        }
        Captured c;
        DrawingState& s = c.s;
        s.MOJISi = int(v[0]), s.MOJIWi = v[1], s.MOJIHi = v[2], s.MOJIDi = v[3], s.MOJICi = int(v[4]);
        s.GROUPi = int(v[5]), s.LAYERi = int(v[6]), s.TYPEi = int(v[7]), s.COLORi = int(v[8]), s.TENSi = int(v[9]);
        IniZokusei(s);
        EXPECT_EQ(c.result(), r[2]);
    }
}

}  // namespace
}  // namespace dimcheck::test
