// The verdict of one dimension text: read the value, search the end points
// around the text, sort them by their distance from the text's start point and
// compare the distance of every pair with the value. The first pair within the
// tolerance decides; otherwise the nearest miss within two or three
// tolerances asks for a check, and anything else is wrong.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "check/check.h"
#include "control/numbers.h"

namespace dimcheck {

namespace {

// How the value is written, so that the explanation can write a length the
// same way: digits after the point, thousands separators.
void note_written_form(DrawingState& s) {
    const char* point = std::strchr(s.value_text, '.');
    s.decimals = 0;
    for (const char* p = point; p != nullptr && *p != '\0'; ++p)
        if (*p >= '0' && *p <= '9') ++s.decimals;
    s.commas = std::strchr(s.value_text, ',') != nullptr;
}

}  // namespace

int compare_pair(DrawingState& s, int mode, int first, int second, double length) {
    double dx = s.found_points[first].x - s.found_points[second].x;
    double dy = s.found_points[first].y - s.found_points[second].y;
    double distance = std::sqrt(dx * dx + dy * dy);
    double miss = std::fabs(distance - length);
    if (s.pairs++ == 0 || miss < std::fabs(s.closest - length)) s.closest = distance;
    if (s.trace_level == 2)
        print_to(s.out,
                     "## Same? jj(%d) kk(%d) gosa(%.3f) disten(%.3f) length(%.3f) dis(%.3f)\n", first,
                     second, s.tolerance, distance, length, miss);
    if (miss == 0.0) return 0;
    if (miss <= s.tolerance) return (first == 0 && mode == 0) ? 0 : 1;
    if (miss <= 2 * s.tolerance) return 2;
    if (miss <= 3.0f * s.tolerance) return 3;
    return 10;
}

void sort_found_points(DrawingState& s, int n) {
    // Insertion sort by distance; of equal distances the later goes in front.
    int j = 0;
    for (int i = 1; i < n; ++i) {
        for (j = i; j > 0 && s.found_points[j - 1].distance >= s.found_points[j].distance; --j) {
            FoundPoint t = s.found_points[j - 1];
            s.found_points[j - 1] = s.found_points[j];
            s.found_points[j] = t;
        }
    }
    if (s.trace_level == 2) std::fprintf(s.out, "# STEN_sort(%d)  >  j(%d)  OK\n", n, j);
}

int judge_text(DrawingState& s) {
    s.tolerance = 0.51;
    bool widened_kind = s.text_keyword[1] == 'r' || s.text_keyword[1] == 'o';
    s.found = 0;
    s.pairs = 0;

    int body_length = cut_line_end(s.text_body);
    if (s.leave_notes_out && !written_like_a_value(s.text_body)) return kNotJudged;
    to_half_width(s, s.text_body);
    if (check_number_and_tolerance(s, s.value_text) <= 0) return kNotAValue;

    // Drawn width: every byte counts half a character width.
    double drawn_width = body_length * text_width(s, s.text_kind) * 0.5f * s.scale;

    note_written_form(s);
    int in_metres = strip_and_find_metres(s.value_text);
    // strtod, not atof: the two are one on glibc, but on Windows only strtod
    // is MinGW's correctly rounded reader.
    double value = std::strtod(s.value_text, nullptr) * s.magnification;
    if (in_metres != 0) {
        value *= 1000.0f;
        s.tolerance *= 1000.0f;
    }
    s.value = value;
    s.metres = in_metres != 0;

    int mode;
    double search_length;
    if (widened_kind) {
        mode = 1;
        search_length = value * 2.2;
    } else if (value > drawn_width * 1.3) {
        mode = 0;
        search_length = value;
    } else {
        // A value hardly longer than its own text: look further.
        mode = 1;
        search_length = value * 1.5f + drawn_width;
    }
    int n = search_end_points(s, search_length, mode);
    s.found = n;
    sort_found_points(s, n);

    if (s.trace_level == 2) {
        print_to(s.out, "# ChSTR(%s) CSP(%s) sunpouchi(%.1f) sunpou(%.1f)\n", s.text_body, s.value_text,
                     drawn_width, value);
        print_to(s.out, "# i(%d) sort STEN 0(%.1f , %.1f) 1(%.1f , %.1f)\n", n, s.found_points[0].x,
                     s.found_points[0].y, s.found_points[1].x, s.found_points[1].y);
        print_to(s.out, "# k(%d) sort STEN 2(%.1f , %.1f) 3(%.1f , %.1f)\n", 0, s.found_points[2].x,
                     s.found_points[2].y, s.found_points[3].x, s.found_points[3].y);
    }

    int result = kWrong;
    int near_miss = 0;
    if (n >= 2) {
        bool decided = false;
        for (int i = 0; i < n && !decided; ++i) {
            for (int j = i + 1; j < n; ++j) {
                int r = compare_pair(s, mode, i, j, value);
                result = r;
                if (r <= 1) {
                    decided = true;
                    break;
                }
                if (r == 2) near_miss = 2;
                if (r == 3 && near_miss == 0) near_miss = 3;
            }
        }
    }

    if (s.trace_level == 2)
        std::fprintf(s.out,
                     "# Kekka(%d) sankaku(%d)----( 0-1: Good / 2-3 Need CHecK / 10 NG )---\n\n",
                     result, near_miss);
    if (result <= 1) return result;
    if (near_miss != 0) return near_miss;
    return result;
}

}  // namespace dimcheck
