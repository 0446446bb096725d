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
        const FirstSeen first = {int(v[8]), int(v[7]), int(v[6]), int(v[5]), int(v[9]), int(v[0]), v[1], v[2], v[3], int(v[4])};
        restore_attributes(first, c.out);
        EXPECT_EQ(c.result(), r[1]);
    }
}

}  // namespace dimcheck::test
