// "0x" with no hex digit after it: glibc's strtoull reads the 0 and stops at
// the "x"; msvcrt converts nothing. The field reader settles it the glibc way
// on every system, so that "lg0x" selects layer group 0 on Windows too. A
// prefix before digits is skipped; nothing to read leaves the value.
#include <gtest/gtest.h>

#include "control/fields.h"

namespace dimcheck::test {
namespace {

TEST(HexField, Prefixes) {
    const struct { const char* text; bool read; int value; char next; } cases[] = {
        {"0x", true, 0, 'x'},   {"0xg", true, 0, 'x'},      {"-0x", true, 0, 'x'},
        {"+0X", true, 0, 'X'},  {"0x 5", true, 0, 'x'},     {"0x1f 2", true, 31, ' '},
        {"x0", false, 7, 'x'}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        int v = 7;
        FieldReader f(k.text);
        EXPECT_EQ(f.hex(v), k.read);
        EXPECT_EQ(v, k.value);
        if (k.read) { EXPECT_EQ(*f.pos(), k.next); }
    }
}

}  // namespace
}  // namespace dimcheck::test
