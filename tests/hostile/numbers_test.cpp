// NaN, infinities, hexadecimal floats and 400-digit numbers in every numeric
// field. Fields are read as the C library reads them: a number field takes
// whatever strtod takes (so "nan", "inf" and "0x1p4" are numbers, and a value
// beyond the double range is an infinity), an integer field is converted in
// 64 bits and keeps the low 32 (a value beyond even that saturates first), and
// a field that does not convert ends the record. Whole runs with such values
// are recorded cases: e2e/cases/hostile-*numbers*, -*spellings, -nan-points*.
#include <cmath>
#include <vector>

#include "hostile.h"
#include "intake/intake.h"

namespace dimcheck::test {
namespace {

const std::string k400Nines(400, '9');
// 1500 written with 400 digits: "1500." and 395 zeros.
const std::string k1500Long = "1500." + std::string(395, '0');
// 0.000...1 with 400 digits: below the smallest double, it reads 0.
const std::string kTiny = "0." + std::string(398, '0') + "1";

class HostileNumbers : public ::testing::Test {
protected:
    void store(const std::string& line) { Ten_Store(s(), line.c_str()); }
    DrawingState& s() { return c.s; }
    Captured c;
};

// The first n values, as %g writes them (any NaN as "nan").
std::string shown(const double* v, int n) {
    std::string text;
    char buf[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, "%g", v[i]);
        text += (i ? " " : "") + (std::isnan(v[i]) ? std::string("nan") : buf);
    }
    return text;
}

std::string shown(const Point* p, int n) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i) v.insert(v.end(), {p[i].x, p[i].y});
    return shown(v.data(), 2 * n);
}

TEST_F(HostileNumbers, NumberFieldsOfTheHeaders) {
    store("hs nan inf -inf 0x1p4 " + k400Nines + " " + kTiny + " " + k1500Long +
          " 1 1 1 1 1 1 1 1 1\n");
    EXPECT_EQ(shown(s().G_SCALE, 7), "nan inf -inf 16 inf 0 1500");
    for (const char* kw : {"hcw", "hch", "hcd"}) {
        store(std::string(kw) + " nan inf 0x1.8p1 " + k400Nines + " " + k1500Long + " 1 1 1 1 1\n");
        double* table = kw[2] == 'w' ? s().MOJI_W : kw[2] == 'h' ? s().MOJI_H : s().MOJI_D;
        EXPECT_EQ(shown(table + 1, 5), "nan inf 3 inf 1500") << kw;
    }
    store("hn nan -inf 0x10 " + k400Nines + "\n");
    EXPECT_EQ(shown(s().HANI, 4), "nan -inf 16 inf");
}

TEST_F(HostileNumbers, IntegerFields) {
    store("hcc 7 7 7 7 7 7 7 7 7 7\n");
    // 400 nines saturate and keep the low 32 bits: -1; 400 negative nines keep
    // 0; "nan" does not convert and ends the record.
    store("hcc " + k400Nines + " -" + k400Nines + " nan 5 5 5 5 5 5 5\n");
    EXPECT_EQ(std::vector<int>(s().MOJI_C + 1, s().MOJI_C + 4), (std::vector<int>{-1, 0, 7}));
    EXPECT_EQ(s().MOJI_C[10], 7);
    // A hex float reads its leading 0; "x1p4" then ends the record.
    store("hcc 0x1p4 5 5 5 5 5 5 5 5 5\n");
    EXPECT_EQ(std::vector<int>(s().MOJI_C + 1, s().MOJI_C + 4), (std::vector<int>{0, 0, 7}));
    // Each record with the fields it sets, and their values afterwards: the
    // records of a hex field read "0x1p4" as 0x1 and stop at the "p"; "nan"
    // and "inf" are no hex digits; 400 nines saturate to all ones.
    const struct { std::string record; std::vector<int DrawingState::*> fields; int value; } cases[] = {
        {"lt" + k400Nines, {&DrawingState::TYPE, &DrawingState::TYPEi}, -1},
        {"pninf", {&DrawingState::TENS, &DrawingState::TENSi}, 0},  // nothing converts
        {"lc0x1p4", {&DrawingState::COLOR}, 0},
        {"lc-" + k400Nines, {&DrawingState::COLOR}, 0},
        {"cn" + k400Nines, {&DrawingState::MOJIS, &DrawingState::MOJISi}, -1},
        {"lg0x1p4", {&DrawingState::GROUP}, 1},
        {"lgnan", {&DrawingState::GROUP}, 1},
        {"ly" + k400Nines, {&DrawingState::LAYER}, -1},
        {"lyinf", {&DrawingState::LAYER}, -1}};
    for (const auto& k : cases) {
        store(k.record + "\n");
        for (auto field : k.fields) EXPECT_EQ(s().*field, k.value) << k.record;
    }
    store("cn0 nan inf 0x1p1 " + k400Nines + "\n");
    EXPECT_EQ(s().MOJIS, 0);
    EXPECT_EQ(shown(s().MOJI_W, 1) + shown(s().MOJI_H, 1) + shown(s().MOJI_D, 1), "naninf2");
    EXPECT_EQ(s().MOJI_C[0], -1);
}

TEST_F(HostileNumbers, PointsCirclesAndLines) {
    s().scale = 100.0;
    for (const std::string& xy : {std::string("nan 5"), std::string("inf -inf"),
                                  "0x1p4 " + k1500Long, k400Nines + " " + kTiny})
        store("pt " + xy + "\n");
    ASSERT_EQ(s().tenc, 4);
    EXPECT_EQ(shown(s().TEN, 4), "nan 5 inf -inf 16 1500 inf 0");

    // A NaN radius is not below 1.1 times the scale, an infinite one neither;
    // a small circle about an infinite or NaN centre is still a point.
    for (const std::string& r : {std::string("nan"), std::string("inf"), k400Nines})
        store("ci 1 1 " + r + "\n");
    EXPECT_EQ(s().tenc, 4);
    store("ci nan inf 0x1p2\n");
    ASSERT_EQ(s().tenc, 5);
    EXPECT_EQ(shown(s().TEN + 4, 1), "nan inf");

    // Line records with such values are no arrow strokes and leave the
    // remembered stroke alone.
    store(" 0 0 0 250\n");
    EXPECT_EQ(s().YALEN, 62500.0);
    for (const std::string& line : {std::string("0 0 nan 250"), std::string("0 0 inf 250"),
                                    "0 0 " + k400Nines + " 0", std::string("0 0 0x1p-3 0x1p-3")})
        store(" " + line + "\n");
    EXPECT_EQ(s().YALEN, 62500.0);
    EXPECT_EQ(s().tenc, 5);
    // The hex-float stroke of the right length does join it.
    store(" 0x0p0 0x0p0 0x1.fp7 0\n");  // 248 long, joined at (0, 0)
    EXPECT_EQ(s().tenc, 6);
    EXPECT_EQ(s().TEN[5].x, 0.0);
}

}  // namespace
}  // namespace dimcheck::test
