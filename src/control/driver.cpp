#include "control/driver.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "check/check.h"
#include "control/fields.h"
#include "control/numbers.h"
#include "control/result_texts.h"
#include "control/rename.h"
#include "intake/intake.h"
#include "marks/explain.h"
#include "marks/marks.h"

namespace dimcheck {

void apply_option(DrawingState& s, const char* arg) {
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
            s.magnification = magnification;
        else
            std::fputs("\nIllegal Option.\n", s.err);
        break;
    }
    case 't':
        if (has_value) {
            int level = 0;
            FieldReader(value).dec(level);
            s.trace_level = level;
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
    bool ok = std::ferror(s.result_file) == 0;
    if (std::fclose(s.result_file) != 0) ok = false;
    s.result_file = nullptr;
    return ok;
}

void second_pass(DrawingState& s) {
    char line[kLineBuf];
    int number = 1;  // the line of the selection; a long line is read in pieces
    for (int left = kLineLimit; left > 0; --left) {
        std::size_t n = read_line(s.working_file, line);
        if (n == 0) break;
        int line_number = number;
        if (line[n - 1] == '\n') ++number;
        if (line[0] != 'c') continue;
        char second = line[1];
        if (second == 'h' || second == 'o' || second == 'r' || second == 's') {
            parse_text_record(s, line);
            int code = judge_text(s);
            if (s.trace_level == 2) std::fprintf(s.out, "##kekka(%d)\n", code);
            int kind = mark_kind(code);
            if (kind != 0) draw_mark(s, kind);
            if (s.explain && (kind == 3 || kind == 4)) write_explanation(s);
            report_row(s, line_number, line, code);
        } else if (second == 'n') {
            FieldReader(line + 2).dec(s.text_kind);
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
    for (int left = 10; left > 0 && s.end_point_count != previous; --left) {
        previous = s.end_point_count;
        s.end_point_count = consolidation_pass(s, s.end_point_count);
        ++passes;
    }
    if (s.trace_level == 2)
        std::fprintf(s.out, "# TEN_DP()  tenc(%d) duplication(%d)\n", s.end_point_count, passes - 1);
}

void parse_text_record(DrawingState& s, const char* line) {
    s.text_keyword[0] = line[0];
    s.text_keyword[1] = line[1];
    s.text_keyword[2] = '\0';
    s.text_keyword[3] = '\0';
    FieldReader f(line + 2);
    f.num(s.text_x);
    f.num(s.text_y);
    f.num(s.text_dx);
    f.num(s.text_dy);
    if (!f.ok()) return;
    const char* p = skip_space(f.pos());
    if (*p != '"') return;
    ++p;
    std::size_t n = std::strlen(p);
    if (n > static_cast<std::size_t>(kBodyMax)) n = kBodyMax;
    std::memcpy(s.text_body, p, n);
    s.text_body[n] = '\0';  // bytes behind the terminator stay as they were
}

int run(DrawingState& s, int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' || argv[i][0] == '/') apply_option(s, argv[i]);
    }

    normalise_exchange_name();

    int lines = read_selection(s, kExchange, kWorking);
    if (lines == kIntakeFailed) return stop(s, -1);

    consolidate(s);

    s.result_file = std::fopen(kResultTemp, "w");
    if (s.result_file == nullptr) {
        std::fputs("Cannot open file: JWC_TEMP.TXT", s.err);
        return stop(s, 3);
    }

    if (lines > kLineLimit) {
        std::fprintf(s.result_file, kTooManyLines, kLineLimit);
        return stop(s, put_result(s, 1));
    }
    if (s.end_point_count > kEndPointLimit - 1) {
        std::fprintf(s.result_file, kTooManyPoints, kEndPointLimit);
        return stop(s, put_result(s, 1));
    }
    if (s.text_count == 0) {
        std::fputs(kNoValuesHe, s.result_file);
        std::fputs(kNoValuesStatus, s.result_file);
        return stop(s, put_result(s, 1));
    }

    s.working_file = std::fopen(kWorking, "rb");
    if (s.working_file == nullptr) {
        // The working copy cannot be read back: the result is dropped unwritten.
        std::fputs("Cannot open file: JWC_TEMP.$$$", s.err);
        close_result(s);
        std::remove(kResultTemp);
        return stop(s, -1);
    }

    if (s.report) open_report(s);
    second_pass(s);

    char summary[256];
    std::snprintf(summary, sizeof summary, kSummary, s.cross_count, s.triangle_count,
                  s.circle_count, s.text_count);
    print_to(s.result_file, "cn4\nch %.6f %.6f 10.0 0.0 \"%s\n", s.selection_extent[0],
                 s.selection_extent[1] - 10.0 * s.scale, summary);
    restore_attributes(s);
    // The report is closed first: the status line, which the host shows,
    // says when it could not be written.
    bool report_ok = !s.report || close_report(s);
    std::fprintf(s.result_file, "h# %s%s\n", summary, report_ok ? "" : kReportNotWritten);

    std::fclose(s.working_file);
    s.working_file = nullptr;
    int status = put_result(s, report_ok ? 0 : 2);
    if (status == 3) return status;

    if (s.trace_level == 0) std::remove(kWorking);
    if (s.trace_level > 0) {
        print_to(s.out,
                     "## Bairitsu(%.1f) scale(%.1f) mmax(%d) isTest(%d) BATU(%d) SAN(%d) MARU(%d)\n",
                     s.magnification, s.scale, s.text_count, s.trace_level, s.cross_count, s.triangle_count,
                     s.circle_count);
    }
    return status;
}

}  // namespace dimcheck
