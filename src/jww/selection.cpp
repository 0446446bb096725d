#include "jww/selection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "control/drawing.h"
#include "control/fields.h"
#include "control/numbers.h"

namespace dimcheck::jww {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kNestingLimit = 16;  // inserts within inserts; deeper ones are a loop or an attack
constexpr std::size_t kBodyBytes = 250;  // the checker reads no more of a text
// Elements visited while blocks are placed: more than the checker could take
// in any case, so that inserts of inserts that write nothing still end.
constexpr long kVisitLimit = 20L * kLineLimit;

// Where a block's elements land: x' = a·x + b·y + e, y' = c·x + d·y + f.
struct Placement {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    void apply(double x, double y, double& px, double& py) const {
        px = a * x + b * y + e;
        py = c * x + d * y + f;
    }
    // This placement after `inner`.
    Placement after(const Placement& inner) const {
        Placement p;
        p.a = a * inner.a + b * inner.c;
        p.b = a * inner.b + b * inner.d;
        p.c = c * inner.a + d * inner.c;
        p.d = c * inner.b + d * inner.d;
        apply(inner.e, inner.f, p.e, p.f);
        return p;
    }
    double size_factor() const { return std::sqrt(std::fabs(a * d - b * c)); }
    bool keeps_shape() const { return a == d && b == -c; }  // turns and scales alike
    double turn_degrees() const { return std::atan2(c, a) * 180 / kPi; }
};

Placement placement_of(const Insert& insert) {
    Placement p;
    const double cos = std::cos(insert.rotation), sin = std::sin(insert.rotation);
    p.a = cos * insert.x_scale;
    p.b = -sin * insert.y_scale;
    p.c = sin * insert.x_scale;
    p.d = cos * insert.y_scale;
    p.e = insert.x;
    p.f = insert.y;
    return p;
}

// A text body as one record can carry it: no line break inside, and cut
// where the checker would cut it, never inside a double-byte character.
std::string one_record_body(const std::string& body) {
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const std::size_t width = is_lead_byte(static_cast<unsigned char>(body[i])) ? 2 : 1;
        if (out.size() + width > kBodyBytes) break;
        const char c = body[i];
        out += c == '\r' || c == '\n' ? ' ' : c;
        if (width == 2 && i + 1 < body.size()) out += body[++i];
    }
    return out;
}

class GroupWriter {
public:
    GroupWriter(const Drawing& d, int group, const std::map<std::uint32_t, std::size_t>& numbers)
        : d_(d), group_(group), scale_(d.groups[group].scale), numbers_(numbers) {
        sel_.group = group;
    }

    // A top-level element of this group, unless it cannot be selected.
    void add(const Element& e) {
        const Base& base = base_of(e);
        if (base.group != group_) return;
        if (d_.groups[group_].state <= 1 || d_.groups[group_].layers[base.layer].state <= 1) {
            ++sel_.left_out;
            return;
        }
        element(e, Placement(), 0);
    }

    GroupSelection finish(const std::string& file) {
        std::string head;
        append_formatted(head, "file=%s\n", one_record_body(file).c_str());
        append_formatted(head, "hs");
        for (const LayerGroup& g : d_.groups) append_formatted(head, " %.17g", g.scale);
        append_formatted(head, "\nhcw");
        for (const TextKind& k : d_.text_kinds) append_formatted(head, " %.17g", k.width);
        append_formatted(head, "\nhch");
        for (const TextKind& k : d_.text_kinds) append_formatted(head, " %.17g", k.height);
        append_formatted(head, "\nhcd");
        for (const TextKind& k : d_.text_kinds) append_formatted(head, " %.17g", k.spacing);
        append_formatted(head, "\nhcc");
        for (const TextKind& k : d_.text_kinds)
            append_formatted(head, " %u", static_cast<unsigned>(k.colour));
        if (!any_) low_x_ = low_y_ = high_x_ = high_y_ = 0;
        append_formatted(head, "\nhn %.17g %.17g %.17g %.17g\n", low_x_, low_y_, high_x_, high_y_);
        // The comment fixes the checker's scale from the group's.
        append_formatted(head, "lg%x\n#jww group %X\nly%x\nlt1\nlc1\npn1\n",
                         static_cast<unsigned>(group_), static_cast<unsigned>(group_),
                         static_cast<unsigned>(d_.groups[group_].write_layer));
        const int head_records = static_cast<int>(std::count(head.begin(), head.end(), '\n'));
        sel_.exchange = head + kind_record(d_.write_text_kind, d_.write_text, 1) + body_;
        sel_.records += head_records + 1;
        return std::move(sel_);
    }

private:
    // One record of the selection, unless the checker's limit is passed:
    // then nothing more is needed to say so.
    bool room() const { return sel_.records <= kLineLimit; }
    template <class... Values>
    void record(const char* format, Values... values) {
        if (!room()) return;
        append_formatted(body_, format, values...);
        ++sel_.records;
    }

    // A point at real size, within the extent (unless it is no number: the
    // extent stays one the checker can use).
    void place(const Placement& p, double x, double y, double& rx, double& ry) {
        p.apply(x, y, rx, ry);
        rx *= scale_;
        ry *= scale_;
        if (!std::isfinite(rx) || !std::isfinite(ry)) return;
        if (!any_ || rx < low_x_) low_x_ = rx;
        if (!any_ || ry < low_y_) low_y_ = ry;
        if (!any_ || rx > high_x_) high_x_ = rx;
        if (!any_ || ry > high_y_) high_y_ = ry;
        any_ = true;
    }

    // The colour an element is drawn in, as the host states it before the
    // elements that change it; the checker reads it only to restore it.
    void colour(const Base& base) {
        if (base.colour == colour_ || !room()) return;
        colour_ = base.colour;
        record("lc%u\n", static_cast<unsigned>(colour_));
    }

    void line(const Line& l, const Placement& p) {
        colour(l.base);
        double x1, y1, x2, y2;
        place(p, l.x1, l.y1, x1, y1);
        place(p, l.x2, l.y2, x2, y2);
        record(" %.17g %.17g %.17g %.17g\n", x1, y1, x2, y2);
    }

    void point(const Dot& dot, const Placement& p) {
        if (dot.temporary) return;
        colour(dot.base);
        double x, y;
        place(p, dot.x, dot.y, x, y);
        record("pt %.17g %.17g\n", x, y);
    }

    // Full circles are what the checker takes as end points; every other
    // curve carries its angles (and its flatness and tilt), which it ignores.
    void arc(const Arc& arc, const Placement& p) {
        colour(arc.base);
        double x, y;
        place(p, arc.cx, arc.cy, x, y);
        const double radius = arc.radius * p.size_factor() * scale_;
        if (arc.full && arc.flatness == 1 && p.keeps_shape()) {
            record("ci %.17g %.17g %.17g\n", x, y, radius);
            return;
        }
        const double turn = p.turn_degrees(), start = arc.start * 180 / kPi + turn;
        const double end = start + arc.sweep * 180 / kPi;
        if (arc.flatness == 1 && arc.tilt == 0)
            record("ci %.17g %.17g %.17g %.17g %.17g\n", x, y, radius, start, end);
        else
            record("ci %.17g %.17g %.17g %.17g %.17g %.17g %.17g\n", x, y, radius, start, end,
                   arc.flatness, arc.tilt * 180 / kPi + turn);
    }

    // The text-kind record a text needs: its kind, or the free size with its
    // own sizes (also for a text a block insert scales).
    static std::string kind_record(std::uint32_t kind, const TextKind& own, double factor) {
        const std::uint32_t k = kind % 10000;
        std::string out;
        if (k >= 1 && k <= 10 && factor == 1)
            append_formatted(out, "cn%u\n", static_cast<unsigned>(k));
        else
            append_formatted(out, "cn0 %.17g %.17g %.17g %u\n", own.width * factor,
                             own.height * factor, own.spacing * factor,
                             static_cast<unsigned>(own.colour));
        return out;
    }

    void text(const Text& t, const Placement& p, const char* keyword) {
        if (t.role != TextRole::Drawn) return;
        colour(t.base);
        double x1, y1, x2, y2;
        place(p, t.x1, t.y1, x1, y1);
        place(p, t.x2, t.y2, x2, y2);
        const TextKind own = {t.width, t.height, t.spacing, t.base.colour};
        const std::string kind = kind_record(t.kind, own, p.size_factor());
        if (kind != current_kind_ && room()) {
            body_ += kind;
            ++sel_.records;
            current_kind_ = kind;
        }
        record("%s %.17g %.17g %.17g %.17g \"%s\n", keyword, x1, y1, x2 - x1, y2 - y1,
               one_record_body(t.body).c_str());
        ++sel_.texts;
    }

    void dimension(const Dimension& m, const Placement& p) {
        line(m.line, p);
        const char* keyword = text_keyword(m.value.base.flags);
        const std::string k = keyword;
        text(m.value, p, k == "ch" || k == "cv" ? "cs" : keyword);
        if (m.parts_mode == 0) {
            // The host draws its end marks at the ends of the line.
            point(Dot{m.line.base, m.line.x1, m.line.y1, false, false, {}}, p);
            point(Dot{m.line.base, m.line.x2, m.line.y2, false, false, {}}, p);
            return;
        }
        for (const Line& l : m.extension_lines)
            if (l.x1 != l.x2 || l.y1 != l.y2) line(l, p);
        for (const Dot& dot : m.end_marks) point(dot, p);
    }

    void insert(const Insert& b, const Placement& p, int depth) {
        const auto found = numbers_.find(b.definition);
        if (found == numbers_.end() || depth >= kNestingLimit) return;
        const Placement inner = p.after(placement_of(b));
        for (const Element& e : d_.definitions[found->second].elements)
            element(e, inner, depth + 1);
    }

    void element(const Element& e, const Placement& p, int depth) {
        if (++visited_ > kVisitLimit) sel_.records = kLineLimit + 1;
        if (!room()) return;
        if (const auto* l = std::get_if<Line>(&e)) line(*l, p);
        if (const auto* a = std::get_if<Arc>(&e)) arc(*a, p);
        if (const auto* dot = std::get_if<Dot>(&e)) point(*dot, p);
        if (const auto* t = std::get_if<Text>(&e)) text(*t, p, text_keyword(t->base.flags));
        if (const auto* m = std::get_if<std::shared_ptr<const Dimension>>(&e)) dimension(**m, p);
        if (const auto* b = std::get_if<Insert>(&e)) insert(*b, p, depth);
    }

    const Drawing& d_;
    const int group_;
    const double scale_;
    const std::map<std::uint32_t, std::size_t>& numbers_;
    GroupSelection sel_;
    std::string body_;
    std::string current_kind_;
    unsigned colour_ = 1;  // as the head states it
    long visited_ = 0;
    bool any_ = false;
    double low_x_{}, low_y_{}, high_x_{}, high_y_{};  // set by the first point
};

// Whether an element is drawing content: the host's own texts are not.
bool is_content(const Element& e) {
    const auto* t = std::get_if<Text>(&e);
    return t == nullptr || t->role == TextRole::Drawn;
}

}  // namespace

std::vector<GroupSelection> select_groups(const Drawing& d, const std::string& file) {
    std::map<std::uint32_t, std::size_t> numbers;  // the first definition of each number
    for (std::size_t i = 0; i < d.definitions.size(); ++i)
        numbers.emplace(d.definitions[i].number, i);
    bool holds[16] = {};
    for (const Element& e : d.elements) holds[base_of(e).group] |= is_content(e);
    std::vector<GroupSelection> selections;
    for (int g = 0; g < 16; ++g) {
        if (!holds[g]) continue;
        GroupWriter writer(d, g, numbers);
        for (const Element& e : d.elements) writer.add(e);
        selections.push_back(writer.finish(file));
    }
    return selections;
}

}  // namespace dimcheck::jww
