// Dimension checking: reading a text body as a length, finding the end points
// around the text, and judging it by the distances of pairs of them.
#pragma once

#include "control/drawing_state.h"

namespace dimcheck {

// Verdict codes.
constexpr int kNotAValue = -2;
// A text record that is counted, not judged: a vertical or angle text, or with
// -n a note.
constexpr int kNotJudged = -100;
constexpr int kWrong = 10;

// Value reading.
// Cuts the body at its first CR, LF or NUL and drops trailing blanks; returns
// the length left.
int cut_line_end(char* body);
// Copies the characters of the body that a value is written with, full-width
// ones brought to half-width, into value_text; returns -1 when nothing was
// left, else 1 when the body also held other characters (kanji, letters), 0
// when not: a flag that only the trace shows.
int to_half_width(DrawingState& s, const char* body);
// Whether value_text is a number (1; 0 or less when not), and narrows the
// tolerance tenfold for every digit after the point.
int check_number_and_tolerance(DrawingState& s, const char* value_text);
// Keeps only the digits and the point of value_text; returns 1 when it held an
// M (the value is in metres), else 0.
int strip_and_find_metres(char* value_text);
// Whether a body holds nothing but what a value is written with: digits,
// blanks, , . + - * /, M, m, R, their full-width forms and the diameter sign.
bool written_like_a_value(const char* body);

// End-point search around the current text: lays the frame (mode is only
// drawn at trace level 1) and returns the number of end points found in it.
int search_end_points(DrawingState& s, double search_length, int mode);
int points_in_frame(DrawingState& s);

// Verdict of the current text: its verdict code (0 to 3, kWrong, kNotAValue
// or kNotJudged).
int judge_text(DrawingState& s);
void sort_found_points(DrawingState& s, int n);
// The verdict code of one pair of found points against the length; in mode 0
// a pair with the point nearest the text's start is exact within the tolerance.
int compare_pair(DrawingState& s, int mode, int first, int second, double length);

}  // namespace dimcheck
