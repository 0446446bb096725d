// Options with values that are no sound magnification or trace level. "-b"
// reads its value as atof does (text reads 0.0, beyond the double range an
// infinity); "-t" reads an integer and keeps its low 32 bits. Every run
// completes; a magnification that is no positive finite number makes each
// value wrong, since no pair of points can measure it.
#include <cstring>

#include "hostile.h"

namespace dimcheck::test {
namespace {

using HostileOptions = HostileRun;

std::string worked() {
    return std::string(kHeader) + "cn1\npt 0 0\npt 1500 0\nch 740 1 6.25 0 \"1,500\n";
}

TEST_F(HostileOptions, MagnificationThatIsNoNumberOrHugeOrNegative) {
    const struct { const char* arg; const char* shown; int maru; int batu; } cases[] = {
        {"-babc", "Bairitsu(0.0)", 0, 1},
        {"-b1e400", "Bairitsu(inf)", 0, 1},
        {"-b-1e400", "Bairitsu(-inf)", 0, 1},
        {"-b-1", "Bairitsu(-1.0)", 0, 1},
        {"-bnan", "Bairitsu(nan)", 0, 1},
        {"-b0x1p0", "Bairitsu(1.0)", 1, 0},   // a hex float is a number
        {"-b", "Bairitsu(1.0)", 1, 0},        // no value: unchanged
        {"-b1.0abc", "Bairitsu(1.0)", 1, 0},  // the leading number counts
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.arg);
        InPlace one;
        Ran r = one.go(worked(), {k.arg, "-t1"});
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().maru_count, k.maru);
        EXPECT_EQ(one.s().batu_count, k.batu);
        EXPECT_NE(r.out.find(std::string("\n## ") + k.shown + " scale(1.0)"), std::string::npos)
            << r.out;
        EXPECT_EQ(r.err, "");
    }
}

// "-t" with more than 32 bits keeps the low 32: 99999999999 is 1215752191,
// a level of 3 and more: the detailed traces, the working copy kept and the
// final line; none of the level-2 summary traces.
TEST_F(HostileOptions, HugeTraceLevel) {
    Ran r = go(worked(), {"-t99999999999"});
    expect_completed(r, s());
    EXPECT_EQ(s().isTest, 1215752191);
    EXPECT_TRUE(r.working_left);
    EXPECT_NE(r.out.find("# Sen_inside()  cp---Pmin("), std::string::npos);
    EXPECT_NE(r.out.find("# Koten_lnln() A1("), std::string::npos);
    EXPECT_EQ(r.out.find("##kekka("), std::string::npos);
    EXPECT_NE(r.out.find("isTest(1215752191)"), std::string::npos);
}

// Levels that wrap to negative values, or a value of 400 digits (-1): no
// trace at all, but the working copy stays, as at any level other than 0.
TEST_F(HostileOptions, TraceLevelsThatWrapNegative) {
    const std::string digits = "-t" + std::string(400, '9');
    for (const char* arg : {"-t2147483648", "-t-5", digits.c_str()}) {
        SCOPED_TRACE(arg);
        InPlace one;
        Ran r = one.go(worked(), {arg});
        expect_completed(r, one.s());
        EXPECT_LT(one.s().isTest, 0);
        // Only the comparison trace of the consolidation, printed at every level.
        EXPECT_EQ(r.out, "# i(0) j(1) k(2)\n");
        EXPECT_TRUE(r.working_left);
        EXPECT_EQ(one.s().maru_count, 1);
    }
}

// A level that is no number reads 0; "-t" alone leaves the level as it was.
TEST_F(HostileOptions, TraceLevelThatIsNoNumber) {
    Ran r = go(worked(), {"-t2", "-tabc", "-t"});
    expect_completed(r, s());
    EXPECT_EQ(s().isTest, 0);
    EXPECT_FALSE(r.working_left);
}

}  // namespace
}  // namespace dimcheck::test
