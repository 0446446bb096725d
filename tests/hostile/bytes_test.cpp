// Bytes the host should never write: empty lines, NUL bytes, lone Shift-JIS
// lead bytes, lines and bodies at the reader's limits. The working copy is
// always the input byte for byte; a line is read 511 bytes at a time and each
// piece is a record of its own; a NUL ends a record's text; a body is at most
// 250 bytes.
#include <cstring>

#include "hostile.h"

namespace dimcheck::test {
namespace {

using HostileBytes = HostileRun;

std::string worked(const std::string& between = "") {
    return std::string(kHeader) + between + "cn1\n" + between + "pt 0 0\n" + between +
           "pt 1500 0\n" + between + "ch 740 1 6.25 0 \"1,500\n" + between;
}

// Empty lines (LF or CR LF alone) are records of no kind: they change
// nothing, and the result is that of the same selection without them.
TEST_F(HostileBytes, EmptyLinesChangeNothing) {
    InPlace first;
    Ran plain = first.go(worked());
    expect_completed(plain, first.s());
    const std::string input = "\n\r\n" + worked("\n\r\n\n");
    Ran r = go(input, {"-t1"});
    expect_completed(r, s());
    // Trace level 1 adds its drawing; the marks and the tail are the same.
    std::string tail = plain.result.substr(std::strlen(kDoubleCircle));
    EXPECT_EQ(r.result.substr(r.result.size() - tail.size()), tail);
    EXPECT_NE(r.result.find(kDoubleCircle), std::string::npos);
    EXPECT_EQ(r.working, input + "#\n");
}

// A NUL byte ends the record's text where it stands; the bytes behind it are
// ignored but copied. "pt 1500\0..." reads x only, y keeps the slot's 0; the
// body "1,500\0..." reads 1,500. A NUL at the start of a line is no record.
TEST_F(HostileBytes, NulBytesInsideLines) {
    std::string input = std::string(kHeader) + "cn1\npt 0 0\n";
    input += bytes("pt 1500\0 99\n");
    input += bytes("\0pt 700 1\n");
    input += bytes("ch 740 1 6.25 0 \"1,500\0 junk\n");
    input += bytes("c\0h 1 1 1 1 \"5\n");  // counts as a text, not judged
    Ran r = go(input);
    expect_completed(r, s());
    EXPECT_EQ(s().tenc, 2);
    EXPECT_EQ(s().TEN[1].x, 1500.0);
    EXPECT_EQ(s().TEN[1].y, 0.0);
    EXPECT_EQ(s().mmax, 2);
    EXPECT_EQ(s().maru_count, 1);
    EXPECT_EQ(r.result.substr(0, std::strlen(kDoubleCircle)), kDoubleCircle);
    EXPECT_FALSE(r.working_left);  // removed at level 0
}

TEST_F(HostileBytes, NulBytesAreCopiedToTheWorkingCopy) {
    std::string input = std::string(kHeader) + bytes("ch 1 1 1 1 \"1\0\0\0\n\0\n");
    Ran r = go(input, {"-t1"});
    expect_completed(r, s());
    EXPECT_EQ(r.working, input + "#\n");
}

// A file of NUL bytes only: pieces of 511 bytes, none a record, so no text:
// the no-value records and status 1; the copy holds every byte.
TEST_F(HostileBytes, FileOfOnlyNulBytes) {
    const std::string input(2000, '\0');
    Ran r = go(input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.result, std::string(kNoValuesHe) + kNoValuesStatus);
    EXPECT_EQ(r.working, input + "#\n");
    EXPECT_EQ(s().mmax, 0);
}

// A body that ends in a lone lead byte: the value is read up to it, the byte
// counts in the length and marks the text as mixed (level-2 trace k(1)).
TEST_F(HostileBytes, LoneLeadByteAtTheEndOfABody) {
    for (const char* end : {"\n", "\r\n"}) {
        SCOPED_TRACE(std::strlen(end));
        InPlace one;
        std::string input = std::string(kHeader) + "cn1\npt 0 0\npt 1500 0\n" +
                            "ch 740 1 6.25 0 \"1,500\x82" + end;
        Ran r = one.go(input, {"-t2"});
        expect_completed(r, one.s());
        EXPECT_NE(r.out.find("# ZenHan() k(1) s(1,500) str[0][1][2][3] = (31)(2c)(35)(30)\n"),
                  std::string::npos);
        EXPECT_NE(r.out.find("sunpouchi(7.5)"), std::string::npos);  // 6 bytes
        EXPECT_EQ(one.s().maru_count, 1);
    }
}

// The same body as the last bytes of the file, with no line end: the working
// copy appends its line "#" to that line, so the second pass reads the body
// "1,500" 0x82 "#". The lead byte takes "#" as its trail and the pair is
// dropped without the mixed flag; the body is 7 bytes long. The value and the
// verdict are the same.
TEST_F(HostileBytes, LoneLeadByteAtTheEndOfTheFile) {
    std::string input = std::string(kHeader) + "cn1\npt 0 0\npt 1500 0\n" +
                        "ch 740 1 6.25 0 \"1,500\x82";
    Ran r = go(input, {"-t2"});
    expect_completed(r, s());
    EXPECT_EQ(r.working, input + "#\n");
    EXPECT_NE(r.out.find("# ZenHan() k(0) s(1,500) str[0][1][2][3] = (31)(2c)(35)(30)\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("sunpouchi(8.8)"), std::string::npos);  // 7 * 2.5 * 0.5 = 8.75
    EXPECT_EQ(s().maru_count, 1);
}

// A body that is a lone lead byte only yields nothing: no value, no mark.
TEST_F(HostileBytes, BodyOfOneLeadByte) {
    Ran r = go(std::string(kHeader) + "ch 740 1 6.25 0 \"\x83\n");
    expect_completed(r, s());
    EXPECT_EQ(s().mmax, 1);
    EXPECT_EQ(s().maru_count + s().sankaku_count + s().batu_count, 0);
    EXPECT_EQ(s().CSP[0], '\0');
}

// A long text line whose 511th byte is the lead byte of a full-width "Ｑ"
// (0x82 0x70): the trail byte "p" starts the next piece, which reads as the
// point record "pt 9 9". The text keeps the first 250 bytes of its body.
TEST_F(HostileBytes, LineSplitInsideADoubleByteCharacter) {
    std::string line = "ch 740 1 6.25 0 \"1,500";
    line += std::string(510 - line.size(), ' ');
    line += "\x82\x70t 9 9\n";
    ASSERT_EQ(line.size(), 518u);
    Ran r = go(worked() + line, {"-t1"});
    expect_completed(r, s());
    EXPECT_EQ(s().tenc, 3);
    EXPECT_EQ(s().TEN[2].x, 9.0);
    EXPECT_EQ(s().TEN[2].y, 9.0);
    EXPECT_EQ(s().mmax, 2);
    EXPECT_EQ(s().maru_count, 2);
    EXPECT_STREQ(s().ChSTR, "1,500");
    EXPECT_EQ(r.working, worked() + line + "#\n");
}

// Lines of 510 to 513 bytes before their LF, made of "c" only: the first 511
// bytes are one text record; what is left ("\n", "c\n", "cc\n") is a second
// record, a text when it starts with "c".
TEST_F(HostileBytes, LinesAtTheReadersLimit) {
    const struct { std::size_t length; int texts; } cases[] = {
        {510, 1}, {511, 1}, {512, 2}, {513, 2}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.length);
        InPlace one;
        std::string input = std::string(kHeader) + std::string(k.length, 'c') + "\n";
        Ran r = one.go(input, {"-t1"});
        expect_completed(r, one.s());
        EXPECT_EQ(one.s().mmax, k.texts);
        EXPECT_EQ(r.working, input + "#\n");
    }
}

// Bodies of 249, 250 and 251 bytes: "100" and blanks-free filler. The body is
// cut at 250 bytes, so the drawn width (a byte is half a width of 1.0 at scale
// 1) is 124.5, 125.0 and 125.0, and the value 100 is read from the first 64.
TEST_F(HostileBytes, BodiesAtTheCut) {
    const struct { std::size_t length; std::size_t kept; const char* width; } cases[] = {
        {249, 249, "sunpouchi(124.5)"}, {250, 250, "sunpouchi(125.0)"},
        {251, 250, "sunpouchi(125.0)"}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.length);
        InPlace one;
        std::string body = "100" + std::string(k.length - 3, 'x');
        std::string input = "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n"
                            "hcw 1 1 1 1 1 1 1 1 1 1\n#\ncn1\n"
                            "ch 0 0 10 0 \"" + body + "\n";
        Ran r = one.go(input, {"-t2"});
        expect_completed(r, one.s());
        EXPECT_NE(r.out.find(k.width), std::string::npos);
        EXPECT_NE(r.out.find("# ChSTR(" + body.substr(0, k.kept) + ") CSP(100)"),
                  std::string::npos);
        EXPECT_EQ(std::strlen(one.s().ChSTR), k.kept);
    }
}

}  // namespace
}  // namespace dimcheck::test
