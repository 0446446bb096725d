// The records that restore the attributes the selection started with.
#include "marks/marks.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(Marks, TheFirstSeenAttributesAreRestored) {
    for (const Row& r : table("marks/marks.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        restore_attributes({r.integer("line colour"), r.integer("type"), r.integer("layer"), r.integer("group"),
                            r.integer("point"), r.integer("kind"), r.num("width"), r.num("height"), r.num("spacing"),
                            r.integer("colour")}, c.out);
        EXPECT_EQ(c.result(), r["records"]);
    }
}

}  // namespace dimcheck::test
