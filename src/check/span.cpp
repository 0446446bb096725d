#include "check/span.h"

#include <cmath>

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

// A text without direction is taken as written along x.
Axes axes_of(const Text& text) {
    double len = text.length();
    Axes a = {text.middle(), {text.x, text.y}, 1.0, 0.0};
    if (len != 0.0) {
        a.ux = text.dx / len;
        a.uy = text.dy / len;
    }
    return a;
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
    const double h = text_height(d, text.kind);
    const double up = (1.6 * h) * d.scale;
    const double down = (h * 0.7) * d.scale;
    const double side = (8.0 * h) * d.scale;
    for (int k = 0; k < d.end_point_count; ++k) {
        const Placed p = axes.place(d.end_points[k].x, d.end_points[k].y);
        if (p.across >= -down && p.across <= up && std::fabs(p.along) <= side) return true;
    }
    return false;
}

}  // namespace dimcheck
