#include "control/driver.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "check/check.h"
#include "control/fields.h"
#include "control/records.h"
#include "control/rename.h"
#include "intake/intake.h"
#include "marks/explain.h"
#include "marks/marks.h"

namespace dimcheck {

void opt(DrawingState& s, const char* arg) {
    // The argument starts with '-' or '/'; an argument of exactly two
    // characters has no value.
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1])));
    const char* value = arg[1] ? arg + 2 : arg + 1;
    bool has_value = *value != '\0';
    switch (letter) {
    case 'b': {
        // A magnification of zero, below zero or not a number would mark every
        // value wrong: a mistyped one ("-b0,5", "-b 0.5") is said and ignored.
        char* end = nullptr;
        double magnification = std::strtod(value, &end);
        // Nothing at all reads as 0, which is refused like any other rest
        // that is not a positive finite number.
        bool whole = *end == '\0' && skip_space(value) == value;
        if (whole && magnification > 0.0 && std::isfinite(magnification))
            s.bairitsu = magnification;
        else
            std::fputs("\nIllegal Option.\n", s.err);
        break;
    }
    case 't':
        if (has_value) {
            int level = 0;
            FieldReader(value).dec(level);
            s.isTest = level;
        }
        break;
    case 'e':
        s.explain = true;
        break;
    case 'r':
        s.report = true;
        break;
    case 'n':
        s.leave_notes_out = true;
        break;
    case 'c':
    case 'u':
        break;
    default:
        std::fputs("\nIllegal Option.\n", s.err);
        break;
    }
}

void normalise_exchange_name() {
    // Each step replaces a file left under the next name by an interrupted
    // run; otherwise such a file would become the exchange file and the
    // user's selection would stay behind under an intermediate name.
    static const char* const kNames[] = {"jwc_temp.txt", "JWC_TEMP.txt", "jwc_temp.TXT"};
    for (const char* name : kNames) {
        if (rename_replacing(name, "JWC_x2x2.$$") == 0) {
            rename_replacing("JWC_x2x2.$$", "JWC_x2x2.$$$");
            rename_replacing("JWC_x2x2.$$$", kExchange);
        }
    }
}

namespace {

// Closes the result file; a result that did not reach the disk whole is a
// failure, never reported as success.
bool close_result(DrawingState& s) {
    bool ok = std::ferror(s.fpw) == 0;
    if (std::fclose(s.fpw) != 0) ok = false;
    s.fpw = nullptr;
    return ok;
}

void second_pass(DrawingState& s) {
    char line[kLineBuf];
    int number = 1;  // the line of the selection; a long line is read in pieces
    for (int left = kLineLimit; left > 0; --left) {
        std::size_t n = read_line(s.fp, line);
        if (n == 0) break;
        int line_number = number;
        if (line[n - 1] == '\n') ++number;
        if (line[0] != 'c') continue;
        char second = line[1];
        if (second == 'h' || second == 'o' || second == 'r' || second == 's') {
            parse_text_record(s, line);
            int code = Sun_chk(s);
            if (s.isTest == 2) std::fprintf(s.out, "##kekka(%d)\n", code);
            int kind = mark_kind(code);
            if (kind != 0) Print_batu_maru(s, kind);
            if (s.explain && (kind == 3 || kind == 4)) write_explanation(s);
            report_row(s, line_number, line, code);
        } else if (second == 'n') {
            FieldReader(line + 2).dec(s.MOJIS);
        } else if (second != 'i') {
            report_row(s, line_number, line, kNotJudged);  // counted as a text, not judged
        }
    }
}

// An early exit writes no report, and one left by an earlier run must not be
// taken for this run's.
int stop(const DrawingState& s, int status) {
    if (s.report) std::remove(kReport);
    return status;
}

// The result is written beside the exchange file and takes its place only
// when it reached the disk whole, so the host reads either the whole result
// or its own file untouched. Returns `status`, or 3 when the result could
// not be put in place; no temporary file is left either way.
int put_result(DrawingState& s, int status) {
    if (close_result(s) && rename_replacing(kResultTemp, kExchange) == 0) return status;
    std::fputs("Cannot write file: JWC_TEMP.TXT", s.err);
    std::remove(kResultTemp);
    return stop(s, 3);
}

}  // namespace

void consolidate(DrawingState& s) {
    int previous = -1;
    int passes = 0;
    for (int left = 10; left > 0 && s.tenc != previous; --left) {
        previous = s.tenc;
        s.tenc = TEN_DP(s, s.tenc);
        ++passes;
    }
    if (s.isTest == 2)
        std::fprintf(s.out, "# TEN_DP()  tenc(%d) duplication(%d)\n", s.tenc, passes - 1);
}

void parse_text_record(DrawingState& s, const char* line) {
    s.ChHEAD[0] = line[0];
    s.ChHEAD[1] = line[1];
    s.ChHEAD[2] = '\0';
    s.ChHEAD[3] = '\0';
    FieldReader f(line + 2);
    f.num(s.ChX);
    f.num(s.ChY);
    f.num(s.ChDX);
    f.num(s.ChDY);
    if (!f.ok()) return;
    const char* p = skip_space(f.pos());
    if (*p != '"') return;
    ++p;
    std::size_t n = std::strlen(p);
    if (n > static_cast<std::size_t>(kBodyMax)) n = kBodyMax;
    std::memcpy(s.ChSTR, p, n);
    s.ChSTR[n] = '\0';  // bytes behind the terminator stay as they were
}

int run(DrawingState& s, int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' || argv[i][0] == '/') opt(s, argv[i]);
    }

    normalise_exchange_name();

    int lines = TFILEcopy_Ten(s, kExchange, kWorking);
    if (lines == kIntakeFailed) return stop(s, -1);

    consolidate(s);

    s.fpw = std::fopen(kResultTemp, "w");
    if (s.fpw == nullptr) {
        std::fputs("Cannot open file: JWC_TEMP.TXT", s.err);
        return stop(s, 3);
    }

    if (lines > kLineLimit) {
        std::fprintf(s.fpw, kTooManyLines, kLineLimit);
        return stop(s, put_result(s, 1));
    }
    if (s.tenc > kTenLimit - 1) {
        std::fprintf(s.fpw, kTooManyPoints, kTenLimit);
        return stop(s, put_result(s, 1));
    }
    if (s.mmax == 0) {
        std::fputs(kNoValuesHe, s.fpw);
        std::fputs(kNoValuesStatus, s.fpw);
        return stop(s, put_result(s, 1));
    }

    s.fp = std::fopen(kWorking, "rb");
    if (s.fp == nullptr) {
        // The working copy cannot be read back: the result is dropped unwritten.
        std::fputs("Cannot open file: JWC_TEMP.$$$", s.err);
        close_result(s);
        std::remove(kResultTemp);
        return stop(s, -1);
    }

    if (s.report) open_report(s);
    second_pass(s);

    char summary[256];
    std::snprintf(summary, sizeof summary, kSummary, s.batu_count, s.sankaku_count,
                  s.maru_count, s.mmax);
    std::fprintf(s.fpw, "cn4\nch %.6f %.6f 10.0 0.0 \"%s\n", s.HANI[0],
                 s.HANI[1] - 10.0 * s.scale, summary);
    IniZokusei(s);
    // The report is closed first: the status line, which the host shows,
    // says when it could not be written.
    bool report_ok = !s.report || close_report(s);
    std::fprintf(s.fpw, "h# %s%s\n", summary, report_ok ? "" : kReportNotWritten);

    std::fclose(s.fp);
    s.fp = nullptr;
    int status = put_result(s, report_ok ? 0 : 2);
    if (status == 3) return status;

    if (s.isTest == 0) std::remove(kWorking);
    if (s.isTest > 0) {
        std::fprintf(s.out,
                     "## Bairitsu(%.1f) scale(%.1f) mmax(%d) isTest(%d) BATU(%d) SAN(%d) MARU(%d)\n",
                     s.bairitsu, s.scale, s.mmax, s.isTest, s.batu_count, s.sankaku_count,
                     s.maru_count);
    }
    return status;
}

}  // namespace dimcheck
