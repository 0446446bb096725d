// Removes exact duplicates from the end-point table in place. One pass keeps
// the first occurrence of every point and the order of the survivors; the
// entry that slides into a vacated slot is not compared again in the same
// row, so the driver repeats the pass until the count is stable.
#include <cstdio>
#include <cstring>

#include "intake/intake.h"

namespace dimcheck {

namespace {

bool same(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

bool vacated(const Point& p) { return p.x == kVacated && p.y == kVacated; }

// The comparison lines, "# i(%d) j(%d) k(%d)\n" and "# same i(%d) j(%d)
// k(%d)\n", made by hand and written in large blocks: a pass over 799 points
// prints some 319,000 of them, and formatting each through fprintf would cost
// more than all the comparisons.
class TraceLines {
public:
    explicit TraceLines(std::FILE* out) : out_(out) {}
    ~TraceLines() { flush(); }
    TraceLines(const TraceLines&) = delete;
    TraceLines& operator=(const TraceLines&) = delete;

    void line(const char* head, int i, int j, int k) {
        if (used_ > sizeof buf_ - kLongest) flush();
        text(head);
        text("i(");
        number(i);
        text(") j(");
        number(j);
        text(") k(");
        number(k);
        text(")\n");
    }

private:
    // "# same i(-2147483648) j(-2147483648) k(-2147483648)\n" and then some.
    static constexpr std::size_t kLongest = 64;

    void flush() {
        if (used_ != 0) std::fwrite(buf_, 1, used_, out_);
        used_ = 0;
    }
    void text(const char* t) {
        std::size_t n = std::strlen(t);
        std::memcpy(buf_ + used_, t, n);
        used_ += n;
    }
    // As %d: optional minus sign, then the digits.
    void number(int v) {
        unsigned long long u = v < 0 ? 0ull - static_cast<unsigned long long>(v)
                                     : static_cast<unsigned long long>(v);
        if (v < 0) buf_[used_++] = '-';
        char digits[24];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u != 0);
        while (n > 0) buf_[used_++] = digits[--n];
    }

    std::FILE* out_;
    char buf_[1 << 16];
    std::size_t used_ = 0;
};

}  // namespace

int TEN_DP(DrawingState& s, int n) {
    TraceLines trace(s.out);
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            trace.line("# ", i, j, n);
            if (same(s.TEN[j], s.TEN[i])) {
                trace.line("# same ", i, j, n);
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
