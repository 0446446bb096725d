// Dimension checking: reading a text body as a length, finding the end points
// around the text, and judging it by the distances of pairs of them.
#pragma once

#include "control/state.h"

namespace dimcheck {

// Verdict codes.
constexpr int kNotAValue = -2;
// A text record that is counted, not judged: a vertical or angle text, or with
// -n a note.
constexpr int kNotJudged = -100;
constexpr int kWrong = 10;

// Value reading.
int __DEL_CR(char* body);
int ZenHan(DrawingState& s, const char* body);
int isSuchi(DrawingState& s, const char* csp);
int Comma(char* csp);
// Whether a body holds nothing but what a value is written with: digits,
// blanks, , . + - * /, M, m, R, their full-width forms and the diameter sign.
bool written_like_a_value(const char* body);

// End-point search around the current text.
int Search_Ten(DrawingState& s, double nagasa, int mode);
int Get_Ten_Hanni(DrawingState& s);

// Verdict of the current text.
int Sun_chk(DrawingState& s);
void STEN_sort(DrawingState& s, int n);
int Same_dis(DrawingState& s, int mode, int jj, int kk, double length);

}  // namespace dimcheck
