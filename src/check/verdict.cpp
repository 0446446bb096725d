// The verdict of one dimension text: read the value, search the end points
// around the text, sort them by their distance from the text's start point and
// compare the distance of every pair with the value. The first pair within the
// tolerance decides; otherwise the nearest miss within two or three
// tolerances asks for a check, and anything else is wrong.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "check/search.h"
#include "check/span.h"
#include "check/value.h"
#include "check/verdict.h"
#include "control/numbers.h"

namespace dimcheck {

namespace {

// How the value is written, so that the explanation can write a length the
// same way: digits after the point, thousands separators.
void note_written_form(Judgement& j, const char* value_text) {
    const char* point = std::strchr(value_text, '.');
    j.decimals = 0;
    for (const char* p = point; p != nullptr && *p != '\0'; ++p)
        if (is_digit(*p)) ++j.decimals;
    j.commas = std::strchr(value_text, ',') != nullptr;
}

// Judges the value against the span it is written on, when it has one: a
// neighbour's span or the sum of several that happens to match is no
// confirmation. A pair elsewhere that matches makes a miss a triangle, not a
// cross.
void judge_on_span(Judgement& j, const Text& text, const Drawing& d, const FoundPoint* found,
                   int n) {
    const std::optional<double> span = own_span(d, text, found, n);
    if (!span) return;
    const bool a_pair_matches = j.verdict == Verdict::Exact || j.verdict == Verdict::Good;
    const double miss = std::fabs(*span - j.value);
    if (miss <= j.tolerance)
        j.verdict = Verdict::Exact;
    else if (miss <= 2 * j.tolerance)
        j.verdict = Verdict::NearMiss2;
    else if (miss <= 3 * j.tolerance || a_pair_matches)
        j.verdict = Verdict::NearMiss3;
    else
        j.verdict = Verdict::Wrong;
    j.judged_on_span = true;
    j.span = *span;
}

}  // namespace

Verdict compare_pair(Judgement& j, const FoundPoint* found, SearchMode mode, int first, int second,
                     double length, Trace trace) {
    double dx = found[first].x - found[second].x;
    double dy = found[first].y - found[second].y;
    double distance = std::sqrt(dx * dx + dy * dy);
    double miss = std::fabs(distance - length);
    if (j.pairs++ == 0 || miss < std::fabs(j.closest - length)) j.closest = distance;
    if (trace.sums_up())
        print_to(trace.out,
                 "## Same? jj(%d) kk(%d) gosa(%.3f) disten(%.3f) length(%.3f) dis(%.3f)\n", first,
                 second, j.tolerance, distance, length, miss);
    if (miss == 0.0) return Verdict::Exact;
    if (miss <= j.tolerance)
        return first == 0 && mode == SearchMode::AsFarAsTheValue ? Verdict::Exact : Verdict::Good;
    if (miss <= 2 * j.tolerance) return Verdict::NearMiss2;
    if (miss <= 3.0f * j.tolerance) return Verdict::NearMiss3;
    return Verdict::Wrong;
}

void sort_found_points(FoundPoint* found, int n, Trace trace) {
    // Insertion sort by distance; of equal distances the later goes in front.
    int j = 0;
    for (int i = 1; i < n; ++i) {
        for (j = i; j > 0 && found[j - 1].distance >= found[j].distance; --j) {
            FoundPoint t = found[j - 1];
            found[j - 1] = found[j];
            found[j] = t;
        }
    }
    if (trace.sums_up()) std::fprintf(trace.out, "# STEN_sort(%d)  >  j(%d)  OK\n", n, j);
}

Judgement judge_text(const Drawing& d, const EndPointIndex* index, const Options& o,
                     const Text& text, FoundPoint* found, const JudgingSinks& sinks) {
    const Trace trace = sinks.trace;
    Judgement j;
    bool widened_kind = text.keyword_letter == 'r' || text.keyword_letter == 'o';

    // Values the host writes as dimension values ("cs", "cr", "co") are
    // judged whatever they hold; -n leaves out only plain texts.
    const bool plain_text = text.keyword_letter == 'h';
    if (o.leave_notes_out && plain_text && !written_like_a_value(text.body)) {
        j.left_out = LeftOut::Note;
        return j;
    }
    char value_text[kValueText];
    to_half_width(value_text, text.body, trace);
    if (!check_number_and_tolerance(j.tolerance, value_text)) {
        j.verdict = Verdict::NotAValue;
        return j;
    }

    double drawn_width = text.drawn_width(d);

    note_written_form(j, value_text);
    const bool in_metres = strip_and_find_metres(value_text);
    // strtod, not atof: the two are one on glibc, but on Windows only strtod
    // is MinGW's correctly rounded reader.
    double value = std::strtod(value_text, nullptr) * o.magnification;
    if (in_metres) {
        value *= 1000.0f;
        j.tolerance *= 1000.0f;
    }
    j.value = value;
    j.written_with_m = in_metres;
    j.read_in_metres = in_metres;

    SearchMode mode;
    double search_length;
    if (widened_kind) {
        mode = SearchMode::Widened;
        search_length = value * 2.2;
    } else if (value > drawn_width * 1.3) {
        mode = SearchMode::AsFarAsTheValue;
        search_length = value;
    } else {
        // A value hardly longer than its own text: look further.
        mode = SearchMode::Widened;
        search_length = value * 1.5f + drawn_width;
    }
    int n = search_end_points(d, index, text, search_length, mode, found, sinks);
    j.found_count = n;
    sort_found_points(found, n, trace);

    if (trace.sums_up()) {
        print_to(trace.out, "# ChSTR(%s) CSP(%s) sunpouchi(%.1f) sunpou(%.1f)\n", text.body,
                 value_text, drawn_width, value);
        print_to(trace.out, "# i(%d) sort STEN 0(%.1f , %.1f) 1(%.1f , %.1f)\n", n, found[0].x,
                 found[0].y, found[1].x, found[1].y);
        print_to(trace.out, "# k(%d) sort STEN 2(%.1f , %.1f) 3(%.1f , %.1f)\n", 0, found[2].x,
                 found[2].y, found[3].x, found[3].y);
    }

    Verdict result = Verdict::Wrong;
    std::optional<Verdict> near_miss;  // the nearest miss of two or three tolerances
    bool decided = false;
    if (n >= 2) {
        for (int a = 0; a < n && !decided; ++a) {
            for (int b = a + 1; b < n; ++b) {
                Verdict r = compare_pair(j, found, mode, a, b, value, trace);
                result = r;
                if (r == Verdict::Exact || r == Verdict::Good) {
                    decided = true;
                    break;
                }
                if (r == Verdict::NearMiss2) near_miss = r;
                if (r == Verdict::NearMiss3 && !near_miss) near_miss = r;
            }
        }
    }

    if (trace.sums_up())  // a near miss of 0: none
        std::fprintf(trace.out,
                     "# Kekka(%d) sankaku(%d)----( 0-1: Good / 2-3 Need CHecK / 10 NG )---\n\n",
                     static_cast<int>(result), near_miss ? static_cast<int>(*near_miss) : 0);
    j.verdict = decided || !near_miss ? result : *near_miss;

    if (o.leave_notes_out && plain_text && n == 0 && !end_point_along_line(d, text)) {
        j.verdict = Verdict::NotJudged;
        j.left_out = LeftOut::NothingToMeasure;
    }
    // A search that filled its slots may have missed the span's own points.
    const bool spanned_kind = plain_text || text.keyword_letter == 's';
    if (o.judge_on_span && spanned_kind && n < kFoundCounted) judge_on_span(j, text, d, found, n);
    return j;
}

}  // namespace dimcheck
