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

// Stores TEN[tenc] as a new end point. Chained dimensions repeat every shared
// point, so a table that fills up is first rid of its duplicates, and from then
// on a point already held is not stored again: the selection is read whole
// whenever its distinct points fit. -1 when they do not.
int add_point(DrawingState& s) {
    if (s.duplicates_dropped)
        for (int i = 0; i < s.tenc; ++i)
            if (same_point(s.TEN[i], s.TEN[s.tenc])) return 0;
    ++s.tenc;
    if (s.tenc < kTenLimit) return 0;
    if (!s.duplicates_dropped) {
        s.tenc = remove_all_duplicates(s.TEN, s.tenc);
        s.duplicates_dropped = true;
    }
    return s.tenc < kTenLimit ? 0 : -1;
}

// The first record of a kind is kept for the restore at the end; a first
// value that is itself the unseen mark leaves the copy open.
void capture(int& copy, int value) {
    if (copy == kUnseen) copy = value;
}

void store_text_kind(DrawingState& s, const char* line) {
    if (line[2] == '0') {
        // Free-size kind with its own sizes.
        s.MOJIS = 0;
        FieldReader f(from_column(line, 3));
        f.num(s.MOJI_W[0]);
        f.num(s.MOJI_H[0]);
        f.num(s.MOJI_D[0]);
        f.dec(s.MOJI_C[0]);
        if (s.MOJISi == kUnseen) {
            s.MOJISi = 0;
            s.MOJIWi = s.MOJI_W[0];
            s.MOJIHi = s.MOJI_H[0];
            s.MOJIDi = s.MOJI_D[0];
            s.MOJICi = s.MOJI_C[0];
        }
    } else {
        FieldReader(line + 2).dec(s.MOJIS);
        capture(s.MOJISi, s.MOJIS);
    }
}

int store_circle(DrawingState& s, const char* line) {
    // Only full circles ("ci x y r"); arcs carry more fields.
    if (__SPCNT(line + 2) != 3) return 0;
    FieldReader f(line + 2);
    f.num(s.CX);
    f.num(s.CY);
    f.num(s.CR);
    if (!(s.CR < 1.1 * s.scale)) return 0;
    s.TEN[s.tenc].x = s.CX;
    s.TEN[s.tenc].y = s.CY;
    return add_point(s);
}

void store_header(DrawingState& s, const char* line) {
    if (line[1] == 's') {
        FieldReader f(from_column(line, 3));
        for (double& v : s.G_SCALE) f.num(v);
    } else if (line[1] == 'n') {
        FieldReader f(from_column(line, 3));
        for (double& v : s.HANI) f.num(v);
    } else if (line[1] == 'c' && (line[2] == 'w' || line[2] == 'h')) {
        // Widths and heights of the kinds 1 to 10. Their spacings and colours
        // ("hcd", "hcc") are never used: nothing reads them.
        double* table = line[2] == 'w' ? s.MOJI_W : s.MOJI_H;
        FieldReader f(from_column(line, 4));
        for (int k = 1; k <= 10; ++k) f.num(table[k]);
    }
}

void store_attribute(DrawingState& s, const char* line) {
    FieldReader f(line + 2);
    switch (line[1]) {
    case 'g': f.hex(s.GROUP); capture(s.GROUPi, s.GROUP); break;
    case 'y': f.hex(s.LAYER); capture(s.LAYERi, s.LAYER); break;
    case 't': f.dec(s.TYPE); capture(s.TYPEi, s.TYPE); break;
    case 'c': f.dec(s.COLOR); capture(s.COLORi, s.COLOR); break;
    default: break;
    }
}

}  // namespace

int __SPCNT(const char* text) {
    int count = 0;
    for (int i = 0; i < kLineBuf; ++i) {
        char c = text[i];
        if (c == '\0' || c == '\r' || c == '\n') break;
        if (c == ' ') ++count;
    }
    return count;
}

int Ten_Store(DrawingState& s, const char* line) {
    switch (line[0]) {
    case ' ': {
        FieldReader f(line + 1);
        f.num(s.ILINEx1);
        f.num(s.ILINEy1);
        f.num(s.ILINEx2);
        f.num(s.ILINEy2);
        return Yaji(s) == 1 ? add_point(s) : 0;
    }
    case '#':
        // The drawing scale is fixed at the first comment line, from the layer
        // group current there.
        if (s.PH == 20) {
            s.PH = 0;
            s.scale = group_scale(s, s.GROUP);
            s.gomi *= s.scale;
        }
        return 0;
    case 'c':
        if (line[1] == 'n') {
            store_text_kind(s, line);
            return 0;
        }
        if (line[1] == 'i') return store_circle(s, line);
        ++s.mmax;
        return 0;
    case 'h':
        store_header(s, line);
        return 0;
    case 'f':
        // "file=<path>": the drawing's name for the report; the first one counts.
        if (!s.drawing_named && std::strncmp(line, "file=", 5) == 0) {
            s.drawing_named = true;
            int n = static_cast<int>(std::strcspn(line + 5, "\r\n"));
            std::snprintf(s.drawing, sizeof s.drawing, "%.*s", n, line + 5);
        }
        return 0;
    case 'l':
        store_attribute(s, line);
        return 0;
    case 'p':
        if (line[1] == 'n') {
            FieldReader(line + 2).dec(s.TENS);
            capture(s.TENSi, s.TENS);
        } else if (line[1] == 't') {
            FieldReader f(line + 2);
            f.num(s.TEN[s.tenc].x);
            f.num(s.TEN[s.tenc].y);
            return add_point(s);
        }
        return 0;
    default:
        return 0;
    }
}

int TFILEcopy_Ten(DrawingState& s, const char* in_name, const char* copy_name) {
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
        if (Ten_Store(s, line) == -1) break;
    }
    // A read error is not the end of the selection: judging the part read
    // would write the result over the whole of it.
    if (std::ferror(in)) {
        std::fclose(in);
        std::fclose(copy);
        std::fprintf(s.err, "Cannot open file: %s\n", in_name);
        return kIntakeFailed;
    }
    if (s.isTest == 2)
        std::fprintf(s.out, "### TFILEcopy_Ten() xmax(%d) tenc(%d) mmax(%d)\n", count, s.tenc,
                     s.mmax);
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
