// The text conversion of the .jww reader, row by row of its table (the
// recorded cases of --list show it on both systems; the reader's fuzz target
// holds it to refusing every cut file).
#include <gtest/gtest.h>

#include <sstream>

#include "jww/shift_jis.h"
#include "support.h"

namespace dimcheck::test {
namespace {

std::string bytes_of_hex(std::istream& in) {  // "81 7C ..." up to a '|' or the end
    std::string bytes, word;
    while (in >> word && word != "|") bytes += static_cast<char>(std::stoi(word, nullptr, 16));
    return bytes;
}

TEST(ShiftJis, ConvertsAsTheTableSays) {
    std::istringstream table(read_file(std::string(DIMCHECK_TESTS_DIR) + "/jww/shift_jis.txt"));
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream row(line);
        std::string utf16;
        for (std::string word; row >> word && word != "|";) {
            const int unit = std::stoi(word, nullptr, 16);
            utf16 += static_cast<char>(unit & 0xFF);
            utf16 += static_cast<char>(unit >> 8);
        }
        const std::string expected = bytes_of_hex(row);
        const auto* units = reinterpret_cast<const unsigned char*>(utf16.data());
        EXPECT_EQ(jww::shift_jis_from_utf16(units, utf16.size() / 2), expected) << line;
        ++rows;
    }
    EXPECT_GT(rows, 20);
}

}  // namespace
}  // namespace dimcheck::test
