#include "control/state.h"

namespace dimcheck {

static bool in_table(int index) { return index >= 0 && index < 16; }

double group_scale(const DrawingState& s, int group) {
    return in_table(group) ? s.G_SCALE[group] : 0.0;
}

double text_width(const DrawingState& s, int kind) {
    return in_table(kind) ? s.MOJI_W[kind] : 0.0;
}

double text_height(const DrawingState& s, int kind) {
    return in_table(kind) ? s.MOJI_H[kind] : 0.0;
}

double text_spacing(const DrawingState& s, int kind) {
    return in_table(kind) ? s.MOJI_D[kind] : 0.0;
}

int text_colour(const DrawingState& s, int kind) {
    return in_table(kind) ? s.MOJI_C[kind] : 0;
}

}  // namespace dimcheck
