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
struct StenEntry {
    double x;
    double y;
    double d;
};

// Marks a slot of TEN that consolidation has emptied (-2^31 / 10000).
constexpr double kVacated = -214748.3648;
// A first-seen copy that still holds this value has not been captured yet.
constexpr int kUnseen = 20;

constexpr int kTenSize = 801;
constexpr int kTenLimit = 800;       // the intake stops when as many distinct points are read
constexpr int kLineLimit = 50000;
constexpr int kStenSize = 41;
constexpr int kStenCounted = 39;
constexpr int kBodyMax = 250;
constexpr int kLineBuf = 512;

struct DrawingState {
    // Run settings.
    int isTest = 0;
    double bairitsu = 1.0;
    bool explain = false;  // -e: say beside every triangle and cross why
    bool report = false;   // -r: list every text in the report
    bool leave_notes_out = false;  // -n: judge only texts written like a value
    // The drawing's file name, Shift-JIS bytes without the line end, from the
    // first line "file=<path>" (the host writes one when asked to); empty
    // without such a line. Only the report shows it.
    char drawing[kLineBuf] = {};
    bool drawing_named = false;

    // Intake results.
    Point TEN[kTenSize] = {};
    int tenc = 0;
    bool duplicates_dropped = false;  // the table once filled up: it holds no point twice
    int mmax = 0;
    double G_SCALE[16] = {};
    double scale = 0.0;
    double gomi = 0.00025;
    int PH = 20;
    double HANI[4] = {};
    int MOJIS = 0;
    double MOJI_W[16] = {};
    double MOJI_H[16] = {};
    double MOJI_D[16] = {};
    int MOJI_C[16] = {};
    int GROUP = 0;
    int LAYER = 0;
    int TYPE = 0;
    int COLOR = 0;
    int TENS = 0;
    double ILINEx1 = 0.0, ILINEy1 = 0.0, ILINEx2 = 0.0, ILINEy2 = 0.0;

    // The last small full circle the intake read.
    double CX = 0.0, CY = 0.0, CR = 0.0;

    // Arrow recognition: the last stroke of arrowhead length and its squared length.
    double BLINEx1 = 0.0, BLINEy1 = 0.0, BLINEx2 = 0.0, BLINEy2 = 0.0;
    double YALEN = 0.0;

    // First-seen copies of the drawing attributes, restored at the end.
    int COLORi = kUnseen;
    int TYPEi = kUnseen;
    int LAYERi = kUnseen;
    int GROUPi = kUnseen;
    int TENSi = kUnseen;
    int MOJISi = kUnseen;
    double MOJIWi = -20.0;
    double MOJIHi = 20.0;
    double MOJIDi = 20.0;
    int MOJICi = kUnseen;

    // Current text record (second pass).
    char ChHEAD[4] = {};
    double ChX = 0.0, ChY = 0.0, ChDX = 0.0, ChDY = 0.0;
    char ChSTR[kLineBuf] = {};
    char CSP[65] = {};

    // Search and verdict state.
    StenEntry STEN[kStenSize] = {};
    Point PT[6] = {};
    int PTcnt = 4;
    Point Pmin[3] = {};
    int KPcnt = 1;
    double draft = 0.75;
    double gosa = 0.51;
    double mcos = 0.0, msin = 0.0;

    // What the verdict of the current text read and found, for the
    // explanation and the report. Same_dis keeps the compared length closest
    // to the value (the first of equally close ones).
    double value = 0.0;    // the value read, in coordinate units
    int found = 0;         // end points found
    int pairs = 0;         // pairs compared
    double closest = 0.0;  // valid when pairs > 0
    int decimals = 0;      // digits written after the point
    bool commas = false;   // thousands separators written
    bool metres = false;   // the value was multiplied by 1000 for its M

    // Output.
    FILE* fpw = nullptr;  // the result file
    FILE* fp = nullptr;   // the working copy in the second pass
    FILE* fpr = nullptr;  // the report, while it is written
    int maru_count = 0;
    int sankaku_count = 0;
    int batu_count = 0;

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
