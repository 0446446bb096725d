// The recorded case folders e2e/cases/GROUP/NAME, each one run of the program in a scratch folder;
// e2e/README.md describes the files of a folder and how to record one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "jww/compose.h"
#include "support.h"

namespace dimcheck::test {
namespace {

namespace fs = std::filesystem;

constexpr bool kWine = DIMCHECK_WINE_SUITE;
const bool kRecord = !kWine && std::getenv("DIMCHECK_RECORD");
const fs::path kCases = fs::path(DIMCHECK_TESTS_DIR) / "e2e" / "cases";

std::vector<std::string> case_names() {  // GROUP/NAME, in order
    std::vector<std::string> names;
    for (const auto& group : fs::directory_iterator(kCases))
        for (const auto& entry : fs::directory_iterator(group.path()))
            if (entry.is_directory() && (kWine || group.path().filename() != "windows"))
                names.push_back(group.path().filename().string() + "/" +
                                entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Case : public ::testing::TestWithParam<std::string> {
protected:
    fs::path dir = kCases / GetParam();
    bool has(const std::string& f) { return exists(dir / f) || exists(dir / (f + "-size")); }
    std::string file(const std::string& f, bool as_written = false) {
        std::string bytes = fs::exists(dir / f) ? read_file((dir / f).string()) : "";
        for (std::size_t i = 0; kWine && as_written && i < bytes.size(); ++i)
            if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) bytes.insert(i++, 1, '\r');
        return bytes;
    }
    // Keeps what the run wrote or left (`got`, if `left`) as the expectation at `at`.
    static void record(const std::string& at, const std::string& got, bool left) {
        for (const char* part : {"", "-size", "-head", "-tail"}) fs::remove(at + part);
        if (!left) return;
        if (got.size() <= 4 << 20) return write_file(at, got);
        write_file(at + "-size", std::to_string(got.size()) + "\n");
        write_file(at + "-head", got.substr(0, 1024));
        write_file(at + "-tail", got.substr(got.size() - 1024));
    }
    // Holds what the run wrote or left to the expectation `e`, or records it.
    void compare(const std::string& e, const std::string& got, bool left, bool as_written = true) {
        const std::string at = (dir / e).string();
        if (kRecord) return record(at, got, left);
        EXPECT_EQ(left, has(e)) << e;
        if (!left) return;
        if (!fs::exists(at + "-size")) {
            EXPECT_EQ(got, file(e, as_written)) << e;
            return;
        }
        // A large expectation is kept in its parts.
        const std::string head = file(e + "-head", as_written);
        const std::string tail = file(e + "-tail", as_written);
        const std::size_t crlf = kWine && as_written ? count_of(got, "\r\n") : 0;  // one byte each
        EXPECT_EQ(got.size() - crlf, std::stoul(file(e + "-size"))) << e;
        EXPECT_EQ(got.substr(0, head.size()), head) << e;
        EXPECT_EQ(got.substr(got.size() - std::min(got.size(), tail.size())), tail) << e;
    }
    // Holds every file under `written` to its copy under `expected`, or records them.
    void compare_folder(const fs::path& written, const fs::path& expected) {
        if (kRecord) fs::remove_all(expected);
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(written))
            if (entry.is_regular_file())
                names.push_back(entry.path().lexically_relative(written).generic_string());
        for (const std::string& name : names) {
            const std::string got = read_file((written / name).string());
            if (kRecord) fs::create_directories((expected / name).parent_path());
            if (kRecord) write_file((expected / name).string(), got);
            EXPECT_EQ(got, read_file((expected / name).string())) << name;
        }
        if (!fs::exists(expected)) return;  // nothing was to be written
        for (const auto& entry : fs::recursive_directory_iterator(expected)) {
            const fs::path name = entry.path().lexically_relative(expected);
            EXPECT_TRUE(!entry.is_regular_file() || fs::exists(written / name)) << name;
        }
    }
};

TEST_P(Case, MatchesItsFolder) {
    // Recording every folder at once would accept whatever the program now does.
    if (kRecord && ::testing::GTEST_FLAG(filter) == "*")
        FAIL() << "DIMCHECK_RECORD records only the folders --gtest_filter names";
    if (kWine && fs::exists(dir / "linux-only")) GTEST_SKIP() << "Linux only";
    std::istringstream name_file(file("name")), args_file(file("args")), generate(file("generate")),
        setup(file("setup")), source(file("source"));
    std::string name, input = file("in"), line, word;
    if (!std::getline(name_file, name)) name = "JWC_TEMP.TXT";
    std::vector<std::string> args;
    for (std::string arg; std::getline(args_file, arg);) args.push_back(arg);
    for (unsigned long n; generate >> n && generate.get() && std::getline(generate, line);)
        while (n-- > 0) input += line + "\n";
    if (source >> word) input += read_file(std::string(DIMCHECK_SOURCE_DIR) + "/" + word);

    ScratchDir scratch;
    if (fs::exists(dir / "before"))
        fs::copy(dir / "before", scratch.path, fs::copy_options::recursive);
    if (has("in") || has("generate") || has("source")) write_file(scratch.file(name), input);
    unsigned long max_file_bytes = 0;
    std::vector<std::string> placed;  // drawings laid there, which may stay
    for (std::string what, target; setup >> what;)
        if (what == "fsize") {
            setup >> max_file_bytes;
        } else if (what == "link" && setup >> word >> target) {
            fs::create_symlink(target, scratch.file(word));
        } else if (what == "copy" && setup >> word >> target) {
            fs::copy_file(fs::path(DIMCHECK_SOURCE_DIR) / word, scratch.file(target));
            placed.push_back(target);
        } else if (what == "compose" && setup >> word >> target) {
            const std::string description =
                read_file(std::string(DIMCHECK_SOURCE_DIR) + "/" + word);
            fs::create_directories(fs::path(scratch.file(target)).parent_path());
            write_file(scratch.file(target), compose_jww(description));
            placed.push_back(target);
        }
    Outcome o = run_program(scratch.path, args, max_file_bytes);

    compare("status", std::to_string(o.status) + "\n", true, false);
    compare("stdout", o.out, !o.out.empty());
    compare("stderr", o.err, !o.err.empty());
    const std::pair<const char*, const char*> files[] = {
        {"expect", "JWC_TEMP.TXT"}, {"working", "JWC_TEMP.$$$"}, {"report", "dimcheck.csv"}};
    for (auto [e, kept] : files) {
        const bool left = fs::is_regular_file(fs::symlink_status(scratch.file(kept)));
        compare(e, left ? read_file(scratch.file(kept)) : "", left, e[0] == 'e');
    }
    // The folder a folder check wrote, file for file.
    std::istringstream out_folder(file("out-folder"));
    if (out_folder >> word) compare_folder(fs::path(scratch.path) / word, dir / "out");

    // No intermediate name, no renamed file.
    for (const auto& entry : fs::directory_iterator(scratch.path)) {
        const std::string left = entry.path().filename().string();
        bool allowed = !fs::is_regular_file(entry.symlink_status()) ||
                       (left == name && !has("expect")) ||
                       std::count(placed.begin(), placed.end(), left) > 0;
        for (auto [e, kept] : files) allowed = allowed || left == kept;
        EXPECT_TRUE(allowed) << "left behind: " << left;
    }
}

INSTANTIATE_TEST_SUITE_P(Folder, Case, ::testing::ValuesIn(case_names()), [](const auto& info) {
    std::string n = info.param;
    for (char& c : n) c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return n;
});

}  // namespace
}  // namespace dimcheck::test
