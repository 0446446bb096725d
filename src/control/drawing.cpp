#include "control/drawing.h"

namespace dimcheck {

static bool in_table(int index) { return index >= 0 && index < 16; }

double group_scale(const Drawing& d, int group) {
    return in_table(group) ? d.group_scales[group] : 0.0;
}

double text_width(const Drawing& d, int kind) { return in_table(kind) ? d.kind_widths[kind] : 0.0; }

double text_height(const Drawing& d, int kind) {
    return in_table(kind) ? d.kind_heights[kind] : 0.0;
}

}  // namespace dimcheck
