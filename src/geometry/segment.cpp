// Crossing test of two segments: the meeting point of the two lines is
// accepted when it lies in both segments' boxes, widened by a small tolerance
// so that points on horizontal and vertical segments and at end points count.
// Vertical, parallel and one-line cases are decided by exact comparison.
#include <cstdio>

#include "control/numbers.h"
#include "geometry/segment.h"

namespace dimcheck {

namespace {

// Strict test of v against the interval spanned by a and b, widened by t on
// both sides. Any NaN fails it.
bool within(double a, double b, double t, double v) {
    if (a < b) return a - t < v && v < b + t;
    return b - t < v && v < a + t;
}

}  // namespace

void make_segment(const Point* p, const Point* q, double* seg) {
    seg[0] = p->x;
    seg[1] = p->y;
    seg[2] = q->x;
    seg[3] = q->y;
}

bool in_both_boxes(const double* A, const double* B, const Point* point, double margin,
                   Trace trace) {
    double t = margin / 100.0f;
    int k1 = within(A[0], A[2], t, point->x) ? 1 : 0;
    int k2 = within(A[1], A[3], t, point->y) ? 1 : 0;
    int k3 = within(B[0], B[2], t, point->x) ? 1 : 0;
    int k4 = within(B[1], B[3], t, point->y) ? 1 : 0;
    if (trace.details())
        print_to(trace.out, "# __CROSS() k1(%d) k2(%d) k3(%d) k4(%d) ten(%.1f , %.1f)\n", k1, k2,
                 k3, k4, point->x, point->y);
    return k1 * k2 * k3 * k4 == 1;
}

Meeting add_meeting_points(int& count, const double* A, const double* B, double margin,
                           int precision, Trace trace) {
    if (trace.details()) {
        print_to(trace.out, "# Koten_lnln() A1(%.1f , %.1f)---A2(%.1f , %.1f)\n", A[0], A[1], A[2],
                 A[3]);
        print_to(trace.out, "#              B1(%.1f , %.1f)---B2(%.1f , %.1f)\n", B[0], B[1], B[2],
                 B[3]);
    }
    int p = 0;
    int q = 0;
    Point meeting = {0.0, 0.0};
    // Tests meeting; returns the code when it is counted, else `missed`.
    auto test = [&](int code, int missed) {
        if (in_both_boxes(A, B, &meeting, margin, trace) && count <= 9) {
            ++count;
            return code;
        }
        return missed;
    };

    if (B[0] == B[2]) {
        if (A[0] == A[2]) {
            if (A[0] == B[0]) {
                // Both on one vertical line: each end of B counts by itself.
                meeting = {B[0], B[1]};
                p = test(1, 0);
                meeting = {B[0], B[3]};
                q = test(2, 0);
            }
        } else {
            double mA = (A[3] - A[1]) / (A[2] - A[0]);
            meeting = {B[0], (B[0] - A[0]) * mA + A[1]};
            p = test(3, 0);
        }
    } else {
        double mB = (B[3] - B[1]) / (B[2] - B[0]);
        if (A[0] == A[2]) {
            meeting = {A[0], (A[0] - B[0]) * mB + B[1]};
            p = test(4, 10);
        } else {
            double bB = B[1] - B[0] * mB;
            double mA = (A[3] - A[1]) / (A[2] - A[0]);
            double bA = A[1] - A[0] * mA;
            if (mA != mB) {
                meeting.x = (bB - bA) / (mA - mB);
                meeting.y = (mA * bB - bA * mB) / (mA - mB);
                p = test(7, 0);
            } else if (bA == bB) {
                meeting = {B[0], B[1]};
                p = test(5, 0);
                meeting = {B[2], B[3]};
                q = test(6, 0);
            }
        }
    }

    if ((p != 0 || q != 0) && trace.sums_up()) {
        print_to(trace.out,
                 "#      XXX  KP[%d] kten(%.0f ,%.0f)  XXX p(%d)q(%d) KPcnt(%d) seido(%d)\n",
                 count - 1, meeting.x, meeting.y, p, q, count, precision);
    }
    return {meeting, p, q};
}

}  // namespace dimcheck
