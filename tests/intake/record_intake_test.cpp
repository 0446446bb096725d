// The first pass: every record kind parsed into the drawing state, the scale
// fixed at the first comment line, the end-point limit, and the working copy.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "intake/intake.h"
#include "support.h"

namespace dimcheck::test {
namespace {

const char kSixteenScales[] = "hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n";

class Intake : public ::testing::Test {
protected:
    // Hands each line to Ten_Store; returns the result of the last one.
    int feed(std::initializer_list<std::string> lines) {
        int r = 0;
        for (const std::string& line : lines) r = Ten_Store(s(), line.c_str());
        return r;
    }
    DrawingState& s() { return *c.s; }
    Captured c;
};

TEST_F(Intake, ScaleIsFixedAtTheFirstCommentFromTheGroupCurrentThere) {
    feed({kSixteenScales, "lg2\n"});
    EXPECT_EQ(s().scale, 0.0);  // nothing before the comment line
    EXPECT_EQ(s().gomi, 0.00025);
    EXPECT_EQ(s().PH, 20);
    feed({"#jw\n"});
    EXPECT_EQ(s().scale, 3.0);
    EXPECT_EQ(s().gomi, 0.00025 * 3.0);
    EXPECT_EQ(s().PH, 0);

    // Later groups, scale tables and comments change nothing.
    feed({"lg5\n", "hs 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9\n", "#\n", "# again\n"});
    EXPECT_EQ(s().scale, 3.0);
    EXPECT_EQ(s().gomi, 0.00025 * 3.0);
    EXPECT_EQ(s().GROUP, 5);
    EXPECT_EQ(s().G_SCALE[5], 9.0);
}

TEST_F(Intake, ScaleUsesTheLastGroupBeforeTheCommentReadAsHex) {
    feed({"lg2\n", "lga\n", kSixteenScales, "#\r\n"});
    EXPECT_EQ(s().GROUP, 10);
    EXPECT_EQ(s().scale, 11.0);
}

TEST_F(Intake, ScaleWithoutGroupRecordIsGroupZeros) {
    feed({kSixteenScales, "#\n"});
    EXPECT_EQ(s().scale, 1.0);
}

TEST_F(Intake, NoCommentLeavesScaleZero) {
    feed({kSixteenScales, "lg3\n", "pt 1 1\n", "x # not a comment\n"});
    EXPECT_EQ(s().scale, 0.0);
    EXPECT_EQ(s().gomi, 0.00025);
    EXPECT_EQ(s().PH, 20);
}

TEST_F(Intake, GroupOutsideTheTableGivesScaleZero) {
    for (const char* group : {"lg10\n", "lg-1\n", "lgffffffff\n", "lg7fffffff\n"}) {
        Captured other;
        DrawingState& t = *other.s;
        Ten_Store(t, kSixteenScales);
        Ten_Store(t, group);
        Ten_Store(t, "#\n");
        EXPECT_EQ(t.scale, 0.0) << group;
        EXPECT_EQ(t.gomi, 0.0) << group;
        EXPECT_EQ(t.PH, 0) << group;
    }
}

TEST_F(Intake, HeaderTablesAndTheirColumns) {
    // "hs" directly followed by a digit loses that digit: it is the separator.
    feed({"hs12.5 7\n"});
    EXPECT_EQ(s().G_SCALE[0], 2.5);
    EXPECT_EQ(s().G_SCALE[1], 7.0);
    EXPECT_EQ(s().G_SCALE[2], 0.0);

    feed({"hcw 1 2 3 4 5 6 7 8 9 10 11\n", "hch\t.5 1.5\n", "hcd93 4\n",
          "hcc 1 2 3 4 5 6 7 8 9 10\n"});
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(s().MOJI_W[k], k) << k;
        EXPECT_EQ(s().MOJI_C[k], k) << k;
    }
    EXPECT_EQ(s().MOJI_W[0], 0.0);
    EXPECT_EQ(s().MOJI_W[11], 0.0);  // only ten values are read
    EXPECT_EQ(s().MOJI_H[1], 0.5);
    EXPECT_EQ(s().MOJI_H[2], 1.5);
    EXPECT_EQ(s().MOJI_D[1], 3.0);  // "9" was the separator
    EXPECT_EQ(s().MOJI_D[2], 4.0);

    // Colours are integers: "2.5" gives 2 and ends the record at ".5".
    feed({"hcc 8 2.5 6\n"});
    EXPECT_EQ(s().MOJI_C[1], 8);
    EXPECT_EQ(s().MOJI_C[2], 2);
    EXPECT_EQ(s().MOJI_C[3], 3);

    feed({"hn -1 2.5 3e2 4\r\n", "hn 9 x 9 9\n"});
    EXPECT_EQ(s().HANI[0], 9.0);
    EXPECT_EQ(s().HANI[1], 2.5);
    EXPECT_EQ(s().HANI[2], 300.0);
    EXPECT_EQ(s().HANI[3], 4.0);

    // Keywords are case-sensitive and need their full spelling.
    feed({"HS 5 5\n", "hx 5\n", "hc 5\n", "hcx 5\n", "h\n"});
    EXPECT_EQ(s().G_SCALE[0], 2.5);
    EXPECT_EQ(s().MOJI_W[1], 1.0);
    EXPECT_EQ(s().MOJI_C[1], 8);
    EXPECT_EQ(s().HANI[0], 9.0);
}

TEST_F(Intake, SmallCirclesAddTheirCentre) {
    s().scale = 100.0;  // 1.1 * 100 is the double 110.00000000000001
    EXPECT_EQ(feed({"ci 100 100 2\n"}), 0);
    EXPECT_EQ(s().tenc, 1);
    EXPECT_EQ(s().TEN[0].x, 100.0);
    EXPECT_EQ(s().TEN[0].y, 100.0);

    feed({"ci 5 6 110\n"});  // just below 1.1 * scale
    EXPECT_EQ(s().tenc, 2);
    feed({"ci 7 8 110.00000000000001\n"});  // exactly 1.1 * scale
    EXPECT_EQ(s().tenc, 2);
    EXPECT_EQ(s().CX, 7.0);  // the circle was read all the same
    EXPECT_EQ(s().CR, 1.1 * 100.0);

    // Scale 1: radius 2 is too big; 1.1 itself is too; just below is small.
    Captured other;
    DrawingState& t = *other.s;
    t.scale = 1.0;
    Ten_Store(t, "ci 100 100 2\n");
    Ten_Store(t, "ci 1 1 1.1\n");
    EXPECT_EQ(t.tenc, 0);
    Ten_Store(t, "ci 1 1 1.0999999999999999\n");
    EXPECT_EQ(t.tenc, 1);
}

TEST_F(Intake, OnlyFullCirclesWithExactlyThreeBlanksCount) {
    s().scale = 100.0;
    feed({"ci 1 2 3 4 5\n",  // an arc
          "ci 1 2 3 \n",     // a trailing blank makes four
          "ci 1  2 3\n",     // two blanks in a row
          "ci\t1 2 3\n"});   // a tab is not a blank: two
    EXPECT_EQ(s().tenc, 0);
    EXPECT_EQ(s().CX, 0.0);  // ignored records are not read
    feed({"ci 1 2\t3 \n"});  // three blanks, the tab separates a field
    EXPECT_EQ(s().tenc, 1);
    EXPECT_EQ(s().TEN[0].x, 1.0);
    feed({"ci 4 5 6\r\n"});  // CR LF ends the count like LF
    EXPECT_EQ(s().tenc, 2);
    feed({"ci 8 9 10"});  // the last line may lack its line end
    EXPECT_EQ(s().tenc, 3);
}

TEST_F(Intake, CirclesBeforeTheFirstCommentSeeScaleZero) {
    feed({kSixteenScales, "ci 1 1 0.5\n", "ci 2 2 0\n"});
    EXPECT_EQ(s().tenc, 0);
    feed({"ci 3 3 -1\n"});  // only a negative radius is below a zero scale
    EXPECT_EQ(s().tenc, 1);
    feed({"#\n", "ci 4 4 0.5\n"});
    EXPECT_EQ(s().tenc, 2);
    EXPECT_EQ(s().TEN[1].x, 4.0);
}

TEST_F(Intake, TextRecordsAreCounted) {
    feed({"ch 0 0 1 0 \"a\n", "co\n", "cr\n", "cs\n", "ca\n", "c\n", "c", "cx 1 2\n", "cN1\n"});
    EXPECT_EQ(s().mmax, 9);
    feed({"cn1\n", "cn0 1 2 3 4\n", "cn\n", "ci 1 2 3\n", "ci 1 2 3 4 5\n", "Ch\n", " ch\n",
          "#ch\n"});
    EXPECT_EQ(s().mmax, 9);
}

TEST_F(Intake, PointsAndLineFields) {
    EXPECT_EQ(feed({"pt 1.5 -2\n"}), 0);
    EXPECT_EQ(s().tenc, 1);
    EXPECT_EQ(s().TEN[0].x, 1.5);
    EXPECT_EQ(s().TEN[0].y, -2.0);
    feed({"pt3 4\n"});  // the numbers start right after the keyword
    EXPECT_EQ(s().TEN[1].x, 3.0);
    EXPECT_EQ(s().TEN[1].y, 4.0);
    s().TEN[2] = {8.0, 9.0};
    feed({"pt 5 y\n"});  // the failing field keeps what the slot held
    EXPECT_EQ(s().tenc, 3);
    EXPECT_EQ(s().TEN[2].x, 5.0);
    EXPECT_EQ(s().TEN[2].y, 9.0);

    feed({" 1 2 3 4\n", " 5 6 x 8\n"});
    EXPECT_EQ(s().ILINEx1, 5.0);
    EXPECT_EQ(s().ILINEy1, 6.0);
    EXPECT_EQ(s().ILINEx2, 3.0);
    EXPECT_EQ(s().ILINEy2, 4.0);
    feed({"\t9 9 9 9\n", "9 9 9 9\n"});  // only a blank starts a line record
    EXPECT_EQ(s().ILINEx1, 5.0);
}

TEST_F(Intake, AttributesAndTheirFirstSeenCopies) {
    feed({"lc5\n", "lc7\n", "lt20\n", "lt3\n", "lt4\n", "lg3\n", "lgA\n", "lya\n", "ly0B\n",
          "pn2\n", "pn5\n"});
    EXPECT_EQ(s().COLOR, 7);
    EXPECT_EQ(s().COLORi, 5);
    EXPECT_EQ(s().TYPE, 4);
    EXPECT_EQ(s().TYPEi, 3);  // a first value of 20 leaves the copy open
    EXPECT_EQ(s().GROUP, 10);
    EXPECT_EQ(s().GROUPi, 3);
    EXPECT_EQ(s().LAYER, 11);
    EXPECT_EQ(s().LAYERi, 10);
    EXPECT_EQ(s().TENS, 5);
    EXPECT_EQ(s().TENSi, 2);

    // A decimal attribute keeps its low 32 bits.
    feed({"lc4294967301\n"});
    EXPECT_EQ(s().COLOR, 5);
}

TEST_F(Intake, UnparsedAttributeCapturesTheCurrentValue) {
    s().COLOR = 6;
    feed({"lcx\n", "lc9\n"});
    EXPECT_EQ(s().COLOR, 9);
    EXPECT_EQ(s().COLORi, 6);
}

TEST_F(Intake, FreeSizeTextKindAsTheFirstTextKindRecord) {
    feed({"cn0 2.5 3 0.5 1\n"});
    EXPECT_EQ(s().MOJIS, 0);
    EXPECT_EQ(s().MOJISi, 0);
    EXPECT_EQ(s().MOJIWi, 2.5);
    EXPECT_EQ(s().MOJIHi, 3.0);
    EXPECT_EQ(s().MOJIDi, 0.5);
    EXPECT_EQ(s().MOJICi, 1);
    feed({"cn5\n", "cn0 7 8 9 10\n"});
    EXPECT_EQ(s().MOJIS, 0);
    EXPECT_EQ(s().MOJISi, 0);
    EXPECT_EQ(s().MOJI_W[0], 7.0);
    EXPECT_EQ(s().MOJI_C[0], 10);
    EXPECT_EQ(s().MOJIWi, 2.5);
    EXPECT_EQ(s().MOJICi, 1);
}

TEST_F(Intake, NumberedTextKindFirstLeavesTheFreeSizeCopiesUnset) {
    feed({"cn20\n", "cn5\n", "cn0 2.5 3 0.5 1\n", "cn7\n"});
    EXPECT_EQ(s().MOJIS, 7);
    EXPECT_EQ(s().MOJISi, 5);  // 20 left the copy open
    EXPECT_EQ(s().MOJI_W[0], 2.5);
    EXPECT_EQ(s().MOJIWi, -20.0);
    EXPECT_EQ(s().MOJIHi, 20.0);
    EXPECT_EQ(s().MOJIDi, 20.0);
    EXPECT_EQ(s().MOJICi, 20);
}

TEST_F(Intake, CommaSeparatedFreeSizeRecordSetsOnlyTheWidth) {
    s().MOJI_H[0] = 4.0;
    feed({"cn0 2.50, 3.00, 0.50, 1\n"});
    EXPECT_EQ(s().MOJIS, 0);
    EXPECT_EQ(s().MOJI_W[0], 2.5);
    EXPECT_EQ(s().MOJI_H[0], 4.0);
    EXPECT_EQ(s().MOJI_C[0], 0);
    EXPECT_EQ(s().MOJIWi, 2.5);
    EXPECT_EQ(s().MOJIHi, 4.0);
}

TEST_F(Intake, BlankCounterCountsSpacesUpToTheLineEnd) {
    EXPECT_EQ(__SPCNT(" a b\tc "), 3);
    EXPECT_EQ(__SPCNT("  \r  "), 2);
    EXPECT_EQ(__SPCNT(" \n "), 1);
    EXPECT_EQ(__SPCNT(""), 0);
    std::string blanks(600, ' ');
    EXPECT_EQ(__SPCNT(blanks.c_str()), 512);
}

TEST_F(Intake, TheEightHundredthPointFillsTheTable) {
    for (int i = 0; i < 799; ++i) {
        std::string line = "pt " + std::to_string(i) + " 1\n";
        ASSERT_EQ(Ten_Store(s(), line.c_str()), 0) << i;
    }
    EXPECT_EQ(feed({"pt 799 1\n"}), -1);
    EXPECT_EQ(s().tenc, 800);
    EXPECT_EQ(s().TEN[799].x, 799.0);
}

TEST_F(Intake, CirclesAndArrowTipsFillTheTableToo) {
    s().scale = 100.0;
    s().tenc = 799;
    EXPECT_EQ(feed({"ci 1 1 1\n"}), -1);
    EXPECT_EQ(s().tenc, 800);

    Captured other;
    DrawingState& t = *other.s;
    t.scale = 100.0;
    t.tenc = 799;
    EXPECT_EQ(Ten_Store(t, " 10 10 210 10\n"), 0);
    EXPECT_EQ(Ten_Store(t, " 10 10 10 210\n"), -1);
    EXPECT_EQ(t.tenc, 800);
    EXPECT_EQ(t.TEN[799].x, 10.0);
    EXPECT_EQ(t.TEN[799].y, 10.0);
}

class CopyFile : public ::testing::Test {
protected:
    ScratchDir dir;
    Captured c;
};

TEST_F(CopyFile, WorkingCopyIsTheLinesReadAndAComment) {
    const std::string input = "hs 1\r\n#\r\npt 1 2\r\nch 0 0 1 0 \"x\r\n\r\nlast";
    write_file("in", input);
    EXPECT_EQ(TFILEcopy_Ten(*c.s, "in", "copy"), 6);
    // The last line has no line end, so the added comment continues it.
    EXPECT_EQ(read_file("copy"), input + "#\n");
    EXPECT_EQ(c.s->tenc, 1);
    EXPECT_EQ(c.s->mmax, 1);
    EXPECT_EQ(c.s->scale, 1.0);
    EXPECT_EQ(c.trace(), "");
}

TEST_F(CopyFile, LongLinesCountTwiceAndNulBytesAreCopied) {
    std::string input = "ch" + std::string(597, ' ') + "\n" + std::string("a\0b\n", 4);
    write_file("in", input);
    c.s->isTest = 2;
    EXPECT_EQ(TFILEcopy_Ten(*c.s, "in", "copy"), 3);
    EXPECT_EQ(read_file("copy"), input + "#\n");
    EXPECT_EQ(c.trace(), "### TFILEcopy_Ten() xmax(3) tenc(0) mmax(1)\n");
}

TEST_F(CopyFile, StopsAtTheRecordThatFillsTheTable) {
    std::string input = "ch 0 0 1 0 \"a\n";
    for (int i = 0; i < 800; ++i) input += "pt " + std::to_string(i) + " 0\n";
    std::string after = "ch 0 0 1 0 \"b\npt 1 1\n";
    write_file("in", input + after);
    c.s->isTest = 2;
    EXPECT_EQ(TFILEcopy_Ten(*c.s, "in", "copy"), 801);
    EXPECT_EQ(read_file("copy"), input + "#\n");
    EXPECT_EQ(c.s->tenc, 800);
    EXPECT_EQ(c.s->mmax, 1);
    EXPECT_EQ(c.trace(), "### TFILEcopy_Ten() xmax(801) tenc(800) mmax(1)\n");
}

TEST_F(CopyFile, ReadsAtMost50001Lines) {
    std::string input;
    for (int i = 0; i < 50001; ++i) input += "x\n";
    write_file("in", input + "ch\npt 1 1\n");
    EXPECT_EQ(TFILEcopy_Ten(*c.s, "in", "copy"), 50001);
    EXPECT_EQ(read_file("copy"), input + "#\n");
    EXPECT_EQ(c.s->mmax, 0);
    EXPECT_EQ(c.s->tenc, 0);
}

TEST_F(CopyFile, TraceBelongsToLevelTwoOnly) {
    write_file("in", "pt 1 1\n");
    for (int level : {0, 1, 3}) {
        Captured other;
        other.s->isTest = level;
        TFILEcopy_Ten(*other.s, "in", "copy");
        EXPECT_EQ(other.trace(), "") << level;
    }
}

TEST_F(CopyFile, MissingInput) {
    EXPECT_EQ(TFILEcopy_Ten(*c.s, "nothere", "copy"), kIntakeFailed);
    EXPECT_EQ(c.errors(), "Cannot open file: nothere\n");
    EXPECT_FALSE(file_exists("copy"));
}

TEST_F(CopyFile, CopyThatCannotBeCreated) {
    write_file("in", "pt 1 1\n");
    std::filesystem::create_directory("adir");
    EXPECT_EQ(TFILEcopy_Ten(*c.s, "in", "adir"), kIntakeFailed);
    EXPECT_EQ(c.errors(), "Cannot open file: adir\n");
}

TEST_F(CopyFile, CopyThatCannotBeWrittenWhole) {
    write_file("in", "pt 1 1\nch 0 0 1 0 \"a\n");
    EXPECT_EQ(TFILEcopy_Ten(*c.s, "in", "/dev/full"), kIntakeFailed);
    EXPECT_EQ(c.errors(), "Cannot write file: /dev/full");
}

}  // namespace
}  // namespace dimcheck::test
