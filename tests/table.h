// Rows of a plain-text table beside a test: one row a line, fields split at
// '|' and trimmed; blank lines and lines starting with '#' are skipped. Fields
// take \n \r \t \v \f \s (a blank) \0 \xHH and \ before any other character, so that
// record bytes fit on one line. Numbers read as strtod reads them (hex, nan).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dimcheck::test {

struct Row {
    std::string where;  // file:line, for the failure message
    std::vector<std::string> f;
    const std::string& operator[](std::size_t i) const { return f.at(i); }
    double num(std::size_t i) const { return std::strtod(f.at(i).c_str(), nullptr); }
    int integer(std::size_t i) const { return static_cast<int>(num(i)); }
    std::vector<std::string> words(std::size_t i) const {
        std::istringstream in(f.at(i));
        std::vector<std::string> w;
        for (std::string x; in >> x;) w.push_back(x);
        return w;
    }
    std::vector<double> nums(std::size_t i) const {
        std::vector<double> v;
        for (const std::string& w : words(i)) v.push_back(std::strtod(w.c_str(), nullptr));
        return v;
    }
};

inline std::vector<Row> table(const std::string& name) {
    std::ifstream in(std::string(DIMCHECK_TESTS_DIR) + "/" + name);
    std::vector<Row> rows;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        rows.push_back({name + ":" + std::to_string(n), {}});
        std::string field;
        std::size_t keep = 0;  // the length up to the last escape, which no trim cuts
        for (std::size_t i = 0; i <= line.size(); ++i) {
            char c = i < line.size() ? line[i] : '|';
            if (c == '|') {
                std::size_t end = field.find_last_not_of(" \t");
                field.erase(std::max(end == std::string::npos ? 0 : end + 1, keep));
                rows.back().f.push_back(field);
                field.clear(), keep = 0;
            } else if (c != '\\') {
                if (!field.empty() || (c != ' ' && c != '\t')) field += c;
            } else {
                const std::string from = "nrtsvf0", to("\n\r\t \v\f\0", 7);
                char e = line[++i];
                if (e == 'x') field += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16)), i += 2;
                else field += from.find(e) != std::string::npos ? to[from.find(e)] : e;
                keep = field.size();
            }
        }
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

}  // namespace dimcheck::test
