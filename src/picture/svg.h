// A picture of a checked layer group: what the host handed over, in the
// drawing's colours on a light background, and over it, in a colour of
// their own, the records the check wrote (marks, explanations, summary),
// placed as those records place them. An SVG file any browser opens.
#pragma once

#include <string>

namespace dimcheck::picture {

// Above this many records of the selection, its lines and curves are left
// out of the picture (its points, texts and the marks stay) and the picture
// says so: a browser would draw it too slowly to be of use.
constexpr int kDrawnRecordLimit = 20000;

// The colour of the marks, explanations and summary: no pen of the drawing has it.
constexpr const char kMarkColour[] = "#ff6600";

// Text for a page: & < > " ' as references, control characters as their
// visible symbols (U+2400 on), so that no text of a drawing becomes markup.
std::string escaped(const std::string& utf8);

// The picture of one group: `selection` the exchange file handed to the
// checker, `result` what the checker wrote back, `scale` the group's scale
// (text sizes are paper sizes), `title` in UTF-8.
std::string draw_group(const std::string& selection, const std::string& result, double scale,
                       const std::string& title);

}  // namespace dimcheck::picture
