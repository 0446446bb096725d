// Reading a text body as a length: line-end removal, normalisation of
// Shift-JIS bodies, the numeric test with its tolerance, separator removal and
// the conversion that the verdict applies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "check/check.h"
#include "support.h"

namespace dimcheck {
namespace {

using test::Captured;

// Shift-JIS pieces. A hex escape swallows a following hex digit, so every
// double-byte character is a literal of its own.
const std::string kFullOne = "\x82\x50";     // full-width 1
const std::string kFullFive = "\x82\x54";    // full-width 5
const std::string kFullZero = "\x82\x4f";    // full-width 0
const std::string kFullComma = "\x81\x43";   // full-width comma
const std::string kFullStop = "\x81\x44";    // full-width full stop
const std::string kFullBlank = "\x81\x40";   // full-width blank
const std::string kFullCapM = "\x82\x6c";    // full-width M
const std::string kFullSmallM = "\x82\x8d";  // full-width m
const std::string kFullCapR = "\x82\x71";    // full-width R
const std::string kFullSmallR = "\x82\x92";  // full-width r
const std::string kFullCapA = "\x82\x60";    // full-width A
const std::string kDiameter = "\x83\xd3";    // Greek phi, used as the diameter sign
const std::string kKatakanaA = "\x83\x41";
const std::string kHiragana = "\x82\xa0" "\x82\xa2";
const std::string kKanjiAbout = "\x96\xf1";  // a kanji whose bytes are no accepted character
const std::string kKanjiTrailM = "\x95\x4d";
const std::string kKanjiTrailSmallM = "\x8a\x6d";
const std::string kKanjiTrailR = "\x95\x52";

// ---------------------------------------------------------------------------
// Line-end removal.

int del_cr(char* buf, const std::string& bytes) {
    std::memcpy(buf, bytes.data(), bytes.size());
    return __DEL_CR(buf);
}

TEST(LineEnd, CutsAtTheFirstLineEndOrNul) {
    char buf[kLineBuf] = {};
    EXPECT_EQ(del_cr(buf, "1500\r\n"), 4);
    EXPECT_STREQ(buf, "1500");
    EXPECT_EQ(del_cr(buf, "12\n34\n"), 2);
    EXPECT_STREQ(buf, "12");
    EXPECT_EQ(buf[3], '3');  // bytes behind the cut stay
    EXPECT_EQ(buf[4], '4');
    EXPECT_EQ(del_cr(buf, std::string("7\0" "89\n", 5)), 1);
    EXPECT_EQ(del_cr(buf, "\n"), 0);
    EXPECT_STREQ(buf, "");
}

TEST(LineEnd, TrailingBlanksGoLeadingBlanksStay) {
    char buf[kLineBuf] = {};
    EXPECT_EQ(del_cr(buf, "1500  \n"), 4);
    EXPECT_STREQ(buf, "1500");
    EXPECT_EQ(buf[4], '\0');
    EXPECT_EQ(buf[5], '\0');
    EXPECT_EQ(del_cr(buf, " 1500\n"), 5);
    EXPECT_EQ(del_cr(buf, "   \n"), 0);
    // Only 0x20 is a blank here: a tab and a full-width blank stay.
    EXPECT_EQ(del_cr(buf, "15\t \n"), 3);
    EXPECT_EQ(del_cr(buf, "15" + kFullBlank + "\n"), 4);
}

TEST(LineEnd, DoubleByteCharactersCountTwo) {
    char buf[kLineBuf] = {};
    EXPECT_EQ(del_cr(buf, kFullOne + kFullComma + kFullFive + kFullZero + kFullZero + "\n"), 10);
}

TEST(LineEnd, LineEndInTheLastByte) {
    char buf[kLineBuf];
    std::memset(buf, 'x', sizeof buf);
    buf[kLineBuf - 1] = '\n';
    EXPECT_EQ(__DEL_CR(buf), kLineBuf - 1);
    EXPECT_EQ(buf[kLineBuf - 1], '\0');
}

TEST(LineEnd, WithoutLineEndTheWholeBufferIsTheBody) {
    char buf[kLineBuf];
    std::memset(buf, 'x', sizeof buf);
    buf[kLineBuf - 1] = ' ';
    buf[kLineBuf - 2] = ' ';
    EXPECT_EQ(__DEL_CR(buf), kLineBuf - 2);
    EXPECT_EQ(buf[kLineBuf - 2], '\0');
    EXPECT_EQ(buf[kLineBuf - 1], '\0');
    EXPECT_EQ(buf[kLineBuf - 3], 'x');
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(__DEL_CR(buf), kLineBuf);
}

// ---------------------------------------------------------------------------
// Normalisation.

struct Normalised {
    int flag;
    std::string csp;
};

Normalised zen(const std::string& body) {
    Captured c;
    char buf[kLineBuf] = {};
    std::memcpy(buf, body.data(), body.size());
    int flag = ZenHan(*c.s, buf);
    return {flag, c.s->CSP};
}

TEST(Normalise, HalfWidthAcceptedCharactersAreCopied) {
    EXPECT_EQ(zen("0123456789").csp, "0123456789");
    Normalised n = zen("*+,-./MmR");
    EXPECT_EQ(n.flag, 0);
    EXPECT_EQ(n.csp, "*+,-./MmR");
}

TEST(Normalise, OtherHalfWidthBytesAreDroppedAndMarkTheText) {
    Normalised n = zen("r1A)5 0");
    EXPECT_EQ(n.flag, 1);
    EXPECT_EQ(n.csp, "150");
}

TEST(Normalise, FullWidthDigitsSignsAndLetters) {
    std::string digits;
    for (int i = 0; i < 10; ++i) digits += std::string{'\x82', static_cast<char>(0x4f + i)};
    EXPECT_EQ(zen(digits).csp, "0123456789");
    Normalised n = zen(kFullOne + kFullComma + kFullFive + kFullStop + kFullCapM + kFullSmallM +
                       kFullCapR + kFullSmallR);
    EXPECT_EQ(n.flag, 0);
    EXPECT_EQ(n.csp, "1,5.MMRR");
}

TEST(Normalise, RecognisedDoubleByteCharactersAreDroppedQuietly) {
    // Other full-width letters, full-width blank and symbols, katakana and
    // Greek letters leave the flag alone.
    Normalised n = zen(kFullCapA + "1" + kFullBlank + "\x81\x7e" + kKatakanaA + kDiameter + "2");
    EXPECT_EQ(n.flag, 0);
    EXPECT_EQ(n.csp, "12");
}

TEST(Normalise, KanjiLeadByteMarksTheTextAndTheTrailIsJudgedAlone) {
    Normalised prefix = zen(kKanjiAbout + "1500");
    EXPECT_EQ(prefix.flag, 1);
    EXPECT_EQ(prefix.csp, "1500");
    Normalised trails = zen(kKanjiTrailM + kKanjiTrailSmallM + kKanjiTrailR);
    EXPECT_EQ(trails.flag, 1);
    EXPECT_EQ(trails.csp, "MmR");
}

TEST(Normalise, LoneLeadByteAtTheEndMarksTheText) {
    Normalised n = zen("15\x82");
    EXPECT_EQ(n.flag, 1);
    EXPECT_EQ(n.csp, "15");
}

TEST(Normalise, NothingAcceptedEmptiesTheText) {
    Captured c;
    std::strcpy(c.s->CSP, "123");
    char empty[kLineBuf] = {};
    EXPECT_EQ(ZenHan(*c.s, empty), -1);
    EXPECT_STREQ(c.s->CSP, "");
    EXPECT_EQ(zen(kHiragana).flag, -1);
    EXPECT_EQ(zen(kHiragana).csp, "");
    EXPECT_EQ(zen(kKatakanaA).flag, -1);
    EXPECT_EQ(zen("abc").flag, -1);
}

TEST(Normalise, OnlyTheFirstSixtyFourBytesAreRead) {
    EXPECT_EQ(zen(std::string(62, 'x') + "12345").csp, "12");
    // A double-byte character starting at position 63 is still taken whole.
    EXPECT_EQ(zen(std::string(63, 'x') + kFullFive + "6").csp, "5");
    EXPECT_EQ(zen(std::string(70, '1')).csp, std::string(64, '1'));
}

TEST(Normalise, LevelTwoTracePrintsTheFirstFourRawBytes) {
    Captured c;
    c.s->isTest = 2;
    std::string body = kFullOne + kFullComma + kFullFive + kFullZero + kFullZero;
    std::memcpy(c.s->ChSTR, body.data(), body.size());
    EXPECT_EQ(ZenHan(*c.s, c.s->ChSTR), 0);
    EXPECT_EQ(c.trace(), "# ZenHan() k(0) s(1,500) str[0][1][2][3] = (82)(50)(81)(43)\n");
}

TEST(Normalise, LevelTwoTraceShowsStaleBytesBehindAShortBody) {
    Captured c;
    c.s->isTest = 2;
    std::memcpy(c.s->ChSTR, "98765\n", 6);
    std::memcpy(c.s->ChSTR, "12\n", 3);  // a shorter body copied over it
    __DEL_CR(c.s->ChSTR);
    EXPECT_EQ(ZenHan(*c.s, c.s->ChSTR), 0);
    EXPECT_EQ(c.trace(), "# ZenHan() k(0) s(12) str[0][1][2][3] = (31)(32)(0)(36)\n");
}

TEST(Normalise, NoTraceWhenNothingWasAccepted) {
    Captured c;
    c.s->isTest = 2;
    std::memcpy(c.s->ChSTR, kHiragana.data(), kHiragana.size());
    ZenHan(*c.s, c.s->ChSTR);
    EXPECT_EQ(c.trace(), "");
}

// ---------------------------------------------------------------------------
// Numeric test and tolerance.

struct Numeric {
    int result;
    double gosa;
};

Numeric suchi(const std::string& text) {
    Captured c;
    c.s->gosa = 0.51;
    char buf[65] = {};
    std::memcpy(buf, text.data(), text.size() < 64 ? text.size() : 64);
    int r = isSuchi(*c.s, buf);
    return {r, c.s->gosa};
}

TEST(Numeric, EveryDecimalDigitScalesTheTolerance) {
    EXPECT_EQ(suchi("1500").result, 1);
    EXPECT_DOUBLE_EQ(suchi("1500").gosa, 0.51);
    EXPECT_DOUBLE_EQ(suchi("2.5").gosa, 0.051);
    EXPECT_DOUBLE_EQ(suchi("2.50").gosa, 0.0051);
    EXPECT_DOUBLE_EQ(suchi("2.505").gosa, 0.00051);
    EXPECT_DOUBLE_EQ(suchi("2.").gosa, 0.51);
}

TEST(Numeric, FourDecimalsAreRejectedAfterScalingThreeTimes) {
    Numeric n = suchi("2.5055");
    EXPECT_EQ(n.result, -3);
    EXPECT_DOUBLE_EQ(n.gosa, 0.00051);
}

TEST(Numeric, EveryPointRestartsTheCountAndSignsDoNotEndIt) {
    EXPECT_DOUBLE_EQ(suchi("1.2,3").gosa, 0.0051);
    EXPECT_DOUBLE_EQ(suchi("1.2.5").gosa, 0.0051);
    EXPECT_EQ(suchi("1.234.567").result, 1);
    EXPECT_EQ(suchi("1.23M45").result, -3);
}

TEST(Numeric, SignsSeparatorsAndUnitLettersPass) {
    EXPECT_EQ(suchi("-").result, 1);
    EXPECT_EQ(suchi("+,-RmM").result, 1);
    EXPECT_EQ(suchi("R300").result, 1);
    EXPECT_EQ(suchi("1.5M").result, 1);
}

TEST(Numeric, SlashAsteriskAndOtherCharactersAreForeign) {
    EXPECT_EQ(suchi("1/2").result, 0);
    EXPECT_EQ(suchi("3*1000").result, 0);
    EXPECT_EQ(suchi("12a").result, 0);
    EXPECT_EQ(suchi("r").result, 0);
}

TEST(Numeric, EmptyAndSixtyFourCharacters) {
    EXPECT_EQ(suchi("").result, -1);
    EXPECT_EQ(suchi(std::string(63, '1')).result, 1);
    EXPECT_EQ(suchi(std::string(64, '1')).result, -2);
}

// ---------------------------------------------------------------------------
// Separator and unit removal.

struct Stripped {
    int result;
    std::string text;
};

Stripped comma(const std::string& text) {
    char buf[65] = {};
    std::memcpy(buf, text.data(), text.size() < 64 ? text.size() : 64);
    int r = Comma(buf);
    return {r, buf};
}

TEST(Separators, DigitsAndPointsRemain) {
    EXPECT_EQ(comma("1,500").text, "1500");
    EXPECT_EQ(comma("1,500").result, 0);
    EXPECT_EQ(comma("R300").text, "300");
    EXPECT_EQ(comma("1500mm").text, "1500");
    EXPECT_EQ(comma("1500mm").result, 0);
    EXPECT_EQ(comma("+1-2*3/4,5.6").text, "12345.6");
    EXPECT_EQ(comma("-").text, "");
    EXPECT_EQ(comma("-").result, 0);
}

TEST(Separators, OnlyTheCapitalMMarksThousands) {
    EXPECT_EQ(comma("1.5M").result, 1);
    EXPECT_EQ(comma("1.5M").text, "1.5");
    EXPECT_EQ(comma("12M3M").text, "123");
    EXPECT_EQ(comma("1.5m").result, 0);
}

TEST(Separators, EmptyAndSixtyFourCharactersAreLeftAlone) {
    EXPECT_EQ(comma("").result, -1);
    std::string full = std::string(63, '1') + ",";
    Stripped s = comma(full);
    EXPECT_EQ(s.result, -1);
    EXPECT_EQ(s.text, full);
}

// ---------------------------------------------------------------------------
// The whole reading as the verdict runs it: the "# ChSTR(...)" trace line shows
// the trimmed body, the rewritten text, the drawn width and the length.

struct Reading {
    int verdict;
    double gosa;
    std::string line;  // the ChSTR trace line, empty when the reading stopped
    std::string trace;
};

// Each byte of the body is one coordinate unit wide here (width 2, scale 1).
Reading read(const std::string& body, double bairitsu = 1.0) {
    Captured c;
    DrawingState& s = *c.s;
    s.isTest = 2;
    s.bairitsu = bairitsu;
    s.gosa = 7.0;  // left over from an earlier text
    std::memcpy(s.ChHEAD, "ch", 2);
    s.MOJIS = 1;
    s.MOJI_W[1] = 2.0;
    s.MOJI_H[1] = 2.5;
    s.scale = 1.0;
    s.ChDX = 10.0;
    std::string raw = body + "\n";
    std::memcpy(s.ChSTR, raw.data(), raw.size());
    Reading r;
    r.verdict = Sun_chk(s);
    r.gosa = s.gosa;
    r.trace = c.trace();
    std::size_t at = r.trace.find("# ChSTR(");
    if (at != std::string::npos) r.line = r.trace.substr(at, r.trace.find('\n', at) + 1 - at);
    return r;
}

TEST(Reading, ThousandsComma) {
    Reading r = read("1,500");
    EXPECT_EQ(r.line, "# ChSTR(1,500) CSP(1500) sunpouchi(5.0) sunpou(1500.0)\n");
    EXPECT_DOUBLE_EQ(r.gosa, 0.51);
}

TEST(Reading, FullWidthDigitsAndComma) {
    Reading r = read(kFullOne + kFullComma + kFullFive + kFullZero + kFullZero);
    EXPECT_EQ(r.line.substr(r.line.find(" CSP(")),
              " CSP(1500) sunpouchi(10.0) sunpou(1500.0)\n");
    EXPECT_EQ(r.trace.substr(0, r.trace.find('\n') + 1),
              "# ZenHan() k(0) s(1,500) str[0][1][2][3] = (82)(50)(81)(43)\n");
    EXPECT_DOUBLE_EQ(r.gosa, 0.51);
}

TEST(Reading, DecimalsSetTheTolerance) {
    Reading a = read("2.5");
    EXPECT_EQ(a.line, "# ChSTR(2.5) CSP(2.5) sunpouchi(3.0) sunpou(2.5)\n");
    EXPECT_DOUBLE_EQ(a.gosa, 0.051);
    EXPECT_DOUBLE_EQ(read("2.50").gosa, 0.0051);
    EXPECT_DOUBLE_EQ(read("2.505").gosa, 0.00051);
    Reading d = read("2.5055");
    EXPECT_EQ(d.verdict, kNotAValue);
    EXPECT_EQ(d.line, "");
}

TEST(Reading, CapitalMMeansThousandsAndScalesTheTolerance) {
    Reading r = read("1.5M");
    EXPECT_EQ(r.line, "# ChSTR(1.5M) CSP(1.5) sunpouchi(4.0) sunpou(1500.0)\n");
    EXPECT_DOUBLE_EQ(r.gosa, 51.0);
    Reading cap = read("1.5" + kFullCapM);
    EXPECT_EQ(cap.line.substr(cap.line.find(" CSP(")), " CSP(1.5) sunpouchi(5.0) sunpou(1500.0)\n");
    EXPECT_DOUBLE_EQ(cap.gosa, 51.0);
    Reading small = read("1.5" + kFullSmallM);
    EXPECT_EQ(small.line.substr(small.line.find(" CSP(")),
              " CSP(1.5) sunpouchi(5.0) sunpou(1500.0)\n");
    EXPECT_DOUBLE_EQ(small.gosa, 51.0);
}

TEST(Reading, HalfWidthMillimetresAreNoUnit) {
    Reading r = read("1500mm");
    EXPECT_EQ(r.line, "# ChSTR(1500mm) CSP(1500) sunpouchi(6.0) sunpou(1500.0)\n");
    EXPECT_DOUBLE_EQ(r.gosa, 0.51);
}

TEST(Reading, RadiusAndDiameterSigns) {
    EXPECT_EQ(read("R300").line, "# ChSTR(R300) CSP(300) sunpouchi(4.0) sunpou(300.0)\n");
    Reading d = read(kDiameter + "300");
    EXPECT_EQ(d.trace.substr(0, d.trace.find('\n') + 1),
              "# ZenHan() k(0) s(300) str[0][1][2][3] = (83)(d3)(33)(30)\n");
    EXPECT_EQ(d.line.substr(d.line.find(" CSP(")), " CSP(300) sunpouchi(5.0) sunpou(300.0)\n");
}

TEST(Reading, KanjiPrefixMarksTheTextButStillReads) {
    Reading r = read(kKanjiAbout + "1500");
    EXPECT_EQ(r.trace.substr(0, r.trace.find('\n') + 1),
              "# ZenHan() k(1) s(1500) str[0][1][2][3] = (96)(f1)(31)(35)\n");
    EXPECT_EQ(r.line.substr(r.line.find(" CSP(")), " CSP(1500) sunpouchi(6.0) sunpou(1500.0)\n");
    EXPECT_NE(r.verdict, kNotAValue);
}

TEST(Reading, FractionsAndProductsAreNoValues) {
    for (const char* body : {"1/2", "3*1000"}) {
        Reading r = read(body);
        EXPECT_EQ(r.verdict, kNotAValue) << body;
        EXPECT_EQ(r.line, "") << body;
    }
}

TEST(Reading, BodiesOfSignsOnlyReadZero) {
    Reading minus = read("-");
    EXPECT_EQ(minus.line, "# ChSTR(-) CSP() sunpouchi(1.0) sunpou(0.0)\n");
    EXPECT_EQ(minus.verdict, kWrong);  // judged, with nothing to find
    Reading letters = read("R,Mm");
    EXPECT_EQ(letters.line, "# ChSTR(R,Mm) CSP() sunpouchi(4.0) sunpou(0.0)\n");
    EXPECT_DOUBLE_EQ(letters.gosa, 510.0);
}

TEST(Reading, KanjiWithLetterTrailBytesReadZero) {
    Reading r = read(kKanjiTrailM + kKanjiTrailSmallM + kKanjiTrailR);
    EXPECT_EQ(r.trace.substr(0, r.trace.find('\n') + 1),
              "# ZenHan() k(1) s(MmR) str[0][1][2][3] = (95)(4d)(8a)(6d)\n");
    EXPECT_NE(r.line.find(" CSP() sunpouchi(6.0) sunpou(0.0)\n"), std::string::npos);
    EXPECT_DOUBLE_EQ(r.gosa, 510.0);  // the M trail counts as thousands
}

TEST(Reading, TrailingBlankIsNotCountedLeadingBlankIs) {
    EXPECT_EQ(read("1500 ").line, "# ChSTR(1500) CSP(1500) sunpouchi(4.0) sunpou(1500.0)\n");
    Reading lead = read(" 1500");
    EXPECT_EQ(lead.line, "# ChSTR( 1500) CSP(1500) sunpouchi(5.0) sunpou(1500.0)\n");
    EXPECT_EQ(lead.trace.substr(0, lead.trace.find('\n') + 1),
              "# ZenHan() k(1) s(1500) str[0][1][2][3] = (20)(31)(35)(30)\n");
}

TEST(Reading, LongBodyIsReadFromItsFirstSixtyFourBytes) {
    Reading r = read(std::string(62, 'x') + "12345");
    EXPECT_NE(r.line.find(" CSP(12) sunpouchi(67.0) sunpou(12.0)\n"), std::string::npos);
}

TEST(Reading, SixtyFourCharactersAreNoValue) {
    Reading r = read(std::string(64, '1'));
    EXPECT_EQ(r.verdict, kNotAValue);
    EXPECT_EQ(r.line, "");
}

TEST(Reading, SecondPointEndsTheNumber) {
    Reading r = read("1.2.5");
    EXPECT_EQ(r.line, "# ChSTR(1.2.5) CSP(1.2.5) sunpouchi(5.0) sunpou(1.2)\n");
    EXPECT_DOUBLE_EQ(r.gosa, 0.0051);
}

TEST(Reading, MagnificationScalesTheLengthNotTheTolerance) {
    Reading r = read("150", 10.0);
    EXPECT_EQ(r.line, "# ChSTR(150) CSP(150) sunpouchi(3.0) sunpou(1500.0)\n");
    EXPECT_DOUBLE_EQ(r.gosa, 0.51);
    Reading m = read("1.5M", 10.0);
    EXPECT_EQ(m.line, "# ChSTR(1.5M) CSP(1.5) sunpouchi(4.0) sunpou(15000.0)\n");
    EXPECT_DOUBLE_EQ(m.gosa, 51.0);
}

TEST(Reading, EmptyAndKanaBodiesAreNoValuesAndEmptyTheText) {
    for (const std::string& body : {std::string(), kHiragana, kKatakanaA + kKatakanaA}) {
        Reading r = read(body);
        EXPECT_EQ(r.verdict, kNotAValue);
        EXPECT_EQ(r.trace, "");  // no normalisation line either
    }
    Captured c;
    std::strcpy(c.s->CSP, "1500");
    std::memcpy(c.s->ChSTR, kHiragana.data(), kHiragana.size());
    EXPECT_EQ(Sun_chk(*c.s), kNotAValue);
    EXPECT_STREQ(c.s->CSP, "");
}

}  // namespace
}  // namespace dimcheck
