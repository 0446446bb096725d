// Text kinds and layer groups outside their 16-entry tables: negative, huge,
// or beyond an int. Integers keep the low 32 bits of their 64-bit reading.
// Every table access is guarded: a text kind outside 0 to 15 reads zero
// sizes, a layer group outside 0 to 15 a zero scale. The restore records give
// back what the selection started with, as the same integers.
#include <cstring>

#include "hostile.h"

namespace dimcheck::test {
namespace {

using HostileIndexes = HostileRun;

std::string example(const std::string& kind_record) {
    return std::string(kHeader) + kind_record + "pt 0 0\npt 1500 0\nch 740 1 6.25 0 \"1,500\n";
}

// "cn-1": zero height, so the frame has no height and finds no point: a cross
// of radius 0 about the text's middle. The restore writes "cn-1" back.
TEST_F(HostileIndexes, NegativeTextKind) {
    Ran r = go(example("cn-1\n"));
    expect_completed(r, s());
    EXPECT_EQ(s().MOJIS, -1);
    EXPECT_EQ(s().batu_count, 1);
    const std::string cross =
              "lt1\nlc2\n"
              "743.125000000000 1.000000000000 743.125000000000 1.000000000000\n"
              "743.125000000000 1.000000000000 743.125000000000 1.000000000000\n"
              "cn4\n";
    EXPECT_EQ(r.result.substr(0, cross.size()), cross);
    EXPECT_NE(r.result.find("\ncn-1\nlg14\n"), std::string::npos);
}

// "cn99999999999" keeps its low 32 bits, 1215752191: zero sizes, and no
// text-kind record in the restore (above 10).
TEST_F(HostileIndexes, HugeTextKind) {
    Ran r = go(example("cn99999999999\n"));
    expect_completed(r, s());
    EXPECT_EQ(s().MOJIS, 1215752191);
    EXPECT_EQ(s().MOJISi, 1215752191);
    EXPECT_EQ(s().batu_count, 1);
    EXPECT_NE(r.result.find("\nlg14\nly14\nlt20\nlc20\nh# "), std::string::npos);
    EXPECT_EQ(r.result.find("\ncn1"), std::string::npos);
}

// "cn2147483648" is the most negative int; "cn16" is just outside the table.
TEST_F(HostileIndexes, TextKindsJustOutside) {
    for (const char* record : {"cn2147483648\n", "cn16\n", "cn-2147483649\n"}) {
        SCOPED_TRACE(record);
        InPlace one;
        Ran r = one.go(example(record));
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().batu_count, 1);
    }
}

// The second pass changes the kind too: a kind outside the table there reads
// zero sizes in the verdict and the mark alike.
TEST_F(HostileIndexes, TextKindChangedInTheSecondPass) {
    Ran r = go(std::string(kHeader) + "cn1\npt 0 0\npt 1500 0\nch 740 1 6.25 0 \"1,500\n"
                                      "cn-7\nch 740 1 6.25 0 \"1,500\n");
    expect_completed(r, s());
    EXPECT_EQ(s().maru_count, 1);
    EXPECT_EQ(s().batu_count, 1);
    EXPECT_EQ(s().MOJIS, -7);
    EXPECT_NE(r.result.find("\ncn1\nlg14\n"), std::string::npos);
}

// "lgFFFFFFFFF" overflows an int and keeps 0xFFFFFFFF, that is -1: the scale
// fixed at the comment line is 0, so no circle is small and no stroke is an
// arrow; the restore writes the group back as "lgffffffff".
TEST_F(HostileIndexes, LayerGroupBeyondAnInt) {
    std::string input = "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\n"
                        "lgFFFFFFFFF\n#\ncn1\nci 10 10 5\n 0 0 0 250\n 0 0 250 0\n"
                        "ch 0 0 10 0 \"100\n";
    Ran r = go(input);
    expect_completed(r, s());
    EXPECT_EQ(s().GROUP, -1);
    EXPECT_EQ(s().GROUPi, -1);
    EXPECT_EQ(s().scale, 0.0);
    EXPECT_EQ(s().gomi, 0.0);
    EXPECT_EQ(s().tenc, 0);
    EXPECT_NE(r.result.find("\nlgffffffff\nly14\n"), std::string::npos);
}

// Negative and just-outside groups read the same zero scale; a later group
// inside the table does not change the scale fixed at the comment line, but
// is the group whose scale places the search's reference points.
TEST_F(HostileIndexes, LayerGroupsOutsideTheTable) {
    const struct { const char* record; int group; } cases[] = {
        {"lg-1\n", -1}, {"lg10\n", 16}, {"lg7FFFFFFF\n", 0x7FFFFFFF}, {"lg80000000\n", -2147483647 - 1}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.record);
        InPlace one;
        std::string input = "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\nhcw 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
                            "hch 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\nhn 0 0 2000 100\n";
        input += k.record;
        input += "#\ncn1\npt 0 0\npt 1500 0\nch 740 1 6.25 0 \"1,500\n";
        Ran r = one.go(input);
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().GROUP, k.group);
        EXPECT_EQ(one.s().scale, 0.0);
        // At scale 0 the text has no drawn height: no point is inside.
        EXPECT_EQ(one.s().batu_count, 1);
    }
    // Scale fixed from group 0, then a group outside: the reference points
    // coincide with the frame's corner and the search still ends.
    InPlace one;
    Ran r = one.go(example("lg-1\n"));
    expect_completed(r, one.s());
    EXPECT_EQ(one.s().scale, 1.0);
    EXPECT_EQ(one.s().GROUP, -1);
    EXPECT_EQ(one.s().maru_count + one.s().sankaku_count + one.s().batu_count, 1);
}

}  // namespace
}  // namespace dimcheck::test
