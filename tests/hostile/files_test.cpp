// The exchange file where it cannot be read or the result cannot be written.
// None of these relies on file permissions: the tests run as root in CI.
#include <filesystem>

#include "hostile.h"
#include "intake/intake.h"

namespace dimcheck::test {
namespace {

namespace fs = std::filesystem;

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

// The intake itself: a read error ends it as a failure, not as the end of
// the input, and no trace claims a line count.
TEST(HostileIntake, ReadErrorIsNoEndOfInput) {
    ScratchDir dir;
    Captured c;
    c.s.isTest = 2;
    fs::create_directory("in");
    EXPECT_EQ(TFILEcopy_Ten(c.s, "in", "copy"), kIntakeFailed);
    EXPECT_EQ(c.errors(), "Cannot open file: in\n");
    EXPECT_EQ(c.trace(), "");
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
