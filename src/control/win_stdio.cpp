// Windows build only: formatted output that prints the same bytes as glibc.
//
// MinGW-w64's C99 printf (selected by __USE_MINGW_ANSI_STDIO) rounds and
// pads exactly as glibc does, with one exception: a NaN whose sign bit is set
// prints as "nan", where glibc prints "-nan". Such a NaN comes from input
// like "-nan" or from arithmetic like inf - inf, and it reaches the result
// file through the "%.12f" and "%.6f" records. The linker is told to route
// MinGW's vfprintf and vsnprintf through the wrappers below. A call without a
// negative NaN goes straight on; the others are formatted one conversion at
// a time, and each negative NaN gets its sign back.
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#if !defined(__MINGW32__) || !__USE_MINGW_ANSI_STDIO
#error "this file belongs to the MinGW-w64 build with C99 stdio"
#endif

// These four names are not ours to choose: the linker option
// --wrap=__mingw_vfprintf sends every call of __mingw_vfprintf to
// __wrap___mingw_vfprintf and makes __real___mingw_vfprintf the original (and
// likewise for __mingw_vsnprintf), so they keep the double underscores that
// are otherwise reserved to the implementation.
extern "C" {
int __real___mingw_vfprintf(std::FILE* stream, const char* format, va_list args);
int __real___mingw_vsnprintf(char* buffer, std::size_t size, const char* format, va_list args);
int __wrap___mingw_vfprintf(std::FILE* stream, const char* format, va_list args);
int __wrap___mingw_vsnprintf(char* buffer, std::size_t size, const char* format, va_list args);
}

namespace {

enum class Length { none, hh, h, l, ll, j, z, t, L };

// One conversion of a format: from its '%' up to and including its letter.
struct Conversion {
    const char* begin = nullptr;
    const char* end = nullptr;
    char letter = 0;
    Length length = Length::none;
    int stars = 0;  // '*' for the width and the precision, each an int argument
};

bool is_flag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_float(char c) { return c != '\0' && std::strchr("fFeEgGaA", c) != nullptr; }
bool is_integer(char c) { return c != '\0' && std::strchr("diouxXc", c) != nullptr; }

// Reads the conversion at `p` (a '%'). False for anything this file does not
// handle (positional arguments, %n, unknown letters): such a format is left
// to MinGW as it is.
bool read_conversion(const char* p, Conversion& c) {
    c = Conversion();
    c.begin = p++;
    while (is_flag(*p)) ++p;
    if (*p == '*') {
        ++c.stars;
        ++p;
    } else {
        while (is_digit(*p)) ++p;
        if (*p == '$') return false;
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            ++c.stars;
            ++p;
        } else {
            while (is_digit(*p)) ++p;
        }
    }
    switch (*p) {
    case 'h': c.length = p[1] == 'h' ? Length::hh : Length::h; p += p[1] == 'h' ? 2 : 1; break;
    case 'l': c.length = p[1] == 'l' ? Length::ll : Length::l; p += p[1] == 'l' ? 2 : 1; break;
    case 'j': c.length = Length::j; ++p; break;
    case 'z': c.length = Length::z; ++p; break;
    case 't': c.length = Length::t; ++p; break;
    case 'L': c.length = Length::L; ++p; break;
    default: break;
    }
    c.letter = *p;
    if (c.letter == '%') {
        if (c.stars != 0 || p != c.begin + 1) return false;
    } else if (!is_float(c.letter) && !is_integer(c.letter) && c.letter != 's' &&
               c.letter != 'p') {
        return false;
    }
    c.end = p + 1;
    return true;
}

bool negative_nan(long double v) { return std::isnan(v) && std::signbit(v); }

// One argument of a conversion, taken from the list in its own type.
struct Argument {
    int stars[2] = {0, 0};
    long long integer = 0;
    unsigned long long unsigned_integer = 0;
    bool is_unsigned = false;
    double real = 0.0;
    long double long_real = 0.0L;
    const void* pointer = nullptr;
};

Argument take(const Conversion& c, va_list& args) {
    Argument a;
    for (int i = 0; i < c.stars; ++i) a.stars[i] = va_arg(args, int);
    if (c.letter == '%') return a;
    if (is_float(c.letter)) {
        if (c.length == Length::L)
            a.long_real = va_arg(args, long double);
        else
            a.real = va_arg(args, double);
    } else if (c.letter == 's' || c.letter == 'p') {
        a.pointer = va_arg(args, const void*);
    } else {
        switch (c.length) {
        case Length::l: a.integer = va_arg(args, long); break;
        case Length::ll: a.integer = va_arg(args, long long); break;
        case Length::j: a.integer = va_arg(args, std::intmax_t); break;
        case Length::t: a.integer = va_arg(args, std::ptrdiff_t); break;
        case Length::z:
            a.unsigned_integer = va_arg(args, std::size_t);
            a.is_unsigned = true;
            break;
        default: a.integer = va_arg(args, int); break;
        }
    }
    return a;
}

// True when some floating-point argument of the format is a negative NaN;
// false also when the format holds a conversion this file does not handle.
bool has_negative_nan(const char* format, va_list args) {
    va_list walk;
    va_copy(walk, args);
    bool found = false;
    bool handled = true;
    for (const char* p = format; *p != '\0';) {
        if (*p != '%') {
            ++p;
            continue;
        }
        Conversion c;
        if (!read_conversion(p, c)) {
            handled = false;
            break;
        }
        Argument a = take(c, walk);
        if (is_float(c.letter) &&
            (c.length == Length::L ? negative_nan(a.long_real) : negative_nan(a.real)))
            found = true;
        p = c.end;
    }
    va_end(walk);
    return found && handled;
}

// Appends what MinGW's own printf makes of one conversion and its argument.
void append_formatted(std::string& out, const char* directive, ...) {
    va_list args;
    va_start(args, directive);
    va_list again;
    va_copy(again, args);
    char small[512];
    int n = __real___mingw_vsnprintf(small, sizeof small, directive, args);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        out.append(small, static_cast<std::size_t>(n));
    } else if (n >= 0) {
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        __real___mingw_vsnprintf(&big[0], big.size(), directive, again);
        out.append(big.data(), static_cast<std::size_t>(n));
    }
    va_end(again);
    va_end(args);
}

template <class T>
void append_value(std::string& out, const char* directive, int stars, const Argument& a,
                  T value) {
    // The star arguments go in front of the value, as in the original call.
    if (stars == 0)
        append_formatted(out, directive, value);
    else if (stars == 1)
        append_formatted(out, directive, a.stars[0], value);
    else
        append_formatted(out, directive, a.stars[0], a.stars[1], value);
}

// Formats one conversion. A negative NaN is printed as the positive one with
// a '+' flag, and that '+' becomes the '-' that glibc writes.
void append_conversion(std::string& out, const Conversion& c, const Argument& a) {
    std::string directive(c.begin, c.end);
    if (c.letter == '%') {
        out += '%';
    } else if (is_float(c.letter)) {
        bool nan_sign = c.length == Length::L ? negative_nan(a.long_real) : negative_nan(a.real);
        if (nan_sign) directive.insert(1, "+");
        std::size_t at = out.size();
        if (c.length == Length::L)
            append_value(out, directive.c_str(), c.stars, a,
                         nan_sign ? std::fabs(a.long_real) : a.long_real);
        else
            append_value(out, directive.c_str(), c.stars, a,
                         nan_sign ? std::fabs(a.real) : a.real);
        if (nan_sign) {
            std::size_t plus = out.find('+', at);
            if (plus != std::string::npos) out[plus] = '-';
        }
    } else if (c.letter == 's' || c.letter == 'p') {
        append_value(out, directive.c_str(), c.stars, a, a.pointer);
    } else if (a.is_unsigned) {
        append_value(out, directive.c_str(), c.stars, a, a.unsigned_integer);
    } else {
        switch (c.length) {
        case Length::l:
            append_value(out, directive.c_str(), c.stars, a, static_cast<long>(a.integer));
            break;
        case Length::ll:
        case Length::j:
        case Length::t: append_value(out, directive.c_str(), c.stars, a, a.integer); break;
        default:
            append_value(out, directive.c_str(), c.stars, a, static_cast<int>(a.integer));
            break;
        }
    }
}

std::string format_all(const char* format, va_list args) {
    std::string out;
    va_list walk;
    va_copy(walk, args);
    const char* p = format;
    while (*p != '\0') {
        const char* percent = std::strchr(p, '%');
        if (percent == nullptr) {
            out.append(p);
            break;
        }
        out.append(p, static_cast<std::size_t>(percent - p));
        Conversion c;
        read_conversion(percent, c);  // has_negative_nan has accepted them all
        Argument a = take(c, walk);
        append_conversion(out, c, a);
        p = c.end;
    }
    va_end(walk);
    return out;
}

}  // namespace

extern "C" int __wrap___mingw_vfprintf(std::FILE* stream, const char* format, va_list args) {
    if (!has_negative_nan(format, args)) return __real___mingw_vfprintf(stream, format, args);
    std::string text = format_all(format, args);
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size()) return -1;
    return static_cast<int>(text.size());
}

extern "C" int __wrap___mingw_vsnprintf(char* buffer, std::size_t size, const char* format,
                                        va_list args) {
    if (!has_negative_nan(format, args))
        return __real___mingw_vsnprintf(buffer, size, format, args);
    std::string text = format_all(format, args);
    if (size > 0) {
        std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(text.size());
}
