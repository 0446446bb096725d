// Two runs in one process, each on the files of its own folder.
#include <gtest/gtest.h>

#include "run/host_run.h"
#include "support.h"

namespace dimcheck::test {

namespace {

// Runs the checker on `selection` in `folder`; returns the result.
std::string check_in(const ScratchDir& folder, const std::string& selection) {
    const RunFiles files = run_files(folder.path);
    write_file(files.exchange, selection);
    const char* const argv[] = {"dimcheck"};
    Captured c;  // the run opens a result of its own
    std::fclose(c.out.result);
    c.out.result = nullptr;
    EXPECT_EQ(run(1, argv, files, c.o, c.d, c.out), 0);
    return read_file(files.exchange);
}

}  // namespace

TEST(HostRun, TwoFoldersInOneProcess) {
    const ScratchDir first;
    const ScratchDir second;
    // A value just above two end points 910 apart, at 1/1 in 2.5 high text.
    const std::string span =
        "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\nhch 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
        "#\ncn1\npt 0 -1\npt 910 -1\nch 450 0 10 0 \"";
    const std::string good = check_in(first, span + "910\n");
    const std::string bad = check_in(second, span + "900\n");
    EXPECT_EQ(count_of(good, "ci "), 2u);  // a double circle
    EXPECT_EQ(count_of(bad, "ci "), 0u);   // a cross
}

}  // namespace dimcheck::test
