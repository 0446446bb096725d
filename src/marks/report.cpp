// The report dimcheck.csv: one row per text record of the selection, in the
// Shift-JIS and CR LF that Japanese spreadsheet software opens by double
// click. Written in binary mode, so every platform writes the same bytes.
#include <cstdio>
#include <cstring>

#include "check/value.h"
#include "control/fields.h"
#include "control/numbers.h"
#include "marks/report.h"

namespace dimcheck {

namespace {

const char* verdict_word(const Judgement& j) {
    // Why -n left a text out: "対象外（注記）" a note, "対象外（端点なし）"
    // nothing to measure around it.
    if (j.left_out == LeftOut::Note) return "\x91\xce\x8f\xdb\x8aO\x81i\x92\x8d\x8bL\x81j";
    if (j.left_out == LeftOut::NothingToMeasure)
        return "\x91\xce\x8f\xdb\x8aO\x81i\x92[\x93_\x82\xc8\x82\xb5\x81j";
    switch (j.verdict) {
    case Verdict::Exact: return "\x81\x9d";  // ◎
    case Verdict::Good: return "\x81\xfc";   // ◯
    case Verdict::NearMiss2:
    case Verdict::NearMiss3: return "\x81\xa2";                       // △
    case Verdict::Wrong: return "\x82w";                              // Ｘ
    case Verdict::NotAValue: return "\x90\x94\x92l\x82\xc8\x82\xb5";  // 数値なし
    default: return "\x91\xce\x8f\xdb\x8aO";                          // 対象外
    }
}

bool one_of(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

// A field of bytes as written, quoted when it holds a separator, a quote or a
// line end.
void put_field(std::FILE* f, const char* text, std::size_t n) {
    bool quoted = false;
    for (std::size_t i = 0; i < n; ++i) quoted |= one_of(text[i], ",\"\r\n");
    std::fputs(quoted ? ",\"" : ",", f);
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == '"') std::fputc('"', f);
        std::fputc(text[i], f);
    }
    if (quoted) std::fputc('"', f);
}

// A text as the drawing says it, for a spreadsheet to show exactly so: the
// field holds the formula ="...", whose value is the text itself, never a
// date, a number or a formula of its own ("1-2", "2.50", "=SUM(A1)" stay as
// written). Quotes are doubled in the formula and again in the field. A
// formula's string holds at most 255 characters, so a longer text is joined
// from pieces ("..."&"...") cut between two characters.
void put_text(std::FILE* f, const char* text, std::size_t n) {
    std::fputc(',', f);
    if (n == 0) return;
    std::fputs("\"=\"\"", f);
    for (std::size_t i = 0, piece = 0; i < n; ++i, ++piece) {
        if (piece >= 254) {
            std::fputs("\"\"&\"\"", f);
            piece = 0;
        }
        if (text[i] == '"') std::fputs("\"\"\"", f);
        std::fputc(text[i], f);
        if (is_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < n) {
            std::fputc(text[++i], f);
            ++piece;
        }
    }
    std::fputs("\"\"\"", f);
}

void put_number(std::FILE* f, bool applies, double v) {
    if (applies)
        print_to(f, ",%.6f", v);
    else
        std::fputc(',', f);
}

}  // namespace

void open_report(Output& out, const char* path) {
    out.report = std::fopen(path, "wb");
    if (out.report != nullptr) std::fprintf(out.report, "%s\r\n", kReportHeader);
}

void report_row(const Drawing& d, const Options& o, const Judgement& j, int line_number,
                const char* line, Output& out) {
    std::FILE* f = out.report;
    if (f == nullptr) return;
    std::fprintf(f, "%d", line_number);
    const char* rest = line[1] == '\0' ? line + 1 : line + 2;
    put_field(f, line, static_cast<std::size_t>(rest - line));
    // The start point as the record writes it.
    FieldReader fields(rest);
    double x = 0.0, y = 0.0;
    bool has_x = fields.num(x);
    bool has_y = fields.num(y);
    put_number(f, has_x, x);
    put_number(f, has_y, y);
    const char* quote = std::strchr(rest, '"');
    const char* body = quote != nullptr ? quote + 1 : "";
    put_text(f, body, std::strcspn(body, "\r\n"));

    bool value = j.verdict != Verdict::NotAValue && j.verdict != Verdict::NotJudged;
    bool measured = value && j.found_count >= 2;
    put_number(f, value, j.value);
    put_number(f, value, j.tolerance);
    if (value)
        std::fprintf(f, ",%d", j.found_count);
    else
        std::fputc(',', f);
    put_number(f, measured, j.measured());
    put_number(f, measured, j.measured() - j.value);
    std::fprintf(f, ",%s", verdict_word(j));
    // What the row is about, so that the reports of many drawings can share
    // one sheet: the drawing's file name and the magnification.
    put_text(f, d.name, std::strlen(d.name));
    print_to(f, ",%.15g\r\n", o.magnification);
}

bool close_report(Output& out, const char* path) {
    bool ok = out.report != nullptr && close_whole(out.report);
    // A report cut short is never left to be taken for a whole one.
    if (out.report != nullptr && !ok) std::remove(path);
    out.report = nullptr;
    if (!ok) {
        say_cannot_write(out.err, path);
        std::fputc('\n', out.err);  // our own message: one a line in the log
    }
    return ok;
}

}  // namespace dimcheck
