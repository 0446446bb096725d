#include "picture/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "control/numbers.h"
#include "jww/shift_jis.h"

namespace dimcheck::picture {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The host's pens 1-9 as they show on a light background; other pens grey.
const char* pen_colour(int pen) {
    static const char* const pens[10] = {"#404040", "#008b8b", "#000000", "#008000", "#a08000",
                                         "#c000c0", "#0000e0", "#505050", "#d00000", "#909090"};
    return pen >= 0 && pen <= 9 ? pens[pen] : "#707070";
}

// Up to `n` numbers from `p`, separated by blanks or commas, as the C
// library reads them; how many were read.
int read_numbers(const char* p, double* values, int n) {
    int read = 0;
    while (read < n) {
        while (*p == ' ' || *p == '\t' || *p == ',') ++p;
        char* end = nullptr;
        const double v = read_double(p, &end);
        if (end == p) break;
        values[read++] = v;
        p = end;
    }
    return read;
}

// A drawing's y in the picture, whose y axis points down (0 stays 0, not -0).
double up(double y) { return 0.0 - y; }

bool finite(const double* v, int n) {
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

class Picture {
public:
    explicit Picture(double scale) : scale_(scale) {}

    // Draws the records of an exchange file or a result; `ours`: in the
    // marks' colour.
    void draw(const std::string& records, bool ours, bool lines_too) {
        std::istringstream in(records);
        std::string line;
        std::string& out = ours ? marks_ : drawing_;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            record(line, ours, lines_too, out);
        }
    }

    std::string svg(const std::string& title, const std::string& note) const {
        double x0 = low_x_, y0 = low_y_, x1 = high_x_, y1 = high_y_;
        if (!any_) x0 = y0 = 0, x1 = y1 = 1;
        const double margin = std::max({x1 - x0, y1 - y0, 1e-9}) * 0.03;
        std::string s;
        append_formatted(s, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        append_formatted(
            s,
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"%.10g %.10g %.10g %.10g\" "
            "width=\"100%%\" height=\"100%%\" font-family=\"'MS Gothic', 'ＭＳ ゴシック', "
            "'IPAGothic', 'IPAexGothic', 'Noto Sans CJK JP', 'Noto Sans JP', monospace\">\n",
            x0 - margin, -y1 - margin, x1 - x0 + 2 * margin, y1 - y0 + 2 * margin);
        s += "<title>" + escaped(title) + "</title>\n";
        append_formatted(
            s,
            "<rect x=\"%.10g\" y=\"%.10g\" width=\"%.10g\" height=\"%.10g\" fill=\"#fbfbf6\"/>\n",
            x0 - margin, -y1 - margin, x1 - x0 + 2 * margin, y1 - y0 + 2 * margin);
        s += "<g id=\"drawing\" fill=\"none\">\n" + drawing_ + "</g>\n";
        append_formatted(s, "<g id=\"marks\" fill=\"none\" stroke=\"%s\">\n", kMarkColour);
        s += marks_ + "</g>\n";
        if (!note.empty())
            append_formatted(
                s, "<text x=\"%.10g\" y=\"%.10g\" font-size=\"%.10g\" fill=\"%s\">%s</text>\n", x0,
                up(y1), margin, kMarkColour, escaped(note).c_str());
        return s + "</svg>\n";
    }

private:
    void extend(double x, double y) {
        if (!any_ || x < low_x_) low_x_ = x;
        if (!any_ || y < low_y_) low_y_ = y;
        if (!any_ || x > high_x_) high_x_ = x;
        if (!any_ || y > high_y_) high_y_ = y;
        any_ = true;
    }

    // The stroke of a drawing element, or of a mark.
    std::string stroke(bool ours) const {
        if (ours) return "stroke-width=\"2.5\" vector-effect=\"non-scaling-stroke\"";
        return std::string("stroke=\"") + pen_colour(pen_) +
               "\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"";
    }

    void record(const std::string& line, bool ours, bool lines_too, std::string& out) {
        const char* r = line.c_str();
        double v[7];
        const char first = r[0];
        const bool numbers_first = first == ' ' || first == '-' || first == '.' || is_digit(first);
        if (numbers_first && read_numbers(r, v, 4) == 4 && finite(v, 4)) {
            if (!lines_too) return;
            extend(v[0], v[1]);
            extend(v[2], v[3]);
            append_formatted(out,
                             "<line x1=\"%.10g\" y1=\"%.10g\" x2=\"%.10g\" y2=\"%.10g\" %s/>\n",
                             v[0], up(v[1]), v[2], up(v[3]), stroke(ours).c_str());
        } else if (line.compare(0, 3, "hch") == 0) {
            read_numbers(r + 3, heights_ + 1, 10);
        } else if (line.compare(0, 2, "lc") == 0) {
            pen_ = std::atoi(r + 2);
        } else if (line.compare(0, 3, "cn0") == 0) {
            double sizes[2];
            if (read_numbers(r + 3, sizes, 2) == 2) height_ = sizes[1];
        } else if (line.compare(0, 2, "cn") == 0) {
            const int kind = std::atoi(r + 2);
            if (kind >= 1 && kind <= 10) height_ = heights_[kind];
        } else if (line.compare(0, 3, "ci ") == 0) {
            curve(read_numbers(r + 3, v, 7), v, ours, lines_too, out);
        } else if (line.compare(0, 3, "pt ") == 0 && read_numbers(r + 3, v, 2) == 2 &&
                   finite(v, 2)) {
            extend(v[0], v[1]);
            append_formatted(out, "<circle cx=\"%.10g\" cy=\"%.10g\" r=\"%.10g\" fill=\"%s\"/>\n",
                             v[0], up(v[1]), height_ * scale_ * 0.15,
                             ours ? kMarkColour : pen_colour(pen_));
        } else if (first == 'c' && line.size() > 3 && line[2] == ' ') {
            text(line, ours, out);
        }
    }

    // A full circle (three numbers), an arc (five: angles in degrees) or an
    // elliptic arc (seven: flatness and tilt too).
    void curve(int n, const double* v, bool ours, bool lines_too, std::string& out) {
        if ((n != 3 && n != 5 && n != 7) || !finite(v, n) || !lines_too) return;
        const double cx = v[0], cy = v[1], r = v[2];
        extend(cx - r, cy - r);
        extend(cx + r, cy + r);
        if (n == 3) {
            append_formatted(out, "<circle cx=\"%.10g\" cy=\"%.10g\" r=\"%.10g\" %s/>\n", cx,
                             up(cy), r, stroke(ours).c_str());
            return;
        }
        const double flat = n == 7 ? v[5] : 1, tilt = n == 7 ? v[6] * kPi / 180 : 0;
        const double a0 = v[3] * kPi / 180, a1 = v[4] * kPi / 180;
        auto at = [&](double t, double& x, double& y) {
            const double ex = r * std::cos(t), ey = r * flat * std::sin(t);
            x = cx + ex * std::cos(tilt) - ey * std::sin(tilt);
            y = cy + ex * std::sin(tilt) + ey * std::cos(tilt);
        };
        double sx, sy, ex, ey, mx, my;
        at(a0, sx, sy);
        at((a0 + a1) / 2, mx, my);
        at(a1, ex, ey);
        // Two halves, so that no half spans more than a half turn.
        const int sweep = a1 > a0 ? 0 : 1;  // the y axis points down in the picture
        append_formatted(
            out,
            "<path d=\"M %.10g %.10g A %.10g %.10g %.10g 0 %d %.10g %.10g A %.10g %.10g %.10g 0 %d "
            "%.10g %.10g\" %s/>\n",
            sx, up(sy), r, std::fabs(r * flat), up(tilt * 180 / kPi), sweep, mx, up(my), r,
            std::fabs(r * flat), up(tilt * 180 / kPi), sweep, ex, up(ey), stroke(ours).c_str());
    }

    // A text on its base line: at its start, turned along it, as long as it.
    void text(const std::string& line, bool ours, std::string& out) {
        double v[4];
        const std::size_t quote = line.find('"');
        if (quote == std::string::npos || read_numbers(line.c_str() + 3, v, 4) != 4 ||
            !finite(v, 4))
            return;
        const double length = std::hypot(v[2], v[3]);
        const double size = height_ * scale_;
        if (!(size > 0) || !std::isfinite(size)) return;
        extend(v[0], v[1]);
        extend(v[0] + v[2], v[1] + v[3]);
        // The checker's own texts take their natural width: about half the
        // height a byte.
        const std::string body = line.substr(quote + 1);
        if (ours && length > 0) {
            const double width = size * 0.5 * static_cast<double>(body.size());
            extend(v[0] + v[2] / length * width, v[1] + v[3] / length * width + size);
        }
        const double degrees = -std::atan2(v[3], v[2]) * 180 / kPi;
        append_formatted(out, "<text x=\"%.10g\" y=\"%.10g\" font-size=\"%.10g\" fill=\"%s\"", v[0],
                         up(v[1]), size, ours ? kMarkColour : pen_colour(pen_));
        if (degrees != 0)
            append_formatted(out, " transform=\"rotate(%.10g %.10g %.10g)\"", degrees, v[0],
                             up(v[1]));
        // The drawing's texts span their base lines; the checker's own (the
        // summary's base line is a fixed 10 units) take their natural width.
        if (length > 0 && !ours)
            append_formatted(out, " textLength=\"%.10g\" lengthAdjust=\"spacingAndGlyphs\"",
                             length);
        out += ">" + escaped(jww::utf8_from_shift_jis(body)) + "</text>\n";
    }

    const double scale_;
    double heights_[11] = {};
    double height_ = 0;
    int pen_ = 1;
    std::string drawing_, marks_;
    bool any_ = false;
    double low_x_{}, low_y_{}, high_x_{}, high_y_{};  // set by the first point
};

}  // namespace

std::string escaped(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default:
            if (u < 0x20 || u == 0x7F) {
                char symbol[16];
                std::snprintf(symbol, sizeof symbol, "&#x%X;", u == 0x7F ? 0x2421u : 0x2400u + u);
                out += symbol;
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string draw_group(const std::string& selection, const std::string& result, double scale,
                       const std::string& title) {
    const long records = std::count(selection.begin(), selection.end(), '\n');
    const bool lines_too = records <= kDrawnRecordLimit;
    Picture picture(scale);
    picture.draw(selection, false, lines_too);
    picture.draw(result, true, true);
    std::string note;
    if (!lines_too)
        note = "線と円弧は省略（" + std::to_string(records) + " 行の選択: 上限 " +
               std::to_string(kDrawnRecordLimit) + "）";
    return picture.svg(title, note);
}

}  // namespace dimcheck::picture
