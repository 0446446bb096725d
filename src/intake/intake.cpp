#include "intake/intake.h"

#include <cstdio>
#include <cstring>

#include "control/fields.h"
#include "control/output.h"
#include "intake/consolidate.h"

namespace dimcheck {

namespace {

// Stores end_points[end_point_count] as a new end point. Chained dimensions repeat every shared
// point, so a table that fills up is first rid of its duplicates, and from then
// on a point already held is not stored again: the selection is read whole
// whenever its distinct points fit. True when they do not: the table is full.
bool add_point(Drawing& d, IntakeMemory& m) {
    if (m.duplicates_dropped)
        for (int i = 0; i < d.end_point_count; ++i)
            if (same_point(d.end_points[i], d.end_points[d.end_point_count])) return false;
    ++d.end_point_count;
    if (d.end_point_count < kEndPointLimit) return false;
    if (!m.duplicates_dropped) {
        d.end_point_count = remove_all_duplicates(d.end_points, d.end_point_count);
        m.duplicates_dropped = true;
    }
    return d.end_point_count >= kEndPointLimit;
}

// The first record of a kind is kept for the restore at the end; a first
// value that is itself the unseen mark leaves the copy open.
void capture(int& copy, int value) {
    if (copy == kUnseen) copy = value;
}

void store_text_kind(Drawing& d, const char* line) {
    if (line[2] == '0') {
        // Free-size kind with its own sizes.
        d.text_kind = 0;
        FieldReader f(from_column(line, 3));
        f.num(d.kind_widths[0]);
        f.num(d.kind_heights[0]);
        f.num(d.kind_spacings[0]);
        f.dec(d.kind_colours[0]);
        if (d.first.text_kind == kUnseen) {
            d.first.text_kind = 0;
            d.first.free_width = d.kind_widths[0];
            d.first.free_height = d.kind_heights[0];
            d.first.free_spacing = d.kind_spacings[0];
            d.first.free_colour = d.kind_colours[0];
        }
    } else {
        FieldReader(line + 2).dec(d.text_kind);
        capture(d.first.text_kind, d.text_kind);
    }
}

bool store_circle(Drawing& d, IntakeMemory& m, const char* line) {
    // Only full circles ("ci x y r"); arcs carry more fields.
    if (count_blanks(line + 2) != 3) return false;
    // A field that does not convert keeps the last circle's value.
    FieldReader f(line + 2);
    for (double& v : m.circle) f.num(v);
    if (!(m.circle[2] < 1.1 * d.scale)) return false;
    d.end_points[d.end_point_count] = {m.circle[0], m.circle[1]};
    return add_point(d, m);
}

void store_header(Drawing& d, const char* line) {
    if (line[1] == 's') {
        FieldReader f(from_column(line, 3));
        for (double& v : d.group_scales) f.num(v);
    } else if (line[1] == 'n') {
        FieldReader f(from_column(line, 3));
        for (double& v : d.selection_extent) f.num(v);
    } else if (line[1] == 'c' && (line[2] == 'w' || line[2] == 'h')) {
        // Widths and heights of the kinds 1 to 10. Their spacings and colours
        // ("hcd", "hcc") are never used: nothing reads them.
        double* table = line[2] == 'w' ? d.kind_widths : d.kind_heights;
        FieldReader f(from_column(line, 4));
        for (int k = 1; k <= 10; ++k) f.num(table[k]);
    }
}

void store_attribute(Drawing& d, IntakeMemory& m, const char* line) {
    FieldReader f(line + 2);
    switch (line[1]) {
    case 'g':
        f.hex(d.layer_group);
        capture(d.first.layer_group, d.layer_group);
        break;
    case 'y':
        f.hex(m.layer);
        capture(d.first.layer, m.layer);
        break;
    case 't':
        f.dec(m.line_type);
        capture(d.first.line_type, m.line_type);
        break;
    case 'c':
        f.dec(m.line_colour);
        capture(d.first.line_colour, m.line_colour);
        break;
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

bool read_record(Drawing& d, IntakeMemory& m, const char* line, Trace trace) {
    switch (line[0]) {
    case ' ': {
        // A field that does not convert keeps the last line record's value.
        FieldReader f(line + 1);
        for (double& v : m.line) f.num(v);
        return take_arrow_tip(d, m.stroke, m.line, trace) && add_point(d, m);
    }
    case '#':
        // The drawing scale is fixed at the first comment line, from the layer
        // group current there.
        if (!m.scale_fixed) {
            m.scale_fixed = true;
            d.scale = group_scale(d, d.layer_group);
            d.crossing_margin *= d.scale;
        }
        return false;
    case 'c':
        if (line[1] == 'n') {
            store_text_kind(d, line);
            return false;
        }
        if (line[1] == 'i') return store_circle(d, m, line);
        ++d.text_count;
        return false;
    case 'h': store_header(d, line); return false;
    case 'f':
        // "file=<path>": the drawing's name for the report; the first one counts.
        if (!m.named && std::strncmp(line, "file=", 5) == 0) {
            m.named = true;
            int n = static_cast<int>(std::strcspn(line + 5, "\r\n"));
            std::snprintf(d.name, sizeof d.name, "%.*s", n, line + 5);
        }
        return false;
    case 'l': store_attribute(d, m, line); return false;
    case 'p':
        if (line[1] == 'n') {
            FieldReader(line + 2).dec(m.point_kind);
            capture(d.first.point_kind, m.point_kind);
        } else if (line[1] == 't') {
            FieldReader f(line + 2);
            f.num(d.end_points[d.end_point_count].x);
            f.num(d.end_points[d.end_point_count].y);
            return add_point(d, m);
        }
        return false;
    default: return false;
    }
}

int read_selection(Drawing& d, Trace trace, std::FILE* err, const char* in_name,
                   const char* copy_name) {
    // Binary on every platform: Windows' text mode would end the selection at
    // a byte 0x1A and drop the CR of every line end, so that it would read
    // other bytes than the Linux program reads. Line ends are the reader's
    // business (a CR ends a text's body).
    std::FILE* in = std::fopen(in_name, "rb");
    if (in == nullptr) {
        say_cannot_open(err, in_name, true);
        return kIntakeFailed;
    }
    std::FILE* copy = std::fopen(copy_name, "wb");  // the lines read, byte for byte
    if (copy == nullptr) {
        std::fclose(in);
        say_cannot_open(err, copy_name, true);
        return kIntakeFailed;
    }

    IntakeMemory memory;
    char line[kLineBuf];
    int count = 0;
    while (count <= kLineLimit) {
        std::size_t n = read_line(in, line);
        if (n == 0) break;
        std::fwrite(line, 1, n, copy);
        ++count;
        if (read_record(d, memory, line, trace)) break;
    }
    // A read error is not the end of the selection: judging the part read
    // would write the result over the whole of it.
    if (std::ferror(in)) {
        std::fclose(in);
        std::fclose(copy);
        say_cannot_open(err, in_name, true);
        return kIntakeFailed;
    }
    if (trace.sums_up())
        std::fprintf(trace.out, "### TFILEcopy_Ten() xmax(%d) tenc(%d) mmax(%d)\n", count,
                     d.end_point_count, d.text_count);
    std::fputs("#\n", copy);
    std::fclose(in);

    // A working copy that did not reach the disk whole would be judged in
    // place of the selection: stop before the exchange file is touched.
    if (!close_whole(copy)) {
        say_cannot_write(err, copy_name);
        return kIntakeFailed;
    }
    return count;
}

}  // namespace dimcheck
