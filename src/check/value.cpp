// Reading a text body as a length: cut the line end, bring full-width digits
// and signs to half-width, test that only a number is left, drop separators
// and units, convert.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "check/value.h"
#include "control/drawing.h"
#include "control/numbers.h"

namespace dimcheck {

namespace {

// Half-width characters that a dimension value may hold.
bool accepted(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 0x2A && c <= 0x2F) || c == 'M' || c == 'm' || c == 'R';
}

// Translation of the recognised double-byte characters; 0 drops the pair.
char translate(unsigned char lead, unsigned char trail) {
    if (lead == 0x82) {
        if (trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
        if (trail == 0x6C || trail == 0x8D) return 'M';  // full-width M and m
        if (trail == 0x71 || trail == 0x92) return 'R';  // full-width R and r
        return 0;
    }
    if (lead == 0x81) {
        if (trail == 0x43) return ',';
        if (trail == 0x44) return '.';
        // Signs read as their half-width forms: "Ｓ＝１／１００" is no
        // value, as "S=1/100" is none.
        if (trail == 0x5E) return '/';
        if (trail == 0x96) return '*';
        if (trail == 0x7B) return '+';
        if (trail == 0x7C) return '-';
    }
    return 0;
}

}  // namespace

void cut_line_end(char* body) {
    int end = 0;
    while (end < kLineBuf && body[end] != '\0' && body[end] != '\n' && body[end] != '\r') ++end;
    if (end < kLineBuf) body[end] = '\0';
    while (end > 0 && body[end - 1] == ' ') body[--end] = '\0';
}

bool written_like_a_value(const char* body) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(body); *p != '\0'; ++p) {
        if (is_lead_byte(*p)) {
            unsigned code = (static_cast<unsigned>(p[0]) << 8) | p[1];
            bool digit = code >= 0x824F && code <= 0x8258;
            // blank , . + - / * M m R r and the Greek phi of a diameter
            static const unsigned kSigns[] = {0x8140, 0x8143, 0x8144, 0x817B, 0x817C,
                                              0x815E, 0x8196, 0x826C, 0x828D, 0x8271,
                                              0x8292, 0x83D3, 0x83B3};
            if (!digit && std::find(std::begin(kSigns), std::end(kSigns), code) == std::end(kSigns))
                return false;
            ++p;  // never past the terminator: a lone lead byte meets no sign
        } else if (!is_digit(static_cast<char>(*p)) && std::strchr(" ,.+-*/MmR", *p) == nullptr) {
            return false;
        }
    }
    return true;
}

void to_half_width(char* value_text, const char* body, Trace trace) {
    char half[66];
    int n = 0;
    int mixed = 0;
    int pos = 0;
    while (pos <= 63 && body[pos] != '\0') {
        unsigned char c = static_cast<unsigned char>(body[pos]);
        if (is_lead_byte(c)) {
            // A double-byte character is one character: its trail byte is
            // never read as a digit, sign or letter of its own.
            unsigned char trail = static_cast<unsigned char>(body[pos + 1]);
            if (trail == 0) {
                mixed = 1;
                break;
            }
            char t = translate(c, trail);
            if (t != 0) half[n++] = t;
            // Kanji and the other characters outside the converted ranges
            // make the text mixed; the dropped full-width symbols do not.
            if (c > 0x83) mixed = 1;
            pos += 2;
        } else {
            if (accepted(c))
                half[n++] = static_cast<char>(c);
            else
                mixed = 1;
            ++pos;
        }
    }
    half[n] = '\0';
    std::memcpy(value_text, half, static_cast<std::size_t>(n) + 1);
    if (n == 0) return;  // nothing to trace
    if (trace.sums_up()) {
        const unsigned char* b = reinterpret_cast<const unsigned char*>(body);
        std::fprintf(trace.out, "# ZenHan() k(%d) s(%s) str[0][1][2][3] = (%x)(%x)(%x)(%x)\n",
                     mixed, value_text, b[0], b[1], b[2], b[3]);
    }
}

bool check_number_and_tolerance(double& tolerance, const char* value_text) {
    int decimals = 0;  // 0: before a point, 1: just after it, 2..4: digits after it plus one
    for (int i = 0;; ++i) {
        if (i == 64) return false;
        char c = value_text[i];
        if (c == '\0') return i != 0;
        if (is_digit(c)) {
            if (decimals == 4) return false;
            if (decimals != 0) {
                tolerance *= 0.1;
                ++decimals;
            }
        } else if (c == '.') {
            decimals = 1;
        } else if (c == '+' || c == ',' || c == '-' || c == 'R' || c == 'm' || c == 'M') {
            // signs, separators and units do not change the count
        } else {
            return false;
        }
    }
}

bool strip_and_find_metres(char* value_text) {
    char out[kValueText];
    int n = 0;
    bool metres = false;
    for (int i = 0; i < 64 && value_text[i] != '\0'; ++i) {
        char c = value_text[i];
        if (c == 'M') {
            metres = true;
        } else if (is_digit(c) || c == '.') {
            out[n++] = c;
        }
    }
    out[n] = '\0';
    std::memcpy(value_text, out, static_cast<std::size_t>(n) + 1);
    return metres;
}

}  // namespace dimcheck
