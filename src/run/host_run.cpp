#include "run/host_run.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "check/fast_search.h"
#include "check/text.h"
#include "check/verdict.h"
#include "control/fields.h"
#include "control/numbers.h"
#include "control/result_texts.h"
#include "intake/consolidate.h"
#include "intake/intake.h"
#include "marks/explain.h"
#include "marks/marks.h"
#include "marks/report.h"
#include "marks/search_drawing.h"
#include "run/rename.h"

namespace dimcheck {

namespace {

// A hexadecimal digit's value, or -1.
int hex_digit(char c) {
    if (is_digit(c)) return c - '0';
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

// Whether the argument starts with a full-width minus or slash, as an
// option typed with the input method still on would.
bool starts_with_full_width_sign(const char* arg) {
    return arg[0] == '\x81' && (arg[1] == '\x7c' || arg[1] == '\x5e');
}

void say_illegal(Options& o, std::FILE* err) {
    std::fputs("\nIllegal Option.\n", err);
    o.illegal_seen = true;
}

}  // namespace

void apply_option(Options& o, const char* arg, std::FILE* err) {
    // The argument starts with '-' or '/'; an argument of exactly two
    // characters has no value.
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1])));
    const char* value = arg[1] ? arg + 2 : arg + 1;
    bool has_value = *value != '\0';
    // A switch with anything after its letter ("-er", "-e,-r") is mistyped:
    // applying a part of it would run other than the operator asked.
    bool is_switch = letter == 'e' || letter == 'r' || letter == 'n' || letter == 's';
    if (is_switch && has_value) return say_illegal(o, err);
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
            o.magnification = magnification;
        else
            say_illegal(o, err);
        break;
    }
    case 't':
        if (has_value) {
            int level = 0;
            FieldReader(value).dec(level);
            o.trace_level = level;
        }
        break;
    case 'e': o.explain = true; break;
    case 'r': o.report = true; break;
    case 'n': o.leave_notes_out = true; break;
    case 's': o.judge_on_span = true; break;
    case 'l':
        // One hexadecimal digit: a layer of the group, 0 to F.
        if (hex_digit(value[0]) >= 0 && value[1] == '\0')
            o.marks_layer = hex_digit(value[0]);
        else
            say_illegal(o, err);
        break;
    case 'c':
    case 'u': break;
    default: say_illegal(o, err); break;
    }
}

void normalise_exchange_name(const RunFiles& files) {
    // Each step replaces a file left under the next name by an interrupted
    // run; otherwise such a file would become the exchange file and the
    // user's selection would stay behind under an intermediate name.
    static const char* const kNames[] = {"jwc_temp.txt", "JWC_TEMP.txt", "jwc_temp.TXT"};
    const std::string first = files.path("JWC_x2x2.$$");
    const std::string second = files.path("JWC_x2x2.$$$");
    for (const char* name : kNames) {
        if (rename_replacing(files.path(name).c_str(), first.c_str()) == 0) {
            rename_replacing(first.c_str(), second.c_str());
            rename_replacing(second.c_str(), files.exchange.c_str());
        }
    }
}

namespace {

// Closes the result file; a result that did not reach the disk whole is a
// failure, never reported as success.
bool close_result(Output& out) {
    bool ok = close_whole(out.result);
    out.result = nullptr;
    return ok;
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Judges every text record of the working copy and marks it. The text record
// and the table of found points are kept from one record to the next. The
// working copy is closed on return, before the result is put in place:
// Windows cannot remove or replace an open file.
void second_pass(File working, const Drawing& d, const EndPointIndex* index, const Options& o,
                 Output& out) {
    const Trace trace = {o.trace_level, out.trace};
    ResultDrawing drawing(out.result, trace);
    const JudgingSinks sinks = {trace, &drawing};
    Text text;
    text.kind = d.text_kind;
    FoundPoint found[kFoundSlots] = {};
    char line[kLineBuf];
    int number = 1;  // the line of the selection; a long line is read in pieces
    std::size_t n = 0;
    for (int left = kLineLimit; left > 0 && (n = read_line(working.get(), line)) != 0; --left) {
        int line_number = number;
        if (line[n - 1] == '\n') ++number;
        if (line[0] != 'c') continue;
        char second = line[1];
        if (second == 'h' || second == 'o' || second == 'r' || second == 's') {
            parse_text_record(text, line);
            const Judgement j = judge_text(d, index, o, text, found, sinks);
            if (j.left_out != LeftOut::No) ++out.left_out_count;
            if (trace.sums_up())
                std::fprintf(trace.out, "##kekka(%d)\n", static_cast<int>(j.verdict));
            const Mark mark = mark_for(j.verdict);
            if (mark != Mark::None) draw_mark(d, text, mark, out);
            if (o.explain && (mark == Mark::Triangle || mark == Mark::Cross))
                write_explanation(d, o, text, j, found, out);
            report_row(d, o, j, line_number, line, out);
        } else if (second == 'n') {
            FieldReader(line + 2).dec(text.kind);
        } else if (second != 'i') {
            report_row(d, o, Judgement{}, line_number, line, out);  // counted as a text, not judged
        }
    }
}

// What the status line ends with when an argument was no option we take.
const char* illegal_note(const Options& o) { return o.illegal_seen ? kIllegalOptionNote : ""; }

// An early exit writes no report, and one left by an earlier run must not be
// taken for this run's.
int stop(const RunFiles& files, const Options& o, int status) {
    if (o.report) std::remove(files.report.c_str());
    return status;
}

// The result is written beside the exchange file and takes its place only
// when it reached the disk whole, so the host reads either the whole result
// or its own file untouched. Returns `status`, or 3 when the result could
// not be put in place; no temporary file is left either way.
int put_result(const RunFiles& files, const Options& o, Output& out, int status) {
    if (close_result(out) &&
        rename_replacing(files.result_temp.c_str(), files.exchange.c_str()) == 0)
        return status;
    say_cannot_write(out.err, files.exchange.c_str());
    std::remove(files.result_temp.c_str());
    return stop(files, o, 3);
}

}  // namespace

int run(int argc, const char* const* argv, const RunFiles& files, Options& o, Drawing& d,
        Output& out) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' || argv[i][0] == '/')
            apply_option(o, argv[i], out.err);
        else if (starts_with_full_width_sign(argv[i]))
            say_illegal(o, out.err);  // an option typed in full width
    }

    normalise_exchange_name(files);

    const Trace trace = {o.trace_level, out.trace};
    int lines = read_selection(d, trace, out.err, files.exchange.c_str(), files.working.c_str());
    if (lines == kIntakeFailed) return stop(files, o, -1);

    consolidate(d, trace);

    // Read back before the result is begun: a working copy that cannot be read
    // leaves nothing to clean up.
    File working(std::fopen(files.working.c_str(), "rb"), std::fclose);
    if (working == nullptr) {
        say_cannot_open(out.err, files.working.c_str(), false);
        return stop(files, o, -1);
    }

    out.result = std::fopen(files.result_temp.c_str(), "w");
    if (out.result == nullptr) {
        say_cannot_open(out.err, files.exchange.c_str(), false);
        return stop(files, o, 3);
    }

    if (lines > kLineLimit) {
        std::fprintf(out.result, kTooManyLines, kLineLimit);
        return stop(files, o, put_result(files, o, out, 1));
    }
    if (d.end_point_count > kEndPointLimit - 1) {
        std::fprintf(out.result, kTooManyPoints, kEndPointLimit);
        return stop(files, o, put_result(files, o, out, 1));
    }
    if (d.text_count == 0) {
        std::fputs(kNoValuesHe, out.result);
        std::fprintf(out.result, "%s%s\n", kNoValuesStatus, illegal_note(o));
        return stop(files, o, put_result(files, o, out, 1));
    }

    if (o.report) open_report(out, files.report.c_str());
    // The marks, explanations and summary go on the operator's layer.
    if (o.marks_layer != kNoMarksLayer)
        std::fprintf(out.result, "ly%x\n", static_cast<unsigned>(o.marks_layer));
    // Traces need the literal search, which produces them in their order.
    std::unique_ptr<EndPointIndex> index;
    if (trace.off()) index.reset(new EndPointIndex(d));
    second_pass(std::move(working), d, index.get(), o, out);

    char summary[256];
    if (o.leave_notes_out)
        std::snprintf(summary, sizeof summary, kSummaryLeavingOut, out.cross_count,
                      out.triangle_count, out.circle_count, out.left_out_count, d.text_count);
    else
        std::snprintf(summary, sizeof summary, kSummary, out.cross_count, out.triangle_count,
                      out.circle_count, d.text_count);
    print_to(out.result, "cn4\nch %.6f %.6f 10.0 0.0 \"%s\n", d.selection_extent[0],
             d.selection_extent[1] - 10.0 * d.scale, summary);
    restore_attributes(d.first, out);
    // The report is closed first: the status line, which the host shows,
    // says when it could not be written.
    bool report_ok = !o.report || close_report(out, files.report.c_str());
    std::fprintf(out.result, "h# %s%s%s\n", summary, report_ok ? "" : kReportNotWritten,
                 illegal_note(o));

    int status = put_result(files, o, out, report_ok ? 0 : 2);
    if (status == 3) return status;

    if (!trace.keeps_working_copy()) std::remove(files.working.c_str());
    if (trace.prints_totals()) {
        print_to(out.trace,
                 "## Bairitsu(%.1f) scale(%.1f) mmax(%d) isTest(%d) BATU(%d) SAN(%d) MARU(%d)\n",
                 o.magnification, d.scale, d.text_count, o.trace_level, out.cross_count,
                 out.triangle_count, out.circle_count);
    }
    return status;
}

}  // namespace dimcheck
