// Whole runs on what the host should never give, where the drawing state or
// the file system tells more than a recorded case could (the others are
// e2e/cases/hostile-*: hostile bytes, odd numbers and options, layer groups
// outside the table). Text kinds outside their 16-entry table read zero
// sizes; integers keep the low 32 bits of their 64-bit reading, and the
// restore records give them back. The exchange file may be unreadable or the
// result unwritable; none of these relies on file permissions: the tests run
// as root in CI.
#include <filesystem>

#include "hostile.h"

namespace dimcheck::test {
namespace {

namespace fs = std::filesystem;

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

// A folder under the exchange name cannot be read. The intake reports it as
// a file it cannot open, with status -1, and nothing in the folder changes;
// a folder must not pass for an empty selection. Under the lower-case name
// the rename chain moves the folder to the upper-case name first.
TEST(HostileFiles, ExchangeFileIsAFolder) {
    for (const char* name : {"JWC_TEMP.TXT", "jwc_temp.txt"}) {
        SCOPED_TRACE(name);
        InPlace one;
        fs::create_directory(name);
        write_file(name + std::string("/drawing"), "pt 0 0\n");
        Ran r = one.go_args({"-t2"});
        EXPECT_EQ(r.status, -1);
        EXPECT_EQ(r.err, "Cannot open file: JWC_TEMP.TXT\n");
        EXPECT_EQ(r.out, "");  // not even the intake's trace
        EXPECT_EQ(read_file("JWC_TEMP.TXT/drawing"), "pt 0 0\n");
    }
}

// The exchange file is a link to /dev/full: it reads as endless NUL bytes
// (511 to a line, so the line limit stops the intake after 50001 lines) and
// takes no write. The limit record cannot be written, and the run says so
// instead of ending as if it had been.
TEST(HostileFiles, ResultOnAFullDevice) {
    InPlace one;
    fs::create_symlink("/dev/full", "JWC_TEMP.TXT");
    Ran r = one.go_args({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot write file: JWC_TEMP.TXT");
    EXPECT_EQ(one.s().mmax, 0);
    ASSERT_TRUE(r.working_left);
    EXPECT_EQ(r.working.size(), 50001u * 511u + 2u);
    EXPECT_EQ(r.working.find_first_not_of('\0'), 50001u * 511u);
    EXPECT_EQ(r.working.substr(r.working.size() - 2), "#\n");
}

// A file system that fills up while the result is written, made with the
// file size limit: the input and the working copy (1086 bytes) fit, the 40
// double circles (2880 bytes) do not. A completed run whose result did not
// reach the disk whole ends with status 1 and the message, never with 0, and
// the working copy stays behind.
TEST(HostileFiles, ResultOnAFileSystemThatFillsUp) {
    ScratchDir dir;
    std::string input = worked(), marks;
    for (int i = 1; i < 40; ++i) input += "ch 740 1 6.25 0 \"1,500\n";
    for (int i = 0; i < 40; ++i)
        marks += "lt1\nlc2\nci 743.125000 1.000000 3.125000\nci 743.125000 1.000000 1.562500\n";
    write_file("JWC_TEMP.TXT", input);
    Outcome o = run_program({}, 2048);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Cannot write file: JWC_TEMP.TXT");
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), marks.substr(0, 2048));
    EXPECT_EQ(read_file("JWC_TEMP.$$$"), input + "#\n");
}

// The exchange file can be read but not opened for writing: here it is the
// running program itself (a copy of it, started under the exchange name), which
// Linux refuses to open for writing (ETXTBSY). The driver stops with status 1
// and its message; should a kernel allow the write, only that copy is lost.
TEST(HostileResult, ExchangeFileThatCannotBeOpenedForWriting) {
    ScratchDir dir;
    fs::copy_file(DIMCHECK_EXE, "JWC_TEMP.TXT");
    const std::string before = read_file("JWC_TEMP.TXT");
    Outcome o = run_program({}, 0, "./JWC_TEMP.TXT");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Cannot open file: JWC_TEMP.TXT");
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), before);
}

}  // namespace
}  // namespace dimcheck::test
