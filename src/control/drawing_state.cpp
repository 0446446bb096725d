#include "control/drawing_state.h"

namespace dimcheck {

static bool in_table(int index) { return index >= 0 && index < 16; }

double group_scale(const DrawingState& s, int group) {
    return in_table(group) ? s.group_scales[group] : 0.0;
}

double text_width(const DrawingState& s, int kind) {
    return in_table(kind) ? s.kind_widths[kind] : 0.0;
}

double text_height(const DrawingState& s, int kind) {
    return in_table(kind) ? s.kind_heights[kind] : 0.0;
}

double text_spacing(const DrawingState& s, int kind) {
    return in_table(kind) ? s.kind_spacings[kind] : 0.0;
}

int text_colour(const DrawingState& s, int kind) {
    return in_table(kind) ? s.kind_colours[kind] : 0;
}

}  // namespace dimcheck
