// Whole runs on text kinds and layer groups the host should never give, where
// the drawing state tells more than the files: outside their 16-entry tables
// they read zero sizes and a zero scale; integers keep the low 32 bits of
// their 64-bit reading, and the restore records give them back. Layer groups
// outside the table, hostile bytes (empty lines, NUL bytes, lone lead bytes,
// lines and bodies at the reader's limits) and options ("-b" read as atof
// does, "-t" keeping the low 32 bits) are recorded cases: e2e/cases/hostile-*.
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

}  // namespace
}  // namespace dimcheck::test
