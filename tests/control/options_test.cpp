// Command-line options: -b magnification, -t trace level, -c and -u accepted
// without effect; "/" stands for "-" and the letter may be upper case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/driver.h"
#include "support.h"

namespace dimcheck::test {
namespace {

TEST(Options, DashAndSlashLowerAndUpperCaseAreTheSame) {
    for (const char* t : {"-t2", "/T2", "-T2", "/t2"}) {
        Captured c;
        opt(*c.s, t);
        EXPECT_EQ(c.s->isTest, 2) << t;
    }
    for (const char* b : {"-b2", "/B2", "-B2", "/b2"}) {
        Captured c;
        opt(*c.s, b);
        EXPECT_EQ(c.s->bairitsu, 2.0) << b;
    }
}

TEST(Options, ValuesUseTheLeadingNumber) {
    Captured c;
    DrawingState& s = *c.s;
    opt(s, "-b1.5x");
    EXPECT_EQ(s.bairitsu, 1.5);
    opt(s, "-b-0.25");
    EXPECT_EQ(s.bairitsu, -0.25);
    opt(s, "-bx");  // not a number: 0.0
    EXPECT_EQ(s.bairitsu, 0.0);
    opt(s, "-t12abc");
    EXPECT_EQ(s.isTest, 12);
    opt(s, "-t-1");
    EXPECT_EQ(s.isTest, -1);
    opt(s, "-t3.9");
    EXPECT_EQ(s.isTest, 3);
    opt(s, "-tx");  // not a number: 0
    EXPECT_EQ(s.isTest, 0);
    EXPECT_EQ(c.errors(), "");
}

TEST(Options, WithoutValueNothingChanges) {
    Captured c;
    DrawingState& s = *c.s;
    opt(s, "-t");
    opt(s, "-b");
    EXPECT_EQ(s.isTest, 0);
    EXPECT_EQ(s.bairitsu, 1.0);
    s.isTest = 3;
    s.bairitsu = 4.5;
    opt(s, "/T");
    opt(s, "/b");
    EXPECT_EQ(s.isTest, 3);
    EXPECT_EQ(s.bairitsu, 4.5);
    EXPECT_EQ(c.errors(), "");
}

TEST(Options, CAndUAreAcceptedWithoutEffect) {
    Captured c;
    DrawingState& s = *c.s;
    for (const char* a : {"-c", "-u", "/C", "/U", "-c5", "-uvw"}) opt(s, a);
    EXPECT_EQ(s.isTest, 0);
    EXPECT_EQ(s.bairitsu, 1.0);
    EXPECT_EQ(c.errors(), "");
}

TEST(Options, OtherLettersAndBareDashesAreIllegal) {
    for (const char* a : {"-x", "/Z", "-", "/", "-1", "--t2"}) {
        Captured c;
        opt(*c.s, a);
        EXPECT_EQ(c.errors(), "\nIllegal Option.\n") << a;
        EXPECT_EQ(c.s->isTest, 0) << a;
        EXPECT_EQ(c.s->bairitsu, 1.0) << a;
    }
}

// The whole argument list: options in order, later ones win, other arguments
// are ignored without a message, an illegal option does not stop the run.
TEST(Options, ArgumentListIsHandledInOrder) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", "ch 0 0 1 0 \"abc\n");
    Captured c;
    std::fclose(c.s->fpw);
    c.s->fpw = nullptr;
    const char* argv[] = {"dimcheck", "-t3", "t2", "b9", "-x", "/B2.5", "-t1", "", "/T", "-b"};
    int status = run(*c.s, 10, argv);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(c.s->isTest, 1);
    EXPECT_EQ(c.s->bairitsu, 2.5);
    EXPECT_EQ(c.errors(), "\nIllegal Option.\n");
    EXPECT_EQ(c.trace(),
              "## Bairitsu(2.5) scale(0.0) mmax(1) isTest(1) BATU(0) SAN(0) MARU(0)\n");
}

TEST(Options, NoOptionsMeanLevelZeroAndMagnificationOne) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", "ch 0 0 1 0 \"abc\n");
    Captured c;
    std::fclose(c.s->fpw);
    c.s->fpw = nullptr;
    const char* argv[] = {"dimcheck"};
    EXPECT_EQ(run(*c.s, 1, argv), 0);
    EXPECT_EQ(c.s->isTest, 0);
    EXPECT_EQ(c.s->bairitsu, 1.0);
    EXPECT_EQ(c.trace(), "");
    EXPECT_FALSE(file_exists("JWC_TEMP.$$$"));
}

}  // namespace
}  // namespace dimcheck::test
