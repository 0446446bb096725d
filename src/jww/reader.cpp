#include "jww/reader.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "jww/shift_jis.h"

namespace dimcheck::jww {

namespace {

constexpr std::uint32_t kVersions[] = {230, 300, 351, 420, 600, 700};

// The element classes, in the order of the variant Element, then the block
// definition.
enum class ClassId { Line, Arc, Dot, Text, Dimension, Solid, Insert, Definition };
constexpr const char* kClassNames[] = {"CDataSen",    "CDataEnko",  "CDataTen",   "CDataMoji",
                                       "CDataSunpou", "CDataSolid", "CDataBlock", "CDataList"};

// The bytes of the file with a position: every read is checked against what
// is left, and a failure names where it happened and what was being read.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}

    std::size_t offset() const { return at_; }
    std::size_t left() const { return data_.size() - at_; }

    // The element being read, named in messages.
    void set_element(const char* list, std::size_t number) {
        list_ = list;
        element_ = number;
    }

    [[noreturn]] void fail(std::size_t at, const char* field, const std::string& problem) const {
        std::string message = "byte " + std::to_string(at) + ": ";
        if (list_) message += std::string(list_) + ", element " + std::to_string(element_) + ": ";
        throw ReadError(at, message + field + ": " + problem);
    }

    void need(std::size_t n, const char* field) const {
        if (n > left())
            fail(at_, field,
                 "the file ends (" + std::to_string(n) + " bytes needed, " +
                     std::to_string(left()) + " left)");
    }
    const unsigned char* take(std::size_t n, const char* field) {
        need(n, field);
        const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + at_);
        at_ += n;
        return p;
    }
    std::uint64_t little_endian(std::size_t n, const char* field) {
        const unsigned char* p = take(n, field);
        std::uint64_t value = 0;
        for (std::size_t i = n; i-- > 0;) value = value << 8 | p[i];
        return value;
    }
    std::uint8_t byte(const char* field) {
        return static_cast<std::uint8_t>(little_endian(1, field));
    }
    std::uint16_t word(const char* field) {
        return static_cast<std::uint16_t>(little_endian(2, field));
    }
    std::uint32_t dword(const char* field) {
        return static_cast<std::uint32_t>(little_endian(4, field));
    }
    double real(const char* field) {
        std::uint64_t bits = little_endian(8, field);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    void skip(std::size_t n, const char* field) { take(n, field); }

    // A string: a length prefix (a byte, then a word, then a double word when
    // the shorter one is all ones), and once, before it, the marker of a
    // UTF-16 string; then as many bytes or code units.
    std::string string(const char* field, StringForms& forms) {
        const std::size_t start = at_;
        bool utf16 = false;
        std::uint32_t length = byte(field);
        if (length == 0xFF) {
            length = word(field);
            if (length == 0xFFFE) {
                utf16 = true;
                length = byte(field);
                if (length == 0xFF) length = word(field);
            }
            if (length == 0xFFFF) {
                length = dword(field);
                if (length == 0xFFFFFFFF) fail(start, field, "a 64-bit string length");
            }
        }
        const std::size_t bytes = utf16 ? 2 * static_cast<std::size_t>(length) : length;
        if (bytes > left())
            fail(start, field,
                 "a string of " + std::to_string(bytes) + " bytes, " + std::to_string(left()) +
                     " left");
        (utf16 ? forms.utf16 : forms.shift_jis) = true;
        const unsigned char* p = take(bytes, field);
        if (utf16) return shift_jis_from_utf16(p, length);
        return std::string(reinterpret_cast<const char*>(p), bytes);
    }

private:
    std::string_view data_;
    std::size_t at_ = 0;
    const char* list_ = nullptr;
    std::size_t element_ = 0;
};

class Reader {
public:
    explicit Reader(std::string_view data) : in_(data) {}

    Drawing read() {
        read_header();
        read_element_list(d_.elements, "the element list");
        read_definitions();
        if (d_.version >= 700) read_images();
        if (in_.left() != 0)
            in_.fail(in_.offset(), "the end of the file",
                     std::to_string(in_.left()) + " bytes after the last section");
        check_inserts();
        return std::move(d_);
    }

private:
    // A header value that must lie in 0..last.
    std::uint32_t bounded(const char* field, std::uint32_t last) {
        const std::size_t at = in_.offset();
        std::uint32_t value = in_.dword(field);
        if (value > last)
            in_.fail(at, field, std::to_string(value) + " is above " + std::to_string(last));
        return value;
    }
    std::string string(const char* field) { return in_.string(field, d_.forms); }

    void read_header() {
        const unsigned char* signature = in_.take(8, "the signature");
        if (std::memcmp(signature, "JwwData.", 8) != 0)
            in_.fail(0, "the signature", "not a Jw_cad drawing (JwwData. expected)");
        const std::size_t version_at = in_.offset();
        d_.version = in_.dword("the data version");
        bool known = false;
        for (std::uint32_t v : kVersions) known = known || v == d_.version;
        if (!known)
            in_.fail(version_at, "the data version",
                     "unsupported version " + std::to_string(d_.version));
        const std::uint32_t v = d_.version;

        d_.memo = string("the memo");
        d_.paper_size = in_.dword("the paper size");
        d_.write_group = bounded("the write layer group", 15);
        for (LayerGroup& g : d_.groups) {
            g.state = bounded("a layer group's state", 3);
            g.write_layer = bounded("a layer group's write layer", 15);
            const std::size_t scale_at = in_.offset();
            g.scale = in_.real("a layer group's scale");
            if (!(g.scale > 0) || !std::isfinite(g.scale))
                in_.fail(scale_at, "a layer group's scale", "not a positive number");
            g.protect = in_.dword("a layer group's protection");
            for (Layer& layer : g.layers) {
                layer.state = bounded("a layer's state", 3);
                layer.protect = in_.dword("a layer's protection");
            }
        }
        in_.skip(14 * 4, "reserved values");
        for (std::uint32_t& setting : d_.dimension_settings)
            setting = in_.dword("the dimension settings");
        in_.skip(4, "a reserved value");
        in_.skip(4, "the maximum line width");
        in_.skip(2 * 8 + 8 + 4, "the print origin, scale and setting");
        in_.skip(4 + 8 + 2 * 8 + 2 * 8, "the grid");
        for (LayerGroup& g : d_.groups)
            for (Layer& layer : g.layers) layer.name = string("a layer name");
        for (LayerGroup& g : d_.groups) g.name = string("a layer group name");
        in_.skip(8 + 8 + 4 + 8, "the shadow study");
        if (v >= 300) in_.skip(2 * 8, "the sky factor");
        in_.skip(4, "the 2.5D unit");
        in_.skip(3 * 8, "the view when saved");
        in_.skip(3 * 8, "the stored range");
        if (v >= 300)
            in_.skip(8 * (3 * 8 + 4), "the mark jumps");
        else
            in_.skip(4 * (3 * 8), "the mark jumps");
        if (v >= 300) in_.skip(3 * 8 + 4 + 2 * 8 + 8 + 4, "the text drawing");
        in_.skip(10 * 8, "the parallel-line distances");
        in_.skip(8, "the parallel line end length");
        in_.skip(10 * (4 + 4), "the screen colours");
        in_.skip(10 * (4 + 4 + 8), "the printer colours");
        in_.skip(8 * 4 * 4, "the line types");
        in_.skip(5 * 5 * 4, "the random lines");
        in_.skip(4 * 4 * 4, "the double-length line types");
        in_.skip(16 * 4, "the drawing switches");
        in_.skip(9 * 8, "the eye points and last sizes");
        in_.skip(2 * 4, "the solid colour");
        if (v >= 420) {
            in_.skip(257 * (4 + 4), "the SXF screen colours");
            for (int i = 0; i < 257; ++i) {
                string("an SXF colour name");
                in_.skip(4 + 4 + 8, "an SXF printer colour");
            }
            in_.skip(33 * 4 * 4, "the SXF line types");
            for (int i = 0; i < 33; ++i) {
                string("an SXF line type name");
                in_.skip(4 + 10 * 8, "an SXF line type's segments");
            }
        }
        for (TextKind& kind : d_.text_kinds) read_text_kind(kind);
        read_text_kind(d_.write_text);
        d_.write_text_kind = in_.dword("the write text kind");
        in_.skip(2 * 8, "the text arrangement");
        in_.skip(4 + 6 * 8, "the base-point shifts");
    }

    void read_text_kind(TextKind& kind) {
        kind.width = in_.real("a text kind's width");
        kind.height = in_.real("a text kind's height");
        kind.spacing = in_.real("a text kind's spacing");
        kind.colour = in_.dword("a text kind's colour");
    }

    // The tag before an object: a new class with its name, a known class, or
    // a null object (nothing to read). The class is returned, or -1 for null.
    int read_tag() {
        const std::size_t at = in_.offset();
        const std::uint16_t tag = in_.word("a tag");
        if (tag == 0) return -1;
        if (tag == 0xFFFF) return read_new_class();
        if (tag == 0x8000) in_.fail(at, "a tag", "class index 0");
        std::uint32_t index = tag & 0x7FFF;
        bool names_class = (tag & 0x8000) != 0;
        if (tag == 0x7FFF) {
            const std::uint32_t big = in_.dword("a tag");
            names_class = (big & 0x80000000) != 0;
            index = big & 0x7FFFFFFF;
        }
        if (!names_class)
            in_.fail(at, "a tag",
                     "a reference to object " + std::to_string(index) +
                         " (the host stores every object once)");
        if (index >= table_.size() || table_[index] < 0)
            in_.fail(at, "a tag", "index " + std::to_string(index) + " names no class");
        table_.push_back(-1);  // the object's index, taken before its fields
        return table_[index];
    }

    int read_new_class() {
        const std::size_t at = in_.offset();
        const std::uint16_t schema = in_.word("a class's schema");
        const std::uint16_t length = in_.word("a class name's length");
        if (length < 1 || length > 63)
            in_.fail(at, "a class name", "a length of " + std::to_string(length));
        const unsigned char* name = in_.take(length, "a class name");
        const std::string_view given(reinterpret_cast<const char*>(name), length);
        int id = -1;
        for (int i = 0; i < 8; ++i)
            if (given == kClassNames[i]) id = i;
        if (id < 0) {
            std::string shown;
            for (unsigned char c : given)
                shown += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
            in_.fail(at, "a class name", "unknown class " + shown);
        }
        if (schema != d_.version && !warned_schema_[id]) {
            warned_schema_[id] = true;
            d_.warnings.push_back(std::string(kClassNames[id]) + " has schema " +
                                  std::to_string(schema) + ", not the data version");
        }
        table_.push_back(id);
        table_.push_back(-1);  // the object that follows
        return id;
    }

    // A list's count, checked against the bytes left: each entry takes at
    // least its two-byte tag.
    std::size_t read_count(const char* field) {
        const std::size_t at = in_.offset();
        std::size_t count = in_.word(field);
        if (count == 0xFFFF) count = in_.dword(field);
        if (count > in_.left() / 2)
            in_.fail(at, field,
                     std::to_string(count) + " entries cannot fit in the " +
                         std::to_string(in_.left()) + " bytes left");
        return count;
    }

    void read_element_list(std::vector<Element>& into, const char* list) {
        const std::size_t count = read_count("the count of elements");
        for (std::size_t i = 0; i < count; ++i) {
            in_.set_element(list, i + 1);
            const std::size_t at = in_.offset();
            const int id = read_tag();
            if (id < 0) continue;
            if (static_cast<ClassId>(id) == ClassId::Definition)
                in_.fail(at, "a tag", "a block definition among the elements");
            into.push_back(read_element(static_cast<ClassId>(id)));
        }
        in_.set_element(nullptr, 0);
    }

    void read_definitions() {
        const std::size_t count = read_count("the count of block definitions");
        std::map<std::uint32_t, bool> seen;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = in_.offset();
            const int id = read_tag();
            if (id < 0) continue;
            if (static_cast<ClassId>(id) != ClassId::Definition)
                in_.fail(at, "a tag",
                         std::string(kClassNames[id]) + " among the block definitions");
            BlockDefinition def;
            def.base = read_base();
            def.number = in_.dword("a block definition's number");
            def.referenced = in_.dword("a block definition's use") != 0;
            def.created = in_.dword("a block definition's creation time");
            def.name = string("a block definition's name");
            if (seen[def.number])
                d_.warnings.push_back("block definition number " + std::to_string(def.number) +
                                      " occurs twice");
            seen[def.number] = true;
            read_element_list(def.elements, "a block definition");
            d_.definitions.push_back(std::move(def));
        }
    }

    void read_images() {
        const std::size_t at = in_.offset();
        const std::uint32_t count = in_.dword("the count of images");
        // Each image takes at least its empty name and its size.
        if (count > in_.left() / 5)
            in_.fail(at, "the count of images",
                     std::to_string(count) + " images cannot fit in the bytes left");
        for (std::uint32_t i = 0; i < count; ++i) {
            Image image;
            image.name = string("an image's name");
            const std::size_t size_at = in_.offset();
            image.bytes = in_.dword("an image's size");
            if (image.bytes > in_.left())
                in_.fail(size_at, "an image's size",
                         std::to_string(image.bytes) + " bytes, " + std::to_string(in_.left()) +
                             " left");
            in_.skip(image.bytes, "an image's contents");
            d_.images.push_back(std::move(image));
        }
    }

    // Inserts name definitions by number; any definition, also a later one.
    void check_inserts() {
        std::map<std::uint32_t, bool> numbers;
        for (const BlockDefinition& def : d_.definitions) numbers[def.number] = true;
        for (const auto& [at, number] : insert_numbers_)
            if (!numbers.count(number))
                in_.fail(at, "a block insert",
                         "no block definition has number " + std::to_string(number));
    }

    Base read_base() {
        Base b;
        b.curve = in_.dword("the curve attribute");
        b.line_type = in_.byte("the line type");
        b.colour = in_.word("the colour");
        if (d_.version >= 351) b.line_width = in_.word("the line width");
        const std::size_t layer_at = in_.offset();
        b.layer = in_.word("the layer");
        b.group = in_.word("the layer group");
        if (b.layer > 15 || b.group > 15)
            in_.fail(layer_at, "the layer",
                     "layer " + std::to_string(b.layer) + " of group " + std::to_string(b.group) +
                         " (0-15 each)");
        b.flags = in_.word("the attribute flags");
        return b;
    }

    Line read_line() {
        Line l;
        l.base = read_base();
        l.x1 = in_.real("a line's start x");
        l.y1 = in_.real("a line's start y");
        l.x2 = in_.real("a line's end x");
        l.y2 = in_.real("a line's end y");
        return l;
    }

    Arc read_arc() {
        Arc a;
        a.base = read_base();
        a.cx = in_.real("an arc's centre x");
        a.cy = in_.real("an arc's centre y");
        a.radius = in_.real("an arc's radius");
        a.start = in_.real("an arc's start angle");
        a.sweep = in_.real("an arc's angle");
        a.tilt = in_.real("an arc's tilt");
        a.flatness = in_.real("an arc's flatness");
        a.full = in_.dword("an arc's full-circle flag") != 0;
        return a;
    }

    Dot read_dot() {
        Dot p;
        p.base = read_base();
        p.x = in_.real("a point's x");
        p.y = in_.real("a point's y");
        p.temporary = in_.dword("a point's temporary flag") != 0;
        p.has_marker = p.base.line_type == 100;
        if (p.has_marker) {
            p.marker.code = in_.dword("a point's marker code");
            p.marker.angle = in_.real("a point's marker angle");
            p.marker.scale = in_.real("a point's marker scale");
        }
        return p;
    }

    Text read_text() {
        Text t;
        t.base = read_base();
        t.x1 = in_.real("a text's start x");
        t.y1 = in_.real("a text's start y");
        t.x2 = in_.real("a text's end x");
        t.y2 = in_.real("a text's end y");
        t.kind = in_.dword("a text's kind");
        t.width = in_.real("a text's width");
        t.height = in_.real("a text's height");
        t.spacing = in_.real("a text's spacing");
        t.angle = in_.real("a text's angle");
        t.font = string("a text's font");
        t.body = string("a text's body");
        t.role = role_of(t);
        return t;
    }

    static TextRole role_of(const Text& t) {
        if (t.body.compare(0, 2, "^@") == 0) return TextRole::Control;
        const bool at_settings = t.x1 == 0 && t.y1 == -1000 && t.x2 == 0 && t.y2 == -1000;
        const std::size_t equals = t.body.find(" = ");
        if (!at_settings || equals == 0 || equals == std::string::npos) return TextRole::Drawn;
        for (std::size_t i = 0; i < equals; ++i) {
            const unsigned char c = static_cast<unsigned char>(t.body[i]);
            if (!(std::isalnum(c) || c == '_')) return TextRole::Drawn;
        }
        return TextRole::InternalSetting;
    }

    std::shared_ptr<const Dimension> read_dimension() {
        auto dimension = std::make_shared<Dimension>();
        Dimension& m = *dimension;
        m.base = read_base();
        m.line = read_line();
        m.value = read_text();
        m.has_parts = d_.version >= 420;
        if (!m.has_parts) return dimension;
        m.parts_mode = in_.word("a dimension's SXF mode");
        for (Line& l : m.extension_lines) l = read_line();
        for (Dot& p : m.end_marks) p = read_dot();
        for (Dot& p : m.reference_points) p = read_dot();
        return dimension;
    }

    Solid read_solid() {
        Solid s;
        s.base = read_base();
        for (double& value : s.values) value = in_.real("a solid's corners");
        s.has_rgb = s.base.colour == 10;
        if (s.has_rgb) s.rgb = in_.dword("a solid's colour");
        return s;
    }

    Insert read_insert() {
        Insert b;
        const std::size_t at = in_.offset();
        b.base = read_base();
        b.x = in_.real("an insert's reference x");
        b.y = in_.real("an insert's reference y");
        b.x_scale = in_.real("an insert's x scale");
        b.y_scale = in_.real("an insert's y scale");
        b.rotation = in_.real("an insert's rotation");
        b.definition = in_.dword("an insert's block definition");
        insert_numbers_.emplace_back(at, b.definition);
        return b;
    }

    Element read_element(ClassId id) {
        switch (id) {
        case ClassId::Line: return read_line();
        case ClassId::Arc: return read_arc();
        case ClassId::Dot: return read_dot();
        case ClassId::Text: return read_text();
        case ClassId::Dimension: return read_dimension();
        case ClassId::Solid: return read_solid();
        case ClassId::Insert: return read_insert();
        case ClassId::Definition: break;
        }
        return Line{};  // not reached: definitions are refused before
    }

    Bytes in_;
    Drawing d_;
    // What each index stands for: a class (its id) or an object (-1); index 0
    // is the null object.
    std::vector<int> table_{-1};
    bool warned_schema_[8] = {};
    std::vector<std::pair<std::size_t, std::uint32_t>> insert_numbers_;  // where, which
};

}  // namespace

Drawing read_drawing(std::string_view bytes) { return Reader(bytes).read(); }

}  // namespace dimcheck::jww
