#include "run/list_run.h"

#include <string_view>

#include "jww/reader.h"

namespace dimcheck {

namespace {

struct Counts {
    int lines = 0, arcs = 0, points = 0, temporary_points = 0;
    int texts[6] = {};  // by keyword, in the order of kKeywords
    int hidden_texts = 0, dimensions = 0, solids = 0, inserts = 0;
    bool any = false;
};

constexpr const char* kKeywords[6] = {"cs", "cr", "co", "cp", "cv", "ch"};

void count(const jww::Element& e, Counts& c) {
    c.any = true;
    if (std::holds_alternative<jww::Line>(e)) ++c.lines;
    if (std::holds_alternative<jww::Arc>(e)) ++c.arcs;
    if (const auto* p = std::get_if<jww::Dot>(&e)) ++(p->temporary ? c.temporary_points : c.points);
    if (const auto* t = std::get_if<jww::Text>(&e)) {
        if (t->role != jww::TextRole::Drawn) {
            ++c.hidden_texts;
            return;
        }
        const std::string_view keyword = jww::text_keyword(t->base.flags);
        for (int k = 0; k < 6; ++k)
            if (keyword == kKeywords[k]) ++c.texts[k];
    }
    if (std::holds_alternative<std::shared_ptr<const jww::Dimension>>(e)) ++c.dimensions;
    if (std::holds_alternative<jww::Solid>(e)) ++c.solids;
    if (std::holds_alternative<jww::Insert>(e)) ++c.inserts;
}

std::string counted(const Counts& c) {
    char buf[400];
    std::snprintf(buf, sizeof buf,
                  "lines %d, arcs %d, points %d, temporary points %d, texts cs %d cr %d co %d cp "
                  "%d cv %d ch %d, hidden texts %d, dimensions %d, solids %d, inserts %d\n",
                  c.lines, c.arcs, c.points, c.temporary_points, c.texts[0], c.texts[1], c.texts[2],
                  c.texts[3], c.texts[4], c.texts[5], c.hidden_texts, c.dimensions, c.solids,
                  c.inserts);
    return buf;
}

// A name on one line: control bytes (never part of a Shift-JIS character) as '?'.
std::string one_line(std::string name) {
    for (char& ch : name)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ch = '?';
    return name;
}

const char* state_name(std::uint32_t state) {
    static const char* const names[4] = {"hidden", "display only", "editable", "written to"};
    return names[state];
}

// The whole file; false if it cannot be opened or read to its end (a folder
// opens on some systems and fails when read).
bool read_whole(const char* name, std::string& bytes) {
    std::FILE* f = std::fopen(name, "rb");
    if (!f) return false;
    char buf[1 << 16];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    const bool whole = !std::ferror(f);
    std::fclose(f);
    return whole;
}

}  // namespace

std::string list_drawing(const jww::Drawing& d) {
    std::string out = "  version " + std::to_string(d.version) + ", strings ";
    if (d.forms.shift_jis && d.forms.utf16)
        out += "Shift-JIS and UTF-16";
    else
        out += d.forms.utf16 ? "UTF-16" : "Shift-JIS";
    out += ", block definitions " + std::to_string(d.definitions.size()) + ", images " +
           std::to_string(d.images.size()) + "\n";
    Counts groups[16];
    for (const jww::Element& e : d.elements) count(e, groups[jww::base_of(e).group]);
    for (int g = 0; g < 16; ++g) {
        if (!groups[g].any) continue;
        const jww::LayerGroup& group = d.groups[g];
        char head[96];
        std::snprintf(head, sizeof head, "  group %X, scale %.15g, %s, name \"", g, group.scale,
                      state_name(group.state));
        out += head + one_line(group.name) + "\": " + counted(groups[g]);
    }
    if (!d.definitions.empty()) {
        Counts inside;
        for (const jww::BlockDefinition& def : d.definitions)
            for (const jww::Element& e : def.elements) count(e, inside);
        out += "  in block definitions: " + counted(inside);
    }
    for (const std::string& warning : d.warnings) out += "  warning: " + warning + "\n";
    return out;
}

int list_drawings(int count, const char* const* names, std::FILE* out, std::FILE* err) {
    if (count == 0) {
        std::fputs("usage: dimcheck --list FILE...\n", err);
        return 2;
    }
    int status = 0;
    for (int i = 0; i < count; ++i) {
        std::string bytes, listing;
        if (!read_whole(names[i], bytes)) {
            listing = "  not read: the file cannot be read\n";
        } else {
            try {
                listing = list_drawing(jww::read_drawing(bytes));
            } catch (const jww::ReadError& e) {
                listing = std::string("  not read: ") + e.what() + "\n";
            }
        }
        if (listing.compare(0, 11, "  not read:") == 0) status = 1;
        std::fprintf(out, "%s\n", names[i]);
        std::fputs(listing.c_str(), out);
    }
    return status;
}

}  // namespace dimcheck
