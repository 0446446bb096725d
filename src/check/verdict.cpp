// The verdict of one dimension text: read the value, search the end points
// around the text, sort them by their distance from the text's start point and
// compare the distance of every pair with the value. The first pair within the
// tolerance decides; otherwise the nearest miss within two or three
// tolerances asks for a check, and anything else is wrong.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "check/check.h"

namespace dimcheck {

namespace {

// How the value is written, so that the explanation can write a length the
// same way: digits after the point, thousands separators.
void note_written_form(DrawingState& s) {
    const char* point = std::strchr(s.CSP, '.');
    s.decimals = 0;
    for (const char* p = point; p != nullptr && *p != '\0'; ++p)
        if (*p >= '0' && *p <= '9') ++s.decimals;
    s.commas = std::strchr(s.CSP, ',') != nullptr;
}

}  // namespace

int Same_dis(DrawingState& s, int mode, int jj, int kk, double length) {
    double dx = s.STEN[jj].x - s.STEN[kk].x;
    double dy = s.STEN[jj].y - s.STEN[kk].y;
    double disten = std::sqrt(dx * dx + dy * dy);
    double dis = std::fabs(disten - length);
    if (s.pairs++ == 0 || dis < std::fabs(s.closest - length)) s.closest = disten;
    if (s.isTest == 2)
        std::fprintf(s.out,
                     "## Same? jj(%d) kk(%d) gosa(%.3f) disten(%.3f) length(%.3f) dis(%.3f)\n", jj,
                     kk, s.gosa, disten, length, dis);
    if (dis == 0.0) return 0;
    if (dis <= s.gosa) return (jj == 0 && mode == 0) ? 0 : 1;
    if (dis <= 2 * s.gosa) return 2;
    if (dis <= 3.0f * s.gosa) return 3;
    return 10;
}

void STEN_sort(DrawingState& s, int n) {
    // Insertion sort by distance; of equal distances the later goes in front.
    int j = 0;
    for (int i = 1; i < n; ++i) {
        for (j = i; j > 0 && s.STEN[j - 1].d >= s.STEN[j].d; --j) {
            StenEntry t = s.STEN[j - 1];
            s.STEN[j - 1] = s.STEN[j];
            s.STEN[j] = t;
        }
    }
    if (s.isTest == 2) std::fprintf(s.out, "# STEN_sort(%d)  >  j(%d)  OK\n", n, j);
}

int Sun_chk(DrawingState& s) {
    s.gosa = 0.51;
    bool widened_kind = s.ChHEAD[1] == 'r' || s.ChHEAD[1] == 'o';
    s.found = 0;
    s.pairs = 0;

    int length = __DEL_CR(s.ChSTR);
    if (s.leave_notes_out && !written_like_a_value(s.ChSTR)) return kNotJudged;
    ZenHan(s, s.ChSTR);
    if (isSuchi(s, s.CSP) <= 0) return kNotAValue;

    // Drawn width: every byte counts half a character width.
    double sunpouchi = length * text_width(s, s.MOJIS) * 0.5f * s.scale;

    note_written_form(s);
    int thousands = Comma(s.CSP);
    // strtod, not atof: the two are one on glibc, but on Windows only strtod
    // is MinGW's correctly rounded reader.
    double sunpou = std::strtod(s.CSP, nullptr) * s.bairitsu;
    if (thousands != 0) {
        sunpou *= 1000.0f;
        s.gosa *= 1000.0f;
    }
    s.value = sunpou;
    s.metres = thousands != 0;

    int mode;
    double nagasa;
    if (widened_kind) {
        mode = 1;
        nagasa = sunpou * 2.2;
    } else if (sunpou > sunpouchi * 1.3) {
        mode = 0;
        nagasa = sunpou;
    } else {
        // A value hardly longer than its own text: look further.
        mode = 1;
        nagasa = sunpou * 1.5f + sunpouchi;
    }
    int n = Search_Ten(s, nagasa, mode);
    s.found = n;
    STEN_sort(s, n);

    if (s.isTest == 2) {
        std::fprintf(s.out, "# ChSTR(%s) CSP(%s) sunpouchi(%.1f) sunpou(%.1f)\n", s.ChSTR, s.CSP,
                     sunpouchi, sunpou);
        std::fprintf(s.out, "# i(%d) sort STEN 0(%.1f , %.1f) 1(%.1f , %.1f)\n", n, s.STEN[0].x,
                     s.STEN[0].y, s.STEN[1].x, s.STEN[1].y);
        std::fprintf(s.out, "# k(%d) sort STEN 2(%.1f , %.1f) 3(%.1f , %.1f)\n", 0, s.STEN[2].x,
                     s.STEN[2].y, s.STEN[3].x, s.STEN[3].y);
    }

    int result = kWrong;
    int sankaku = 0;
    if (n >= 2) {
        bool decided = false;
        for (int i = 0; i < n && !decided; ++i) {
            for (int j = i + 1; j < n; ++j) {
                int r = Same_dis(s, mode, i, j, sunpou);
                result = r;
                if (r <= 1) {
                    decided = true;
                    break;
                }
                if (r == 2) sankaku = 2;
                if (r == 3 && sankaku == 0) sankaku = 3;
            }
        }
    }

    if (s.isTest == 2)
        std::fprintf(s.out,
                     "# Kekka(%d) sankaku(%d)----( 0-1: Good / 2-3 Need CHecK / 10 NG )---\n\n",
                     result, sankaku);
    if (result <= 1) return result;
    if (sankaku != 0) return sankaku;
    return result;
}

}  // namespace dimcheck
