// Rows of a plain-text table beside a test: fields split at '|' and trimmed,
// blank and '#' lines skipped. Fields take \n \r \t \v \f \s (a blank) \0 \xHH
// and \ before any other character, so that record bytes fit on one line.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace dimcheck::test {

inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

struct Row : std::vector<std::string> {
    std::string where;  // file:line, for the failure message
    double num(std::size_t i) const { return std::strtod(at(i).c_str(), nullptr); }  // hex, nan, inf too
    int integer(std::size_t i) const { return static_cast<int>(num(i)); }
    std::vector<double> nums(std::size_t i) const {
        std::vector<double> v;
        for (const std::string& w : words(at(i))) v.push_back(std::strtod(w.c_str(), nullptr));
        return v;
    }
};

inline std::vector<Row> table(const std::string& name) {
    std::ifstream in(std::string(DIMCHECK_TESTS_DIR) + "/" + name);
    std::vector<Row> rows;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        rows.emplace_back();
        rows.back().where = name + ":" + std::to_string(n), rows.back().emplace_back();
        for (std::size_t i = 0; i < line.size(); ++i) {  // split at every '|' that no '\' escapes
            if (line[i] == '|') rows.back().emplace_back();
            else rows.back().back() += line[i] == '\\' ? line.substr(i++, 2) : line.substr(i, 1);
        }
        for (std::string& raw : rows.back()) {
            std::string field;
            raw.erase(raw.find_last_not_of(" \t") + 1).erase(0, raw.find_first_not_of(" \t"));
            for (std::size_t k = 0; k < raw.size(); ++k) {
                const std::size_t e = raw[k] == '\\' ? std::string("nrtvfs0x").find(raw[++k]) : 8;
                field += e > 7 ? raw[k] : e < 7 ? "\n\r\t\v\f \0"[e] : char(std::stoi(raw.substr(k + 1, 2), nullptr, 16));
                k += e == 7 ? 2 : 0;
            }
            raw = field;
        }
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

}  // namespace dimcheck::test
