// Whole runs on bytes, indexes and options the host should never give. The
// working copy is always the input byte for byte; a line is read 511 bytes at
// a time and each piece is a record of its own; a NUL ends a record's text; a
// body is at most 250 bytes. Text kinds and layer groups outside their
// 16-entry tables read zero sizes and a zero scale; integers keep the low 32
// bits of their 64-bit reading, and the restore records give them back. "-b"
// reads as atof does, "-t" keeps the low 32 bits of an integer. Every run
// completes. (A file of NUL bytes only and NUL bytes in the working copy are
// recorded cases: hostile-only-nul, hostile-nul-bytes.)
#include <algorithm>
#include <cstring>

#include "hostile.h"

namespace dimcheck::test {
namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string spaced(const std::string& between) {
    return kHeader + between + "cn1\n" + between + "pt 0 0\n" + between + "pt 1500 0\n" +
           between + "ch 740 1 6.25 0 \"1,500\n" + between;
}

// Empty lines (LF or CR LF alone) are records of no kind: they change
// nothing, and the result is that of the same selection without them.
TEST(HostileBytes, EmptyLinesChangeNothing) {
    InPlace first, one;
    Ran plain = first.go(worked());
    expect_completed(plain, first.s());
    const std::string input = "\n\r\n" + spaced("\n\r\n\n");
    Ran r = one.go(input, {"-t1"});
    expect_completed(r, one.s());
    // Trace level 1 adds its drawing; the marks and the tail are the same.
    std::string tail = plain.result.substr(std::strlen(kDoubleCircle));
    EXPECT_EQ(r.result.substr(r.result.size() - tail.size()), tail);
    EXPECT_TRUE(has(r.result, kDoubleCircle));
    EXPECT_EQ(r.working, input + "#\n");
}

// "pt 1500\0..." reads x only, y keeps the slot's 0; the body "1,500\0..."
// reads 1,500. A NUL at the start of a line is no record.
TEST(HostileBytes, NulBytesInsideLines) {
    InPlace one;
    Ran r = one.go(kHeader + bytes("cn1\npt 0 0\npt 1500\0 99\n\0pt 700 1\n"
                                   "ch 740 1 6.25 0 \"1,500\0 junk\nc\0h 1 1 1 1 \"5\n"));
    expect_completed(r, one.s());
    EXPECT_EQ(one.s().tenc, 2);
    EXPECT_EQ(one.s().TEN[1].x, 1500.0);
    EXPECT_EQ(one.s().TEN[1].y, 0.0);
    EXPECT_EQ(one.s().mmax, 2);  // "c\0h" counts as a text, not judged
    EXPECT_EQ(one.s().maru_count, 1);
    EXPECT_EQ(r.result.substr(0, std::strlen(kDoubleCircle)), kDoubleCircle);
    EXPECT_FALSE(r.working_left);  // removed at level 0
}

// A body that ends in a lone lead byte: the value is read up to it, the byte
// counts in the length and marks the text as mixed (k(1)). As the last bytes
// of the file, with no line end, the working copy appends "#" to that line:
// the lead byte takes it as its trail and the pair is dropped without the
// flag; the body is 7 bytes long. The value and the verdict are the same.
TEST(HostileBytes, LoneLeadByteAtTheEndOfABody) {
    const struct { const char* end; const char* mixed; const char* width; } cases[] = {
        {"\n", "k(1)", "sunpouchi(7.5)"}, {"\r\n", "k(1)", "sunpouchi(7.5)"},
        {"", "k(0)", "sunpouchi(8.8)"}};  // 7 * 2.5 * 0.5 = 8.75
    for (const auto& k : cases) {
        SCOPED_TRACE(std::strlen(k.end));
        InPlace one;
        std::string input = worked().substr(0, worked().size() - 1) + "\x82" + k.end;
        Ran r = one.go(input, {"-t2"});
        expect_completed(r, one.s());
        EXPECT_EQ(r.working, input + "#\n");
        EXPECT_TRUE(has(r.out, std::string("# ZenHan() ") + k.mixed +
                                   " s(1,500) str[0][1][2][3] = (31)(2c)(35)(30)\n"));
        EXPECT_TRUE(has(r.out, k.width));
        EXPECT_EQ(one.s().maru_count, 1);
    }
}

// A body that is a lone lead byte only yields nothing: no value, no mark.
TEST(HostileBytes, BodyOfOneLeadByte) {
    InPlace one;
    expect_completed(one.go(kHeader + std::string("ch 740 1 6.25 0 \"\x83\n")), one.s());
    EXPECT_EQ(one.s().mmax, 1);
    EXPECT_EQ(one.s().maru_count + one.s().sankaku_count + one.s().batu_count, 0);
    EXPECT_EQ(one.s().CSP[0], '\0');
}

// A long text line whose 511th byte is the lead byte of a full-width "Ｑ"
// (0x82 0x70): the trail byte "p" starts the next piece, which reads as the
// point record "pt 9 9". The text keeps the first 250 bytes of its body.
TEST(HostileBytes, LineSplitInsideADoubleByteCharacter) {
    std::string line = "ch 740 1 6.25 0 \"1,500";
    line += std::string(510 - line.size(), ' ') + "\x82\x70t 9 9\n";
    InPlace one;
    Ran r = one.go(spaced("") + line, {"-t1"});
    expect_completed(r, one.s());
    EXPECT_EQ(one.s().tenc, 3);
    EXPECT_EQ(one.s().TEN[2].x, 9.0);
    EXPECT_EQ(one.s().TEN[2].y, 9.0);
    EXPECT_EQ(one.s().mmax, 2);
    EXPECT_EQ(one.s().maru_count, 2);
    EXPECT_STREQ(one.s().ChSTR, "1,500");
    EXPECT_EQ(r.working, spaced("") + line + "#\n");
}

// Lines of 510 to 513 bytes of "c": the first 511 bytes are one text record;
// what is left ("\n", "c\n", "cc\n") is a second record, a text when it
// starts with "c".
TEST(HostileBytes, LinesAtTheReadersLimit) {
    for (std::size_t length : {510, 511, 512, 513}) {
        SCOPED_TRACE(length);
        InPlace one;
        std::string input = kHeader + std::string(length, 'c') + "\n";
        Ran r = one.go(input, {"-t1"});
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().mmax, length < 512 ? 1 : 2);
        EXPECT_EQ(r.working, input + "#\n");
    }
}

// Bodies of 249 to 251 bytes, "100" and filler: cut at 250 bytes, so the
// drawn width (half a width of 1.0 a byte) is 124.5, 125.0 and 125.0, and the
// value 100 is read from the first 64.
TEST(HostileBytes, BodiesAtTheCut) {
    for (std::size_t length : {249, 250, 251}) {
        SCOPED_TRACE(length);
        InPlace one;
        std::string body = "100" + std::string(length - 3, 'x');
        Ran r = one.go("hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\nhcw 1 1 1 1 1 1 1 1 1 1\n#\ncn1\n"
                       "ch 0 0 10 0 \"" + body + "\n", {"-t2"});
        expect_completed(r, one.s());
        std::size_t kept = std::min<std::size_t>(length, 250);
        EXPECT_TRUE(has(r.out, length == 249 ? "sunpouchi(124.5)" : "sunpouchi(125.0)"));
        EXPECT_TRUE(has(r.out, "# ChSTR(" + body.substr(0, kept) + ") CSP(100)"));
        EXPECT_EQ(std::strlen(one.s().ChSTR), kept);
    }
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
