// The crossing decision: where the lines of two segments meet, by which
// branch, and which of those meeting points lie in both segments' boxes. The
// literal search (add_meeting_points, with its traces) and the fast search
// (which screens most pairs first) both decide by it.
#pragma once

#include "control/drawing.h"

namespace dimcheck {

// One coordinate of a segment's box, widened by t on both sides: the open
// interval a meeting point's coordinate must lie strictly inside.
struct Span {
    double lo;
    double hi;
};

// The box of the coordinates a and b widened by t, the smaller bound chosen
// before the arithmetic.
inline Span span_of(double a, double b, double t) {
    const double lo = a < b ? a : b;
    const double hi = a < b ? b : a;
    return {lo - t, hi + t};
}

// Strictly inside the span; any NaN fails. No branch, so that the fast
// search runs it on several points at once.
inline bool within(const Span& s, double v) { return static_cast<int>(s.lo < v) & (v < s.hi); }

// The y at which the line through (ax, ay) with slope m meets the vertical
// line at x.
inline double y_on_line(double x, double ax, double ay, double m) { return (x - ax) * m + ay; }

// What the decision found: the last meeting point it considered (none: 0, 0)
// and the codes of the branches of its first and second point (docs/traces.md):
// 0 where none counted, 10 for a point of a vertical A that did not.
struct Crossing {
    Point last;
    int p;
    int q;
};

// Decides the crossing of segments A and B (x1, y1, x2, y2): the meeting
// points of their lines, in order, each handed to `counts`, which says
// whether it lies in both boxes (and may count it). Vertical, parallel and
// one-line cases are decided by exact comparison: segments on one vertical
// line, or on one line, offer the two ends of B.
template <class Counts>
Crossing decide_crossing(const double* A, const double* B, Counts counts) {
    Crossing c = {{0.0, 0.0}, 0, 0};
    auto test = [&](Point at, int code, int missed) {
        c.last = at;
        return counts(at) ? code : missed;
    };
    if (B[0] == B[2]) {
        if (A[0] == A[2]) {
            if (A[0] == B[0]) {
                c.p = test({B[0], B[1]}, 1, 0);
                c.q = test({B[0], B[3]}, 2, 0);
            }
        } else {
            const double mA = (A[3] - A[1]) / (A[2] - A[0]);
            c.p = test({B[0], y_on_line(B[0], A[0], A[1], mA)}, 3, 0);
        }
        return c;
    }
    const double mB = (B[3] - B[1]) / (B[2] - B[0]);
    if (A[0] == A[2]) {
        c.p = test({A[0], y_on_line(A[0], B[0], B[1], mB)}, 4, 10);
        return c;
    }
    const double bB = B[1] - B[0] * mB;
    const double mA = (A[3] - A[1]) / (A[2] - A[0]);
    const double bA = A[1] - A[0] * mA;
    if (mA != mB) {
        c.p = test({(bB - bA) / (mA - mB), (mA * bB - bA * mB) / (mA - mB)}, 7, 0);
    } else if (bA == bB) {
        c.p = test({B[0], B[1]}, 5, 0);
        c.q = test({B[2], B[3]}, 6, 0);
    }
    return c;
}

}  // namespace dimcheck
