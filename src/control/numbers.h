// Exact shortcuts for the two number conversions a run makes most often:
// reading a decimal number as strtod does, and writing one as printf's "%.Nf"
// does. They handle the plain cases (a few significant digits, drawing-sized
// values) with integer arithmetic and hand everything else to the C library,
// so their results are always the library's, bit for bit and byte for byte.
// Every double the program prints goes through them or through print_to and
// format_to, which write infinities and NaNs themselves, as glibc writes them
// ("-nan" for a NaN with its sign bit set), on every system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#if defined(__GNUC__)
#define DIMCHECK_PRINTF_LIKE(format_index) \
    __attribute__((format(printf, format_index, format_index + 1)))
#else
#define DIMCHECK_PRINTF_LIKE(format_index)
#endif

namespace dimcheck {

// A decimal digit, whatever the locale.
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Writes the decimal digits of v (no terminator); returns their count.
int put_digits(char* out, std::uint64_t v);

// As std::strtod(text, end) in the "C" locale.
double read_double(const char* text, char** end);

// Writes what glibc's std::snprintf(out, size, "%.*f", decimals, v) writes
// and returns the same count. `decimals` is at least 0.
int format_fixed(char* out, std::size_t size, double v, int decimals);

// Writes `head`, the n values with "%.Nf" (N = decimals) separated by single
// blanks, and a line end: fprintf(out, "ci %.6f %.6f %.6f\n", a, b, c) is
// write_fixed_line(out, "ci ", {a, b, c}, 3, 6). At most 8 values and 60
// decimals.
void write_fixed_line(std::FILE* out, const char* head, const double* values, int n, int decimals);

// std::fprintf and std::snprintf as glibc's, for the formats the program
// prints doubles with: conversions d i u o x X s f F e E g G a A and %%, each
// with no flag, width or length, at most a precision ("%.3f", "%.*f",
// "%.15g"). The doubles are written by format_fixed or, when finite, by the C
// library; everything else by the C library. A format with any other
// conversion goes to the C library whole.
int print_to(std::FILE* out, const char* format, ...) DIMCHECK_PRINTF_LIKE(2);
int format_to(char* out, std::size_t size, const char* format, ...) DIMCHECK_PRINTF_LIKE(3);
// As format_to, appended to `out`; at most 511 bytes a call.
void append_formatted(std::string& out, const char* format, ...) DIMCHECK_PRINTF_LIKE(2);

}  // namespace dimcheck
