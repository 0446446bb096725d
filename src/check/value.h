// Reading a text body as a length.
#pragma once

#include "control/fields.h"
#include "control/trace.h"

namespace dimcheck {

// Bytes of the characters a value is written with, terminator included.
constexpr int kValueText = 65;

// Cuts the body at its first CR, LF or NUL and drops trailing blanks.
void cut_line_end(char* body);
// Copies the characters of the body that a value is written with, full-width
// ones brought to half-width, into value_text (kValueText bytes). A level-2
// trace tells whether the body also held other characters (kanji, letters).
void to_half_width(char* value_text, const char* body, Trace trace);
// Whether value_text is a number (at most three digits after the point), and
// narrows the tolerance tenfold for every digit after the point.
bool check_number_and_tolerance(double& tolerance, const char* value_text);
// Keeps only the digits and the point of value_text; returns whether it held
// an M (the value is in metres).
bool strip_and_find_metres(char* value_text);
// Whether a body holds nothing but what a value is written with: digits,
// blanks, , . + - * /, M, m, R, their full-width forms and the diameter sign.
bool written_like_a_value(const char* body);

}  // namespace dimcheck
