// Removes exact duplicates from the end-point table in place. One pass keeps
// the first occurrence of every point and the order of the survivors; the
// entry that slides into a vacated slot is not compared again in the same
// row, so consolidate repeats the pass until the count is stable.
#include <cstdio>
#include <cstring>

#include "control/numbers.h"
#include "intake/consolidate.h"

namespace dimcheck {

int remove_all_duplicates(Point* points, int n) {
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        bool seen = false;
        for (int k = 0; k < kept && !seen; ++k) seen = same_point(points[k], points[i]);
        if (!seen) points[kept++] = points[i];
    }
    return kept;
}

namespace {

bool vacated(const Point& p) { return p.x == kVacated && p.y == kVacated; }

// The comparison lines, "# i(%d) j(%d) k(%d)\n" and "# same i(%d) j(%d)
// k(%d)\n", made by hand and written in large blocks: a pass over 799 points
// prints some 319,000 of them, and formatting each through fprintf would cost
// more than all the comparisons. Within a row only j changes, so the text
// before it and the text after it are made once per row.
class TraceLines {
public:
    explicit TraceLines(std::FILE* out) : out_(out) {}
    ~TraceLines() { flush(); }
    TraceLines(const TraceLines&) = delete;
    TraceLines& operator=(const TraceLines&) = delete;

    // Starts the lines of row i in a pass over n points.
    void row(int i, int n) {
        head_ = 0;
        put(head_text_, head_, "i(");
        number(head_text_, head_, i);
        put(head_text_, head_, ") j(");
        tail_ = 0;
        put(tail_text_, tail_, ") k(");
        number(tail_text_, tail_, n);
        put(tail_text_, tail_, ")\n");
    }

    void line(bool same, int j) {
        if (used_ > sizeof buf_ - kLongest) flush();
        put(buf_, used_, same ? "# same " : "# ");
        std::memcpy(buf_ + used_, head_text_, head_);
        used_ += head_;
        number(buf_, used_, j);
        std::memcpy(buf_ + used_, tail_text_, tail_);
        used_ += tail_;
    }

private:
    // "# same i(2147483647) j(2147483647) k(2147483647)\n" and then some.
    static constexpr std::size_t kLongest = 64;

    void flush() {
        if (used_ != 0) std::fwrite(buf_, 1, used_, out_);
        used_ = 0;
    }
    static void put(char* to, std::size_t& at, const char* t) {
        std::size_t n = std::strlen(t);
        std::memcpy(to + at, t, n);
        at += n;
    }
    // As %d for the counts of a pass, which are never negative.
    static void number(char* to, std::size_t& at, int v) {
        at += static_cast<std::size_t>(put_digits(to + at, static_cast<unsigned>(v)));
    }

    std::FILE* out_;
    char head_text_[32];
    std::size_t head_ = 0;
    char tail_text_[32];
    std::size_t tail_ = 0;
    char buf_[1 << 16];
    std::size_t used_ = 0;
};

}  // namespace

int consolidation_pass(Drawing& d, int n, std::FILE* trace_out) {
    TraceLines trace(trace_out);
    Point* points = d.end_points;
    for (int i = 0; i < n - 1; ++i) {
        trace.row(i, n);
        for (int j = i + 1; j < n; ++j) {
            trace.line(false, j);
            if (same_point(points[j], points[i])) {
                trace.line(true, j);
                for (int k = j; k < n - 1; ++k) points[k] = points[k + 1];
                points[n - 1].x = kVacated;
                points[n - 1].y = kVacated;
            }
        }
        if (vacated(points[i + 1])) return i + 1;
    }
    return n;
}

void consolidate(Drawing& d, Trace trace) {
    int previous = -1;
    int passes = 0;
    for (int left = 10; left > 0 && d.end_point_count != previous; --left) {
        previous = d.end_point_count;
        d.end_point_count = consolidation_pass(d, d.end_point_count, trace.out);
        ++passes;
    }
    if (trace.sums_up())
        std::fprintf(trace.out, "# TEN_DP()  tenc(%d) duplication(%d)\n", d.end_point_count,
                     passes - 1);
}

}  // namespace dimcheck
