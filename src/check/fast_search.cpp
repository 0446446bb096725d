// The end-point search without traces. points_in_frame_fast finds the points
// of end_points that inside_frame finds inside the search frame, in the same
// order, and leaves the same bits in the found points and the same count, with a
// fraction of the work. Why no shortcut can change a result is argued in
// docs/fast-search.md; the code cites each argument by its name there.
//
// How points_in_frame_fast goes:
// - make_frame computes the four sides' slopes, intercepts and widened boxes
//   once, by the operations add_meeting_points uses (same operations);
//   the EndPointIndex, which the driver builds once per run, holds the tested
//   point of every end point, with the coordinates sorted (kept table).
// - first_pass_axis drops, for the whole table at once, every point whose
//   first ray's box cannot meet the box of the four sides (boxes that cannot
//   meet).
// - The three passes follow, each over the points whose earlier passes were
//   odd (first even pass decides). batch_pass decides most of them at once
//   from two products per side instead of a division (division skipped, sure
//   inside); pass counts the rest one by one as add_meeting_points counts.
// - store writes the points inside to `found` in table order (same slots).
#include "check/fast_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "geometry/crossing.h"

namespace dimcheck {

namespace {

// A segment as add_meeting_points reads it: x1, y1, x2, y2 with its box, its
// verticality and, when not vertical, its slope and intercept.
struct Seg {
    double x1, y1, x2, y2;
    Span sx, sy;
    bool vertical;
    double m, b;
};

// The four sides of the frame, computed once per search (same operations:
// docs/fast-search.md).
struct Frame {
    Seg sides[4];
    // The sides once more, column by column, for batch_pass.
    double m[4], b[4], xlo[4], xhi[4], ylo[4], yhi[4];
    bool screen_y[4];  // steeper than 1: screened on y first
    bool vertical[4];
    // Every side's bounds finite, and every side that is not vertical with
    // slope and intercept at most 2^500 in size (plain rays).
    bool plain;
    Span all_x, all_y;  // span of the four side boxes (boxes that cannot meet)
    Point far[3];       // the frame's far_points
    double t;
};

// Added to a point's count for a pair left undecided: a pass counts at most
// 8 meeting points (two on each side), so a count of kUndecided or more says
// that the crossing decision must count the point itself.
constexpr double kUndecided = 16.0;

// The columns of one batch pass, an entry per point (or per point open for a
// side), so that each sweep runs over plain arrays. Flags and counts are
// doubles (0.0 and 1.0), which the vector code needs.
struct BatchColumns {
    // Each point's ray: its box, slope and intercept, and whether it is plain.
    double sxlo[kEndPointSlots], sxhi[kEndPointSlots], sylo[kEndPointSlots], syhi[kEndPointSlots];
    double m[kEndPointSlots], b[kEndPointSlots], plain[kEndPointSlots];
    // Bit k: the screen of side k leaves the pair open.
    double open[kEndPointSlots];
    // Meeting points certainly counted, plus kUndecided for each pair left
    // to the crossing decision.
    double counted[kEndPointSlots];
    // The points open for each side, and the rays of those of one side.
    int lists[4][kEndPointSlots];
    int list_sizes[4];
    double cm[kEndPointSlots], cb[kEndPointSlots], cxlo[kEndPointSlots], cxhi[kEndPointSlots],
        cylo[kEndPointSlots], cyhi[kEndPointSlots];
    // Of each pair of a side: 1 counted for certain, 0.5 left to the
    // division, 0 not counted.
    double outcome[kEndPointSlots];
};

// The tested points of end_points and their sorted coordinates (kept table).
constexpr int kWords = (kEndPointSlots + 63) / 64;
using Bits = std::uint64_t[kWords];

}  // namespace

// Built once for the whole second pass of a run: end_points and the tolerance
// stay the same (kept table).
struct EndPointIndex::Table {
    double cx[kEndPointSlots], cy[kEndPointSlots];  // tested points, table order
    struct Axis {
        int n;                           // points whose coordinate is a number
        double v[kEndPointSlots];        // their coordinates, ascending
        double minus[kEndPointSlots];    // v - t
        double plus[kEndPointSlots];     // v + t
        Bits below[kEndPointSlots + 1];  // below[i]: the points of rank < i
        Bits all;                        // below[n]
    } x, y;
};

namespace {

using Table = EndPointIndex::Table;

// The pieces of points_in_frame_fast and of the index, defined below in this
// order.
Frame make_frame(const SearchFrame& s);
double tolerance_of(double margin);
Point tested_point(const Point& p);
void build_axis(Table::Axis& a, const double* c, int n, double t);
void first_pass_axis(const Table::Axis& a, double e, double t, const Span& all, Bits out);
int lowest_bit(std::uint64_t w);
void batch_pass(const Frame& f, const Point& e, const double* gx, const double* gy, int n, int* k1,
                BatchColumns& columns);
int pass(const Frame& f, const Point& cp, const Point& e);
void store(FoundPoint* found, int slot, const Point& p, const Text& text);

}  // namespace

EndPointIndex::EndPointIndex(const Drawing& d) : table_(new Table) {
    Table& tb = *table_;
    int n = d.end_point_count;
    const double t = tolerance_of(d.crossing_margin);
    for (int k = 0; k < n; ++k) {
        Point cp = tested_point(d.end_points[k]);
        tb.cx[k] = cp.x;
        tb.cy[k] = cp.y;
    }
    build_axis(tb.x, tb.cx, n, t);
    build_axis(tb.y, tb.cy, n, t);
}

EndPointIndex::~EndPointIndex() = default;

int points_in_frame_fast(const Drawing& d, const EndPointIndex& index, const SearchFrame& frame,
                         const Text& text, FoundPoint* found) {
    const Frame f = make_frame(frame);
    const Table& tb = index.table();
    const Point e = f.far[0];

    // Boxes that cannot meet, for the first pass (docs/fast-search.md): the
    // points left are the only ones that can be inside, in table order.
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
    // in table order (first even pass decides). Undecided counts are made in full.
    int k[kEndPointSlots];
    BatchColumns columns;
    for (int r = 0; r < 3 && nc > 0; ++r) {
        batch_pass(f, f.far[r], gx, gy, nc, k, columns);
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

    // The first 39 points inside are counted (same slots); the literal search
    // leaves the last of any further ones in found[39].
    int count = nc < kFoundCounted ? nc : kFoundCounted;
    for (int i = 0; i < count; ++i) store(found, i, d.end_points[idx[i]], text);
    if (nc > kFoundCounted) store(found, kFoundCounted, d.end_points[idx[nc - 1]], text);
    return count;
}

namespace {

// Slopes and intercepts up to 2^500: num, ynum and d stay finite (plain rays).
constexpr double kPlainMax = 0x1.0p500;

// False when no value can lie strictly inside both spans (boxes that cannot meet).
bool may_share(const Span& a, const Span& b) { return (a.lo < b.hi) & (b.lo < a.hi); }

bool finite(const Span& sp) { return std::isfinite(sp.lo) && std::isfinite(sp.hi); }

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

// in_both_boxes: the margin divided by the single-precision 100.
double tolerance_of(double margin) { return margin / 100.0f; }

// The tested point of inside_frame for the zero-length segment (p, p): the
// midpoint, computed as there (it differs from p when p + p overflows).
Point tested_point(const Point& p) { return {(p.x + p.x) * 0.5f, (p.y + p.y) * 0.5f}; }

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

// Boxes that cannot meet, for the first pass on one axis, as a cut of the
// sorted coordinates instead of may_share per point: the points whose ray
// span on this axis may share a value with the frame's span `all`. The span
// is (c - t, e + t) for c < e and (e - t, c + t) otherwise; both bounds grow
// with c (rounding is monotone), so the first form holds on a prefix of the
// sorted coordinates and the second on a suffix. A NaN coordinate fails both.
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

// The index of the lowest set bit of w (w != 0), by de Bruijn multiplication.
int lowest_bit(std::uint64_t w) {
    static const int kIndex[64] = {0,  1,  2,  53, 3,  7,  54, 27, 4,  38, 41, 8,  34, 55, 48, 28,
                                   62, 5,  39, 46, 44, 42, 22, 9,  24, 35, 59, 56, 49, 18, 29, 11,
                                   63, 52, 6,  26, 37, 40, 33, 47, 61, 45, 43, 21, 23, 58, 17, 10,
                                   51, 25, 36, 32, 60, 20, 57, 16, 50, 31, 19, 15, 30, 14, 13, 12};
    return kIndex[((w & (~w + 1)) * 0x022FDD63CC95386Dull) >> 58];
}

// Below this a double is finite.
constexpr double kFinite = std::numeric_limits<double>::max();

// The ray from (cx, cy) to e as add_meeting_points reads it (same operations):
// its box, slope and intercept; `plain` tells whether the screens of
// batch_pass and pass apply to it (plain rays).
struct RayLine {
    Span sx, sy;
    double m, b;
};

// Plain rays: the screens apply to this ray (with a plain frame).
inline bool plain_ray(const Frame& f, double cx, double ex, const Span& sx, const Span& sy,
                      double m, double b) {
    return f.plain & (cx != ex) & (std::fabs(sx.lo) <= kFinite) & (std::fabs(sx.hi) <= kFinite) &
           (std::fabs(sy.lo) <= kFinite) & (std::fabs(sy.hi) <= kFinite) &
           (std::fabs(m) <= kPlainMax) & (std::fabs(b) <= kPlainMax);
}

inline RayLine ray_line(const Frame& f, double cx, double cy, const Point& e) {
    RayLine r;
    r.sx = span_of(cx, e.x, f.t);
    r.sy = span_of(cy, e.y, f.t);
    r.m = (e.y - cy) / (e.x - cx);
    r.b = cy - cx * r.m;
    return r;
}

double lower(double a, double b) { return a < b ? a : b; }
double upper(double a, double b) { return a < b ? b : a; }

// Division skipped (docs/fast-search.md): can fl(num / d) lie strictly
// between lo and hi? num, d, lo and hi finite, d != 0. Rounding is monotone
// and lo, hi are doubles, so lo < fl(q) implies lo < q and fl(q) < hi implies
// q < hi for the exact quotient q = num / d. Multiplying by d (the order
// flips for d < 0) puts num strictly between the exact products lo * d and
// hi * d, and rounding, again monotone, keeps the double num between
// fl(lo * d) and fl(hi * d), bounds included (a product may round to an
// infinity, which keeps the order; with lo, hi and d finite it is never NaN).
// So when num lies outside those bounds the quotient cannot pass the box test.
inline bool may_fall_within(double num, double d, double lo, double hi) {
    double p = lo * d;
    double r = hi * d;
    // Either order of the bounds, without a branch on the sign of d.
    return ((p <= num) & (num <= r)) | ((r <= num) & (num <= p));
}

// Sure inside (docs/fast-search.md): is fl(num / d) certainly strictly
// between lo and hi? num, d, lo and hi finite, d != 0. For a normal double lo
// the next double above it is at most lo + 2^-52 |lo|, so
// q = num / d >= lo + 2^-52 |lo| makes fl(q) > lo (rounding is monotone);
// likewise q <= hi - 2^-52 |hi| makes fl(q) < hi. For d > 0 that asks
// num >= X + 2^-52 |X| with X = lo * d exactly. p = fl(X), normal, is within
// 2^-53 |p| of X, so the condition is met once num >= p + 2^-50 |p|; the
// bound used, fl(p + 2^-40 |p|) (the scaling is exact, the sum within 2^-53
// of itself), lies above that. The upper end and d < 0 (where the order of
// the products flips) go the same way. Every magnitude is kept at 2^-900 or
// more so that nothing is subnormal; a product that rounds to an infinity
// makes a bound infinite or NaN and the test fail. When it fails, the
// division is made.
inline bool sure_within(double num, double d, double lo, double hi) {
    constexpr double kTiny = 0x1.0p-900;
    double p = lo * d;
    double r = hi * d;
    double p_up = p + std::fabs(p) * 0x1.0p-40, p_down = p - std::fabs(p) * 0x1.0p-40;
    double r_up = r + std::fabs(r) * 0x1.0p-40, r_down = r - std::fabs(r) * 0x1.0p-40;
    // Products in either order, without a branch on the sign of d: with
    // p < r only the first term can hold (r_up >= r > p >= p_down), with
    // p > r only the second, with p == r neither.
    bool between = (p_up <= num) & (num <= r_down);
    between |= (r_up <= num) & (num <= p_down);
    return (lo < hi) & (std::fabs(lo) >= kTiny) & (std::fabs(hi) >= kTiny) &
           (std::fabs(p) >= kTiny) & (std::fabs(r) >= kTiny) & between;
}

// The division add_meeting_points makes for a plain ray (slope m, intercept
// b, box rx, ry) and a side that is not vertical: the meeting point is
// (num / d, ynum / d), counted when it lies strictly inside both boxes, that
// is inside (xlo, xhi) and (ylo, yhi). A side parallel to the ray (d == 0:
// the slopes are equal) takes the one-line branch instead.
struct Division {
    double d, num, ynum, xlo, xhi, ylo, yhi;
};

inline Division division(double m, double b, const Span& rx, const Span& ry, const Seg& side) {
    Division q;
    q.d = m - side.m;
    q.num = side.b - b;
    q.ynum = m * side.b - b * side.m;
    q.xlo = upper(rx.lo, side.sx.lo);
    q.xhi = lower(rx.hi, side.sx.hi);
    q.ylo = upper(ry.lo, side.sy.lo);
    q.yhi = lower(ry.hi, side.sy.hi);
    return q;
}

// False when the meeting point cannot be counted (division skipped); a
// parallel side may count.
inline bool may_count(const Division& q) {
    return (static_cast<int>(may_fall_within(q.num, q.d, q.xlo, q.xhi)) &
            may_fall_within(q.ynum, q.d, q.ylo, q.yhi)) |
           (q.d == 0.0);
}

// True when the meeting point is certainly counted (sure inside); never for
// a parallel side, whose products lo * d and hi * d are 0.
inline bool sure_count(const Division& q) {
    return static_cast<int>(sure_within(q.num, q.d, q.xlo, q.xhi)) &
           sure_within(q.ynum, q.d, q.ylo, q.yhi);
}

// Sweep 1: each point's ray by ray_line, and whether it is plain.
void sweep_rays(const Frame& f, const Point& e, const double* gx, const double* gy, int n,
                BatchColumns& c) {
    for (int i = 0; i < n; ++i) {
        const RayLine r = ray_line(f, gx[i], gy[i], e);
        c.sxlo[i] = r.sx.lo;
        c.sxhi[i] = r.sx.hi;
        c.sylo[i] = r.sy.lo;
        c.syhi[i] = r.sy.hi;
        c.m[i] = r.m;
        c.b[i] = r.b;
    }
    for (int i = 0; i < n; ++i) {
        c.open[i] = 0.0;
        c.counted[i] = 0.0;
        const bool plain = plain_ray(f, gx[i], e.x, {c.sxlo[i], c.sxhi[i]}, {c.sylo[i], c.syhi[i]},
                                     c.m[i], c.b[i]);
        c.plain[i] = plain ? 1.0 : 0.0;
    }
}

// Sweep 2, side by side: a vertical side is decided in full; for any other
// side, division skipped on one coordinate (x for a side of slope at most 1,
// else y) leaves few pairs open.
void sweep_screens(const Frame& f, const double* gx, const double* gy, int n, BatchColumns& c) {
    for (int k = 0; k < 4; ++k) {
        const double mk = f.m[k], bk = f.b[k], bit = 1 << k;
        if (f.vertical[k]) {
            // The crossing decision's branch for a vertical side and a ray that
            // is not (a plain ray), here without branches so that it runs on
            // several points at once: the meeting point needs no division and
            // is tested in full.
            const Seg& g = f.sides[k];
            const double x = g.x1;
            for (int i = 0; i < n; ++i) {
                const double y = y_on_line(x, gx[i], gy[i], c.m[i]);
                const bool in = static_cast<int>(within({c.sxlo[i], c.sxhi[i]}, x)) &
                                within({c.sylo[i], c.syhi[i]}, y) & within(g.sx, x) &
                                within(g.sy, y);
                c.counted[i] += in ? 1.0 : 0.0;
            }
        } else if (f.screen_y[k]) {
            for (int i = 0; i < n; ++i) {
                const double num = c.m[i] * bk - c.b[i] * mk;
                const bool may = may_fall_within(num, c.m[i] - mk, upper(c.sylo[i], f.ylo[k]),
                                                 lower(c.syhi[i], f.yhi[k]));
                bool open = may;
                open |= c.m[i] == mk;  // a parallel side takes the one-line branch
                c.open[i] += open ? bit : 0.0;
            }
        } else {
            for (int i = 0; i < n; ++i) {
                const double num = bk - c.b[i];
                const bool may = may_fall_within(num, c.m[i] - mk, upper(c.sxlo[i], f.xlo[k]),
                                                 lower(c.sxhi[i], f.xhi[k]));
                bool open = may;
                open |= c.m[i] == mk;  // a parallel side takes the one-line branch
                c.open[i] += open ? bit : 0.0;
            }
        }
    }
}

// Sweep 3, side by side: the plain rays left open for the side are gathered
// into columns, screened by may_count and sure_count together, and their
// results added back: a pair that certainly counts adds 1, one that may count
// but not certainly leaves its point undecided.
void sweep_open_pairs(const Frame& f, int n, BatchColumns& c) {
    for (int k = 0; k < 4; ++k) c.list_sizes[k] = 0;
    for (int i = 0; i < n; ++i) {
        const int bits = static_cast<int>(c.open[i]) * (c.plain[i] != 0.0);
        for (int k = 0; k < 4; ++k) {
            c.lists[k][c.list_sizes[k]] = i;
            c.list_sizes[k] += bits >> k & 1;
        }
    }
    for (int k = 0; k < 4; ++k) {
        if (f.vertical[k]) continue;
        const int* list = c.lists[k];
        const int nl = c.list_sizes[k];
        for (int j = 0; j < nl; ++j) {
            const int i = list[j];
            c.cm[j] = c.m[i];
            c.cb[j] = c.b[i];
            c.cxlo[j] = c.sxlo[i];
            c.cxhi[j] = c.sxhi[i];
            c.cylo[j] = c.sylo[i];
            c.cyhi[j] = c.syhi[i];
        }
        const Seg side = f.sides[k];
        // A pair that certainly counts may count (sure_within's bounds lie
        // within may_fall_within's), so the mean of the two flags is 1, 0.5
        // or 0.
        for (int j = 0; j < nl; ++j) {
            const Division q =
                division(c.cm[j], c.cb[j], {c.cxlo[j], c.cxhi[j]}, {c.cylo[j], c.cyhi[j]}, side);
            const double sure = sure_count(q) ? 1.0 : 0.0;
            const double may = may_count(q) ? 1.0 : 0.0;
            c.outcome[j] = 0.5 * (sure + may);
        }
        for (int j = 0; j < nl; ++j) {
            const double certain = c.outcome[j] == 1.0 ? 1.0 : 0.0;
            const double open = c.outcome[j] == 0.5 ? kUndecided : 0.0;
            c.counted[list[j]] += certain + open;
        }
    }
}

// One pass of many points at once (the ray from each point to e), in the
// three sweeps above. k1[i] receives the count of the pass, or -1 where it
// is undecided (or the ray is not plain) and pass must count it.
void batch_pass(const Frame& f, const Point& e, const double* gx, const double* gy, int n, int* k1,
                BatchColumns& c) {
    if (!f.plain) {
        for (int i = 0; i < n; ++i) k1[i] = -1;
        return;
    }
    sweep_rays(f, e, gx, gy, n, c);
    sweep_screens(f, gx, gy, n, c);
    sweep_open_pairs(f, n, c);
    for (int i = 0; i < n; ++i) {
        const bool decided = (c.plain[i] != 0.0) & (c.counted[i] < kUndecided);
        k1[i] = decided ? static_cast<int>(c.counted[i]) : -1;
    }
}

// The number of points add_meeting_points(a, b) counts: the crossing decision
// itself, for the pairs no screen decides, with the boxes computed once.
int meet(const Seg& a, const Seg& b) {
    const double A[4] = {a.x1, a.y1, a.x2, a.y2};
    const double B[4] = {b.x1, b.y1, b.x2, b.y2};
    int n = 0;
    decide_crossing(A, B, [&](const Point& at) {
        const bool in =
            within(a.sx, at.x) && within(a.sy, at.y) && within(b.sx, at.x) && within(b.sy, at.y);
        n += in ? 1 : 0;
        return in;
    });
    return n;
}

// The count of one pass for one point, the ray from cp to e against the four
// sides, one side at a time: the scalar form of batch_pass, for the points it
// leaves undecided or whose ray is not plain. Every accepted meeting point
// counts (no saturation: docs/fast-search.md).
int pass(const Frame& f, const Point& cp, const Point& e) {
    // Boxes that cannot meet (docs/fast-search.md): the frame as a whole, then each side.
    if (!(static_cast<int>(may_share(span_of(cp.x, e.x, f.t), f.all_x)) &
          may_share(span_of(cp.y, e.y, f.t), f.all_y)))
        return 0;
    const RayLine r = ray_line(f, cp.x, cp.y, e);
    const bool plain = plain_ray(f, cp.x, e.x, r.sx, r.sy, r.m, r.b);
    const Seg ray = {cp.x, cp.y, e.x, e.y, r.sx, r.sy, cp.x == e.x, r.m, r.b};
    int n = 0;
    for (const Seg& side : f.sides) {
        if (!(static_cast<int>(may_share(r.sx, side.sx)) & may_share(r.sy, side.sy))) continue;
        if (plain && !side.vertical) {
            const Division q = division(r.m, r.b, r.sx, r.sy, side);
            if (!may_count(q)) continue;  // division skipped: docs/fast-search.md
            if (sure_count(q)) {          // sure inside: docs/fast-search.md
                ++n;
                continue;
            }
        }
        n += meet(ray, side);
    }
    return n;
}

void store(FoundPoint* found, int slot, const Point& p, const Text& text) {
    double dx = p.x - text.x;
    double dy = p.y - text.y;
    found[slot] = {p.x, p.y, std::sqrt(dx * dx + dy * dy)};
}

}  // namespace

}  // namespace dimcheck
