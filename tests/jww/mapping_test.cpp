// A folder check judges each layer group of a drawing exactly as the host
// run judges the exchange file of that group: for every test drawing, each
// group's selection is written as an exchange file and checked by the host
// run, and its report rows are the folder check's rows of that group. The
// selections themselves are kept in jww/selections/DRAWING-GROUP.txt
// (DIMCHECK_RECORD=1 writes them anew).
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "jww/compose.h"
#include "jww/reader.h"
#include "jww/selection.h"
#include "support.h"

namespace dimcheck::test {
namespace {

// The rows after the header, each with `tail` appended before its line end.
std::vector<std::string> rows_of(const std::string& report, const std::string& tail = "") {
    std::vector<std::string> rows;
    std::istringstream in(report);
    std::string row;
    std::getline(in, row);
    while (std::getline(in, row)) rows.push_back(row.substr(0, row.size() - 1) + tail + "\r");
    return rows;
}

TEST(Mapping, EveryGroupIsJudgedAsTheHostRunJudgesItsSelection) {
    const char* const drawings[] = {"check-plan",      "check-block", "every-class-700",
                                    "every-class-600", "old-230",     "old-420"};
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"-n", "-s", "-e"}, std::vector<std::string>{}}) {
        for (const char* name : drawings) {
            const std::string file = name + std::string(".jww");
            const std::string bytes = compose_jww(
                read_file(std::string(DIMCHECK_TESTS_DIR) + "/jww/drawings/" + name + ".txt"));
            ScratchDir scratch;
            write_file(scratch.file(file), bytes);
            std::vector<std::string> check = {"--check", "--out", "out", file};
            check.insert(check.begin() + 1, options.begin(), options.end());
            run_program(scratch.path, check);
            std::vector<std::string> expected;
            for (const jww::GroupSelection& g :
                 jww::select_groups(jww::read_drawing(bytes), file)) {
                const std::string kept = std::string(DIMCHECK_TESTS_DIR) + "/jww/selections/" +
                                         name + "-" + "0123456789ABCDEF"[g.group] + ".txt";
                if (std::getenv("DIMCHECK_RECORD")) write_file(kept, g.exchange);
                EXPECT_EQ(g.exchange, read_file(kept)) << kept;
                ScratchDir host;
                write_file(host.file("JWC_TEMP.TXT"), g.exchange);
                std::vector<std::string> args = options;
                args.push_back("-r");
                run_program(host.path, args);
                const char group[] = {',', "0123456789ABCDEF"[g.group], '\0'};
                for (const std::string& row : rows_of(read_file(host.file("dimcheck.csv")), group))
                    expected.push_back(row);
            }
            EXPECT_EQ(rows_of(read_file(scratch.file("out/dimcheck.csv"))), expected) << name;
            EXPECT_FALSE(expected.empty()) << name;
        }
    }
}

}  // namespace
}  // namespace dimcheck::test
