// The bundled sample with -e -r, then the checker run again on its own result:
// neither an explanation nor the summary may ever be read as a length, and
// deleting the explanations must give exactly the result without -e.
#include <gtest/gtest.h>

#include <numeric>
#include <sstream>
#include <vector>

#include "support.h"

namespace dimcheck::test {
namespace {

TEST(Rerun, TheCheckersOwnTextsAreNeverJudged) {
    const std::string sample = read_file(std::string(DIMCHECK_SOURCE_DIR) + "/samples/plan.jwc");
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", sample);
    ASSERT_EQ(run_program({}).status, 0);
    const std::string plain = read_file("JWC_TEMP.TXT");
    write_file("JWC_TEMP.TXT", sample);
    ASSERT_EQ(run_program({"-e", "-r"}).status, 0);
    const std::string explained = read_file("JWC_TEMP.TXT");
    EXPECT_EQ(count_of(explained, "\"*"), 6u);  // three triangles, three crosses
    std::vector<std::string> kept;  // without each explanation and the kind line before it
    std::istringstream lines(explained);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("ch ", 0) == 0 && line.find("\"*") != std::string::npos) kept.pop_back();
        else kept.push_back(line + "\n");
    EXPECT_EQ(std::accumulate(kept.begin(), kept.end(), std::string()), plain);

    // Six explanations and the summary: seven texts, none of them a value.
    ASSERT_EQ(run_program({"-r"}).status, 0);
    const std::string report = read_file("dimcheck.csv");
    EXPECT_EQ(count_of(report, "\n"), 1 + 7u);
    EXPECT_EQ(count_of(report, cp932(",数値なし,,1\r\n")), 7u);
    EXPECT_NE(read_file("JWC_TEMP.TXT").find(cp932("h# 不良 Ｘ=0 , 要・確認 △=0 , 良◎◯=0  /全文字数(7)\n")), std::string::npos);
}

// The recorded reports as a spreadsheet shows them: each text cell, a formula ="..." (or "..."&"..."),
// is the body as written in its row's line, and every row names the drawing and the magnification.
std::string shown(const std::string& cell, std::string text = "") {
    for (std::size_t i = 2; cell[0] == '=' && i < cell.size(); i += cell[i] != '"' ? 1 : cell[i + 1] == '"' ? 2 : 3)
        if (cell[i] != '"' || cell[i + 1] == '"') text += cell[i];  // "" is one quote; "&" joins
    return cell[0] == '=' ? text : cell;
}

TEST(Report, TextsReadBackAsWritten) {
    for (const bool sample : {true, false}) {
        const std::string dir = DIMCHECK_TESTS_DIR + std::string("/e2e/cases/report/") + (sample ? "sample/" : "fields/");
        std::istringstream in(read_file(dir + "in") + (sample ? read_file(DIMCHECK_SOURCE_DIR "/samples/plan.jwc") : "")),
            report(read_file(dir + "report"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
        std::string row, drawing = cp932(sample ? "C:\\jww\\物件A\\1-2 平面図.jww" : "C:\\図面\\1,2階.jww");
        for (std::getline(report, row); std::getline(report, row);) {
            std::vector<std::string> cells(1);
            for (std::size_t i = 0, quoted = 0; i + 1 < row.size(); ++i)  // a CSV row ending in CR
                if (row[i] == '"' && !(quoted && row[i + 1] == '"' && ++i)) quoted = !quoted;
                else if (row[i] == ',' && !quoted) cells.emplace_back();
                else cells.back() += row[i];
            const std::string line = lines.at(std::stoul(cells[0]) - 1);
            EXPECT_EQ(shown(cells.at(4)) + "|" + shown(cells.at(11)) + "|" + cells.at(12),
                      line.substr(std::min(line.find('"'), line.size() - 1) + 1) + "|" + drawing + "|1");
        }
    }
}

}  // namespace
}  // namespace dimcheck::test
