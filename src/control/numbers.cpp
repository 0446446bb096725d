#include "control/numbers.h"

#include <algorithm>
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
    // Ends the text as snprintf does: a terminator after it when it fits,
    // else in the buffer's last byte. Returns the count of the whole text.
    int finish() {
        if (size > 0) out[used < size ? used : size - 1] = '\0';
        return static_cast<int>(used);
    }
};

int format_list(char* out, std::size_t size, const char* format, va_list args) {
    va_list whole;
    va_copy(whole, args);
    Text text{out, size, 0};
    for (const char* p = format;;) {
        const char* percent = std::strchr(p, '%');
        if (percent == nullptr) {  // the rest of the format
            text.append(p, std::strlen(p));
            break;
        }
        text.append(p, static_cast<std::size_t>(percent - p));
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
    return text.finish();
}

// Powers 2^(29 k) for k = 0 to 33, in base 10^9, least significant limb
// first: every double of at least 2^53 in size is m 2^r 2^(29 k) with m below
// 2^53 and r below 29. Computed while compiling.
constexpr std::uint64_t kLimbBase = 1000000000;
constexpr int kPowers = 34;
constexpr int kPowerLimbs = 34;  // 2^957 has 289 digits, 33 limbs

struct PowersOfTwo {
    std::uint32_t limbs[kPowers][kPowerLimbs];
    int size[kPowers];
};

constexpr PowersOfTwo make_powers_of_two() {
    PowersOfTwo t{};
    t.limbs[0][0] = 1;
    t.size[0] = 1;
    for (int k = 1; k < kPowers; ++k) {
        std::uint64_t carry = 0;
        int n = t.size[k - 1];
        for (int i = 0; i < n; ++i) {
            const std::uint64_t p = (std::uint64_t{t.limbs[k - 1][i]} << 29) + carry;
            t.limbs[k][i] = static_cast<std::uint32_t>(p % kLimbBase);
            carry = p / kLimbBase;
        }
        for (; carry != 0; carry /= kLimbBase)
            t.limbs[k][n++] = static_cast<std::uint32_t>(carry % kLimbBase);
        t.size[k] = n;
    }
    return t;
}

constexpr PowersOfTwo kPowersOfTwo = make_powers_of_two();

// What "%.*f" writes of a v of at least 2^53 in size, which is an integer:
// its exact decimal digits, then the point and `decimals` zeros. v is
// m 2^r 2^(29 k) exactly, multiplied out in base 10^9 instead of by the C
// library's general conversion, which the huge coordinates of hostile
// selections make slow in the traces.
int format_integral(char* out, std::size_t size, double v, int decimals) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    // A memo of the last values written, which repeat in the traces (a
    // frame's corners and far points are written for every point tested
    // against it). It holds only what this function returns for them.
    struct Memo {
        std::uint64_t bits = 0;  // 0: no double of at least 2^53 has these bits
        int decimals = 0;
        int used = 0;
        char text[400];
    };
    thread_local Memo memo[16];
    Memo& slot = memo[((bits + static_cast<unsigned>(decimals)) * 0x9E3779B97F4A7C15ull) >> 60];
    if (slot.bits == bits && slot.decimals == decimals) {
        Text whole{out, size, 0};
        whole.append(slot.text, static_cast<std::size_t>(slot.used));
        return whole.finish();
    }
    std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int e = static_cast<int>((bits >> 52) & 0x7ff) - 1075;  // 1 to 971: |v| >= 2^53
    const int r = e % 29;
    const std::uint32_t* power = kPowersOfTwo.limbs[e / 29];
    const int power_size = kPowersOfTwo.size[e / 29];
    // m 2^r, below 2^82: three limbs, the high bits first split off.
    const std::uint64_t low = (m << r) & ((std::uint64_t{1} << 53) - 1);
    const std::uint64_t high = m >> (53 - r);  // below 2^29
    // high 2^53 + low, in base 10^9: 2^53 = 9007199 * 10^9 + 254740992.
    std::uint64_t a[3] = {low % kLimbBase, low / kLimbBase, 0};
    a[0] += high * 254740992;
    a[1] += high * 9007199 + a[0] / kLimbBase;
    a[0] %= kLimbBase;
    a[2] = a[1] / kLimbBase;
    a[1] %= kLimbBase;
    // The product, limb by limb; each sum of three products stays below 2^64.
    std::uint64_t sum[kPowerLimbs + 4] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < power_size; ++j) sum[i + j] += a[i] * power[j];
    int n = power_size + 3;
    std::uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
        sum[i] += carry;
        carry = sum[i] / kLimbBase;
        sum[i] %= kLimbBase;
    }
    while (n > 1 && sum[n - 1] == 0) --n;

    char text[400];
    int used = 0;
    if (std::signbit(v)) text[used++] = '-';
    used += put_digits(text + used, sum[n - 1]);
    for (int i = n - 2; i >= 0; --i) {
        // Nine digits: one, then four pairs.
        const std::uint32_t limb = static_cast<std::uint32_t>(sum[i]);
        const std::uint32_t rest = limb % 100000000;
        const std::uint32_t pairs[4] = {rest / 1000000, rest / 10000 % 100, rest / 100 % 100,
                                        rest % 100};
        text[used++] = static_cast<char>('0' + limb / 100000000);
        for (std::uint32_t pair : pairs) {
            text[used++] = static_cast<char>('0' + pair / 10);
            text[used++] = static_cast<char>('0' + pair % 10);
        }
    }
    if (decimals > 0) text[used++] = '.';
    for (int k = 0; k < decimals; ++k) text[used++] = '0';
    slot.bits = bits;
    slot.decimals = decimals;
    slot.used = used;
    std::memcpy(slot.text, text, static_cast<std::size_t>(used));
    Text whole{out, size, 0};
    whole.append(text, static_cast<std::size_t>(used));
    return whole.finish();
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
    if (std::fabs(v) >= 0x1.0p53 && decimals <= 60) return format_integral(out, size, v, decimals);
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

void append_formatted(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    int n = format_list(line, sizeof line, format, args);
    va_end(args);
    if (n > 0)
        out.append(line, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof line - 1));
}

}  // namespace dimcheck
