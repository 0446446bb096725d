// The rename chain must neither lose the user's selection nor pick up a file
// left by an interrupted run: every step replaces whatever already lies under
// its target name.
#include <gtest/gtest.h>

#include "control/driver.h"
#include "control/rename.h"
#include "support.h"

namespace dimcheck::test {
namespace {

TEST(RenameReplacing, ReplacesAnExistingTarget) {
    ScratchDir scratch;
    write_file("a", "new");
    write_file("b", "stale");
    EXPECT_EQ(rename_replacing("a", "b"), 0);
    EXPECT_FALSE(file_exists("a"));
    EXPECT_EQ(read_file("b"), "new");
}

TEST(RenameReplacing, FailsWhenTheSourceIsMissing) {
    ScratchDir scratch;
    write_file("b", "kept");
    EXPECT_EQ(rename_replacing("a", "b"), -1);
    EXPECT_EQ(read_file("b"), "kept");
}

TEST(ExchangeName, StaleIntermediateFilesAreReplaced) {
    ScratchDir scratch;
    write_file("jwc_temp.txt", "selection");
    write_file("JWC_x2x2.$$", "stale 1");
    write_file("JWC_x2x2.$$$", "stale 2");
    normalise_exchange_name();
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), "selection");
    EXPECT_FALSE(file_exists("jwc_temp.txt"));
    EXPECT_FALSE(file_exists("JWC_x2x2.$$"));
    EXPECT_FALSE(file_exists("JWC_x2x2.$$$"));
}

// A leftover under the last intermediate name alone is the dangerous one: a
// rename that refused to replace it would make it the exchange file and
// strand the selection under the first intermediate name.
TEST(ExchangeName, StaleLastIntermediateFileIsReplaced) {
    ScratchDir scratch;
    write_file("jwc_temp.TXT", "selection");
    write_file("JWC_x2x2.$$$", "stale");
    normalise_exchange_name();
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), "selection");
    EXPECT_FALSE(file_exists("JWC_x2x2.$$"));
    EXPECT_FALSE(file_exists("JWC_x2x2.$$$"));
}

TEST(ExchangeName, EveryLowerCaseVariantEndsUpperCase) {
    for (const char* name : {"jwc_temp.txt", "JWC_TEMP.txt", "jwc_temp.TXT"}) {
        ScratchDir scratch;
        write_file(name, "selection");
        normalise_exchange_name();
        EXPECT_EQ(read_file("JWC_TEMP.TXT"), "selection") << name;
        EXPECT_FALSE(file_exists(name)) << name;
    }
}

}  // namespace
}  // namespace dimcheck::test
