#include "control/fields.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "control/drawing.h"
#include "control/numbers.h"

namespace dimcheck {

namespace {

// An optional sign, then "0x" or "0X".
bool zero_before_x(const char* p) {
    if (*p == '+' || *p == '-') ++p;
    return p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
}

int low32(unsigned long long v) { return static_cast<int>(static_cast<std::uint32_t>(v)); }

}  // namespace

bool FieldReader::num(double& v) {
    if (!ok_) return false;
    p_ = skip_space(p_);
    char* end = nullptr;
    double d = read_double(p_, &end);  // strtod, faster on plain numbers
    if (end == p_) return ok_ = false;
    v = d;
    p_ = end;
    return true;
}

bool FieldReader::dec(int& v) {
    if (!ok_) return false;
    p_ = skip_space(p_);
    char* end = nullptr;
    long long n = std::strtoll(p_, &end, 10);
    if (end == p_) return ok_ = false;
    v = low32(static_cast<unsigned long long>(n));
    p_ = end;
    return true;
}

bool FieldReader::hex(int& v) {
    if (!ok_) return false;
    p_ = skip_space(p_);
    char* end = nullptr;
    unsigned long long n = std::strtoull(p_, &end, 16);
    if (end == p_ && zero_before_x(p_)) {
        // "0x" without a hex digit after it is the number 0 and then an "x",
        // as in glibc; msvcrt converts nothing there.
        n = 0;
        end = const_cast<char*>(std::strchr(p_, '0')) + 1;
    }
    if (end == p_) return ok_ = false;
    v = low32(n);
    p_ = end;
    return true;
}

const char* skip_space(const char* p) {
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
    return p;
}

const char* from_column(const char* line, std::size_t col) {
    std::size_t len = std::strlen(line);
    return line + (col < len ? col : len);
}

std::size_t read_line(std::FILE* f, char* buf) {
    std::size_t n = 0;
    int c;
    while (n < kLineBuf - 1 && (c = std::getc(f)) != EOF) {
        buf[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buf[n] = '\0';
    return n;
}

}  // namespace dimcheck
