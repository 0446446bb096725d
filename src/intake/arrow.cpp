// Arrowheads are drawn as two short strokes of nearly equal length whose ends
// meet exactly; the joint is the arrow's tip, a dimension end point.
#include <cstdio>

#include "intake/intake.h"

namespace dimcheck {

namespace {

// Squared-length bounds of an arrow stroke: longer than 1.7 and shorter than
// 3.5 times the scale (1.7 * 1.7 and 3.5 * 3.5 as the doubles they give).
constexpr double kStrokeMin2 = 2.8899999999999997;
constexpr double kStrokeMax2 = 12.25;
// Two strokes are alike within ten per cent of the length (0.9^2, 1.1^2).
constexpr double kAlikeMin2 = 0.81;
constexpr double kAlikeMax2 = 1.2100000000000002;

bool same_point(double ax, double ay, double bx, double by) { return ax == bx && ay == by; }

}  // namespace

int take_arrow_tip(DrawingState& s) {
    double dx = s.line_x1 - s.line_x2;
    double dy = s.line_y1 - s.line_y2;
    double len2 = dx * dx + dy * dy;

    bool stroke = len2 > kStrokeMin2 * s.scale * s.scale && len2 < kStrokeMax2 * s.scale * s.scale;
    bool alike = len2 > kAlikeMin2 * s.stroke_len2 && len2 < kAlikeMax2 * s.stroke_len2;

    // Every pairing that matches sets the tip; a later one replaces an earlier.
    bool joined = false;
    double tipx = 0.0, tipy = 0.0;
    if (same_point(s.line_x1, s.line_y1, s.stroke_x1, s.stroke_y1)) {
        joined = true; tipx = s.line_x1; tipy = s.line_y1;
    }
    if (same_point(s.line_x1, s.line_y1, s.stroke_x2, s.stroke_y2)) {
        joined = true; tipx = s.line_x1; tipy = s.line_y1;
    }
    if (same_point(s.line_x2, s.line_y2, s.stroke_x1, s.stroke_y1)) {
        joined = true; tipx = s.line_x2; tipy = s.line_y2;
    }
    if (same_point(s.line_x2, s.line_y2, s.stroke_x2, s.stroke_y2)) {
        joined = true; tipx = s.line_x2; tipy = s.line_y2;
    }

    if (stroke) {
        s.stroke_x1 = s.line_x1;
        s.stroke_y1 = s.line_y1;
        s.stroke_x2 = s.line_x2;
        s.stroke_y2 = s.line_y2;
        s.stroke_len2 = len2;
    }
    if (!(stroke && alike && joined)) return 0;

    if (s.trace_level == 3) std::fprintf(s.out, "# Yaji()  yajirusi tenc=%d \n", s.end_point_count);
    if (s.end_point_count > 0 && same_point(s.end_points[s.end_point_count - 1].x, s.end_points[s.end_point_count - 1].y, tipx, tipy)) return 0;
    s.end_points[s.end_point_count].x = tipx;
    s.end_points[s.end_point_count].y = tipy;
    return 1;
}

}  // namespace dimcheck
