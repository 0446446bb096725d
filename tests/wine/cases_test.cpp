// Every folder under e2e/cases is one run of the real program:
//   in       the exchange file as the host writes it
//   name     (optional) the name the host gave it; JWC_TEMP.TXT if absent
//   before/  (optional) files lying in the folder before the run, such as
//            leftovers of an interrupted earlier run
//   args     (optional) one argument per line
//   status   the exit status (255 for -1)
//   expect   the exchange file after the run, byte for byte
//   working  (optional) the working copy left behind; absent: none may remain
//   report   (optional) dimcheck.csv after the run, byte for byte: CR LF on
//            every platform, so it is compared unconverted
//   stdout, stderr (optional) the streams, byte for byte; absent: empty
// The bytes are those of the Linux program. The Windows suite runs the same
// folders against dimcheck.exe under Wine and expects every LF written as
// CR LF (status -1 is 255 there too); it also runs the folders under
// e2e/windows-cases, which only a case-insensitive file system can show.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "wine/runner.h"
#include "support.h"

namespace dimcheck::test::wine {
namespace {

namespace fs = std::filesystem;

// Case folders, as paths relative to the tests folder.
std::vector<std::string> case_names() {
    std::vector<std::string> roots = {"e2e/cases"};
#ifdef DIMCHECK_WINE_EXE
    roots.push_back("e2e/windows-cases");
#endif
    std::vector<std::string> names;
    for (const auto& root : roots) {
        std::vector<std::string> in_root;
        for (const auto& entry : fs::directory_iterator(fs::path(DIMCHECK_TESTS_DIR) / root))
            if (entry.is_directory())
                in_root.push_back(root + "/" + entry.path().filename().string());
        std::sort(in_root.begin(), in_root.end());
        names.insert(names.end(), in_root.begin(), in_root.end());
    }
    return names;
}

std::string optional_file(const fs::path& p) {
    return fs::exists(p) ? as_written(read_file(p.string())) : "";
}

class Case : public ::testing::TestWithParam<std::string> {};

TEST_P(Case, MatchesRecordedRun) {
    fs::path dir = fs::path(DIMCHECK_TESTS_DIR) / GetParam();
    // A name that differs in letter case is found on Windows.
    if (fs::exists(dir / "linux-only")) GTEST_SKIP() << "case-sensitive file names only";
    std::string name = "JWC_TEMP.TXT";
    if (fs::exists(dir / "name")) name = read_lines((dir / "name").string()).at(0);
    std::vector<std::string> args;
    if (fs::exists(dir / "args")) args = read_lines((dir / "args").string());
    int status = std::stoi(read_file((dir / "status").string()));

    ScratchDir scratch;
    if (fs::exists(dir / "before"))
        for (const auto& entry : fs::directory_iterator(dir / "before"))
            fs::copy(entry.path(), entry.path().filename(), fs::copy_options::recursive);
    if (fs::exists(dir / "in")) write_file(name, read_file((dir / "in").string()));
    Outcome o = run_program(args);

    EXPECT_EQ(o.status, status);
    EXPECT_EQ(o.out, optional_file(dir / "stdout"));
    EXPECT_EQ(o.err, optional_file(dir / "stderr"));
    if (fs::exists(dir / "expect")) {
        ASSERT_TRUE(file_exists("JWC_TEMP.TXT"));
        EXPECT_EQ(read_file("JWC_TEMP.TXT"), as_written(read_file((dir / "expect").string())));
    } else {
        EXPECT_FALSE(file_exists("JWC_TEMP.TXT"));
    }
    if (fs::exists(dir / "working")) {
        ASSERT_TRUE(file_exists("JWC_TEMP.$$$"));
        EXPECT_EQ(read_file("JWC_TEMP.$$$"), as_written(read_file((dir / "working").string())));
    } else {
        EXPECT_FALSE(file_exists("JWC_TEMP.$$$"));
    }
    EXPECT_EQ(fs::is_regular_file("dimcheck.csv"), fs::exists(dir / "report"));
    if (fs::exists(dir / "report")) {
        EXPECT_EQ(read_file("dimcheck.csv"), read_file((dir / "report").string()));
    }
    // The intermediate names never outlive a run, and nothing but the result,
    // the working copy and the report is left (a stale file is replaced, not kept).
    EXPECT_FALSE(file_exists("JWC_x2x2.$$"));
    EXPECT_FALSE(file_exists("JWC_x2x2.$$$"));
    if (fs::exists(dir / "expect")) {
        for (const auto& entry : fs::directory_iterator("."))
            EXPECT_TRUE(entry.path().filename() == "JWC_TEMP.TXT" ||
                        entry.path().filename() == "JWC_TEMP.$$$" ||
                        entry.path().filename() == "dimcheck.csv")
                << "left behind: " << entry.path().filename();
    }
}

INSTANTIATE_TEST_SUITE_P(Recorded, Case, ::testing::ValuesIn(case_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param.substr(info.param.rfind('/') + 1);
                             if (info.param.rfind("e2e/windows-cases/", 0) == 0)
                                 n = "windows_" + n;
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
}  // namespace dimcheck::test::wine
