#include "jww/shift_jis.h"

#include "control/fields.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace dimcheck::jww {

namespace {

// The character of code page 932 that stands for another form of it.
char32_t code_page_form(char32_t c) {
    switch (c) {
    case 0x2212: return 0xFF0D;  // minus sign: full-width hyphen-minus
    case 0x301C: return 0xFF5E;  // wave dash: full-width tilde
    case 0x2016: return 0x2225;  // double vertical line: parallel to
    case 0x2014: return 0x2015;  // em dash: horizontal bar
    case 0x00A2: return 0xFFE0;  // cent
    case 0x00A3: return 0xFFE1;  // pound
    case 0x00AC: return 0xFFE2;  // not sign
    case 0x00A5: return 0x005C;  // yen sign: the byte Japanese fonts draw as ¥
    default: return c;
    }
}

#ifdef _WIN32
struct Conversion {};  // the system's conversion keeps no state
#else
// The C library's conversion, opened when a text first needs it.
struct Conversion {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    bool opened = false;
    ~Conversion() {
        if (opened && cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
};

// The `n` bytes at `in` (one character) converted from `from` to `to` and
// appended to `out`; false if they have no form there.
bool append_converted(Conversion& conversion, const char* to, const char* from, char* in,
                      std::size_t n, std::string& out) {
    if (!conversion.opened) {
        conversion.cd = iconv_open(to, from);
        conversion.opened = true;
    }
    if (conversion.cd == reinterpret_cast<iconv_t>(-1)) return false;
    char converted[8];
    char* target = converted;
    std::size_t room = sizeof converted;
    std::size_t done = iconv(conversion.cd, &in, &n, &target, &room);
    if (done == static_cast<std::size_t>(-1) || n != 0) return false;
    out.append(converted, sizeof converted - room);
    return true;
}
#endif

// One character's Shift-JIS bytes appended to `out`; false if it has none.
bool append_shift_jis(char32_t c, Conversion& conversion, std::string& out) {
    // As UTF-16: one unit, or a surrogate pair.
    std::uint16_t units[2];
    int count = 1;
    if (c >= 0x10000) {
        units[0] = static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10));
        units[1] = static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<std::uint16_t>(c);
    }
#ifdef _WIN32
    // No best fit: a character either has its own form or none.
    (void)conversion;
    char converted[8];
    BOOL used_default = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(units), count,
                                converted, sizeof converted, nullptr, &used_default);
    if (n <= 0 || used_default) return false;
    out.append(converted, static_cast<std::size_t>(n));
    return true;
#else
    static_assert(sizeof(std::uint16_t) == 2);
    unsigned char in[4];
    for (int i = 0; i < count; ++i) {
        in[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
        in[2 * i + 1] = static_cast<unsigned char>(units[i] >> 8);
    }
    return append_converted(conversion, "CP932", "UTF-16LE", reinterpret_cast<char*>(in),
                            static_cast<std::size_t>(2 * count), out);
#endif
}

// One Shift-JIS character (one or two bytes) as UTF-8 appended to `out`;
// false if it is none.
bool append_utf8(const char* bytes, std::size_t n, Conversion& conversion, std::string& out) {
#ifdef _WIN32
    (void)conversion;
    char converted[8];
    wchar_t wide[2];
    int units = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(n), wide, 2);
    if (units <= 0) return false;
    int m =
        WideCharToMultiByte(CP_UTF8, 0, wide, units, converted, sizeof converted, nullptr, nullptr);
    if (m <= 0) return false;
    out.append(converted, static_cast<std::size_t>(m));
    return true;
#else
    char in[2] = {bytes[0], n > 1 ? bytes[1] : '\0'};
    return append_converted(conversion, "UTF-8", "CP932", in, n, out);
#endif
}

}  // namespace

std::string utf8_from_shift_jis(const std::string& text) {
    std::string out;
    Conversion conversion;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t n = is_lead_byte(c) && i + 1 < text.size() ? 2 : 1;
        if (!append_utf8(text.data() + i, n, conversion, out)) out += "\xEF\xBF\xBD";
        i += n;
    }
    return out;
}

std::string shift_jis_from_utf16(const unsigned char* bytes, std::size_t units) {
    std::string out;
    out.reserve(units);
    Conversion conversion;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = static_cast<char32_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
            char32_t low = static_cast<char32_t>(bytes[2 * i + 2] | bytes[2 * i + 3] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        c = code_page_form(c);
        bool lone_surrogate = c >= 0xD800 && c < 0xE000;
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (lone_surrogate || !append_shift_jis(c, conversion, out))
            out += kNoShiftJisForm;
    }
    return out;
}

}  // namespace dimcheck::jww
