// UTF-16 text, as Unicode builds of the host store every string, turned into
// the Shift-JIS (code page 932) bytes the rest of the checker works in.
#pragma once

#include <cstddef>
#include <string>

namespace dimcheck::jww {

// What a character without a Shift-JIS form (an emoji, an accented letter, a
// lone surrogate) becomes.
constexpr char kNoShiftJisForm = '?';

// Turns `units` UTF-16 code units, little-endian at `bytes`, into
// Shift-JIS. The characters that Unicode tables give two forms (－ as U+2212
// or U+FF0D, ～ as U+301C or U+FF5E, ∥, ¥, —, ¢, £, ¬) take the one byte
// sequence either form stands for, so that the Linux and the Windows
// program give the same bytes.
std::string shift_jis_from_utf16(const unsigned char* bytes, std::size_t units);

// Turns Shift-JIS (code page 932) text into UTF-8, for pages a browser
// shows. A byte sequence that is no character becomes U+FFFD.
std::string utf8_from_shift_jis(const std::string& text);

}  // namespace dimcheck::jww
