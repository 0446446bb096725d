// Rows of a plain-text table beside a test: fields split at '|' and trimmed,
// blank and '#' lines skipped; the first other line names the columns, by
// which the tests read the fields (r["tolerance"]). Fields take \n \r \t \v \f \s (a blank) \0 \xHH
// and \ before any other character, so that record bytes fit on one line.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace dimcheck::test {

inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

struct Row : std::map<std::string, std::string> {  // the fields by column name
    std::string where;                             // file:line, for the failure message
    const std::string& operator[](const std::string& column) const { return at(column); }
    // Numbers as strtod reads them: hex, nan and inf too.
    double num(const std::string& column) const { return std::strtod(at(column).c_str(), nullptr); }
    int integer(const std::string& column) const { return static_cast<int>(num(column)); }
    std::vector<double> nums(const std::string& column) const {
        std::vector<double> v;
        for (const std::string& w : words(at(column))) v.push_back(std::strtod(w.c_str(), nullptr));
        return v;
    }
};

inline std::vector<Row> table(const std::string& name) {
    std::ifstream in(std::string(DIMCHECK_TESTS_DIR) + "/" + name);
    std::vector<Row> rows;
    std::vector<std::string> names, fields(1);
    int n = 0;
    for (std::string line; std::getline(in, line) && ++n; fields = {""}) {
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        for (std::size_t i = 0; i < line.size(); ++i) {  // split at every '|' that no '\' escapes
            if (line[i] == '|')
                fields.emplace_back();
            else
                fields.back() += line[i] == '\\' ? line.substr(i++, 2) : line.substr(i, 1);
        }
        for (std::string& raw : fields) {
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
        if (names.empty()) {
            names = fields;
            continue;
        }
        Row& r = rows.emplace_back();
        r.where = name + ":" + std::to_string(n);
        for (std::size_t i = 0; i < fields.size(); ++i) r.emplace(names.at(i), fields[i]);
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

}  // namespace dimcheck::test
