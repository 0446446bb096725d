#include "jww/compose.h"

#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include <sstream>
#include <stdexcept>
#include <vector>

namespace dimcheck::test {
namespace {

using Error = std::runtime_error;

// A statement: the keyword, then words and strings; a string keeps its
// opening quote and prefix ("text, u"text, s"text) and its escapes.
struct Line {
    int number;
    std::vector<std::string> args;
    std::map<std::string, std::string> keys;  // the key=value words
};

// The fields after the base: x and y a coordinate (moved by "repeat"), d a
// double, D a DWORD, S a string, 0 and 1 a DWORD of that value.
const std::map<std::string, std::pair<std::string, std::string>> kinds = {
    {"line", {"CDataSen", "xyxy"}},
    {"arc", {"CDataEnko", "xydddddD"}},
    {"circle", {"CDataEnko", "xyd"}},
    {"point", {"CDataTen", "xy0"}},
    {"temporary-point", {"CDataTen", "xy1"}},
    {"marker", {"CDataTen", "xy0Ddd"}},
    {"text", {"CDataMoji", "xyxyDddddSS"}},
    {"solid", {"CDataSolid", "xyxyxyxy"}},
    {"circle-solid", {"CDataSolid", "xydddddd"}},
    {"insert", {"CDataBlock", "xydddD"}},
    {"dimension", {"CDataSunpou", ""}},
    {"block", {"CDataList", "DDDS"}}};
const std::set<std::string> tail = {"image", "truncate", "patch", "append"};

void le(std::string& s, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += char(v >> (8 * i) & 0xFF);
}

std::string convert(const char* to, const char* from, std::string in) {
    if (in.empty()) return in;
    iconv_t cd = iconv_open(to, from);
    std::string res(4 * in.size(), '\0');
    char *src = in.data(), *dst = res.data();
    size_t left = in.size(), room = res.size();
    bool done = cd != iconv_t(-1) && iconv(cd, &src, &left, &dst, &room) != size_t(-1);
    if (cd != iconv_t(-1)) iconv_close(cd);
    if (!done) throw Error("no " + std::string(to) + " form for \"" + in + "\"");
    res.resize(res.size() - room);
    return res;
}

bool is_string(const std::string& arg) {
    return arg[0] == '"' || ((arg[0] == 'u' || arg[0] == 's') && arg.size() > 1 && arg[1] == '"');
}

// Decimal, or hexadecimal after 0x: strtod reads both, DWORDs exactly.
double number(const std::string& s) {
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (s.empty() || *end) throw Error("not a number: " + s);
    return v;
}

int64_t integer(const std::string& s) { return int64_t(number(s)); }

uint32_t hex(const std::string& s, size_t from, size_t digits) {
    std::string d = s.substr(from, digits);
    if (d.size() != digits || d.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw Error("bad hex digits in " + s);
    return std::stoul(d, nullptr, 16);
}

const std::string& arg(const Line& l, size_t i) {
    if (i >= l.args.size()) throw Error("a value is missing");
    return l.args[i];
}

uint64_t key(const Line& l, const std::string& name, int64_t otherwise) {
    auto found = l.keys.find(name);
    return found == l.keys.end() ? otherwise : integer(found->second);
}

std::string bytes(const Line& l, size_t from) {  // hex words, e.g. "FFFF 0200" or "ffff0200"
    std::string digits, res;
    for (size_t i = from; i < l.args.size(); ++i) digits += l.args[i];
    for (size_t i = 0; i < digits.size(); i += 2) res += char(hex(digits, i, 2));
    return res;
}

Line tokens(const std::string& s, int number) {
    Line l{number, {}, {}};
    size_t i = s.find_first_not_of(" \t\r");
    for (; i != std::string::npos && s[i] != '#'; i = s.find_first_not_of(" \t\r", i)) {
        size_t end = std::min(s.find_first_of(" \t\r", i), s.size());
        if (is_string(s.substr(i, 2))) {
            for (end = s.find('"', i) + 1; end < s.size() && s[end] != '"'; ++end)
                end += s[end] == '\\';  // an escaped quote does not end the string
            if (end++ >= s.size()) throw Error("a string is not closed");
        }
        std::string arg = s.substr(i, end - i);
        size_t eq = arg.find('=');
        if (is_string(arg) || eq == std::string::npos)
            l.args.push_back(is_string(arg) ? arg.substr(0, arg.size() - 1) : arg);
        else
            l.keys[arg.substr(0, eq)] = arg.substr(eq + 1);
        i = end;
    }
    return l;
}

struct Layer {
    uint32_t state = 2, protect = 0;
    std::string name;  // encoded; empty for none
};
struct Group : Layer {
    double scale = 100;
    Layer layers[16];
};

struct Composer {
    std::vector<Line> lines;
    int at = 0;  // the description's line being read
    std::string out, memo;
    uint32_t version = 700;
    bool utf16 = false;
    Group groups[16];
    uint32_t next = 1;  // the next archive index, shared by classes and objects
    std::map<std::string, uint32_t> classes;
    double dx = 0, dy = 0;  // the offset of the current repetition

    void put(uint64_t v, int bytes) { le(out, v, bytes); }
    void real(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, 8);
        put(bits, 8);
    }

    const std::string& keyword(size_t i) {
        if (i >= lines.size()) throw Error("an end is missing");
        at = lines[i].number;
        return lines[i].args[0];
    }

    // The description follows the file: settings, elements, block
    // definitions, images, then changes to the finished bytes.
    std::string run(const std::string& description) {
        std::istringstream in(description);
        std::string s;
        for (at = 1; std::getline(in, s); ++at) {
            Line l = tokens(s, at);
            if (!l.args.empty()) lines.push_back(l);
        }
        size_t i = 0;
        while (i < lines.size() && !tail.count(keyword(i)) && setting(lines[i])) ++i;
        header();
        list(i, "block");
        list(i, "");
        uint32_t images = 0;
        for (size_t j = i; j < lines.size(); ++j) images += lines[j].args[0] == "image";
        if (version >= 700) put(images, 4);
        for (; i < lines.size(); ++i) {
            if (!tail.count(keyword(i))) throw Error(keyword(i) + " is out of place");
            setting(lines[i]);
        }
        return out;
    }

    // MFC's CString: for UTF-16 the marker FF FE FF first, then the length
    // in characters as a BYTE, FF + WORD, or FF FFFF + DWORD.
    std::string encode(const std::string& arg) {
        if (!is_string(arg)) throw Error("a string is missing");
        bool wide = arg[0] == 'u' || (arg[0] == '"' && utf16);
        const char* form = wide ? "UTF-16LE" : "CP932";
        std::string body, run, res = wide ? "\xFF\xFE\xFF" : "";
        for (size_t i = arg.find('"') + 1; i < arg.size(); ++i) {
            bool raw = arg.compare(i, 2, "\\x") == 0 || arg.compare(i, 2, "\\u") == 0;
            if (!raw) {
                run += arg[i] == '\\' ? arg[++i] : arg[i];
                continue;
            }
            body += convert(form, "UTF-8", run);
            run.clear();
            // \xNN a byte (a code unit in UTF-16), \uXXXX a UTF-16 code unit.
            bool u = arg[i + 1] == 'u';
            std::string unit;
            le(unit, hex(arg, i + 2, u ? 4 : 2), wide || u ? 2 : 1);
            body += wide || !u ? unit : convert("CP932", "UTF-16LE", unit);
            i += u ? 5 : 3;
        }
        body += convert(form, "UTF-8", run);
        size_t n = wide ? body.size() / 2 : body.size();
        if (n >= 0xFF) le(res, 0xFF, 1);
        if (n >= 0xFFFE) le(res, 0xFFFF, 2);
        le(res, n, n < 0xFF ? 1 : n < 0xFFFE ? 2 : 4);
        return res + body;
    }
    void str(const std::string& encoded) { out += encoded.empty() ? encode("\"") : encoded; }

    bool setting(const Line& l) {  // false for a statement that is no setting
        const std::string& kw = l.args[0];
        if (kw == "version") {
            version = integer(arg(l, 1));
        } else if (kw == "strings") {
            utf16 = arg(l, 1) == "utf16";
        } else if (kw == "memo") {
            memo = encode(arg(l, 1));
        } else if (kw == "group" || kw == "layer") {
            bool group = kw == "group";
            size_t g = integer(arg(l, 1)), layer = group ? 0 : integer(arg(l, 2));
            Layer& it = group ? groups[g] : groups[g].layers[layer];
            for (size_t i = group ? 2 : 3; i < l.args.size(); i += 2) {
                const std::string &name = l.args[i], &value = arg(l, i + 1);
                if (name == "name")
                    it.name = encode(value);
                else if (name == "state")
                    it.state = integer(value);
                else if (name == "protect")
                    it.protect = integer(value);
                else if (name == "scale" && group)
                    groups[g].scale = number(value);
                else
                    throw Error("unknown setting " + name);
            }
        } else if (kw == "image") {
            out += encode(arg(l, 1));
            put(integer(arg(l, 2)), 4);
            out.append(integer(arg(l, 2)), 'Z');  // any content will do
        } else if (kw == "append") {
            out += bytes(l, 1);
        } else if (kw == "truncate" || kw == "patch") {
            size_t offset = integer(arg(l, 1));
            std::string patch = kw == "patch" ? bytes(l, 2) : "";
            if (kw == "truncate") out.resize(offset);
            if (kw == "patch") out.replace(offset, patch.size(), patch);
        } else {
            return false;
        }
        return true;
    }

    // Every header field in order; what no statement sets is zero or the
    // value of a host-saved drawing.
    void header() {
        out += "JwwData.";
        put(version, 4);
        str(memo);
        put(3, 4);  // paper A3
        put(0, 4);  // write group
        for (const Group& g : groups) {
            put(g.state, 4);
            put(0, 4);  // write layer
            real(g.scale);
            put(g.protect, 4);
            for (const Layer& l : g.layers) {
                put(l.state, 4);
                put(l.protect, 4);
            }
        }
        out.append(56, '\0');
        for (uint32_t d : {2002111, 5, 50150030, 11000000, 4100}) put(d, 4);  // dimension settings
        put(0, 4);
        put(100, 4);  // maximum drawn line width
        out.append(16, '\0');
        real(1);  // print scale
        out.append(4 + 4 + 8 + 32, '\0');
        for (const Group& g : groups)
            for (const Layer& l : g.layers) str(l.name);
        for (const Group& g : groups) str(g.name);
        out.append(28 + 4 + 48 + 764 + (version >= 300 ? 16 + 224 + 56 : 96), '\0');
        if (version >= 420) {  // SXF colours and line types, their names empty
            out.append(2056, '\0');
            for (int i = 0; i < 257; ++i) out += encode("\"") + std::string(16, '\0');
            out.append(528, '\0');
            for (int i = 0; i < 33; ++i) out += encode("\"") + std::string(84, '\0');
        }
        for (int k = 1; k <= 11;
             ++k) {  // the text kinds 2 mm to 10 mm, then the write text: kind 1
            for (double size : {k % 11 + 1.0, k % 11 + 1.0, k / 4.0}) real(size);
            put(k % 11 / 2 + 1, 4);
        }
        put(1, 4);
        out.append(16 + 4, '\0');
        for (double d : {-1, 0, 1, -1, 0, 1}) real(d);
    }

    // A count (WORD, or FFFF + DWORD), then the objects up to the keyword
    // UNTIL or a statement of the tail.
    void list(size_t& i, const std::string& until) {
        std::string outer;
        std::swap(out, outer);
        uint32_t count = 0;
        while (i < lines.size() && keyword(i) != until && !tail.count(keyword(i)))
            count += element(i, true);
        std::swap(out, outer);
        if (count >= 0xFFFF) put(0xFFFF, 2);
        put(count, count < 0xFFFF ? 2 : 4);
        out += outer;
    }

    uint32_t repeat(const Line& l, size_t& i) {
        size_t start = i;
        uint32_t count = 0;
        double x = dx, y = dy;
        for (int64_t r = 0; r < integer(arg(l, 1)); ++r) {
            dx = x + r * (l.args.size() > 2 ? number(arg(l, 2)) : 0);
            dy = y + r * (l.args.size() > 2 ? number(arg(l, 3)) : 0);
            for (i = start; keyword(i) != "end";) count += element(i, true);
        }
        dx = x;
        dy = y;
        ++i;  // past the end
        return count;
    }

    // A new class takes the next index, and so does every object, before
    // its fields; classes from index 0x7FFF on are named by the big tag.
    void tag(const std::string& cls, const Line& l) {
        auto known = classes.find(cls);
        if (known == classes.end()) {
            put(0xFFFF, 2);
            put(key(l, "schema", version), 2);
            put(cls.size(), 2);
            out += cls;
            classes[cls] = next++;
        } else if (known->second < 0x7FFF) {
            put(0x8000 | known->second, 2);
        } else {
            put(0x7FFF, 2);
            put(0x80000000 | known->second, 4);
        }
        ++next;
    }

    uint32_t element(size_t& i, bool tagged) {
        const Line& l = lines[i];
        const std::string& kw = keyword(i++);
        if (kw == "repeat") return repeat(l, i);
        if (kw == "raw") out += bytes(l, 1);
        if (kw == "raw") return 1;
        if (!kinds.count(kw)) throw Error("not an element: " + kw);
        const auto& [cls, fields] = kinds.at(kw);
        if (tagged) tag(cls, l);
        uint64_t colour = key(l, "colour", 1);
        put(key(l, "curve", 0), 4);
        put(key(l, "type", kw == "marker" ? 100 : kw == "circle-solid" ? 101 : 1), 1);
        put(colour, 2);
        if (version >= 351) put(key(l, "width", 0), 2);
        put(key(l, "layer", 0), 2);
        put(key(l, "group", 0), 2);
        put(key(l, "flags", 0), 2);
        for (size_t f = 0, a = 1; f < fields.size(); ++f) {
            if (fields[f] == 'D') put(integer(l.args[a++]), 4);
            if (fields[f] == 'S') out += encode(l.args[a++]);
            if (fields[f] == '0' || fields[f] == '1') put(fields[f] - '0', 4);
            if (fields[f] == 'x' || fields[f] == 'y' || fields[f] == 'd')
                real(number(l.args[a++]) + (fields[f] == 'x' ? dx : fields[f] == 'y' ? dy : 0));
        }
        if (kw == "circle") {  // start 0, sweep 2 pi, tilt 0, flatness 1, full
            for (double d : {0.0, 6.283185307179586, 0.0, 1.0}) real(d);
            put(1, 4);
        }
        if (cls == "CDataSolid" && colour == 10) put(key(l, "rgb", 0), 4);
        if (kw == "block") list(i, "end");
        for (int m = 0; kw == "dimension" && m < (version >= 420 ? 8 : 2); ++m) {
            if (m == 2) put(key(l, "sxf", 0), 2);  // after the value
            element(i, false);                     // untagged
        }
        if ((kw == "block" || kw == "dimension") && keyword(i++) != "end")
            throw Error("end expected");
        return 1;
    }
};

}  // namespace

std::string compose_jww(const std::string& description) {
    Composer composer;
    try {
        return composer.run(description);
    } catch (const std::exception& e) {
        throw Error("line " + std::to_string(composer.at) + ": " + e.what());
    }
}

}  // namespace dimcheck::test
