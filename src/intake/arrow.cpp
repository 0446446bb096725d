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

int Yaji(DrawingState& s) {
    double dx = s.ILINEx1 - s.ILINEx2;
    double dy = s.ILINEy1 - s.ILINEy2;
    double len2 = dx * dx + dy * dy;

    bool stroke = len2 > kStrokeMin2 * s.scale * s.scale && len2 < kStrokeMax2 * s.scale * s.scale;
    bool alike = len2 > kAlikeMin2 * s.YALEN && len2 < kAlikeMax2 * s.YALEN;

    // Every pairing that matches sets the tip; a later one replaces an earlier.
    bool joined = false;
    double tipx = 0.0, tipy = 0.0;
    if (same_point(s.ILINEx1, s.ILINEy1, s.BLINEx1, s.BLINEy1)) {
        joined = true; tipx = s.ILINEx1; tipy = s.ILINEy1;
    }
    if (same_point(s.ILINEx1, s.ILINEy1, s.BLINEx2, s.BLINEy2)) {
        joined = true; tipx = s.ILINEx1; tipy = s.ILINEy1;
    }
    if (same_point(s.ILINEx2, s.ILINEy2, s.BLINEx1, s.BLINEy1)) {
        joined = true; tipx = s.ILINEx2; tipy = s.ILINEy2;
    }
    if (same_point(s.ILINEx2, s.ILINEy2, s.BLINEx2, s.BLINEy2)) {
        joined = true; tipx = s.ILINEx2; tipy = s.ILINEy2;
    }

    if (stroke) {
        s.BLINEx1 = s.ILINEx1;
        s.BLINEy1 = s.ILINEy1;
        s.BLINEx2 = s.ILINEx2;
        s.BLINEy2 = s.ILINEy2;
        s.YALEN = len2;
    }
    if (!(stroke && alike && joined)) return 0;

    if (s.isTest == 3) std::fprintf(s.out, "# Yaji()  yajirusi tenc=%d \n", s.tenc);
    if (s.tenc > 0 && same_point(s.TEN[s.tenc - 1].x, s.TEN[s.tenc - 1].y, tipx, tipy)) return 0;
    s.TEN[s.tenc].x = tipx;
    s.TEN[s.tenc].y = tipy;
    return 1;
}

}  // namespace dimcheck
