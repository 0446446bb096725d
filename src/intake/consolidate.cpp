// Removes exact duplicates from the end-point table in place. One pass keeps
// the first occurrence of every point and the order of the survivors; the
// entry that slides into a vacated slot is not compared again in the same
// row, so the driver repeats the pass until the count is stable.
#include <cstdio>

#include "intake/intake.h"

namespace dimcheck {

namespace {

bool same(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

bool vacated(const Point& p) { return p.x == kVacated && p.y == kVacated; }

}  // namespace

int TEN_DP(DrawingState& s, int n) {
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            std::fprintf(s.out, "# i(%d) j(%d) k(%d)\n", i, j, n);
            if (same(s.TEN[j], s.TEN[i])) {
                std::fprintf(s.out, "# same i(%d) j(%d) k(%d)\n", i, j, n);
                for (int k = j; k < n - 1; ++k) s.TEN[k] = s.TEN[k + 1];
                s.TEN[n - 1].x = kVacated;
                s.TEN[n - 1].y = kVacated;
            }
        }
        if (vacated(s.TEN[i + 1])) return i + 1;
    }
    return n;
}

}  // namespace dimcheck
