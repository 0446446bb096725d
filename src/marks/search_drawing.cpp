#include "marks/search_drawing.h"

#include "control/numbers.h"
#include "marks/marks.h"

namespace dimcheck {

void ResultDrawing::frame(const SearchFrame& f, SearchMode mode) {
    if (!trace_.draws()) return;
    for (int i = 1; i <= 4; ++i) write_point_record(result_, f.corners[i]);
    print_to(result_, "ch %f %f 30 0 \"%d\n", f.corners[4].x, f.corners[4].y,
             static_cast<int>(mode));
    write_point_record(result_, f.far_points[0]);
    print_to(result_, "# ## Pmin(%.1f , %.1f) \n", f.far_points[0].x, f.far_points[0].y);
}

void ResultDrawing::inside_test(const InsideTest& t) {
    if (!trace_.draws_triple_crossings()) return;
    for (int r = 0; r < 3; ++r) {
        for (const Meeting& m : t.meetings[r]) {
            if (!trace_.draws() || (m.p == 0 && m.q == 0)) continue;
            write_point_record(result_, m.at);
            print_to(result_, "# # p(%d) q(%d) kten(%.1f , %.1f)\n", m.p, m.q, m.at.x, m.at.y);
        }
        if (r == 0 && t.counts[0] == 3) {
            std::fputs("# KPcnt=3\n", result_);
            write_line_record(result_, t.first_ray);
        }
    }
}

}  // namespace dimcheck
