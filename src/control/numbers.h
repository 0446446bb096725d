// Exact shortcuts for the two number conversions a run makes most often:
// reading a decimal number as strtod does, and writing one as printf's "%.Nf"
// does. They handle the plain cases (a few significant digits, drawing-sized
// values) with integer arithmetic and hand everything else to the C library,
// so their results are always the library's, bit for bit and byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace dimcheck {

// Writes the decimal digits of v (no terminator); returns their count.
int put_digits(char* out, std::uint64_t v);

// As std::strtod(text, end) in the "C" locale.
double read_double(const char* text, char** end);

// Writes what std::snprintf(out, size, "%.*f", decimals, v) writes and returns
// the same count. `decimals` is at least 0.
int format_fixed(char* out, std::size_t size, double v, int decimals);

// Writes `head`, the n values with "%.Nf" (N = decimals) separated by single
// blanks, and a line end: fprintf(out, "ci %.6f %.6f %.6f\n", a, b, c) is
// write_fixed_line(out, "ci ", {a, b, c}, 3, 6). At most 8 values and 60
// decimals.
void write_fixed_line(std::FILE* out, const char* head, const double* values, int n,
                      int decimals);

}  // namespace dimcheck
