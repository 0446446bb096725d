// The rename chain must neither lose the user's selection nor pick up a file
// left by an interrupted run: every step replaces whatever already lies under
// its target name. A leftover under the last intermediate name alone is the
// dangerous one: a rename that refused to replace it would make it the
// exchange file and strand the selection under the first intermediate name.
#include <gtest/gtest.h>

#include "control/driver.h"
#include "control/rename.h"
#include "support.h"

namespace dimcheck::test {
namespace {

TEST(RenameReplacing, ReplacesAnExistingTargetOrFailsWithoutASource) {
    ScratchDir scratch;
    write_file("b", "kept");
    EXPECT_EQ(rename_replacing("a", "b"), -1);
    EXPECT_EQ(read_file("b"), "kept");
    write_file("a", "new");
    EXPECT_EQ(rename_replacing("a", "b"), 0);
    EXPECT_FALSE(file_exists("a"));
    EXPECT_EQ(read_file("b"), "new");
}

TEST(ExchangeName, EveryLowerCaseVariantEndsUpperCaseOverStaleFiles) {
    const struct { const char* name; std::vector<const char*> stale; } cases[] = {
        {"jwc_temp.txt", {"JWC_x2x2.$$", "JWC_x2x2.$$$"}}, {"jwc_temp.TXT", {"JWC_x2x2.$$$"}},
        {"JWC_TEMP.txt", {}}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        ScratchDir scratch;
        write_file(k.name, "selection");
        for (const char* stale : k.stale) write_file(stale, "stale");
        normalise_exchange_name();
        EXPECT_EQ(read_file("JWC_TEMP.TXT"), "selection");
        for (const char* gone : {k.name, "JWC_x2x2.$$", "JWC_x2x2.$$$"})
            EXPECT_FALSE(file_exists(gone)) << gone;
    }
}

}  // namespace
}  // namespace dimcheck::test
