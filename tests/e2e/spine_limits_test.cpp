// The built program against the run's limits: 50000 lines, 800 end points,
// with inputs generated here because they are too big for a case folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "e2e/runner.h"
#include "support.h"

namespace dimcheck::test {
namespace {

// Encodes UTF-8 text as code page 932 with the system's iconv.
std::string cp932(const std::string& utf8) {
    std::string path =
        (std::filesystem::temp_directory_path() / "dimcheck-iconv-XXXXXX").string();
    int fd = mkstemp(path.data());
    if (fd < 0) return "<mkstemp failed>";
    close(fd);
    write_file(path, utf8);
    std::string cmd = "iconv -f UTF-8 -t CP932 '" + path + "'";
    std::FILE* p = popen(cmd.c_str(), "r");
    std::string bytes;
    if (p != nullptr) {
        char buf[512];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) bytes.append(buf, n);
        if (pclose(p) != 0) bytes = "<iconv failed>";
    }
    std::remove(path.c_str());
    return bytes;
}

// The result of a completed run with one text that is no dimension value,
// no extent, no scale and no attribute records.
std::string completed_one_text() {
    std::string s = cp932("不良 Ｘ=0 , 要・確認 △=0 , 良◎◯=0  /全文字数(1)");
    return "cn4\nch 0.000000 0.000000 10.0 0.0 \"" + s + "\nlg14\nly14\nlt20\nlc20\nh# " + s +
           "\n";
}

std::string lines_of(int count, const std::string& line) {
    std::string all;
    all.reserve(count * line.size());
    for (int i = 0; i < count; ++i) all += line;
    return all;
}

std::string distinct_points(int from, int to) {
    std::string all;
    for (int i = from; i < to; ++i) all += "pt " + std::to_string(i) + " 0\n";
    return all;
}

// The comparison traces of one pass over n distinct points.
std::string comparisons(int n, int rows) {
    std::string all;
    all.reserve(static_cast<std::size_t>(rows) * n * 24);
    char line[64];
    for (int i = 0; i < rows; ++i)
        for (int j = i + 1; j < n; ++j)
            all.append(line, std::snprintf(line, sizeof line, "# i(%d) j(%d) k(%d)\n", i, j, n));
    return all;
}

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

const std::string kText = "ch 0 0 1 0 \"abc\n";

TEST(SpineLimits, FiftyThousandLinesPass) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", kText + lines_of(49999, "x\n"));
    Outcome o = run_program({});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed_one_text());
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "");
    EXPECT_FALSE(file_exists("JWC_TEMP.$$$"));
}

TEST(SpineLimits, FiftyThousandAndOneLinesAreTooMany) {
    ScratchDir dir;
    std::string read = kText + lines_of(50000, "x\n");
    write_file("JWC_TEMP.TXT", read + kText + "pt 1 1\n");
    Outcome o = run_program({});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), cp932("he  要素数オーバー    MAX = 50000\n"));
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "");
    // The intake stopped after 50001 lines; the copy stays after an error.
    EXPECT_EQ(read_file("JWC_TEMP.$$$"), read + "#\n");
}

TEST(SpineLimits, EightHundredPointsBroughtBelowTheLimit) {
    ScratchDir dir;
    // 800 equal points fill the table; five passes bring them down to one
    // (9, 3, 2, 1, 1). The text after the stopping record is neither counted
    // nor judged.
    std::string read = kText + lines_of(800, "pt 1 1\n");
    write_file("JWC_TEMP.TXT", read + "co 0 0 1 0 \"def\npt 5000 0\n");
    Outcome o = run_program({"-t2"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed_one_text());
    EXPECT_EQ(read_file("JWC_TEMP.$$$"), read + "#\n");
    EXPECT_EQ(o.err, "");

    const std::string head = "### TFILEcopy_Ten() xmax(801) tenc(800) mmax(1)\n# i(0) j(1) k(800)\n";
    EXPECT_EQ(o.out.substr(0, head.size()), head);
    const std::string summary = "\n# TEN_DP()  tenc(1) duplication(4)\n";
    std::size_t at = o.out.find(summary);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(count_of(o.out.substr(0, at + 1), "# same i(0) j(1) k(2)\n"), 1u);  // the fourth pass
    std::string rest = o.out.substr(at + summary.size());
    EXPECT_EQ(count_of(rest, "##kekka("), 1u);
    const std::string last =
        "## Bairitsu(1.0) scale(0.0) mmax(1) isTest(2) BATU(0) SAN(0) MARU(0)\n";
    ASSERT_GE(rest.size(), last.size());
    EXPECT_EQ(rest.substr(rest.size() - last.size()), last);
}

TEST(SpineLimits, EightHundredPointsStayAtTheLimit) {
    ScratchDir dir;
    std::string read = kText + distinct_points(0, 800);
    write_file("JWC_TEMP.TXT", read + kText);
    Outcome o = run_program({});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), cp932("he  寸法端点  処理限度数オーバー    MAX=800\n"));
    EXPECT_EQ(read_file("JWC_TEMP.$$$"), read + "#\n");
    EXPECT_EQ(o.out, comparisons(800, 799));  // one pass, printed at level 0 too
    EXPECT_EQ(o.err, "");
}

}  // namespace
}  // namespace dimcheck::test
