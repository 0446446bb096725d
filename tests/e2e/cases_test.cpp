// Every folder under e2e/cases is one run of the program in a scratch folder:
//   in        (optional) the exchange file as the host writes it; its comment
//             records ("# ...") explain the case where it needs explaining
//   generate  (optional) instead of `in`: lines "N LINE", N copies of LINE each
//   source    (optional) instead of `in`: the repo-relative path of the file
//   name      (optional) the name the host gave it; JWC_TEMP.TXT if absent
//   before/   (optional) files and folders lying there before the run, such as
//             leftovers of an interrupted earlier run
//   setup     (optional) lines "link NAME TARGET": a symbolic link made before
//             the run; "fsize BYTES": no file the run writes grows beyond BYTES
//   args      (optional) one argument per line
//   status    the exit status (255 for -1)
//   expect    (optional) JWC_TEMP.TXT after the run, byte for byte
//   working   (optional) the working copy JWC_TEMP.$$$ left behind
//   report    (optional) dimcheck.csv after the run, CR LF on every platform
//   stdout, stderr (optional) the streams, byte for byte; absent: empty
//   linux-only (optional, empty) the Windows suite skips the case: it needs
//             case-sensitive names, links or a file-size limit
// Where `expect`, `working` or `report` is absent, no such regular file may be
// left (a folder or link the case made may stay). Nothing else may be left
// but the exchange file under its own name when there is no `expect`. An
// expectation E too big to keep is given by E-size, E-head and E-tail: its
// byte count and its first and last bytes.
// The bytes are those of the Linux program. The Windows suite runs the same
// folders, and those under e2e/windows-cases, against dimcheck.exe under Wine
// and expects every lone LF written as CR LF (a size then counts CR LF as one).
// tests/e2e/record.sh records a folder from the built program; every recorded
// expectation is checked by hand before it is committed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support.h"

namespace dimcheck::test {
namespace {

namespace fs = std::filesystem;

#ifdef DIMCHECK_WINE_EXE
const bool kWine = true;
const char* const kRoots[] = {"e2e/cases", "e2e/windows-cases"};
#else
const bool kWine = false;
const char* const kRoots[] = {"e2e/cases"};
#endif

// The bytes the program under test writes where the Linux program writes these.
std::string as_written(const std::string& linux_bytes) {
    std::string out;
    for (std::size_t i = 0; i < linux_bytes.size(); ++i) {
        if (kWine && linux_bytes[i] == '\n' && (i == 0 || linux_bytes[i - 1] != '\r')) out += '\r';
        out += linux_bytes[i];
    }
    return out;
}

std::vector<std::string> case_names() {  // relative to the tests folder
    std::vector<std::string> names;
    for (std::string root : kRoots) {
        std::vector<std::string> in_root;
        for (const auto& entry : fs::directory_iterator(fs::path(DIMCHECK_TESTS_DIR) / root))
            if (entry.is_directory()) in_root.push_back(root + "/" + entry.path().filename().string());
        std::sort(in_root.begin(), in_root.end());
        names.insert(names.end(), in_root.begin(), in_root.end());
    }
    return names;
}

class Case : public ::testing::TestWithParam<std::string> {
protected:
    fs::path dir = fs::path(DIMCHECK_TESTS_DIR) / GetParam();
    bool has(const std::string& f) { return fs::exists(dir / f) || fs::exists(dir / (f + "-size")); }
    std::string file(const std::string& f) { return fs::exists(dir / f) ? read_file((dir / f).string()) : ""; }
    // Compares bytes the run left with the expectation `e` (empty if absent).
    void compare(const std::string& e, const std::string& got, bool convert = true) {
        auto want = [&](const std::string& f) { return convert ? as_written(file(f)) : file(f); };
        if (!fs::exists(dir / (e + "-size"))) {
            EXPECT_EQ(got, want(e)) << e;
            return;
        }
        const std::string head = want(e + "-head"), tail = want(e + "-tail");
        EXPECT_EQ(got.size() - (convert && kWine ? count_of(got, "\r\n") : 0), std::stoul(file(e + "-size"))) << e;
        EXPECT_EQ(got.substr(0, head.size()), head) << e;
        EXPECT_EQ(got.substr(got.size() - std::min(got.size(), tail.size())), tail) << e;
    }
};

TEST_P(Case, MatchesItsFolder) {
    if (kWine && fs::exists(dir / "linux-only")) GTEST_SKIP() << "Linux only";
    std::istringstream name_file(file("name")), args_file(file("args")), generate(file("generate")),
        setup(file("setup")), source(file("source"));
    std::string name, input = file("in"), line, word;
    if (!std::getline(name_file, name)) name = "JWC_TEMP.TXT";
    std::vector<std::string> args;
    for (std::string arg; std::getline(args_file, arg);) args.push_back(arg);
    for (unsigned long n; generate >> n && generate.get() && std::getline(generate, line);)
        while (n-- > 0) input += line + "\n";
    if (source >> word) input = read_file(std::string(DIMCHECK_SOURCE_DIR) + "/" + word);

    ScratchDir scratch;
    if (fs::exists(dir / "before")) fs::copy(dir / "before", ".", fs::copy_options::recursive);
    if (has("in") || has("generate") || has("source")) write_file(name, input);
    unsigned long max_file_bytes = 0;
    for (std::string target; setup >> word;)
        if (word == "fsize") setup >> max_file_bytes;
        else if (word == "link" && setup >> word >> target) fs::create_symlink(target, word);
        else FAIL() << "setup: " << word;
    Outcome o = run_program(args, max_file_bytes);

    EXPECT_EQ(o.status, std::stoi(file("status")));
    compare("stdout", o.out);
    compare("stderr", o.err);
    for (auto [e, left] : {std::pair{"expect", "JWC_TEMP.TXT"}, {"working", "JWC_TEMP.$$$"}, {"report", "dimcheck.csv"}}) {
        bool kept = fs::is_regular_file(fs::symlink_status(left));
        EXPECT_EQ(kept, has(e)) << left;
        if (kept) compare(e, read_file(left), e != std::string("report"));
    }
    // Not the intermediate names, nor a renamed file, nor anything else.
    for (const auto& entry : fs::directory_iterator(".")) {
        const std::string left = entry.path().filename().string();
        EXPECT_TRUE(!fs::is_regular_file(entry.symlink_status()) || left == "JWC_TEMP.TXT" ||
                    left == "JWC_TEMP.$$$" || left == "dimcheck.csv" || (left == name && !has("expect")))
            << "left behind: " << left;
    }
}

INSTANTIATE_TEST_SUITE_P(Folder, Case, ::testing::ValuesIn(case_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param.substr(info.param.find('/') + 1);
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
}  // namespace dimcheck::test
