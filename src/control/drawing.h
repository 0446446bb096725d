// The drawing as the intake reads it from the host's selection: the end
// points, the scales, the selection's extent, the text kinds and the
// attributes the selection starts with. Once its duplicate end points are
// removed nothing changes it: every later stage reads it only.
#pragma once

namespace dimcheck {

struct Point {
    double x;
    double y;
};

// Whether two points are the same, coordinate for coordinate (a NaN is never
// the same as anything).
inline bool same_point(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// One selected end point with its distance from the text's start point.
struct FoundPoint {
    double x;
    double y;
    double distance;
};

// Marks a slot of end_points that consolidation has emptied (-2^31 / 10000).
constexpr double kVacated = -214748.3648;
// A first-seen copy that still holds this value has not been captured yet.
constexpr int kUnseen = 20;

// Slots of the end-point table, one more than the limit.
constexpr int kEndPointSlots = 801;
constexpr int kEndPointLimit = 800;  // the intake stops when as many distinct points are read
constexpr int kLineLimit = 50000;    // lines of a selection
// Slots for the end points found around one text; at most kFoundCounted are counted.
constexpr int kFoundSlots = 41;
constexpr int kFoundCounted = 39;
constexpr int kBodyMax = 250;  // bytes of a text body taken from its record
constexpr int kLineBuf = 512;  // a line is read in pieces of at most 511 bytes

// The drawing attributes the selection starts with: the first record of each
// kind, restored at the end of the result.
struct FirstSeen {
    int line_colour = kUnseen;
    int line_type = kUnseen;
    int layer = kUnseen;
    int layer_group = kUnseen;
    int point_kind = kUnseen;
    int text_kind = kUnseen;
    // Sizes and colour of the free-size kind when the first text kind is 0.
    double free_width = -20.0;
    double free_height = 20.0;
    double free_spacing = 20.0;
    int free_colour = kUnseen;
};

struct Drawing {
    // Dimension end points: points, small circles, arrow tips.
    Point end_points[kEndPointSlots] = {};
    int end_point_count = 0;
    int text_count = 0;            // text records, judged or not
    double group_scales[16] = {};  // the scale of each layer group
    double scale = 0.0;  // the drawing scale, from the layer group current at the first comment
    // Widens the boxes of the crossing test by crossing_margin / 100; multiplied by the scale once
    // fixed.
    double crossing_margin = 0.00025;
    double selection_extent[4] = {};  // x1, y1, x2, y2 of the selection (record "hn")
    // The layer group current at the end of the selection: its scale places
    // the far points of the inside test.
    int layer_group = 0;
    // The text kind current at the end of the selection (record "cn"): the
    // second pass starts with it.
    int text_kind = 0;
    // Character width, height, spacing and colour of each text kind; kind 0 is the free size.
    double kind_widths[16] = {};
    double kind_heights[16] = {};
    double kind_spacings[16] = {};
    int kind_colours[16] = {};
    FirstSeen first;
    // The drawing's file name, Shift-JIS bytes without the line end, from the
    // first line "file=<path>" (the host writes one when asked to); empty
    // without such a line. Only the report shows it.
    char name[kLineBuf] = {};
};

// Scale of a layer group; a group outside the table reads 0.0.
double group_scale(const Drawing& d, int group);
// Character width and height of a text kind; a kind outside the table reads zero.
double text_width(const Drawing& d, int kind);
double text_height(const Drawing& d, int kind);

}  // namespace dimcheck
