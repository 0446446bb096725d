// A Jw_cad drawing file (.jww) as read from its bytes: the header's settings
// the checks need, every element with every field the file stores, the block
// definitions and the embedded images. Coordinates and sizes are paper
// millimetres; a group's scale turns them into real lengths. Every string is
// held in Shift-JIS, whichever form the file stored it in.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace dimcheck::jww {

// What every element starts with.
struct Base {
    std::uint32_t curve = 0;     // shared by the elements of one curve or figure
    std::uint8_t line_type = 0;  // texts: the point they were placed by
    std::uint16_t colour = 0;
    std::uint16_t line_width = 0;  // not stored before version 351; texts: value settings
    std::uint16_t layer = 0;       // 0-15
    std::uint16_t group = 0;       // 0-15
    std::uint16_t flags = 0;       // attribute bits, by class
};

struct Line {
    Base base;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A circle, arc, ellipse or elliptic arc: the point at parameter t is
// centre + Rot(tilt)·(radius·cos t, radius·flatness·sin t), t from start to
// start + sweep (radians; a negative sweep runs clockwise).
struct Arc {
    Base base;
    double cx = 0, cy = 0, radius = 0, start = 0, sweep = 0, tilt = 0, flatness = 0;
    bool full = false;
};

struct Marker {  // the arrow or point symbol of a point of line type 100
    std::uint32_t code = 0;
    double angle = 0;  // radians
    double scale = 0;
};

struct Dot {  // a point of the drawing (named so beside the checker's Point)
    Base base;
    double x = 0, y = 0;
    bool temporary = false;  // a construction point the host never hands over
    bool has_marker = false;
    Marker marker;
};

// What a text is for: drawn text, or one of the texts the host keeps for
// itself and never shows.
enum class TextRole {
    Drawn,
    InternalSetting,  // "Name = value" at (0, -1000), added by the host on saving
    Control,          // a body starting with "^@": image placements and the like
};

struct Text {
    Base base;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // the base line, from where writing starts
    std::uint32_t kind = 0;  // 0 free size, 1-10 a text kind; +10000 italic, +20000 bold
    double width = 0, height = 0, spacing = 0;
    double angle = 0;  // degrees, counter-clockwise
    std::string font;
    std::string body;
    TextRole role = TextRole::Drawn;
};

// A dimension made by the dimension command as one object: its line and
// value, and from version 420 the parts drawn with it.
struct Dimension {
    Base base;
    Line line;
    Text value;
    bool has_parts = false;        // version 420 or later: the members below are stored
    std::uint16_t parts_mode = 0;  // non-zero: extension lines and end marks are drawn
    std::array<Line, 2> extension_lines;
    std::array<Dot, 2> end_marks;
    std::array<Dot, 2> reference_points;
};

// A filled quadrilateral (corners stored as 1, 4, 2, 3; the boundary runs
// 1-2-3-4), or from line type 101 a circle, ring or band solid whose eight
// values are centre x, y, radius, flatness, tilt, start, sweep and mode.
struct Solid {
    Base base;
    std::array<double, 8> values{};
    bool has_rgb = false;   // colour 10: its own colour follows
    std::uint32_t rgb = 0;  // 0x00BBGGRR
};

// A placed block: a definition's element p is drawn at
// reference + Rot(rotation)·(x_scale·p.x, y_scale·p.y).
struct Insert {
    Base base;
    double x = 0, y = 0, x_scale = 1, y_scale = 1, rotation = 0;
    std::uint32_t definition = 0;  // a definition's number, not its position
};

// In the order the file stores them. A dimension object is large and rare:
// it is held apart, so that an element takes little more than a text.
using Element = std::variant<Line, Arc, Dot, Text, std::shared_ptr<const Dimension>, Solid, Insert>;

struct BlockDefinition {
    Base base;
    std::uint32_t number = 0;
    bool referenced = false;
    std::uint32_t created = 0;  // seconds since 1970, UTC
    std::string name;
    std::vector<Element> elements;  // about the definition's own origin
};

struct Image {  // an image file stored in the drawing; only its name and size are kept
    std::string name;
    std::uint32_t bytes = 0;
};

struct Layer {
    std::uint32_t state = 2;  // 0 hidden, 1 display only, 2 editable, 3 written to
    std::uint32_t protect = 0;
    std::string name;
};

struct LayerGroup {
    std::uint32_t state = 2;  // as a layer's
    std::uint32_t write_layer = 0;
    double scale = 1;  // the denominator: 100 is 1:100
    std::uint32_t protect = 0;
    std::string name;
    std::array<Layer, 16> layers;
};

struct TextKind {  // one of the ten sizes texts of kinds 1-10 take
    double width = 0, height = 0, spacing = 0;
    std::uint32_t colour = 0;
};

// Which forms the file's strings took; the host writes one form for all.
struct StringForms {
    bool shift_jis = false;
    bool utf16 = false;
};

struct Drawing {
    std::uint32_t version = 0;
    std::string memo;
    std::uint32_t paper_size = 0;
    std::uint32_t write_group = 0;
    std::array<LayerGroup, 16> groups;
    std::array<std::uint32_t, 5> dimension_settings{};  // decimal digits hold the settings
    std::array<TextKind, 10> text_kinds;
    TextKind write_text;
    std::uint32_t write_text_kind = 0;
    std::vector<Element> elements;
    std::vector<BlockDefinition> definitions;
    std::vector<Image> images;
    StringForms forms;
    std::vector<std::string> warnings;  // read all the same: an odd schema, a number used twice
};

// What every element starts with, whatever its class.
const Base& base_of(const Element& e);

// The keyword under which the host hands a text over: its attribute bits
// say which kind of value the dimension command made it as.
const char* text_keyword(std::uint16_t flags);

}  // namespace dimcheck::jww
