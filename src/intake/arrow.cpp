// Arrowheads are drawn as two short strokes of nearly equal length whose ends
// meet exactly; the joint is the arrow's tip, a dimension end point.
#include <cstdio>

#include "intake/arrow.h"

namespace dimcheck {

namespace {

// Squared-length bounds of an arrow stroke: longer than 1.7 and shorter than
// 3.5 times the scale (1.7 * 1.7 and 3.5 * 3.5 as the doubles they give).
constexpr double kStrokeMin2 = 2.8899999999999997;
constexpr double kStrokeMax2 = 12.25;
// Two strokes are alike within ten per cent of the length (0.9^2, 1.1^2).
constexpr double kAlikeMin2 = 0.81;
constexpr double kAlikeMax2 = 1.2100000000000002;

}  // namespace

bool take_arrow_tip(Drawing& d, Stroke& last, const double* line, Trace trace) {
    const double x1 = line[0], y1 = line[1], x2 = line[2], y2 = line[3];
    const Point one = {x1, y1}, two = {x2, y2};
    const Point last_one = {last.x1, last.y1}, last_two = {last.x2, last.y2};
    double dx = x1 - x2;
    double dy = y1 - y2;
    double len2 = dx * dx + dy * dy;

    bool stroke = len2 > kStrokeMin2 * d.scale * d.scale && len2 < kStrokeMax2 * d.scale * d.scale;
    bool alike = len2 > kAlikeMin2 * last.len2 && len2 < kAlikeMax2 * last.len2;

    // The two strokes are joined when an end of this one is an end of the last; the tip is
    // that end, the second end when both ends are.
    const bool first_end = same_point(one, last_one) || same_point(one, last_two);
    const bool second_end = same_point(two, last_one) || same_point(two, last_two);
    const bool joined = first_end || second_end;
    const Point tip = second_end ? two : one;

    if (stroke) last = {x1, y1, x2, y2, len2};
    if (!(stroke && alike && joined)) return false;

    int n = d.end_point_count;
    if (trace.counts_arrows()) std::fprintf(trace.out, "# Yaji()  yajirusi tenc=%d \n", n);
    if (n > 0 && same_point(d.end_points[n - 1], tip)) return false;
    d.end_points[n] = tip;
    return true;
}

}  // namespace dimcheck
