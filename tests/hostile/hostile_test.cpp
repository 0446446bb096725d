// Hostile numbers in every numeric field, record by record (the table
// hostile/fields.txt): which field each record sets and what it reads. Whole
// runs on hostile input are the folders e2e/cases/hostile-*.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "intake/intake.h"
#include "support.h"

namespace dimcheck::test {
namespace {

TEST(HostileNumbers, EveryFieldReadsAsTheTableSays) {
    const std::map<std::string, std::string> spelled = {{"N400", std::string(400, '9')},
        {"T400", "0." + std::string(398, '0') + "1"}, {"L400", "1500." + std::string(395, '0')}};
    auto all = [](const auto& a) { return std::vector<double>(std::begin(a), std::end(a)); };
    Captured c;
    const DrawingState& s = c.s;
    std::ifstream table(DIMCHECK_TESTS_DIR "/hostile/fields.txt");
    for (std::string row; std::getline(table, row);) {
        if (row.rfind("--", 0) == 0) continue;
        const std::size_t arrow = row.find(" => ");
        std::string record = row.substr(0, arrow);
        for (const auto& [name, digits] : spelled)
            for (std::size_t at; (at = record.find(name)) != std::string::npos;) record.replace(at, 4, digits);
        Ten_Store(c.s, (record + "\n").c_str());
        std::vector<double> ten;
        for (int i = 0; i < s.tenc; ++i) ten.insert(ten.end(), {s.TEN[i].x, s.TEN[i].y});
        const std::map<std::string, std::vector<double>> fields = {{"G_SCALE", all(s.G_SCALE)},
            {"MOJI_W", all(s.MOJI_W)}, {"MOJI_H", all(s.MOJI_H)}, {"MOJI_D", all(s.MOJI_D)},
            {"MOJI_C", all(s.MOJI_C)}, {"HANI", all(s.HANI)}, {"TEN", ten}, {"tenc", {1.0 * s.tenc}},
            {"YALEN", {s.YALEN}}, {"MOJIS", {1.0 * s.MOJIS}}, {"MOJISi", {1.0 * s.MOJISi}},
            {"TYPE", {1.0 * s.TYPE}}, {"TYPEi", {1.0 * s.TYPEi}}, {"TENS", {1.0 * s.TENS}},
            {"TENSi", {1.0 * s.TENSi}}, {"COLOR", {1.0 * s.COLOR}}, {"GROUP", {1.0 * s.GROUP}},
            {"LAYER", {1.0 * s.LAYER}}};
        std::istringstream checks(arrow == std::string::npos ? "" : row.substr(arrow + 4));
        for (std::string check, name, want, got, value; std::getline(checks, check, ';'); want = got = "") {
            std::istringstream words(check);
            words >> name;  // FIELD or FIELD+FIRST
            const std::size_t plus = std::min(name.find('+'), name.size());
            std::size_t i = plus < name.size() ? std::stoul(name.substr(plus + 1)) : 0;
            for (const auto& values = fields.at(name.substr(0, plus)); words >> value; ++i) {
                char shown[64];
                std::snprintf(shown, sizeof shown, "%.17g", values.at(i));
                want += " " + value, got += std::string(" ") + (std::isnan(values[i]) ? "nan" : shown);
            }
            EXPECT_EQ(got, want) << row;
        }
    }
}

}  // namespace
}  // namespace dimcheck::test
