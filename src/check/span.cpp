#include "check/span.h"

#include <cmath>

#include "check/search.h"

namespace dimcheck {

namespace {

// A point in the text's own axes: along its direction from its middle, and
// across it from its base line (positive on its upper side).
struct Placed {
    double along;
    double across;
};

struct Axes {
    Point middle;
    Point start;
    double ux;
    double uy;

    Placed place(double x, double y) const {
        return {(x - middle.x) * ux + (y - middle.y) * uy, (y - start.y) * ux - (x - start.x) * uy};
    }
};

Axes axes_of(const Text& text) {
    const Point u = text.direction();
    return {text.middle(), {text.x, text.y}, u.x, u.y};
}

}  // namespace

std::optional<double> own_span(const Drawing& d, const Text& text, const FoundPoint* found, int n) {
    const Axes axes = axes_of(text);
    double nearest = INFINITY;
    for (int i = 0; i < n; ++i)
        nearest = std::fmin(nearest, std::fabs(axes.place(found[i].x, found[i].y).across));
    const double reach = nearest + 0.25 * text_height(d, text.kind) * d.scale;

    double before = -INFINITY;  // the nearest point behind the middle, along the text
    double after = INFINITY;    // and ahead of it
    for (int i = 0; i < n; ++i) {
        const Placed p = axes.place(found[i].x, found[i].y);
        if (!(std::fabs(p.across) <= reach)) continue;
        if (p.along < 0.0 && p.along > before) before = p.along;
        if (p.along > 0.0 && p.along < after) after = p.along;
    }
    if (std::isinf(before) || std::isinf(after)) return std::nullopt;
    return after - before;
}

bool end_point_along_line(const Drawing& d, const Text& text) {
    const Axes axes = axes_of(text);
    const FrameHeights band = frame_heights(d, text);
    const double side = (8.0 * text_height(d, text.kind)) * d.scale;
    for (int k = 0; k < d.end_point_count; ++k) {
        const Placed p = axes.place(d.end_points[k].x, d.end_points[k].y);
        if (p.across >= -band.down && p.across <= band.up && std::fabs(p.along) <= side)
            return true;
    }
    return false;
}

}  // namespace dimcheck
