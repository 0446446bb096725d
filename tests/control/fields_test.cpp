// Record fields are read the way sscanf reads them in the "C" locale, and
// lines the way fgets reads them into a 512-byte buffer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "control/fields.h"
#include "support.h"

namespace dimcheck::test {
namespace {

TEST(FieldReader, NumberIsTheLongestPrefixStrtodAccepts) {
    double a = -1, b = -1, c = -1;
    FieldReader f("1.2.3");
    EXPECT_TRUE(f.num(a));
    EXPECT_TRUE(f.num(b));  // the second field starts at ".3"
    EXPECT_FALSE(f.num(c));
    EXPECT_EQ(a, 1.2);
    EXPECT_EQ(b, 0.3);
    EXPECT_EQ(c, -1);

    // Exponents, signs and any C white space before a number.
    FieldReader g(" \t\v\f\r\n-2.5e2\t+.5 1e5x");
    EXPECT_TRUE(g.num(a));
    EXPECT_TRUE(g.num(b));
    EXPECT_TRUE(g.num(c));
    EXPECT_EQ(a, -250.0);
    EXPECT_EQ(b, 0.5);
    EXPECT_EQ(c, 1e5);
    EXPECT_EQ(std::string(g.pos()), "x");
}

TEST(FieldReader, FirstFailingFieldEndsTheRecord) {
    double a = 7, b = 7, c = 7;
    FieldReader f("1 x 3");
    EXPECT_TRUE(f.num(a));
    EXPECT_FALSE(f.num(b));
    EXPECT_FALSE(f.num(c));  // "3" would convert, but the record has ended
    EXPECT_FALSE(f.ok());
    EXPECT_EQ(a, 1.0);
    EXPECT_EQ(b, 7.0);
    EXPECT_EQ(c, 7.0);

    int i = 7, j = 7;
    FieldReader g("5 .5 6");  // ".5" is no decimal integer
    EXPECT_TRUE(g.dec(i));
    EXPECT_FALSE(g.dec(j));
    EXPECT_EQ(i, 5);
    EXPECT_EQ(j, 7);

    // Nothing but white space: the field fails.
    FieldReader h(" \r\n");
    EXPECT_FALSE(h.num(a));
    EXPECT_EQ(a, 1.0);
}

// The C library's own sscanf is the reference for single integer fields.
TEST(FieldReader, IntegersConvertAsSscanfDoes) {
    const std::vector<std::string> decimals = {
        "0", "-1", "+7", "1.9", "0x10", "2147483647", "2147483648", "4294967297",
        "-2147483649", "99999999999999999999", "-99999999999999999999", " \t12z", "-", "q"};
    for (const std::string& text : decimals) {
        int want = 12345, got = 12345;
        int converted = std::sscanf(text.c_str(), "%d", &want);
        FieldReader f(text.c_str());
        EXPECT_EQ(f.dec(got), converted == 1) << text;
        EXPECT_EQ(got, want) << text;
    }
    const std::vector<std::string> hexes = {
        "0", "a", "1A", "0x1a", "7fffffff", "ffffffff", "100000000", "1ffffffff", "-1",
        "fffffffffffffffffffff", " \t10", "g", "-"};
    for (const std::string& text : hexes) {
        unsigned want = 12345;
        int got = 12345;
        int converted = std::sscanf(text.c_str(), "%x", &want);
        FieldReader f(text.c_str());
        EXPECT_EQ(f.hex(got), converted == 1) << text;
        EXPECT_EQ(got, static_cast<int>(want)) << text;
    }
}

TEST(FieldReader, TruncatesIntegersToTheirLow32Bits) {
    int v = 0;
    FieldReader("4294967301").dec(v);
    EXPECT_EQ(v, 5);
    FieldReader("2147483648").dec(v);
    EXPECT_EQ(v, -2147483647 - 1);
    FieldReader("100000010").hex(v);
    EXPECT_EQ(v, 16);
    FieldReader("ffffffff").hex(v);
    EXPECT_EQ(v, -1);
}

TEST(FieldReader, FromColumnNeverReadsBehindTheTerminator) {
    const char line[] = "hs\0 5";  // bytes behind the terminator must not count
    double v = -1;
    FieldReader f(from_column(line, 3));
    EXPECT_FALSE(f.num(v));
    EXPECT_EQ(v, -1);
    EXPECT_STREQ(from_column("hcw 1", 4), "1");
    EXPECT_STREQ(from_column("hcw", 4), "");
}

class ReadLine : public ::testing::Test {
protected:
    // Reads a whole stream as read_line splits it.
    std::vector<std::string> split(const std::string& bytes) {
        std::FILE* f = std::tmpfile();
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::rewind(f);
        std::vector<std::string> parts;
        char buf[512];
        std::memset(buf, 'Z', sizeof buf);
        std::size_t n;
        while ((n = read_line(f, buf)) > 0) {
            EXPECT_EQ(buf[n], '\0');
            parts.emplace_back(buf, n);
        }
        std::fclose(f);
        return parts;
    }
};

TEST_F(ReadLine, LongLinesAreSplitAt511Bytes) {
    std::string line600 = "ch" + std::string(597, 'x') + "\n";  // 600 bytes
    auto parts = split(line600 + "pt 1 2\n");
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0], line600.substr(0, 511));
    EXPECT_EQ(parts[1], line600.substr(511));
    EXPECT_EQ(parts[1].size(), 89u);
    EXPECT_EQ(parts[2], "pt 1 2\n");

    // 511 bytes and the line end: the line end alone is read as a further line.
    std::string line511 = std::string(511, 'a') + "\n";
    parts = split(line511);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], std::string(511, 'a'));
    EXPECT_EQ(parts[1], "\n");

    // 510 bytes and the line end fit.
    parts = split(std::string(510, 'a') + "\n");
    ASSERT_EQ(parts.size(), 1u);
}

TEST_F(ReadLine, KeepsLineEndsCarriageReturnsAndNulBytes) {
    const char bytes[] = "ab\r\n\ncd\0e\nlast";
    auto parts = split(std::string(bytes, sizeof bytes - 1));
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0], "ab\r\n");
    EXPECT_EQ(parts[1], "\n");
    EXPECT_EQ(parts[2], std::string("cd\0e\n", 5));
    EXPECT_EQ(parts[3], "last");  // the last line need not end with LF
    EXPECT_TRUE(split("").empty());
}

}  // namespace
}  // namespace dimcheck::test
