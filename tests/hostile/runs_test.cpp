// Whole runs on indexes and options the host should never give, where the
// drawing state tells more than the files. Text kinds and layer groups outside
// their 16-entry tables read zero sizes and a zero scale; integers keep the
// low 32 bits of their 64-bit reading, and the restore records give them back.
// "-b" reads as atof does, "-t" keeps the low 32 bits of an integer. Every run
// completes. Hostile bytes (empty lines, NUL bytes, lone lead bytes, lines and
// bodies at the reader's limits) are recorded cases: e2e/cases/hostile-*.

#include "hostile.h"

namespace dimcheck::test {
namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
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
        EXPECT_TRUE(has(r.result, k.restore));
        if (k.value == -1) { EXPECT_EQ(r.result.substr(0, cross.size()), cross); }
        if (k.value == 1215752191) {
            EXPECT_EQ(one.s().MOJISi, k.value);
            EXPECT_FALSE(has(r.result, "\ncn1"));
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
    EXPECT_EQ(one.s().GROUP, -1);
    EXPECT_EQ(one.s().GROUPi, -1);
    EXPECT_EQ(one.s().scale, 0.0);
    EXPECT_EQ(one.s().gomi, 0.0);
    EXPECT_EQ(one.s().tenc, 0);
    EXPECT_TRUE(has(r.result, "\nlgffffffff\nly14\n"));
}

// Negative and just-outside groups before the comment line fix a zero scale:
// the text has no drawn height and no point is inside. A group outside after
// it keeps the scale of group 0 but places the search's reference points on
// the frame's corner, and the search still ends.
TEST(HostileIndexes, LayerGroupsOutsideTheTable) {
    const struct { const char* record; int group; } cases[] = {
        {"lg-1\n", -1}, {"lg10\n", 16}, {"lg7FFFFFFF\n", 0x7FFFFFFF},
        {"lg80000000\n", -2147483647 - 1}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.record);
        InPlace one;
        std::string input = worked();
        Ran r = one.go(input.insert(input.find("#jw"), k.record));
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().GROUP, k.group);
        EXPECT_EQ(one.s().scale, 0.0);
        EXPECT_EQ(one.s().batu_count, 1);
    }
    InPlace one;
    Ran r = one.go(worked("lg-1\n"));
    expect_completed(r, one.s());
    EXPECT_EQ(one.s().scale, 1.0);
    EXPECT_EQ(one.s().GROUP, -1);
    EXPECT_EQ(one.s().maru_count + one.s().sankaku_count + one.s().batu_count, 1);
}

// A magnification that is no positive finite number makes each value wrong.
TEST(HostileOptions, MagnificationThatIsNoNumberOrHugeOrNegative) {
    const struct { const char* arg; const char* shown; int maru; } cases[] = {
        {"-babc", "Bairitsu(0.0)", 0}, {"-b1e400", "Bairitsu(inf)", 0},
        {"-b-1e400", "Bairitsu(-inf)", 0}, {"-b-1", "Bairitsu(-1.0)", 0},
        {"-bnan", "Bairitsu(nan)", 0},
        {"-b0x1p0", "Bairitsu(1.0)", 1},   // a hex float is a number
        {"-b", "Bairitsu(1.0)", 1},        // no value: unchanged
        {"-b1.0abc", "Bairitsu(1.0)", 1}};  // the leading number counts
    for (const auto& k : cases) {
        SCOPED_TRACE(k.arg);
        InPlace one;
        Ran r = one.go(worked(), {k.arg, "-t1"});
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().maru_count, k.maru);
        EXPECT_EQ(one.s().batu_count, 1 - k.maru);
        EXPECT_TRUE(has(r.out, std::string("\n## ") + k.shown + " scale(1.0)")) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

// Trace levels: 99999999999 keeps its low 32 bits, 1215752191, a level of 3
// and more: the detailed traces, the working copy kept and the final line;
// none of the level-2 summary traces. Levels that wrap negative, or 400
// digits (-1): no trace but the consolidation's comparison, printed at every
// level, and the copy stays. A level that is no number reads 0; "-t" alone
// leaves the level as it was.
TEST(HostileOptions, OddTraceLevels) {
    const std::string digits = "-t" + std::string(400, '9');
    for (const char* arg : {"-t2147483648", "-t-5", digits.c_str()}) {
        SCOPED_TRACE(arg);
        InPlace one;
        Ran r = one.go(worked(), {arg});
        expect_completed(r, one.s());
        EXPECT_LT(one.s().isTest, 0);
        EXPECT_EQ(r.out, "# i(0) j(1) k(2)\n");
        EXPECT_TRUE(r.working_left);
        EXPECT_EQ(one.s().maru_count, 1);
    }
    InPlace huge;
    Ran r = huge.go(worked(), {"-t99999999999"});
    expect_completed(r, huge.s());
    EXPECT_EQ(huge.s().isTest, 1215752191);
    EXPECT_TRUE(r.working_left);
    EXPECT_TRUE(has(r.out, "# Sen_inside()  cp---Pmin("));
    EXPECT_TRUE(has(r.out, "# Koten_lnln() A1("));
    EXPECT_FALSE(has(r.out, "##kekka("));
    EXPECT_TRUE(has(r.out, "isTest(1215752191)"));
    InPlace none;
    r = none.go(worked(), {"-t2", "-tabc", "-t"});
    expect_completed(r, none.s());
    EXPECT_EQ(none.s().isTest, 0);
    EXPECT_FALSE(r.working_left);
}

}  // namespace
}  // namespace dimcheck::test
