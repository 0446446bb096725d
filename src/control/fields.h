// Reading lines and numeric fields the way the host's records are meant to be
// read: fields as the C library's scanf reads them ("C" locale), lines as fgets
// reads them into a 512-byte buffer.
#pragma once

#include <cstddef>
#include <cstdio>

namespace dimcheck {

// Reads the fields of one record from left to right. The first field that does
// not convert ends the record: it and every later field leave their variable
// unchanged.
class FieldReader {
public:
    explicit FieldReader(const char* text) : p_(text) {}

    // A floating-point number: the longest prefix strtod accepts.
    bool num(double& v);
    // A decimal integer, converted in 64 bits and kept in its low 32 bits.
    bool dec(int& v);
    // A hexadecimal integer, likewise.
    bool hex(int& v);

    bool ok() const { return ok_; }
    const char* pos() const { return p_; }

private:
    const char* p_;
    bool ok_ = true;
};

// Whether c is the first byte of a Shift-JIS double-byte character.
inline bool is_lead_byte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Skips the blanks that the C library's isspace knows in the "C" locale.
const char* skip_space(const char* p);

// Starts a field reader at byte `col` of `line`, or at the line's end when the
// line is shorter, so that nothing behind the terminator is ever read.
const char* from_column(const char* line, std::size_t col);

// Reads one line as fgets does with a 512-byte buffer: at most 511 bytes, up
// to and including the first LF. The bytes are terminated in `buf`. Returns
// the number of bytes read (NUL bytes included), 0 at the end of the file.
std::size_t read_line(std::FILE* f, char* buf);

}  // namespace dimcheck
