// The end-point search lays a frame over the text, turned with it: centred on
// the middle of the base line, 0.75 search lengths to each side, from 0.7 text
// heights below the base line to 1.6 above it. Every end point inside it is
// taken with its distance from the text's start point.
#include <cmath>
#include <cstdio>

#include "check/check.h"
#include "check/fast_search.h"
#include "control/numbers.h"
#include "geometry/geometry.h"

namespace dimcheck {

int search_end_points(DrawingState& s, double search_length, int mode) {
    double reach = s.frame_reach * search_length;
    if (s.trace_level == 2)
        print_to(s.out, "# Search_Ten() nagasa(%.1f) draft(%.1f) mae(%.1f) ush(%.1f)\n",
                     search_length, s.frame_reach, reach, reach);

    double h = text_height(s, s.text_kind);
    double up = (1.6 * h) * s.scale;
    double down = (h * 0.7) * s.scale;

    double len = std::sqrt(s.text_dx * s.text_dx + s.text_dy * s.text_dy);
    // A text without direction has no frame: it finds no end points.
    if (len == 0.0) return 0;
    s.text_cos = s.text_dx / len;
    s.text_sin = s.text_dy / len;
    s.frame_corner_count = 4;

    double mx = s.text_x + s.text_dx * 0.5;
    double my = s.text_y + s.text_dy * 0.5;
    s.frame_corners[1] = {mx - reach * s.text_cos + down * s.text_sin, my - reach * s.text_sin - down * s.text_cos};
    s.frame_corners[2] = {mx + reach * s.text_cos + down * s.text_sin, my + reach * s.text_sin - down * s.text_cos};
    s.frame_corners[3] = {mx + reach * s.text_cos - up * s.text_sin, my + reach * s.text_sin + up * s.text_cos};
    s.frame_corners[4] = {mx - reach * s.text_cos - up * s.text_sin, my - reach * s.text_sin + up * s.text_cos};

    if (s.trace_level == 1) {
        for (int i = 1; i <= 4; ++i) write_point_record(s, &s.frame_corners[i]);
        print_to(s.result_file, "ch %f %f 30 0 \"%d\n", s.frame_corners[4].x, s.frame_corners[4].y, mode);
    }

    // The rays' far ends lie left of and below both the frame and the
    // selection's extent.
    double minx = s.frame_corners[1].x;
    double miny = s.frame_corners[1].y;
    for (int i = 2; i <= 4; ++i) {
        if (s.frame_corners[i].x < minx) minx = s.frame_corners[i].x;
        if (s.frame_corners[i].y < miny) miny = s.frame_corners[i].y;
    }
    if (s.selection_extent[0] < minx) minx = s.selection_extent[0];
    if (s.selection_extent[2] < minx) minx = s.selection_extent[2];
    if (s.selection_extent[1] < miny) miny = s.selection_extent[1];
    if (s.selection_extent[3] < miny) miny = s.selection_extent[3];

    double g = group_scale(s, s.layer_group);
    s.far_points[0] = {minx - 50.0f * g, miny - 18.0f * g};
    s.far_points[1] = {minx - 50.2 * g, miny - 18.0f * g};
    s.far_points[2] = {minx - 50.4 * g, miny - 18.0f * g};

    if (s.trace_level == 1) {
        write_point_record(s, &s.far_points[0]);
        print_to(s.result_file, "# ## Pmin(%.1f , %.1f) \n", s.far_points[0].x, s.far_points[0].y);
    }
    return points_in_frame(s);
}

int points_in_frame(DrawingState& s) {
    // Without traces the shortcut finds the same points in the same order.
    if (s.trace_level == 0 && fast_search()) return points_in_frame_fast(s);
    return points_in_frame_literal(s);
}

int points_in_frame_literal(DrawingState& s) {
    int count = 0;
    for (int k = 0; k < s.end_point_count; ++k) {
        const Point& p = s.end_points[k];
        double seg[4];
        make_segment(&p, &p, seg);
        if (inside_frame(s, seg) != 1) continue;
        double dx = p.x - s.text_x;
        double dy = p.y - s.text_y;
        s.found_points[count] = {p.x, p.y, std::sqrt(dx * dx + dy * dy)};
        if (count <= kFoundCounted - 1) ++count;
    }
    if (s.trace_level == 2) std::fprintf(s.out, "# Get_Ten_Hanni() j(%d)/tenc(%d)\n", count, s.end_point_count);
    return count;
}

}  // namespace dimcheck
