// The end-point search lays a frame over the text, turned with it: centred on
// the middle of the base line, 0.75 search lengths to each side, from 0.7 text
// heights below the base line to 1.6 above it. Every end point inside it is
// taken with its distance from the text's start point.
#include "check/search.h"

#include <cmath>
#include <cstdio>

#include "check/fast_search.h"
#include "control/numbers.h"

namespace dimcheck {

namespace {

// The frame reaches this many search lengths to each side.
constexpr double kFrameReach = 0.75;

}  // namespace

FrameHeights frame_heights(const Drawing& d, const Text& text) {
    double h = text_height(d, text.kind);
    return {(1.6 * h) * d.scale, (h * 0.7) * d.scale};
}

bool lay_frame(const Drawing& d, const Text& text, double search_length, SearchFrame& f) {
    f.margin = d.crossing_margin;
    double reach = kFrameReach * search_length;
    const FrameHeights heights = frame_heights(d, text);
    const double up = heights.up;
    const double down = heights.down;

    double len = text.length();
    if (len == 0.0) return false;
    double c = text.dx / len;
    double s = text.dy / len;

    Point m = text.middle();
    f.corners[1] = {m.x - reach * c + down * s, m.y - reach * s - down * c};
    f.corners[2] = {m.x + reach * c + down * s, m.y + reach * s - down * c};
    f.corners[3] = {m.x + reach * c - up * s, m.y + reach * s + up * c};
    f.corners[4] = {m.x - reach * c - up * s, m.y - reach * s + up * c};

    // The rays' far ends lie left of and below both the frame and the
    // selection's extent.
    double minx = f.corners[1].x;
    double miny = f.corners[1].y;
    for (int i = 2; i <= 4; ++i) {
        if (f.corners[i].x < minx) minx = f.corners[i].x;
        if (f.corners[i].y < miny) miny = f.corners[i].y;
    }
    if (d.selection_extent[0] < minx) minx = d.selection_extent[0];
    if (d.selection_extent[2] < minx) minx = d.selection_extent[2];
    if (d.selection_extent[1] < miny) miny = d.selection_extent[1];
    if (d.selection_extent[3] < miny) miny = d.selection_extent[3];

    double g = group_scale(d, d.layer_group);
    f.far_points[0] = {minx - 50.0f * g, miny - 18.0f * g};
    f.far_points[1] = {minx - 50.2 * g, miny - 18.0f * g};
    f.far_points[2] = {minx - 50.4 * g, miny - 18.0f * g};
    return true;
}

int search_end_points(const Drawing& d, const EndPointIndex* index, const Text& text,
                      double search_length, SearchMode mode, FoundPoint* found,
                      const JudgingSinks& sinks) {
    double reach = kFrameReach * search_length;
    if (sinks.trace.sums_up())
        print_to(sinks.trace.out, "# Search_Ten() nagasa(%.1f) draft(%.1f) mae(%.1f) ush(%.1f)\n",
                 search_length, kFrameReach, reach, reach);

    SearchFrame f;
    if (!lay_frame(d, text, search_length, f)) return 0;
    if (sinks.drawing != nullptr) sinks.drawing->frame(f, mode);
    return points_in_frame(d, index, f, text, found, sinks);
}

int points_in_frame(const Drawing& d, const EndPointIndex* index, const SearchFrame& frame,
                    const Text& text, FoundPoint* found, const JudgingSinks& sinks) {
    // The driver builds an index only for runs without traces; the shortcut
    // finds the same points in the same order.
    if (index != nullptr) return points_in_frame_fast(d, *index, frame, text, found);
    return points_in_frame_literal(d, frame, text, found, sinks);
}

int points_in_frame_literal(const Drawing& d, const SearchFrame& frame, const Text& text,
                            FoundPoint* found, const JudgingSinks& sinks) {
    int count = 0;
    for (int k = 0; k < d.end_point_count; ++k) {
        const Point& p = d.end_points[k];
        double seg[4];
        make_segment(&p, &p, seg);
        const InsideTest t = inside_frame(frame, seg, sinks.trace);
        if (sinks.drawing != nullptr) sinks.drawing->inside_test(t);
        if (!t.inside()) continue;
        double dx = p.x - text.x;
        double dy = p.y - text.y;
        found[count] = {p.x, p.y, std::sqrt(dx * dx + dy * dy)};
        if (count <= kFoundCounted - 1) ++count;
    }
    if (sinks.trace.sums_up())
        std::fprintf(sinks.trace.out, "# Get_Ten_Hanni() j(%d)/tenc(%d)\n", count,
                     d.end_point_count);
    return count;
}

}  // namespace dimcheck
