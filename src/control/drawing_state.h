// The drawing state: every table and scalar that the stages of one run share.
// One instance lives for one run; nothing is allocated while it runs.
#pragma once

#include <cstdio>

namespace dimcheck {

struct Point {
    double x;
    double y;
};

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

struct DrawingState {
    // Run settings.
    int trace_level = 0;         // -t
    double magnification = 1.0;  // -b: a value read is multiplied by it
    bool explain = false;  // -e: say beside every triangle and cross why
    bool report = false;   // -r: list every text in the report
    bool leave_notes_out = false;  // -n: judge only texts written like a value
    // The drawing's file name, Shift-JIS bytes without the line end, from the
    // first line "file=<path>" (the host writes one when asked to); empty
    // without such a line. Only the report shows it.
    char drawing_name[kLineBuf] = {};
    bool drawing_named = false;

    // Intake results.
    Point end_points[kEndPointSlots] = {};  // dimension end points: points, small circles, arrow tips
    int end_point_count = 0;
    bool duplicates_dropped = false;  // the table once filled up: it holds no point twice
    int text_count = 0;             // text records, judged or not
    double group_scales[16] = {};   // the scale of each layer group
    double scale = 0.0;             // the drawing scale, from the layer group current at the first comment
    // Widens the boxes of the crossing test by crossing_margin / 100; multiplied by the scale once fixed.
    double crossing_margin = 0.00025;
    bool scale_fixed = false;  // set at the first comment line, which fixes the scale
    double selection_extent[4] = {};  // x1, y1, x2, y2 of the selection (record "hn")
    int text_kind = 0;                // the current text kind (record "cn")
    // Character width, height, spacing and colour of each text kind; kind 0 is the free size.
    double kind_widths[16] = {};
    double kind_heights[16] = {};
    double kind_spacings[16] = {};
    int kind_colours[16] = {};
    // The current drawing attributes: records "lg", "ly", "lt", "lc" and "pn".
    int layer_group = 0;
    int layer = 0;
    int line_type = 0;
    int line_colour = 0;
    int point_kind = 0;
    // The line record just read.
    double line_x1 = 0.0, line_y1 = 0.0, line_x2 = 0.0, line_y2 = 0.0;

    // The last small full circle the intake read.
    double circle_x = 0.0, circle_y = 0.0, circle_r = 0.0;

    // Arrow recognition: the last stroke of arrowhead length and its squared length.
    double stroke_x1 = 0.0, stroke_y1 = 0.0, stroke_x2 = 0.0, stroke_y2 = 0.0;
    double stroke_len2 = 0.0;

    // First-seen copies of the drawing attributes, restored at the end.
    int first_line_colour = kUnseen;
    int first_line_type = kUnseen;
    int first_layer = kUnseen;
    int first_layer_group = kUnseen;
    int first_point_kind = kUnseen;
    int first_text_kind = kUnseen;
    double first_free_width = -20.0;
    double first_free_height = 20.0;
    double first_free_spacing = 20.0;
    int first_free_colour = kUnseen;

    // Current text record (second pass): its keyword ("ch", "cr" ...), start
    // point, base-line vector and body, and the characters of the body that
    // make its value, brought to half-width.
    char text_keyword[4] = {};
    double text_x = 0.0, text_y = 0.0, text_dx = 0.0, text_dy = 0.0;
    char text_body[kLineBuf] = {};
    char value_text[65] = {};

    // Search and verdict state.
    FoundPoint found_points[kFoundSlots] = {};  // the end points in the search frame
    Point frame_corners[6] = {};  // the search frame: corners 1 to frame_corner_count
    int frame_corner_count = 4;
    Point far_points[3] = {};     // the far ends of the three rays of the inside test
    int crossing_count = 1;       // meeting points counted along the last ray
    double frame_reach = 0.75;    // the frame reaches this many search lengths to each side
    double tolerance = 0.51;      // of the current value, in coordinate units
    double text_cos = 0.0, text_sin = 0.0;  // the direction of the current text

    // What the verdict of the current text read and found, for the
    // explanation and the report. compare_pair keeps the compared length closest
    // to the value (the first of equally close ones).
    double value = 0.0;    // the value read, in coordinate units
    int found = 0;         // end points found
    int pairs = 0;         // pairs compared
    double closest = 0.0;  // valid when pairs > 0
    int decimals = 0;      // digits written after the point
    bool commas = false;   // thousands separators written
    bool metres = false;   // the value was multiplied by 1000 for its M

    // Output.
    FILE* result_file = nullptr;   // the result file
    FILE* working_file = nullptr;  // the working copy in the second pass
    FILE* report_file = nullptr;   // the report, while it is written
    int circle_count = 0;    // marks drawn: double circles and circles (good)
    int triangle_count = 0;  // triangles (needs checking)
    int cross_count = 0;     // crosses (wrong)

    // Where traces and messages go; tests point these at files of their own.
    FILE* out = stdout;
    FILE* err = stderr;
};

// Scale of a layer group; a group outside the table reads 0.0.
double group_scale(const DrawingState& s, int group);
// Sizes and colour of a text kind; a kind outside the table reads zero.
double text_width(const DrawingState& s, int kind);
double text_height(const DrawingState& s, int kind);
double text_spacing(const DrawingState& s, int kind);
int text_colour(const DrawingState& s, int kind);

}  // namespace dimcheck
