// The bundled sample with -e -r, then the checker run again on its own result:
// neither an explanation nor the summary may ever be read as a length, and
// deleting the explanations must give exactly the result without -e.
#include <gtest/gtest.h>

#include <numeric>
#include <sstream>
#include <vector>

#include "control/records.h"
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
    std::istringstream report(read_file("dimcheck.csv"));
    int rows = 0;
    for (std::string row; std::getline(report, row); ++rows)
        if (rows > 0) { EXPECT_EQ(row.substr(row.rfind(',') + 1), cp932("数値なし\r")) << row; }
    EXPECT_EQ(rows, 1 + 7);
    char summary[256];
    std::snprintf(summary, sizeof summary, kSummary, 0, 0, 0, 7);
    EXPECT_NE(read_file("JWC_TEMP.TXT").find(summary), std::string::npos);
}

}  // namespace
}  // namespace dimcheck::test
