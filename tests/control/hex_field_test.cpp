// "0x" with no hex digit after it: glibc's strtoull reads the 0 and stops at
// the "x"; msvcrt converts nothing. The field reader settles it the glibc way
// on every system, so that "lg0x" selects layer group 0 on Windows too.
#include <gtest/gtest.h>

#include "control/fields.h"

namespace dimcheck::test {
namespace {

TEST(HexField, ZeroBeforeAnXWithoutDigitsReadsAsZero) {
    for (const char* text : {"0x", "0xg", "-0x", "+0X", "0x 5"}) {
        int v = 7;
        FieldReader f(text);
        EXPECT_TRUE(f.hex(v)) << text;
        EXPECT_EQ(v, 0) << text;
        EXPECT_EQ(*f.pos(), text[0] == '0' ? text[1] : text[2]) << text;
    }
}

TEST(HexField, PrefixBeforeDigitsIsSkipped) {
    int v = 0;
    FieldReader f("0x1f 2");
    EXPECT_TRUE(f.hex(v));
    EXPECT_EQ(v, 31);
    EXPECT_EQ(*f.pos(), ' ');
}

TEST(HexField, NothingToReadLeavesTheValue) {
    int v = 7;
    FieldReader f("x0");
    EXPECT_FALSE(f.hex(v));
    EXPECT_EQ(v, 7);
}

}  // namespace
}  // namespace dimcheck::test
