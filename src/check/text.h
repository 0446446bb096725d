// The text record being judged.
#pragma once

#include "control/drawing.h"

namespace dimcheck {

// A text record: the second letter of its keyword ("ch", "cr" ...), start
// point, base-line vector and body, and the text kind current at it. The second pass keeps one text
// from record to record, so a field that does not convert leaves the earlier
// text's value.
struct Text {
    char keyword_letter = 0;  // 'h', 'r', 'o' or 's'
    double x = 0.0, y = 0.0, dx = 0.0, dy = 0.0;
    char body[kLineBuf] = {};  // cut at its line end, without trailing blanks
    int kind = 0;

    // The middle of the base line: the centre of the mark and of the search frame.
    Point middle() const { return {x + 0.5 * dx, y + 0.5 * dy}; }
    // The length of the base line.
    double length() const;
    // The unit vector along the base line; along x for a text without one.
    Point direction() const;
    // The width of the body as drawn: every byte counts half a character width.
    double drawn_width(const Drawing& d) const;
};

// Parses a text record into `text`. The keyword is the first two bytes, the
// numbers start at the third; a field that does not convert leaves it and
// every later field (the body among them) as they were.
void parse_text_record(Text& text, const char* line);

}  // namespace dimcheck
