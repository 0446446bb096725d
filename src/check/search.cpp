// The end-point search lays a frame over the text, turned with it: centred on
// the middle of the base line, 0.75 search lengths to each side, from 0.7 text
// heights below the base line to 1.6 above it. Every end point inside it is
// taken with its distance from the text's start point.
#include <cmath>
#include <cstdio>

#include "check/check.h"
#include "check/fast_search.h"
#include "geometry/geometry.h"

namespace dimcheck {

int Search_Ten(DrawingState& s, double nagasa, int mode) {
    double mae = s.draft * nagasa;
    if (s.isTest == 2)
        std::fprintf(s.out, "# Search_Ten() nagasa(%.1f) draft(%.1f) mae(%.1f) ush(%.1f)\n",
                     nagasa, s.draft, mae, mae);

    double h = text_height(s, s.MOJIS);
    double up = (1.6 * h) * s.scale;
    double down = (h * 0.7) * s.scale;

    double len = std::sqrt(s.ChDX * s.ChDX + s.ChDY * s.ChDY);
    // A text without direction has no frame: it finds no end points.
    if (len == 0.0) return 0;
    s.mcos = s.ChDX / len;
    s.msin = s.ChDY / len;
    s.PTcnt = 4;

    double mx = s.ChX + s.ChDX * 0.5;
    double my = s.ChY + s.ChDY * 0.5;
    s.PT[1] = {mx - mae * s.mcos + down * s.msin, my - mae * s.msin - down * s.mcos};
    s.PT[2] = {mx + mae * s.mcos + down * s.msin, my + mae * s.msin - down * s.mcos};
    s.PT[3] = {mx + mae * s.mcos - up * s.msin, my + mae * s.msin + up * s.mcos};
    s.PT[4] = {mx - mae * s.mcos - up * s.msin, my - mae * s.msin + up * s.mcos};

    if (s.isTest == 1) {
        for (int i = 1; i <= 4; ++i) __TEN(s, &s.PT[i]);
        std::fprintf(s.fpw, "ch %f %f 30 0 \"%d\n", s.PT[4].x, s.PT[4].y, mode);
    }

    // The rays' far ends lie left of and below both the frame and the
    // selection's extent.
    double minx = s.PT[1].x;
    double miny = s.PT[1].y;
    for (int i = 2; i <= 4; ++i) {
        if (s.PT[i].x < minx) minx = s.PT[i].x;
        if (s.PT[i].y < miny) miny = s.PT[i].y;
    }
    if (s.HANI[0] < minx) minx = s.HANI[0];
    if (s.HANI[2] < minx) minx = s.HANI[2];
    if (s.HANI[1] < miny) miny = s.HANI[1];
    if (s.HANI[3] < miny) miny = s.HANI[3];

    double g = group_scale(s, s.GROUP);
    s.Pmin[0] = {minx - 50.0f * g, miny - 18.0f * g};
    s.Pmin[1] = {minx - 50.2 * g, miny - 18.0f * g};
    s.Pmin[2] = {minx - 50.4 * g, miny - 18.0f * g};

    if (s.isTest == 1) {
        __TEN(s, &s.Pmin[0]);
        std::fprintf(s.fpw, "# ## Pmin(%.1f , %.1f) \n", s.Pmin[0].x, s.Pmin[0].y);
    }
    return Get_Ten_Hanni(s);
}

int Get_Ten_Hanni(DrawingState& s) {
    // Without traces the shortcut finds the same points in the same order.
    if (s.isTest == 0 && fast_search()) return Get_Ten_Hanni_fast(s);
    return Get_Ten_Hanni_literal(s);
}

int Get_Ten_Hanni_literal(DrawingState& s) {
    int count = 0;
    for (int k = 0; k < s.tenc; ++k) {
        const Point& p = s.TEN[k];
        double seg[4];
        __T2_LN(&p, &p, seg);
        if (Sen_inside(s, seg) != 1) continue;
        double dx = p.x - s.ChX;
        double dy = p.y - s.ChY;
        s.STEN[count] = {p.x, p.y, std::sqrt(dx * dx + dy * dy)};
        if (count <= kStenCounted - 1) ++count;
    }
    if (s.isTest == 2) std::fprintf(s.out, "# Get_Ten_Hanni() j(%d)/tenc(%d)\n", count, s.tenc);
    return count;
}

}  // namespace dimcheck
