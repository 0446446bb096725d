// The shortcut end-point search used when nothing is traced.
//
// The literal search asks inside_frame about every point of end_points: three rays from
// the point to far_points[0..2], each tested with add_meeting_points against the four sides
// of the frame, twelve crossing tests per point, each recomputing the slopes.
// Without traces those calls have no effect but their counts, so
// the same answers can be had with less work, as long as every number that
// decides anything is computed by the same operations on the same operands in
// the same order. The build forbids contraction into fused multiply-adds and
// fast-math reassociation, so equal expressions give equal bits, whether the
// compiler evaluates them one at a time or several side by side.
//
// Nothing here assumes a sensible frame or sensible numbers. Zero-length and
// flat frames, far points on or inside the frame (a group scale of 0 or less),
// a tolerance t = crossing_margin / 100 that is 0, negative or NaN, NaN and infinite
// coordinates: all go through the same arguments, which rest only on the
// operations add_meeting_points and in_both_boxes perform (the box bounds are the same
// doubles, compared with the same strict tests). Where a shortcut needs
// finite, moderate numbers it checks them first and otherwise runs the
// literal branches.
//
// The steps, and why none of them can change a result:
//
// 1. Slopes, intercepts and box bounds once per side and once per ray. Within
//    one call of points_in_frame the sides never change, and a ray is fixed by
//    its point and its far_points entry. add_meeting_points computes mA, bA, mB, bB and the
//    box bounds of in_both_boxes from the segment's coordinates alone, with the same
//    expressions used here, so the stored values are the values it would
//    compute on each call. Which of them a branch uses is unchanged: a value
//    computed but not used by a branch has no effect (nothing here traps or
//    has side effects).
//
// 2. A side is skipped when the boxes cannot share a point. in_both_boxes accepts a
//    meeting point k only when alo < k.x < ahi, blo < k.x < bhi (and the same
//    in y), with the widened bounds of ray A and side B. Those four strict
//    comparisons all hold only if alo < bhi and blo < ahi hold (transitivity,
//    valid for doubles and infinities once no NaN is involved, and a NaN
//    bound fails the comparison in in_both_boxes as well as here). So when
//    alo < bhi && blo < ahi fails in x or in y, no point tested against this
//    side can be counted, whatever the computed meeting point is, in every
//    branch of add_meeting_points (each branch counts only through in_both_boxes).
//
// 3. A point is skipped for a pass when its ray's box cannot meet the box that
//    spans all four widened side boxes. Each side whose bounds are all
//    numbers lies within that span (NaN bounds are left out of it: a side
//    with a NaN bound fails step 2's test anyway), so failing against the
//    span fails against every side: the pass counts 0. For the first pass
//    this is decided for the whole table at once from its sorted coordinates
//    (first_pass_axis).
//
// 4. The count of a pass is the number of accepted meeting points. The count
//    starts at 0 for each pass and add_meeting_points adds at most 2 per side, so
//    with four sides it is at most 7 before any addition: the saturation at
//    10 (a count <= 9) never refuses one. The search always builds a frame of
//    four corners.
//
// 5. A point is inside only when all three counts are odd, so the first even
//    count decides: each pass is made only for the points whose earlier
//    passes were odd. The remaining passes would only give counts that
//    nothing reads (step 7).
//
// 6. The points inside are kept in table order, so `found` receives the same
//    points in the same slots with the distance computed as in the literal
//    search. Once 39 are counted the literal search goes on overwriting
//    found[39] with each further point inside; only the last of them stays
//    there.
//
// 7. The inside test returns its counts and the literal search keeps none of
//    them, so no count is left to reproduce after the search.
//
// 8. The meeting point's division is skipped when its quotient cannot pass
//    the box test (may_fall_within). add_meeting_points divides num = bB - bA and
//    ynum = mA * bB - bA * mB by d = mA - mB when neither segment is vertical
//    and mA != mB; the meeting point counts only if both quotients lie
//    strictly inside the narrower of the two boxes. Whether a quotient can do
//    so is decided from two products instead. This is used only for "plain"
//    rays and sides: every bound finite, slope and intercept at most 2^500 in
//    size, so that num, ynum and d are finite; elsewhere the literal branches
//    run (meet). A vertical side needs no division at all (its meeting point
//    with a ray that is not vertical is a product away), so it is tested in
//    full; a vertical ray always takes the literal branches.
//
// 9. The tested points of end_points and their sorted coordinates are made
//    once per run (EndPointIndex, built by the driver after duplicate
//    removal): end_points, end_point_count and the tolerance stay the same
//    for the whole second pass.
//
// 10. A meeting point that certainly passes the box test is counted without
//    its division (sure_within), by the same kind of argument as step 8.
#include "check/fast_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace dimcheck {

namespace {

// Slopes and intercepts up to 2^500: num, ynum and d of step 8 stay finite.
constexpr double kPlainMax = 0x1.0p500;

// One coordinate of a segment's widened box: the open interval that in_both_boxes
// compares against, with bounds made by the same operations.
struct Span {
    double lo;
    double hi;
};

Span span_of(double a, double b, double t) {
    if (a < b) return {a - t, b + t};
    return {b - t, a + t};
}

bool within(const Span& sp, double v) { return sp.lo < v && v < sp.hi; }

// False when no value can lie strictly inside both spans (step 2).
bool may_share(const Span& a, const Span& b) { return (a.lo < b.hi) & (b.lo < a.hi); }

bool finite(const Span& sp) { return std::isfinite(sp.lo) && std::isfinite(sp.hi); }

// A segment as add_meeting_points reads it: x1, y1, x2, y2 with its box, its
// verticality and, when not vertical, its slope and intercept.
struct Seg {
    double x1, y1, x2, y2;
    Span sx, sy;
    bool vertical;
    double m, b;
};

Seg make_seg(double x1, double y1, double x2, double y2, double t) {
    Seg g;
    g.x1 = x1;
    g.y1 = y1;
    g.x2 = x2;
    g.y2 = y2;
    g.sx = span_of(x1, x2, t);
    g.sy = span_of(y1, y2, t);
    g.vertical = x1 == x2;
    g.m = 0.0;
    g.b = 0.0;
    if (!g.vertical) {
        // add_meeting_points: m = (y2 - y1) / (x2 - x1), b = y1 - x1 * m.
        g.m = (y2 - y1) / (x2 - x1);
        g.b = y1 - x1 * g.m;
    }
    return g;
}

// The number of points add_meeting_points(a, b) counts, branch for branch.
int meet(const Seg& a, const Seg& b) {
    auto counted = [&](double x, double y) {
        return within(a.sx, x) && within(a.sy, y) && within(b.sx, x) && within(b.sy, y) ? 1 : 0;
    };
    if (b.vertical) {
        if (a.vertical) {
            if (a.x1 != b.x1) return 0;
            return counted(b.x1, b.y1) + counted(b.x1, b.y2);
        }
        return counted(b.x1, (b.x1 - a.x1) * a.m + a.y1);
    }
    if (a.vertical) return counted(a.x1, (a.x1 - b.x1) * b.m + b.y1);
    if (a.m != b.m) {
        // The y of the meeting point costs a division; it is only needed when
        // the x passes both boxes (the four box tests have no side effects).
        double x = (b.b - a.b) / (a.m - b.m);
        if (!(within(a.sx, x) && within(b.sx, x))) return 0;
        double y = (a.m * b.b - a.b * b.m) / (a.m - b.m);
        return within(a.sy, y) && within(b.sy, y) ? 1 : 0;
    }
    if (a.b == b.b) return counted(b.x1, b.y1) + counted(b.x2, b.y2);
    return 0;
}

// The count of one pass by steps 1 and 2 alone.
int crossings(const Seg& ray, const Seg* sides) {
    int n = 0;
    for (int k = 0; k < 4; ++k) {
        const Seg& side = sides[k];
        if (may_share(ray.sx, side.sx) && may_share(ray.sy, side.sy)) n += meet(ray, side);
    }
    return n;
}

// Step 8: can fl(num / d) lie strictly between lo and hi? num, d, lo and hi
// finite, d != 0. Rounding is monotone and lo, hi are doubles, so lo < fl(q)
// implies lo < q and fl(q) < hi implies q < hi for the exact quotient
// q = num / d. Multiplying by d (the order flips for d < 0) puts num strictly
// between the exact products lo * d and hi * d, and rounding, again monotone,
// keeps the double num between fl(lo * d) and fl(hi * d), bounds included (a
// product may round to an infinity, which keeps the order; with lo, hi and d
// finite it is never NaN). So when num lies outside those bounds the quotient
// cannot pass the box test.
inline bool may_fall_within(double num, double d, double lo, double hi) {
    double p = lo * d;
    double r = hi * d;
    // Either order of the bounds, without a branch on the sign of d.
    return ((p <= num) & (num <= r)) | ((r <= num) & (num <= p));
}

struct Frame {
    Seg sides[4];
    // The sides once more, column by column, for the screen of step 8.
    double m[4], b[4], xlo[4], xhi[4], ylo[4], yhi[4];
    bool screen_y[4];  // steeper than 1: screened on y first
    bool vertical[4];
    // Every side's bounds finite, and every side that is not vertical with
    // slope and intercept at most 2^500 in size.
    bool plain;
    Span all_x, all_y;  // span of the four side boxes (step 3)
    Point far[3];       // the frame's far_points
    double t;
};

// in_both_boxes: the margin divided by the single-precision 100.
double tolerance_of(double margin) { return margin / 100.0f; }

Frame make_frame(const SearchFrame& s) {
    Frame f;
    f.t = tolerance_of(s.margin);
    f.plain = true;
    for (int i = 1; i <= 4; ++i) {
        const Point& p = s.corners[i];
        const Point& q = s.corners[i == 4 ? 1 : i + 1];
        Seg& g = f.sides[i - 1];
        g = make_seg(p.x, p.y, q.x, q.y, f.t);
        f.m[i - 1] = g.m;
        f.b[i - 1] = g.b;
        f.xlo[i - 1] = g.sx.lo;
        f.xhi[i - 1] = g.sx.hi;
        f.ylo[i - 1] = g.sy.lo;
        f.yhi[i - 1] = g.sy.hi;
        f.screen_y[i - 1] = std::fabs(g.m) > 1.0;
        f.vertical[i - 1] = g.vertical;
        bool small = std::fabs(g.m) <= kPlainMax && std::fabs(g.b) <= kPlainMax;
        if (!(g.vertical || small) || !finite(g.sx) || !finite(g.sy)) f.plain = false;
    }
    const double inf = std::numeric_limits<double>::infinity();
    f.all_x = {inf, -inf};
    f.all_y = {inf, -inf};
    for (const Seg& g : f.sides) {
        // A NaN bound never replaces (the comparison is false).
        if (g.sx.lo < f.all_x.lo) f.all_x.lo = g.sx.lo;
        if (g.sx.hi > f.all_x.hi) f.all_x.hi = g.sx.hi;
        if (g.sy.lo < f.all_y.lo) f.all_y.lo = g.sy.lo;
        if (g.sy.hi > f.all_y.hi) f.all_y.hi = g.sy.hi;
    }
    for (int r = 0; r < 3; ++r) f.far[r] = s.far_points[r];
    return f;
}

// The tested point of inside_frame for the zero-length segment (p, p): the
// midpoint, computed as there (it differs from p when p + p overflows).
Point tested_point(const Point& p) { return {(p.x + p.x) * 0.5f, (p.y + p.y) * 0.5f}; }

// Below this a double is finite.
constexpr double kFinite = std::numeric_limits<double>::max();

// The index of the lowest set bit of w (w != 0), by de Bruijn multiplication.
int lowest_bit(std::uint64_t w) {
    static const int kIndex[64] = {
        0,  1,  2,  53, 3,  7,  54, 27, 4,  38, 41, 8,  34, 55, 48, 28,
        62, 5,  39, 46, 44, 42, 22, 9,  24, 35, 59, 56, 49, 18, 29, 11,
        63, 52, 6,  26, 37, 40, 33, 47, 61, 45, 43, 21, 23, 58, 17, 10,
        51, 25, 36, 32, 60, 20, 57, 16, 50, 31, 19, 15, 30, 14, 13, 12};
    return kIndex[((w & (~w + 1)) * 0x022FDD63CC95386Dull) >> 58];
}

double lower(double a, double b) { return a < b ? a : b; }
double upper(double a, double b) { return a < b ? b : a; }

// add_meeting_points's slope and intercept of the ray from cp to e, made as there;
// `plain` tells whether step 8 applies to this ray (with a plain frame).
struct RayLine {
    Span sx, sy;
    double m, b;
    bool plain;
};

inline RayLine ray_line(const Frame& f, double cx, double cy, const Point& e) {
    RayLine r;
    bool before = cx < e.x;  // span_of without a branch
    r.sx = {before ? cx - f.t : e.x - f.t, before ? e.x + f.t : cx + f.t};
    before = cy < e.y;
    r.sy = {before ? cy - f.t : e.y - f.t, before ? e.y + f.t : cy + f.t};
    r.m = (e.y - cy) / (e.x - cx);
    r.b = cy - cx * r.m;
    r.plain = f.plain & (cx != e.x) & (std::fabs(r.sx.lo) <= kFinite) &
              (std::fabs(r.sx.hi) <= kFinite) & (std::fabs(r.sy.lo) <= kFinite) &
              (std::fabs(r.sy.hi) <= kFinite) & (std::fabs(r.m) <= kPlainMax) &
              (std::fabs(r.b) <= kPlainMax);
    return r;
}

// Step 8 for all four sides at once: bit k is set when side k may count (a
// vertical side always). One coordinate of the meeting point is screened,
// the one along which the side is longer (x for a side of slope at most 1,
// else y); the other is screened in count_open. Only for a plain ray.
inline unsigned open_sides(const Frame& f, const RayLine& r) {
    unsigned open = 0;
    for (int k = 0; k < 4; ++k) {
        if (f.vertical[k]) {
            open |= 1u << k;  // meet decides it with a product, no division
            continue;
        }
        double d = r.m - f.m[k];
        bool by_y = f.screen_y[k];
        double num = by_y ? r.m * f.b[k] - r.b * f.m[k] : f.b[k] - r.b;
        double lo = by_y ? upper(r.sy.lo, f.ylo[k]) : upper(r.sx.lo, f.xlo[k]);
        double hi = by_y ? lower(r.sy.hi, f.yhi[k]) : lower(r.sx.hi, f.xhi[k]);
        // With mA == mB add_meeting_points takes the one-line branch instead.
        open |= static_cast<unsigned>(may_fall_within(num, d, lo, hi) | (r.m == f.m[k])) << k;
    }
    return open;
}

// Step 10: is fl(num / d) certainly strictly between lo and hi? num, d, lo
// and hi finite, d != 0. For a normal double lo the next double above it is
// at most lo + 2^-52 |lo|, so q = num / d >= lo + 2^-52 |lo| makes
// fl(q) > lo (rounding is monotone); likewise q <= hi - 2^-52 |hi| makes
// fl(q) < hi. For d > 0 that asks num >= X + 2^-52 |X| with X = lo * d
// exactly. p = fl(X), normal, is within 2^-53 |p| of X, so the condition is
// met once num >= p + 2^-50 |p|; the bound used, fl(p + 2^-40 |p|) (the
// scaling is exact, the sum within 2^-53 of itself), lies above that. The
// upper end and d < 0 (where the order of the products flips) go the same
// way (with lo < hi, p <= r for d > 0 and p >= r for d < 0: the two terms
// below). Every magnitude is kept at 2^-900 or more so that nothing is subnormal; a
// product that rounds to an infinity makes a bound infinite or NaN and the
// test fail. When it fails, the division is made.
inline bool sure_within(double num, double d, double lo, double hi) {
    constexpr double kTiny = 0x1.0p-900;
    double p = lo * d;
    double r = hi * d;
    double p_up = p + std::fabs(p) * 0x1.0p-40, p_down = p - std::fabs(p) * 0x1.0p-40;
    double r_up = r + std::fabs(r) * 0x1.0p-40, r_down = r - std::fabs(r) * 0x1.0p-40;
    // Products in either order, without a branch on the sign of d: with
    // p < r only the first term can hold (r_up >= r > p >= p_down), with
    // p > r only the second, with p == r neither.
    bool between = ((p_up <= num) & (num <= r_down)) | ((r_up <= num) & (num <= p_down));
    return (lo < hi) & (std::fabs(lo) >= kTiny) & (std::fabs(hi) >= kTiny) &
           (std::fabs(p) >= kTiny) & (std::fabs(r) >= kTiny) & between;
}

// The count of a pass for a plain ray, given the sides that may count:
// steps 8 and 10 on both coordinates decide most sides; the rest are
// divided out as add_meeting_points does.
int count_open(const Frame& f, double cx, double cy, const Point& e, const RayLine& r,
               unsigned open) {
    int n = 0;
    for (int k = 0; k < 4; ++k) {
        if (!(open >> k & 1u)) continue;
        if (!f.vertical[k] && r.m != f.m[k]) {
            double d = r.m - f.m[k];
            double num = f.b[k] - r.b;
            double ynum = r.m * f.b[k] - r.b * f.m[k];
            double xlo = upper(r.sx.lo, f.xlo[k]), xhi = lower(r.sx.hi, f.xhi[k]);
            double ylo = upper(r.sy.lo, f.ylo[k]), yhi = lower(r.sy.hi, f.yhi[k]);
            if (!(static_cast<int>(may_fall_within(num, d, xlo, xhi)) & may_fall_within(ynum, d, ylo, yhi)))
                continue;
            if (static_cast<int>(sure_within(num, d, xlo, xhi)) & sure_within(ynum, d, ylo, yhi)) {
                ++n;
                continue;
            }
        }
        Seg ray = {cx, cy, e.x, e.y, r.sx, r.sy, false, r.m, r.b};
        n += meet(ray, f.sides[k]);
    }
    return n;
}

// The count of one pass: the ray from cp to e against the four sides.
int pass(const Frame& f, const Point& cp, const Point& e) {
    Span rx = span_of(cp.x, e.x, f.t);
    Span ry = span_of(cp.y, e.y, f.t);
    if (!(static_cast<int>(may_share(rx, f.all_x)) & may_share(ry, f.all_y))) return 0;
    RayLine r = ray_line(f, cp.x, cp.y, e);
    if (r.plain) {
        unsigned open = open_sides(f, r);
        return open == 0 ? 0 : count_open(f, cp.x, cp.y, e, r, open);
    }
    return crossings(make_seg(cp.x, cp.y, e.x, e.y, f.t), f.sides);
}

// One pass of many points at once (the ray from each point to e), in sweeps
// that the compiler can run on several points at a time (flags are kept as
// 0.0 and 1.0 for that):
//   1. each point's ray: box, slope and intercept as ray_line makes them,
//      and whether the ray is plain;
//   2. step 8 on one coordinate per side (as open_sides);
//   3. for the (point, side) pairs left, steps 10 and 8 on both coordinates:
//      a pair that certainly counts adds 1, one that may count but not
//      certainly leaves the point undecided.
// The values are those of ray_line and open_sides: the same operations on the
// same operands, only several at once. k1[i] receives the count of the pass,
// or -1 where it is undecided (or the ray is not plain) and the pass must be
// made in full.
void batch_pass(const Frame& f, const Point& e, const double* gx, const double* gy, int n,
                int* k1) {
    if (!f.plain) {
        for (int i = 0; i < n; ++i) k1[i] = -1;
        return;
    }
    double sxlo[kEndPointSlots], sxhi[kEndPointSlots], sylo[kEndPointSlots], syhi[kEndPointSlots];
    double m[kEndPointSlots], b[kEndPointSlots], plain[kEndPointSlots], open[kEndPointSlots], counted[kEndPointSlots];
    const double t = f.t;
    const double ex = e.x, ey = e.y;
    for (int i = 0; i < n; ++i) {
        // span_of(cx, e.x, t), with the choice made before the arithmetic.
        // For the upper end span_of takes e.x when cx < e.x, else cx; taking
        // cx when e.x < cx, else e.x, differs only when cx or e.x is NaN
        // (then the slope is NaN, the ray is not plain and its box is never
        // used) and in the sign of a zero (which no comparison sees).
        const double cx = gx[i], cy = gy[i];
        sxlo[i] = (cx < ex ? cx : ex) - t;
        sxhi[i] = (ex < cx ? cx : ex) + t;
        sylo[i] = (cy < ey ? cy : ey) - t;
        syhi[i] = (ey < cy ? cy : ey) + t;
    }
    for (int i = 0; i < n; ++i) {
        const double mi = (ey - gy[i]) / (ex - gx[i]);
        m[i] = mi;
        b[i] = gy[i] - gx[i] * mi;
    }
    for (int i = 0; i < n; ++i) {
        const bool finite = (std::fabs(sxlo[i]) <= kFinite) & (std::fabs(sxhi[i]) <= kFinite) &
                            (std::fabs(sylo[i]) <= kFinite) & (std::fabs(syhi[i]) <= kFinite);
        const bool small = (std::fabs(m[i]) <= kPlainMax) & (std::fabs(b[i]) <= kPlainMax);
        plain[i] = ((gx[i] != ex) & finite & small) ? 1.0 : 0.0;
        open[i] = 0.0;
        counted[i] = 0.0;
    }
    for (int k = 0; k < 4; ++k) {
        const double mk = f.m[k], bk = f.b[k], bit = 1 << k;
        if (f.vertical[k]) {
            // add_meeting_points's branch for a vertical side and a ray that is not:
            // the meeting point (x, (x - cx) * mA + cy) needs no division, so
            // it is tested in full here and counted.
            const Seg& g = f.sides[k];
            const double x = g.x1;
            const bool x_in_side = within(g.sx, x);
            for (int i = 0; i < n; ++i) {
                const double y = (x - gx[i]) * m[i] + gy[i];
                const bool in = x_in_side & (sxlo[i] < x) & (x < sxhi[i]) & (sylo[i] < y) &
                                (y < syhi[i]) & (g.sy.lo < y) & (y < g.sy.hi);
                counted[i] += in ? 1.0 : 0.0;
            }
        } else if (f.screen_y[k]) {
            const double lok = f.ylo[k], hik = f.yhi[k];
            for (int i = 0; i < n; ++i) {
                const double d = m[i] - mk;
                const double num = m[i] * bk - b[i] * mk;
                const double lo = sylo[i] < lok ? lok : sylo[i];
                const double hi = syhi[i] < hik ? syhi[i] : hik;
                const double p = lo * d, r = hi * d;
                const bool may =
                    ((p <= num) & (num <= r)) | ((r <= num) & (num <= p)) | (m[i] == mk);
                open[i] += may ? bit : 0.0;
            }
        } else {
            const double lok = f.xlo[k], hik = f.xhi[k];
            for (int i = 0; i < n; ++i) {
                const double d = m[i] - mk;
                const double num = bk - b[i];
                const double lo = sxlo[i] < lok ? lok : sxlo[i];
                const double hi = sxhi[i] < hik ? sxhi[i] : hik;
                const double p = lo * d, r = hi * d;
                const bool may =
                    ((p <= num) & (num <= r)) | ((r <= num) & (num <= p)) | (m[i] == mk);
                open[i] += may ? bit : 0.0;
            }
        }
    }

    // Sweep 3, side by side: the points whose bit is set for the side are
    // gathered into columns, classified together, and their results added
    // back.
    double undecided[kEndPointSlots];
    int opened[kEndPointSlots];  // the points with a bit set
    int no = 0;
    for (int i = 0; i < n; ++i) {  // gather the points that are open
        undecided[i] = 0.0;
        opened[no] = i;
        no += (plain[i] != 0.0) & (open[i] != 0.0);
    }
    int lists[4][kEndPointSlots];
    int nls[4] = {0, 0, 0, 0};
    for (int j = 0; j < no; ++j) {
        const int i = opened[j];
        const int bits = static_cast<int>(open[i]);
        for (int k = 0; k < 4; ++k) {
            lists[k][nls[k]] = i;
            nls[k] += bits >> k & 1;
        }
    }
    for (int k = 0; k < 4; ++k) {
        if (f.vertical[k]) continue;
        const int* list = lists[k];
        const int nl = nls[k];
        double cm[kEndPointSlots], cb[kEndPointSlots], cxlo[kEndPointSlots], cxhi[kEndPointSlots], cylo[kEndPointSlots],
            cyhi[kEndPointSlots];
        for (int j = 0; j < nl; ++j) {
            const int i = list[j];
            cm[j] = m[i];
            cb[j] = b[i];
            cxlo[j] = sxlo[i];
            cxhi[j] = sxhi[i];
            cylo[j] = sylo[i];
            cyhi[j] = syhi[i];
        }
        const double mk = f.m[k], bk = f.b[k];
        const double xlok = f.xlo[k], xhik = f.xhi[k], ylok = f.ylo[k], yhik = f.yhi[k];
        double sure[kEndPointSlots], may[kEndPointSlots];
        for (int j = 0; j < nl; ++j) {
            const double mi = cm[j], bi = cb[j];
            const double d = mi - mk;
            const double num = bk - bi;
            const double ynum = mi * bk - bi * mk;
            const double xlo = cxlo[j] < xlok ? xlok : cxlo[j];
            const double xhi = cxhi[j] < xhik ? cxhi[j] : xhik;
            const double ylo = cylo[j] < ylok ? ylok : cylo[j];
            const double yhi = cyhi[j] < yhik ? cyhi[j] : yhik;
            const bool parallel = mi == mk;
            sure[j] = (static_cast<int>(sure_within(num, d, xlo, xhi)) & sure_within(ynum, d, ylo, yhi) & !parallel)
                          ? 1.0
                          : 0.0;
            may[j] = ((static_cast<int>(may_fall_within(num, d, xlo, xhi)) & may_fall_within(ynum, d, ylo, yhi)) |
                      parallel)
                         ? 1.0
                         : 0.0;
        }
        // A pair that certainly counts may count (sure_within's bounds lie
        // within may_fall_within's), so may - sure is 1 exactly for a pair
        // that may count but not certainly.
        for (int j = 0; j < nl; ++j) {
            counted[list[j]] += sure[j];
            undecided[list[j]] += may[j] - sure[j];
        }
    }
    for (int i = 0; i < n; ++i)
        k1[i] = ((plain[i] != 0.0) & (undecided[i] == 0.0)) ? static_cast<int>(counted[i]) : -1;
}

void store(FoundPoint* found, int slot, const Point& p, const Text& text) {
    double dx = p.x - text.x;
    double dy = p.y - text.y;
    found[slot] = {p.x, p.y, std::sqrt(dx * dx + dy * dy)};
}

constexpr int kWords = (kEndPointSlots + 63) / 64;
using Bits = std::uint64_t[kWords];

}  // namespace

// Step 9: the tested points of end_points, with what step 3 needs of them
// sorted, built once for the whole second pass of a run (end_points and the
// tolerance stay the same).
struct EndPointIndex::Table {
    int n = 0;
    double t = 0.0;
    double cx[kEndPointSlots], cy[kEndPointSlots];  // tested points, table order
    struct Axis {
        int n;                   // points whose coordinate is a number
        double v[kEndPointSlots];      // their coordinates, ascending
        double minus[kEndPointSlots];  // v - t
        double plus[kEndPointSlots];   // v + t
        Bits below[kEndPointSlots + 1];  // below[i]: the points of rank < i
        Bits all;                  // below[n]
    } x, y;
};

namespace {

using Table = EndPointIndex::Table;

void build_axis(Table::Axis& a, const double* c, int n, double t) {
    int order[kEndPointSlots];
    a.n = 0;
    for (int k = 0; k < n; ++k)
        if (!std::isnan(c[k])) order[a.n++] = k;
    std::stable_sort(order, order + a.n, [&](int i, int j) { return c[i] < c[j]; });
    std::memset(a.below[0], 0, sizeof a.below[0]);
    for (int i = 0; i < a.n; ++i) {
        int k = order[i];
        a.v[i] = c[k];
        a.minus[i] = c[k] - t;
        a.plus[i] = c[k] + t;
        std::memcpy(a.below[i + 1], a.below[i], sizeof a.below[i]);
        a.below[i + 1][k / 64] |= std::uint64_t{1} << (k % 64);
    }
    std::memcpy(a.all, a.below[a.n], sizeof a.all);
}

// Step 3 of the first pass on one axis: the points whose ray span on this
// axis may share a value with the frame's span `all`. The span is
// (c - t, e + t) for c < e and (e - t, c + t) otherwise; both bounds grow with
// c (rounding is monotone), so the first form holds on a prefix of the sorted
// coordinates and the second on a suffix. A NaN coordinate fails both.
void first_pass_axis(const Table::Axis& a, double e, double t, const Span& all, Bits out) {
    int pre = 0;
    if (all.lo < e + t) {
        int lo = 0, hi = a.n;  // first rank where c < e && c - t < all.hi fails
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            bool before = (a.v[mid] < e) & (a.minus[mid] < all.hi);
            lo = before ? mid + 1 : lo;
            hi = before ? hi : mid;
        }
        pre = lo;
    }
    int suf = a.n;
    if (e - t < all.hi) {
        int lo = 0, hi = a.n;  // first rank where !(c < e) && all.lo < c + t holds
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            bool after = !(a.v[mid] < e) & (all.lo < a.plus[mid]);
            hi = after ? mid : hi;
            lo = after ? lo : mid + 1;
        }
        suf = lo;
    }
    for (int w = 0; w < kWords; ++w) out[w] = a.below[pre][w] | (a.all[w] & ~a.below[suf][w]);
}

}  // namespace

EndPointIndex::EndPointIndex(const Drawing& d) : table_(new Table) {
    Table& tb = *table_;
    int n = d.end_point_count;
    tb.n = n;
    tb.t = tolerance_of(d.crossing_margin);
    for (int k = 0; k < n; ++k) {
        Point cp = tested_point(d.end_points[k]);
        tb.cx[k] = cp.x;
        tb.cy[k] = cp.y;
    }
    build_axis(tb.x, tb.cx, n, tb.t);
    build_axis(tb.y, tb.cy, n, tb.t);
}

EndPointIndex::~EndPointIndex() = default;

int points_in_frame_fast(const Drawing& d, const EndPointIndex& index, const SearchFrame& frame, const Text& text,
                         FoundPoint* found) {
    const Frame f = make_frame(frame);
    const Table& tb = index.table();
    const Point e = f.far[0];

    // Step 3 for the first pass: the points left are the only ones that can
    // be inside, in table order.
    Bits bx, by;
    first_pass_axis(tb.x, e.x, f.t, f.all_x, bx);
    first_pass_axis(tb.y, e.y, f.t, f.all_y, by);
    int idx[kEndPointSlots];
    double gx[kEndPointSlots], gy[kEndPointSlots];
    int nc = 0;
    for (int w = 0; w < kWords; ++w) {
        std::uint64_t word = bx[w] & by[w];
        while (word != 0) {
            int k = w * 64 + lowest_bit(word);
            word &= word - 1;
            idx[nc] = k;
            gx[nc] = tb.cx[k];
            gy[nc] = tb.cy[k];
            ++nc;
        }
    }

    // The three passes, each over the points whose earlier passes were odd,
    // in table order (step 5). Undecided counts are made in full.
    int k[kEndPointSlots];
    for (int r = 0; r < 3 && nc > 0; ++r) {
        batch_pass(f, f.far[r], gx, gy, nc, k);
        int kept = 0;
        for (int i = 0; i < nc; ++i) {
            int ki = k[i] >= 0 ? k[i] : pass(f, {gx[i], gy[i]}, f.far[r]);
            idx[kept] = idx[i];
            gx[kept] = gx[i];
            gy[kept] = gy[i];
            kept += ki % 2;
        }
        nc = kept;
    }

    // The first 39 points inside are counted (step 6); the literal search
    // leaves the last of any further ones in found[39].
    int count = nc < kFoundCounted ? nc : kFoundCounted;
    for (int i = 0; i < count; ++i) store(found, i, d.end_points[idx[i]], text);
    if (nc > kFoundCounted) store(found, kFoundCounted, d.end_points[idx[nc - 1]], text);
    return count;
}

}  // namespace dimcheck
