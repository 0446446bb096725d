// Rows of a plain-text table beside a test: fields split at '|' and trimmed,
// blank and '#' lines skipped; the first other line names the columns, which
// the tests read by name. Fields take \n \r \t \v \f \s (a blank) \0 \xHH and
// \ before any other character, so that record bytes fit on one line.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace dimcheck::test {

inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

struct Row {
    std::string where;  // file:line, for the failure message
    std::shared_ptr<std::vector<std::string>> names;
    std::vector<std::string> fields;
    const std::string& operator[](const std::string& name) const {
        const auto at = std::find(names->begin(), names->end(), name) - names->begin();
        if (std::size_t(at) >= fields.size()) throw std::out_of_range(where + ": no column " + name);
        return fields[at];
    }
    double num(const std::string& name) const {  // hex, nan, inf too
        return std::strtod((*this)[name].c_str(), nullptr);
    }
    int integer(const std::string& name) const { return static_cast<int>(num(name)); }
    std::vector<double> nums(const std::string& name) const {
        std::vector<double> v;
        for (const std::string& w : words((*this)[name])) v.push_back(std::strtod(w.c_str(), nullptr));
        return v;
    }
};

inline std::vector<Row> table(const std::string& name) {
    std::ifstream in(std::string(DIMCHECK_TESTS_DIR) + "/" + name);
    std::vector<Row> rows;
    auto names = std::make_shared<std::vector<std::string>>();
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        Row r{name + ":" + std::to_string(n), names, {""}};
        for (std::size_t i = 0; i < line.size(); ++i) {  // split at every '|' that no '\' escapes
            if (line[i] == '|') r.fields.emplace_back();
            else r.fields.back() += line[i] == '\\' ? line.substr(i++, 2) : line.substr(i, 1);
        }
        for (std::string& raw : r.fields) {
            std::string field;
            raw.erase(raw.find_last_not_of(" \t") + 1).erase(0, raw.find_first_not_of(" \t"));
            for (std::size_t k = 0; k < raw.size(); ++k) {
                const std::size_t e = raw[k] == '\\' ? std::string("nrtvfs0x").find(raw[++k]) : 8;
                field += e > 7   ? raw[k]
                         : e < 7 ? "\n\r\t\v\f \0"[e]
                                 : char(std::stoi(raw.substr(k + 1, 2), nullptr, 16));
                k += e == 7 ? 2 : 0;
            }
            raw = field;
        }
        if (names->empty()) *names = r.fields;
        else rows.push_back(r);
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

}  // namespace dimcheck::test
