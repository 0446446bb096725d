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

inline std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos
               ? ""
               : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// A field with its escapes replaced by the bytes they stand for.
inline std::string unescaped(const std::string& raw) {
    const std::string letters = "nrtvfs0";
    const char bytes[] = {'\n', '\r', '\t', '\v', '\f', ' ', '\0'};
    std::string field;
    for (std::size_t k = 0; k < raw.size(); ++k) {
        if (raw[k] != '\\' || k + 1 == raw.size()) {
            field += raw[k];
            continue;
        }
        const char letter = raw[++k];
        if (letter == 'x') {
            field += static_cast<char>(std::stoi(raw.substr(k + 1, 2), nullptr, 16));
            k += 2;
        } else if (letters.find(letter) != std::string::npos) {
            field += bytes[letters.find(letter)];
        } else {
            field += letter;
        }
    }
    return field;
}

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
        for (std::string& raw : fields) raw = unescaped(trimmed(raw));
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
