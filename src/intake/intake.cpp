#include "intake/intake.h"

#include <cstdio>
#include <cstring>

#include "control/fields.h"

namespace dimcheck {

namespace {

bool same_point(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// Keeps the first of equal points, in their order; returns how many are left.
int remove_all_duplicates(Point* points, int n) {
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        bool seen = false;
        for (int k = 0; k < kept && !seen; ++k) seen = same_point(points[k], points[i]);
        if (!seen) points[kept++] = points[i];
    }
    return kept;
}

// Stores end_points[end_point_count] as a new end point. Chained dimensions repeat every shared
// point, so a table that fills up is first rid of its duplicates, and from then
// on a point already held is not stored again: the selection is read whole
// whenever its distinct points fit. -1 when they do not.
int add_point(DrawingState& s) {
    if (s.duplicates_dropped)
        for (int i = 0; i < s.end_point_count; ++i)
            if (same_point(s.end_points[i], s.end_points[s.end_point_count])) return 0;
    ++s.end_point_count;
    if (s.end_point_count < kEndPointLimit) return 0;
    if (!s.duplicates_dropped) {
        s.end_point_count = remove_all_duplicates(s.end_points, s.end_point_count);
        s.duplicates_dropped = true;
    }
    return s.end_point_count < kEndPointLimit ? 0 : -1;
}

// The first record of a kind is kept for the restore at the end; a first
// value that is itself the unseen mark leaves the copy open.
void capture(int& copy, int value) {
    if (copy == kUnseen) copy = value;
}

void store_text_kind(DrawingState& s, const char* line) {
    if (line[2] == '0') {
        // Free-size kind with its own sizes.
        s.text_kind = 0;
        FieldReader f(from_column(line, 3));
        f.num(s.kind_widths[0]);
        f.num(s.kind_heights[0]);
        f.num(s.kind_spacings[0]);
        f.dec(s.kind_colours[0]);
        if (s.first_text_kind == kUnseen) {
            s.first_text_kind = 0;
            s.first_free_width = s.kind_widths[0];
            s.first_free_height = s.kind_heights[0];
            s.first_free_spacing = s.kind_spacings[0];
            s.first_free_colour = s.kind_colours[0];
        }
    } else {
        FieldReader(line + 2).dec(s.text_kind);
        capture(s.first_text_kind, s.text_kind);
    }
}

int store_circle(DrawingState& s, const char* line) {
    // Only full circles ("ci x y r"); arcs carry more fields.
    if (count_blanks(line + 2) != 3) return 0;
    FieldReader f(line + 2);
    f.num(s.circle_x);
    f.num(s.circle_y);
    f.num(s.circle_r);
    if (!(s.circle_r < 1.1 * s.scale)) return 0;
    s.end_points[s.end_point_count].x = s.circle_x;
    s.end_points[s.end_point_count].y = s.circle_y;
    return add_point(s);
}

void store_header(DrawingState& s, const char* line) {
    if (line[1] == 's') {
        FieldReader f(from_column(line, 3));
        for (double& v : s.group_scales) f.num(v);
    } else if (line[1] == 'n') {
        FieldReader f(from_column(line, 3));
        for (double& v : s.selection_extent) f.num(v);
    } else if (line[1] == 'c' && (line[2] == 'w' || line[2] == 'h')) {
        // Widths and heights of the kinds 1 to 10. Their spacings and colours
        // ("hcd", "hcc") are never used: nothing reads them.
        double* table = line[2] == 'w' ? s.kind_widths : s.kind_heights;
        FieldReader f(from_column(line, 4));
        for (int k = 1; k <= 10; ++k) f.num(table[k]);
    }
}

void store_attribute(DrawingState& s, const char* line) {
    FieldReader f(line + 2);
    switch (line[1]) {
    case 'g': f.hex(s.layer_group); capture(s.first_layer_group, s.layer_group); break;
    case 'y': f.hex(s.layer); capture(s.first_layer, s.layer); break;
    case 't': f.dec(s.line_type); capture(s.first_line_type, s.line_type); break;
    case 'c': f.dec(s.line_colour); capture(s.first_line_colour, s.line_colour); break;
    default: break;
    }
}

}  // namespace

int count_blanks(const char* text) {
    int count = 0;
    for (int i = 0; i < kLineBuf; ++i) {
        char c = text[i];
        if (c == '\0' || c == '\r' || c == '\n') break;
        if (c == ' ') ++count;
    }
    return count;
}

int read_record(DrawingState& s, const char* line) {
    switch (line[0]) {
    case ' ': {
        FieldReader f(line + 1);
        f.num(s.line_x1);
        f.num(s.line_y1);
        f.num(s.line_x2);
        f.num(s.line_y2);
        return take_arrow_tip(s) == 1 ? add_point(s) : 0;
    }
    case '#':
        // The drawing scale is fixed at the first comment line, from the layer
        // group current there.
        if (!s.scale_fixed) {
            s.scale_fixed = true;
            s.scale = group_scale(s, s.layer_group);
            s.crossing_margin *= s.scale;
        }
        return 0;
    case 'c':
        if (line[1] == 'n') {
            store_text_kind(s, line);
            return 0;
        }
        if (line[1] == 'i') return store_circle(s, line);
        ++s.text_count;
        return 0;
    case 'h':
        store_header(s, line);
        return 0;
    case 'f':
        // "file=<path>": the drawing's name for the report; the first one counts.
        if (!s.drawing_named && std::strncmp(line, "file=", 5) == 0) {
            s.drawing_named = true;
            int n = static_cast<int>(std::strcspn(line + 5, "\r\n"));
            std::snprintf(s.drawing_name, sizeof s.drawing_name, "%.*s", n, line + 5);
        }
        return 0;
    case 'l':
        store_attribute(s, line);
        return 0;
    case 'p':
        if (line[1] == 'n') {
            FieldReader(line + 2).dec(s.point_kind);
            capture(s.first_point_kind, s.point_kind);
        } else if (line[1] == 't') {
            FieldReader f(line + 2);
            f.num(s.end_points[s.end_point_count].x);
            f.num(s.end_points[s.end_point_count].y);
            return add_point(s);
        }
        return 0;
    default:
        return 0;
    }
}

int read_selection(DrawingState& s, const char* in_name, const char* copy_name) {
    // Binary on every platform: Windows' text mode would end the selection at
    // a byte 0x1A and drop the CR of every line end, so that it would read
    // other bytes than the Linux program reads. Line ends are the reader's
    // business (a CR ends a text's body).
    std::FILE* in = std::fopen(in_name, "rb");
    if (in == nullptr) {
        std::fprintf(s.err, "Cannot open file: %s\n", in_name);
        return kIntakeFailed;
    }
    std::FILE* copy = std::fopen(copy_name, "wb");  // the lines read, byte for byte
    if (copy == nullptr) {
        std::fclose(in);
        std::fprintf(s.err, "Cannot open file: %s\n", copy_name);
        return kIntakeFailed;
    }

    char line[kLineBuf];
    int count = 0;
    while (count <= kLineLimit) {
        std::size_t n = read_line(in, line);
        if (n == 0) break;
        std::fwrite(line, 1, n, copy);
        ++count;
        if (read_record(s, line) == -1) break;
    }
    // A read error is not the end of the selection: judging the part read
    // would write the result over the whole of it.
    if (std::ferror(in)) {
        std::fclose(in);
        std::fclose(copy);
        std::fprintf(s.err, "Cannot open file: %s\n", in_name);
        return kIntakeFailed;
    }
    if (s.trace_level == 2)
        std::fprintf(s.out, "### TFILEcopy_Ten() xmax(%d) tenc(%d) mmax(%d)\n", count, s.end_point_count,
                     s.text_count);
    std::fputs("#\n", copy);
    std::fclose(in);

    // A working copy that did not reach the disk whole would be judged in
    // place of the selection: stop before the exchange file is touched.
    bool ok = std::ferror(copy) == 0;
    if (std::fclose(copy) != 0) ok = false;
    if (!ok) {
        std::fprintf(s.err, "Cannot write file: %s", copy_name);
        return kIntakeFailed;
    }
    return count;
}

}  // namespace dimcheck
