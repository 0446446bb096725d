// The records that restore the attributes the selection started with.
#include "marks/marks.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(Marks, TheFirstSeenAttributesAreRestored) {
    for (const Row& r : table("marks/marks.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        const std::vector<double> v = r.nums(0);
        c.s.MOJISi = int(v[0]), c.s.MOJIWi = v[1], c.s.MOJIHi = v[2], c.s.MOJIDi = v[3], c.s.MOJICi = int(v[4]);
        c.s.GROUPi = int(v[5]), c.s.LAYERi = int(v[6]), c.s.TYPEi = int(v[7]), c.s.COLORi = int(v[8]), c.s.TENSi = int(v[9]);
        IniZokusei(c.s);
        EXPECT_EQ(c.result(), r[1]);
    }
}

}  // namespace dimcheck::test
