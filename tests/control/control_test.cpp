// Run control: options, record fields and the Japanese record texts. Lines as
// read, the second pass's text records and whole runs are in e2e/cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/driver.h"
#include "control/fields.h"
#include "control/records.h"
#include "support.h"

namespace dimcheck::test {
namespace {

TEST(Options, EachArgumentByItself) {
    // Every row starts from isTest 3 and bairitsu 4.5.
    struct Row { const char* arg; int level; double magnification; bool illegal = false; };
    const Row rows[] = {
        {"-t2", 2, 4.5}, {"/T2", 2, 4.5}, {"-T2", 2, 4.5}, {"/t2", 2, 4.5}, {"-b2", 3, 2.0},
        {"/B2", 3, 2.0}, {"-B2", 3, 2.0}, {"/b2", 3, 2.0}, {"-b1.5x", 3, 1.5}, {"-b-0.25", 3, -0.25},
        {"-bx", 3, 0.0}, {"-t12abc", 12, 4.5}, {"-t-1", -1, 4.5}, {"-t3.9", 3, 4.5}, {"-tx", 0, 4.5},
        {"-t", 3, 4.5}, {"-b", 3, 4.5}, {"/T", 3, 4.5}, {"/b", 3, 4.5},  // no value: no change
        {"-c", 3, 4.5}, {"-u", 3, 4.5}, {"/C", 3, 4.5}, {"/U", 3, 4.5}, {"-c5", 3, 4.5},
        {"-uvw", 3, 4.5}, {"-x", 3, 4.5, true}, {"/Z", 3, 4.5, true}, {"-", 3, 4.5, true},
        {"/", 3, 4.5, true}, {"-1", 3, 4.5, true}, {"--t2", 3, 4.5, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.arg);
        Captured c;
        c.s.isTest = 3;
        c.s.bairitsu = 4.5;
        opt(c.s, r.arg);
        EXPECT_EQ(c.s.isTest, r.level);
        EXPECT_EQ(c.s.bairitsu, r.magnification);
        EXPECT_EQ(c.errors(), r.illegal ? "\nIllegal Option.\n" : "");
    }
}

TEST(FieldReader, FieldsAreReadUntilTheFirstThatFails) {
    // One letter per field: n number, d decimal, x hexadecimal. Every
    // variable starts at 7; a failed field and all later ones keep it.
    struct Row { const char* text; const char* kinds; std::vector<double> want; };
    const Row rows[] = {
        {"1.2.3", "nnn", {1.2, 0.3, 7}},  // the longest prefix strtod accepts
        {" \t\v\f\r\n-2.5e2\t+.5 1e5x", "nnn", {-250, 0.5, 1e5}}, {" \r\n", "n", {7}},
        {"1 x 3", "nnn", {1, 7, 7}},  // "3" would convert, but the record has ended
        {"5 .5 6", "ddd", {5, 7, 7}}, {"5 .5", "ddn", {5, 7, 7}}, {"1A 0x1a", "xx", {26, 26}},
    };
    for (const Row& r : rows) {
        FieldReader f(r.text);
        for (std::size_t i = 0; i < r.want.size(); ++i) {
            double d = 7;
            int n = 7;
            bool ok = r.kinds[i] == 'n' ? f.num(d) : r.kinds[i] == 'd' ? f.dec(n) : f.hex(n);
            EXPECT_EQ(r.kinds[i] == 'n' ? d : n, r.want[i]) << r.text << " " << i;
            EXPECT_EQ(ok, r.want[i] != 7) << r.text << " " << i;
        }
    }
    // A field never starts behind the line's terminator.
    double v = -1;
    EXPECT_FALSE(FieldReader(from_column("hs\0 5", 3)).num(v));
    EXPECT_STREQ(from_column("hcw 1", 4), "1");
}

// The C library's own sscanf is the reference for single integer fields,
// including the truncation to 32 bits.
TEST(FieldReader, IntegersConvertAsSscanfDoes) {
    for (const char* text : {"0", "-1", "+7", "1.9", "0x10", "2147483647", "2147483648",
                             "4294967297", "4294967301", "-2147483649", "99999999999999999999",
                             "-99999999999999999999", " \t12z", "-", "q"}) {
        int want = 12345, got = 12345;
        int converted = std::sscanf(text, "%d", &want);
        EXPECT_EQ(FieldReader(text).dec(got), converted == 1) << text;
        EXPECT_EQ(got, want) << text;
    }
    for (const char* text : {"0", "a", "1A", "0x1a", "7fffffff", "ffffffff", "100000000",
                             "100000010", "1ffffffff", "-1", "fffffffffffffffffffff", " \t10",
                             "g", "-"}) {
        unsigned want = 12345;
        int got = 12345;
        int converted = std::sscanf(text, "%x", &want);
        EXPECT_EQ(FieldReader(text).hex(got), converted == 1) << text;
        EXPECT_EQ(got, static_cast<int>(want)) << text;
    }
}

TEST(ResultRecords, JapaneseTextsAreTheirCodePage932Bytes) {
    EXPECT_EQ(std::string(kTooManyLines), cp932("he  要素数オーバー    MAX = %d\n"));
    EXPECT_EQ(std::string(kTooManyPoints), cp932("he  寸法端点  処理限度数オーバー    MAX=%d\n"));
    EXPECT_EQ(std::string(kNoValuesHe), cp932("he  寸法値がありません\n"));
    EXPECT_EQ(std::string(kNoValuesStatus), cp932("h#  寸法値がありません\n"));
    EXPECT_EQ(std::string(kSummary), cp932("不良 Ｘ=%d , 要・確認 △=%d , 良◎◯=%d  /全文字数(%d)"));
}

}  // namespace
}  // namespace dimcheck::test
