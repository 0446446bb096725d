// What the host should never give, where the drawing state or the file
// system tells more than a recorded case could; the others are
// e2e/cases/hostile-*: hostile bytes, odd options, layer groups outside the
// table, whole runs on odd numbers. Text kinds outside their 16-entry table
// read zero sizes; integers keep the low 32 bits of their 64-bit reading, and
// the restore records give them back. The exchange file may be unreadable or
// the result unwritable; none of these relies on file permissions: the tests
// run as root in CI.
//
// NaN, infinities, hexadecimal floats and 400-digit numbers in every numeric
// field. Fields are read as the C library reads them: a number field takes
// whatever strtod takes (so "nan", "inf" and "0x1p4" are numbers, and a value
// beyond the double range is an infinity), an integer field is converted in
// 64 bits and keeps the low 32 (a value beyond even that saturates first), and
// a field that does not convert ends the record.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "control/driver.h"
#include "control/records.h"
#include "intake/intake.h"
#include "support.h"

namespace dimcheck::test {
namespace {

namespace fs = std::filesystem;

// Runs of the checker in-process, in a scratch folder: what the run returned,
// left in the files and wrote to its streams, and the state it ended with.
struct Ran {
    int status = 0;
    std::string result, working, out, err;  // JWC_TEMP.TXT and .$$$ afterwards, streams
};

// One run in a scratch folder of its own with a fresh, captured state.
struct InPlace {
    InPlace() { std::fclose(c.s.fpw), c.s.fpw = nullptr; }  // the run opens the result
    // Writes `input` as the exchange file and runs with `args`.
    Ran go(const std::string& input, std::vector<const char*> args = {}) {
        write_file("JWC_TEMP.TXT", input);
        return go_args(args);
    }
    Ran go_args(std::vector<const char*> args) {
        args.insert(args.begin(), "dimcheck");
        Ran r;
        r.status = run(c.s, static_cast<int>(args.size()), args.data());
        // Only a plain file is read back: a device would never end.
        if (std::filesystem::is_regular_file("JWC_TEMP.TXT")) r.result = read_file("JWC_TEMP.TXT");
        if (file_exists("JWC_TEMP.$$$")) r.working = read_file("JWC_TEMP.$$$");
        r.out = c.trace();
        r.err = c.errors();
        return r;
    }
    DrawingState& s() { return c.s; }
    ScratchDir dir;
    Captured c;
};

// A completed result: the host reads an empty line as the end of a polyline,
// so there is none, and the last line is the status line with the summary.
void expect_completed(const Ran& r, const DrawingState& s) {
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.result.find("\n\n"), std::string::npos);
    ASSERT_FALSE(r.result.empty());
    EXPECT_NE(r.result[0], '\n');
    char last[256];
    std::snprintf(last, sizeof last, kSummary, s.batu_count, s.sankaku_count, s.maru_count, s.mmax);
    std::string want = "h# " + std::string(last) + "\n";
    ASSERT_GE(r.result.size(), want.size());
    EXPECT_EQ(r.result.substr(r.result.size() - want.size()), want);
    EXPECT_LE(s.maru_count + s.sankaku_count + s.batu_count, s.mmax);
}

// The worked example: end points (0, 0) and (1500, 0), text "1,500" from
// (740, 1) along (6.25, 0), text kind 1 of width and height 2.5, scale 1. It
// is judged good.
constexpr const char kHeader[] =
    "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n"
    "hcw 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
    "hch 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
    "hn 0 0 2000 100\n#jw\n";
// The worked example's records after the header, with `kind` for its text kind.
std::string worked(const std::string& kind = "cn1\n") {
    return kHeader + kind + "pt 0 0\npt 1500 0\nch 740 1 6.25 0 \"1,500\n";
}

// Text kinds outside the table read zero height, so the frame finds no point:
// a cross. "cn-1" draws it of radius 0 about the text's middle and is written
// back; "cn99999999999" keeps its low 32 bits, 1215752191, and writes no kind
// back (above 10); "cn2147483648" is the most negative int. A kind changed in
// the second pass reads zero sizes in the verdict and the mark alike.
TEST(HostileIndexes, TextKindsOutsideTheTable) {
    const struct { const char* kind; int value; bool second; const char* restore; } cases[] = {
        {"cn-1\n", -1, false, "\ncn-1\nlg14\n"},
        {"cn99999999999\n", 1215752191, false, "\nlg14\nly14\nlt20\nlc20\nh# "},
        {"cn2147483648\n", -2147483647 - 1, false, ""},
        {"cn16\n", 16, false, ""},
        {"cn-2147483649\n", 2147483647, false, ""},
        {"cn-7\n", -7, true, "\ncn1\nlg14\n"}};
    const std::string cross =
        "lt1\nlc2\n743.125000000000 1.000000000000 743.125000000000 1.000000000000\n"
        "743.125000000000 1.000000000000 743.125000000000 1.000000000000\ncn4\n";
    for (const auto& k : cases) {
        SCOPED_TRACE(k.kind);
        InPlace one;
        Ran r = one.go(k.second ? worked() + k.kind + "ch 740 1 6.25 0 \"1,500\n" : worked(k.kind));
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().MOJIS, k.value);
        EXPECT_EQ(one.s().batu_count, 1);
        EXPECT_EQ(one.s().maru_count, k.second ? 1 : 0);
        EXPECT_NE(r.result.find(k.restore), std::string::npos);
        if (k.value == -1) { EXPECT_EQ(r.result.substr(0, cross.size()), cross); }
        if (k.value == 1215752191) {
            EXPECT_EQ(one.s().MOJISi, k.value);
            EXPECT_EQ(r.result.find("\ncn1"), std::string::npos);
        }
    }
}

// "lgFFFFFFFFF" overflows an int and keeps 0xFFFFFFFF, that is -1: the scale
// fixed at the comment line is 0, so no circle is small and no stroke is an
// arrow; the restore writes the group back as "lgffffffff".
TEST(HostileIndexes, LayerGroupBeyondAnInt) {
    InPlace one;
    Ran r = one.go("hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\n"
                   "lgFFFFFFFFF\n#\ncn1\nci 10 10 5\n 0 0 0 250\n 0 0 250 0\nch 0 0 10 0 \"100\n");
    expect_completed(r, one.s());
    const DrawingState& s = one.s();  // group, as read and first seen; scale, tolerance, points
    EXPECT_EQ(std::vector<double>({1.0 * s.GROUP, 1.0 * s.GROUPi, s.scale, s.gomi, 1.0 * s.tenc}),
              std::vector<double>({-1, -1, 0, 0, 0}));
    EXPECT_NE(r.result.find("\nlgffffffff\nly14\n"), std::string::npos);
}

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
    EXPECT_EQ(std::vector<int>(s().MOJI_C + 1, s().MOJI_C + 11),
              (std::vector<int>{-1, 0, 7, 7, 7, 7, 7, 7, 7, 7}));
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
