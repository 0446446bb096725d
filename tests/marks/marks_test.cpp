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
        c.s.first_text_kind = int(v[0]), c.s.first_free_width = v[1], c.s.first_free_height = v[2], c.s.first_free_spacing = v[3], c.s.first_free_colour = int(v[4]);
        c.s.first_layer_group = int(v[5]), c.s.first_layer = int(v[6]), c.s.first_line_type = int(v[7]), c.s.first_line_colour = int(v[8]), c.s.first_point_kind = int(v[9]);
        restore_attributes(c.s);
        EXPECT_EQ(c.result(), r[1]);
    }
}

}  // namespace dimcheck::test
