#include "control/numbers.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace dimcheck {

namespace {

// Powers of ten that doubles hold exactly.
const double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::uint64_t kTwo53 = std::uint64_t{1} << 53;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// An infinity or a NaN as glibc's printf writes it: its sign, a NaN's too,
// and the word, in capitals for the capital conversions.
int format_special(char* out, std::size_t size, double v, bool capitals) {
    const char* word = std::isnan(v) ? (capitals ? "NAN" : "nan") : (capitals ? "INF" : "inf");
    return std::snprintf(out, size, "%s%s", std::signbit(v) ? "-" : "", word);
}

// A buffer of `size` bytes, filled as snprintf fills one: what does not fit
// is counted, not written.
struct Text {
    char* out;
    std::size_t size;
    std::size_t used;
    char* at() const { return used < size ? out + used : nullptr; }
    std::size_t room() const { return used < size ? size - used : 0; }
    void append(const char* p, std::size_t n) {
        if (used < size) std::memcpy(out + used, p, n < size - used ? n : size - used);
        used += n;
    }
};

int format_list(char* out, std::size_t size, const char* format, va_list args) {
    va_list whole;
    va_copy(whole, args);
    Text text{out, size, 0};
    for (const char* p = format; *p != '\0';) {
        const char* percent = std::strchr(p, '%');
        if (percent == nullptr) percent = p + std::strlen(p);
        text.append(p, static_cast<std::size_t>(percent - p));
        if (*percent == '\0') break;
        p = percent + 1;
        int precision = -1;  // none: the conversion's default
        if (*p == '.') {
            precision = 0;
            if (*++p == '*') {
                precision = va_arg(args, int);
                ++p;
            }
            for (; is_digit(*p); ++p) precision = precision * 10 + (*p - '0');
        }
        const char letter = *p++;
        const char one[] = {'%', '.', '*', letter, '\0'};  // the conversion with its precision
        int n = 0;
        if (letter == '%') {
            n = std::snprintf(text.at(), text.room(), "%%");
        } else if (letter == 'd' || letter == 'i') {
            n = std::snprintf(text.at(), text.room(), one, precision, va_arg(args, int));
        } else if (letter != '\0' && std::strchr("uoxX", letter) != nullptr) {
            n = std::snprintf(text.at(), text.room(), one, precision, va_arg(args, unsigned));
        } else if (letter == 's') {
            n = std::snprintf(text.at(), text.room(), one, precision, va_arg(args, const char*));
        } else if (letter != '\0' && std::strchr("fFeEgGaA", letter) != nullptr) {
            const double v = va_arg(args, double);
            if (letter == 'f')
                n = format_fixed(text.at(), text.room(), v, precision < 0 ? 6 : precision);
            else if (!std::isfinite(v))
                n = format_special(text.at(), text.room(), v,
                                   std::strchr("FEGA", letter) != nullptr);
            else
                n = std::snprintf(text.at(), text.room(), one, precision, v);
        } else {  // a flag, a width, a length or no conversion at all
            n = -1;
        }
        if (n < 0) {  // the whole format to the C library
            n = std::vsnprintf(out, size, format, whole);
            va_end(whole);
            return n;
        }
        text.used += static_cast<std::size_t>(n);
    }
    va_end(whole);
    if (size > 0) out[text.used < size ? text.used : size - 1] = '\0';
    return static_cast<int>(text.used);
}

}  // namespace

int put_digits(char* out, std::uint64_t v) {
    int n = 1;
    for (std::uint64_t rest = v / 10; rest != 0; rest /= 10) ++n;
    for (int i = n - 1; i >= 0; --i, v /= 10) out[i] = static_cast<char>('0' + v % 10);
    return n;
}

double read_double(const char* text, char** end) {
    // The plain form: sign, digits, point, digits, at least one digit, and
    // then nothing strtod would go on with (an exponent, or the x of a
    // hexadecimal number after its leading 0). With at most 2^53 as the
    // digits read as one integer n and at most 22 digits after the point,
    // n and 10^f are exact doubles, so n / 10^f, correctly rounded by the
    // division, is the correctly rounded value of the text: strtod's result.
    const char* p = text;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    std::uint64_t n = 0;
    int digits = 0;
    int fraction = 0;
    bool long_number = false;  // more digits than 10^17 holds
    auto take = [&](char c) {
        if (n >= 100000000000000000ull)
            long_number = true;
        else
            n = n * 10 + static_cast<std::uint64_t>(c - '0');
        ++digits;
    };
    for (; is_digit(*p); ++p) take(*p);
    if (*p == '.') {
        for (++p; is_digit(*p); ++p) {
            take(*p);
            ++fraction;
        }
    }
    char next = *p;
    if (digits == 0 || long_number || n > kTwo53 || fraction > 22 || next == 'e' || next == 'E' ||
        next == 'x' || next == 'X')
        return std::strtod(text, end);
    double v = static_cast<double>(n);
    if (fraction > 0) v /= kPow10[fraction];
    if (end != nullptr) *end = const_cast<char*>(p);
    return negative ? -v : v;
}

int format_fixed(char* out, std::size_t size, double v, int decimals) {
    // The plain case: |v| < 2^24 and 1 to 12 decimals, so that |v| * 10^12
    // stays below 2^64. v is m * 2^-s exactly (m < 2^53), and the digits
    // printf writes are those of round(m * 10^decimals / 2^s), rounded to
    // nearest with ties to even, as the C library rounds an exact decimal
    // expansion; that is computed exactly in 128-bit integer arithmetic.
    if (!std::isfinite(v)) return format_special(out, size, v, false);
    if (decimals < 1 || decimals > 12 || !(std::fabs(v) < 0x1.0p24) || size < 48)
        return std::snprintf(out, size, "%.*f", decimals, v);

    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int exponent = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int s;  // |v| = m / 2^s
    if (exponent == 0) {
        s = 1074;  // zero or subnormal
    } else {
        m |= std::uint64_t{1} << 52;
        s = 1075 - exponent;  // at least 29, since |v| < 2^24
    }

    // m * 10^decimals as hi * 2^64 + lo (below 2^93).
    std::uint64_t p10 = 1;
    for (int i = 0; i < decimals; ++i) p10 *= 10;
    const std::uint64_t a_lo = m & 0xffffffffu, a_hi = m >> 32;
    const std::uint64_t b_lo = p10 & 0xffffffffu, b_hi = p10 >> 32;
    const std::uint64_t ll = a_lo * b_lo, lh = a_lo * b_hi, hl = a_hi * b_lo, hh = a_hi * b_hi;
    const std::uint64_t mid = (ll >> 32) + (lh & 0xffffffffu) + (hl & 0xffffffffu);
    const std::uint64_t lo = (mid << 32) | (ll & 0xffffffffu);
    const std::uint64_t hi = hh + (lh >> 32) + (hl >> 32) + (mid >> 32);

    // q = floor(product / 2^s), rounded by the remainder against 2^(s-1).
    std::uint64_t q = 0;
    if (s < 94) {  // otherwise the product is below half of 2^s: q = 0
        // The remainder r_hi:r_lo and half of 2^s, half_hi:half_lo.
        std::uint64_t r_hi = 0, r_lo = lo, half_hi = 0, half_lo = 0;
        if (s < 64) {
            q = (lo >> s) | (hi << (64 - s));
            r_lo = lo & ((std::uint64_t{1} << s) - 1);
            half_lo = std::uint64_t{1} << (s - 1);
        } else if (s == 64) {
            q = hi;
            half_lo = std::uint64_t{1} << 63;
        } else {
            q = hi >> (s - 64);
            r_hi = hi & ((std::uint64_t{1} << (s - 64)) - 1);
            half_hi = std::uint64_t{1} << (s - 65);
        }
        bool above = r_hi > half_hi || (r_hi == half_hi && r_lo > half_lo);
        bool tie = r_hi == half_hi && r_lo == half_lo;
        if (above || (tie && (q & 1) != 0)) ++q;
    }

    int n = 0;
    if (std::signbit(v)) out[n++] = '-';
    n += put_digits(out + n, q / p10);
    out[n++] = '.';
    std::uint64_t f = q % p10;
    for (int i = decimals - 1; i >= 0; --i) {
        out[n + i] = static_cast<char>('0' + f % 10);
        f /= 10;
    }
    n += decimals;
    out[n] = '\0';
    return n;
}

void write_fixed_line(std::FILE* out, const char* head, const double* values, int n, int decimals) {
    char line[8 * 400 + 64];
    std::size_t used = std::strlen(head);
    std::memcpy(line, head, used);
    for (int i = 0; i < n; ++i) {
        if (i > 0) line[used++] = ' ';
        // A "%.12f" of a double has at most 309 + 1 + 1 + 12 characters.
        used += static_cast<std::size_t>(format_fixed(line + used, 400, values[i], decimals));
    }
    line[used++] = '\n';
    std::fwrite(line, 1, used, out);
}

int print_to(std::FILE* out, const char* format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    char line[1024];
    std::vector<char> longer;
    char* text = line;
    int n = format_list(line, sizeof line, format, args);
    if (n >= static_cast<int>(sizeof line)) {  // a long line: formatted again, whole
        longer.resize(static_cast<std::size_t>(n) + 1);
        text = longer.data();
        format_list(text, longer.size(), format, again);
    }
    if (n > 0 &&
        std::fwrite(text, 1, static_cast<std::size_t>(n), out) != static_cast<std::size_t>(n))
        n = -1;
    va_end(again);
    va_end(args);
    return n;
}

int format_to(char* out, std::size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = format_list(out, size, format, args);
    va_end(args);
    return n;
}

}  // namespace dimcheck
