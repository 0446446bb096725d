#include "run/folder_check.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>

#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"
#include "jww/reader.h"
#include "jww/selection.h"
#include "jww/shift_jis.h"
#include "marks/report.h"
#include "picture/index.h"
#include "picture/svg.h"
#include "run/files.h"
#include "run/host_run.h"

namespace dimcheck {

namespace {

namespace fs = std::filesystem;

constexpr const char kSetReport[] = "dimcheck.csv";
constexpr const char kSummaryFile[] = "summary.csv";
constexpr const char kIndexFile[] = "index.html";
constexpr const char kPictures[] = "pictures";
constexpr const char kDefaultOut[] = "dimcheck-check";
#ifdef _WIN32
constexpr const char kNullDevice[] = "NUL";
#else
constexpr const char kNullDevice[] = "/dev/null";
#endif

// "図面,グループ,縮尺,良◎◯,要・確認△,不良Ｘ,対象外,文字数,選択できない要素,状態"
constexpr const char kSummaryHeader[] =
    "\x90}\x96\xca,\x83O\x83\x8b\x81[\x83v,\x8fk\x8e\xda,\x97\xc7\x81\x9d\x81\xfc,\x97v\x81"
    "E\x8am\x94"
    "F\x81\xa2,\x95s\x97\xc7\x82w,\x91\xce\x8f\xdb\x8aO,\x95\xb6\x8e\x9a\x90\x94,\x91I\x91\xf0"
    "\x82\xc5\x82\xab\x82\xc8\x82\xa2\x97v\x91"
    "f,\x8f\xf3\x91\xd4";
constexpr const char kGroupColumn[] = ",\x83O\x83\x8b\x81[\x83v";         // ",グループ"
constexpr const char kChecked[] = "\x8c\x9f\x8d\xb8\x8d\xcf\x82\xdd";     // 検査済み
constexpr const char kNoValues[] = "\x90\xa1\x96@\x92l\x82\xc8\x82\xb5";  // 寸法値なし
// 未検査（要素数オーバー）, 未検査（寸法端点オーバー）, 未検査（実行できません）
constexpr const char kTooManyRecords[] =
    "\x96\xa2\x8c\x9f\x8d\xb8\x81i\x97v\x91"
    "f\x90\x94\x83I\x81[\x83o\x81[\x81j";
constexpr const char kTooManyEndPoints[] =
    "\x96\xa2\x8c\x9f\x8d\xb8\x81i\x90\xa1\x96@\x92[\x93_\x83I\x81[\x83o\x81[\x81j";
constexpr const char kNotRun[] =
    "\x96\xa2\x8c\x9f\x8d\xb8\x81i\x8e\xc0\x8ds\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81j";
constexpr const char kNotRead[] = "\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1: ";  // 読めません:

// A drawing to check and the name the report gives it.
struct Found {
    fs::path path;
    std::string name;       // relative to the path given, '/' between folders, Shift-JIS
    std::string name_utf8;  // the same for pages
};

// Totals over the set, and the status they come to.
struct Totals {
    int drawings = 0, not_read = 0, groups = 0, no_values = 0, not_checked = 0;
    int good = 0, to_check = 0, wrong = 0, left_out = 0, texts = 0;
    bool output_lost = false;
    int status() const {
        if (output_lost) return kOutputLost;
        if (not_read > 0 || not_checked > 0) return kNotAllChecked;
        return wrong > 0 ? kCrossesFound : kAllGood;
    }
};

// A path's name in Shift-JIS, characters without a form replaced.
std::string shift_jis_name(const fs::path& p) {
    std::u16string units;
    try {
        units = p.generic_u16string();
    } catch (const std::exception&) {  // not UTF-8: each byte above ASCII replaced
        std::string bytes = p.generic_string();
        for (char& c : bytes)
            if (static_cast<unsigned char>(c) >= 0x80) c = jww::kNoShiftJisForm;
        return bytes;
    }
    std::string le;
    for (char16_t u : units) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
    }
    return jww::shift_jis_from_utf16(reinterpret_cast<const unsigned char*>(le.data()),
                                     units.size());
}

// A path's name in UTF-8, for pages.
std::string utf8_name(const fs::path& p) {
    try {
        p.generic_u16string();  // a name that is no UTF-8 stops here
        const auto name = p.generic_u8string();
        return std::string(name.begin(), name.end());
    } catch (const std::exception&) {  // as in Shift-JIS, each byte above ASCII a '?'
        return jww::utf8_from_shift_jis(shift_jis_name(p));
    }
}

// A field of the summary: in double quotes (doubled inside) when it holds a
// comma, a double quote or a line end, as a reader's message or a file
// name may.
std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

bool is_drawing_name(const fs::path& p) {
    const auto utf8 = p.extension().u8string();  // any name converts to UTF-8
    std::string ext(utf8.begin(), utf8.end());
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".jww";
}

// The drawings of a path: the file itself, or every .jww below a folder (the
// output folder excepted), in the order of their names.
void find_drawings(const fs::path& given, const fs::path& out_dir, std::vector<Found>& found) {
    std::error_code ec;
    if (!fs::is_directory(given, ec)) {
        found.push_back({given, shift_jis_name(given.filename()), utf8_name(given.filename())});
        return;
    }
    std::vector<Found> here;
    fs::recursive_directory_iterator it(given, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && fs::equivalent(it->path(), out_dir, ec)) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file(ec) && is_drawing_name(it->path())) {
            const fs::path relative = it->path().lexically_relative(given);
            here.push_back({it->path(), shift_jis_name(relative), utf8_name(relative)});
        }
    }
    std::sort(here.begin(), here.end(),
              [](const Found& a, const Found& b) { return a.path < b.path; });
    found.insert(found.end(), here.begin(), here.end());
}

// Whether every entry of an existing output folder is one a check writes:
// the reports, the index, and the folder of pictures holding pictures only.
// Those are removed, the folder kept.
bool clear_earlier_outputs(const fs::path& dir) {
    std::error_code ec;
    std::vector<fs::path> ours;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const fs::path name = entry.path().filename();
        if (name == kPictures && entry.is_directory(ec)) {
            for (const auto& picture : fs::directory_iterator(entry.path(), ec))
                if (!picture.is_regular_file(ec) || picture.path().extension() != ".svg")
                    return false;
        } else if (!entry.is_regular_file(ec) ||
                   (name != kSetReport && name != kSummaryFile && name != kIndexFile)) {
            return false;
        }
        ours.push_back(entry.path());
    }
    if (ec) return false;
    for (const fs::path& p : ours) fs::remove_all(p, ec);
    return true;
}

// A folder of its own for the host runs, under the system's temporary folder.
fs::path make_work_folder() {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    for (unsigned n = 0;; ++n) {
        fs::path candidate = base / ("dimcheck-work-" + std::to_string(n));
        if (fs::create_directory(candidate, ec)) return candidate;
        if (ec || n > 10000) return {};
    }
}

std::string read_whole(const fs::path& p, bool& ok) {
    std::ifstream in(p, std::ios::binary);
    std::string bytes;
    ok = static_cast<bool>(in);
    if (ok) bytes.assign(std::istreambuf_iterator<char>(in), {});
    ok = ok && !in.bad();
    return bytes;
}

class SetCheck {
public:
    SetCheck(std::vector<std::string> options, const fs::path& out_dir, std::FILE* err)
        : options_(std::move(options)), out_dir_(out_dir), err_(err) {}

    // Opens the outputs and the work folder; false (said) if it cannot.
    bool begin() {
        work_ = make_work_folder();
        // The host run opens its files by narrow names: the work folder's
        // must have one (on Windows, in the system's code page).
        try {
            work_name_ = work_.string();
        } catch (const std::exception&) {
            std::error_code ec;
            fs::remove(work_, ec);
            work_.clear();
        }
        if (work_.empty()) {
            std::fputs("dimcheck --check: no work folder can be made in the temporary folder\n",
                       err_);
            return false;
        }
        std::error_code ec;
        fs::create_directory(out_dir_ / kPictures, ec);
        report_.open(out_dir_ / kSetReport, std::ios::binary);
        summary_.open(out_dir_ / kSummaryFile, std::ios::binary);
        report_ << kReportHeader << kGroupColumn << "\r\n";
        summary_ << kSummaryHeader << "\r\n";
        return true;
    }

    void check(const Found& drawing, int number, int count) {
        ++totals_.drawings;
        bool ok = false;
        const std::string bytes = read_whole(drawing.path, ok);
        std::string reason = "the file cannot be read";
        if (ok) {
            try {
                check_groups(drawing, jww::read_drawing(bytes), number, count);
                return;
            } catch (const jww::ReadError& e) {
                reason = e.what();
            }
        }
        ++totals_.not_read;
        summary_ << csv_field(drawing.name) << ",,,,,,,,," << csv_field(kNotRead + reason)
                 << "\r\n";
        std::fprintf(err_, "%d/%d %s: not read: %s\n", number, count, drawing.name.c_str(),
                     reason.c_str());
        picture::IndexRow row;
        row.drawing = drawing.name_utf8;
        row.state = jww::utf8_from_shift_jis(kNotRead + reason);
        row.unchecked = true;
        index_.push_back(row);
    }

    Totals end() {
        std::error_code ec;
        fs::remove_all(work_, ec);
        report_.close();
        summary_.close();
        if (report_.fail()) say_lost(kSetReport);
        if (summary_.fail()) say_lost(kSummaryFile);
        char totals[320];
        std::snprintf(totals, sizeof totals,
                      "図面 %d（読めない図面 %d）、レイヤグループ %d（寸法値なし %d、未検査 %d）、"
                      "文字 %d: 不良Ｘ %d、要・確認△ %d、良◎◯ %d",
                      totals_.drawings, totals_.not_read, totals_.groups, totals_.no_values,
                      totals_.not_checked, totals_.texts, totals_.wrong, totals_.to_check,
                      totals_.good);
        std::ofstream index(out_dir_ / kIndexFile, std::ios::binary);
        index << picture::index_page(index_, totals);
        index.close();
        if (index.fail()) say_lost(kIndexFile);
        return totals_;
    }

private:
    // An output cut short is removed: it is never taken for a whole one.
    void say_lost(const char* name) {
        std::error_code ec;
        fs::remove(out_dir_ / name, ec);
        totals_.output_lost = true;
        std::fprintf(err_, "dimcheck --check: %s cannot be written\n", name);
    }

    void check_groups(const Found& drawing, const jww::Drawing& d, int number, int count) {
        const Totals before = totals_;
        const std::vector<jww::GroupSelection> groups = jww::select_groups(d, drawing.name);
        for (const jww::GroupSelection& g : groups) check_group(drawing, d, g, number);
        std::fprintf(err_, "%d/%d %s: groups %d, texts %d, good %d, to check %d, wrong %d\n",
                     number, count, drawing.name.c_str(), static_cast<int>(groups.size()),
                     totals_.texts - before.texts, totals_.good - before.good,
                     totals_.to_check - before.to_check, totals_.wrong - before.wrong);
    }

    void check_group(const Found& drawing, const jww::Drawing& jd, const jww::GroupSelection& g,
                     int number) {
        ++totals_.groups;
        totals_.left_out += g.left_out;
        const RunFiles files = run_files(work_name_);
        Output out;
        auto d = std::make_unique<Drawing>();
        const char* state = kChecked;
        picture::IndexRow row;
        if (g.records > kLineLimit) {
            state = kTooManyRecords;
        } else {
            std::ofstream(fs::path(files.exchange), std::ios::binary) << g.exchange;
            std::vector<const char*> argv = {"dimcheck"};
            for (const std::string& o : options_) argv.push_back(o.c_str());
            argv.push_back("-r");
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> null(std::fopen(kNullDevice, "w"),
                                                                 std::fclose);
            out.trace = out.err = null.get();
            Options o;
            const int status = run(static_cast<int>(argv.size()), argv.data(), files, o, *d, out);
            if (status == 1 && d->text_count == 0)
                state = kNoValues;
            else if (status == 1)
                state = kTooManyEndPoints;
            else if (status != 0)
                state = kNotRun;
            else
                copy_rows(files.report, g.group);
            if (state == kChecked) row.picture = draw(drawing, jd, g, files, number);
        }
        if (state == kNoValues) ++totals_.no_values;
        if (state != kChecked && state != kNoValues) ++totals_.not_checked;
        if (state == kChecked) {
            totals_.good += out.circle_count;
            totals_.to_check += out.triangle_count;
            totals_.wrong += out.cross_count;
            totals_.texts += d->text_count;
        }
        char cells[256];
        std::snprintf(cells, sizeof cells, ",%X,%.15g,%d,%d,%d,%d,%d,%d,", g.group,
                      jd.groups[g.group].scale, out.circle_count, out.triangle_count,
                      out.cross_count, out.left_out_count, d->text_count, g.left_out);
        summary_ << csv_field(drawing.name) << cells << state << "\r\n";
        row.drawing = drawing.name_utf8;
        row.group = g.group;
        row.scale = jd.groups[g.group].scale;
        row.good = out.circle_count;
        row.to_check = out.triangle_count;
        row.wrong = out.cross_count;
        row.left_out = out.left_out_count;
        row.texts = d->text_count;
        row.not_selectable = g.left_out;
        row.state = jww::utf8_from_shift_jis(state);
        row.unchecked = state != kChecked && state != kNoValues;
        index_.push_back(row);
        std::error_code ec;
        for (const std::string& f : {files.exchange, files.report, files.working})
            fs::remove(fs::path(f), ec);
    }

    // The picture of a checked group, from its selection and the result the
    // host run wrote; its path in the output folder, or empty if it cannot
    // be written.
    std::string draw(const Found& drawing, const jww::Drawing& jd, const jww::GroupSelection& g,
                     const RunFiles& files, int number) {
        bool ok = false;
        const std::string result = read_whole(fs::path(files.exchange), ok);
        // NNNN-STEM-G.svg: the drawing's number makes the name unique, its
        // stem (at most 60 bytes, whole characters) says which it is.
        std::string stem = utf8_name(drawing.path.stem());
        std::size_t cut = std::min<std::size_t>(stem.size(), 60);
        while (cut > 0 && cut < stem.size() &&
               (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        char number_part[16], group_part[16];
        std::snprintf(number_part, sizeof number_part, "%04d-", number);
        std::snprintf(group_part, sizeof group_part, "-%X.svg", static_cast<unsigned>(g.group));
        const std::string name = number_part + stem.substr(0, cut) + group_part;
        std::ofstream svg(out_dir_ / kPictures / fs::u8path(name), std::ios::binary);
        svg << picture::draw_group(g.exchange, result, jd.groups[g.group].scale,
                                   drawing.name_utf8 + " [" + group_part[1] + "]");
        svg.close();
        if (svg.fail()) {  // cut short: removed, and said
            std::error_code ec;
            fs::remove(out_dir_ / kPictures / fs::u8path(name), ec);
            totals_.output_lost = true;
            std::fprintf(err_, "dimcheck --check: %s/%s cannot be written\n", kPictures,
                         shift_jis_name(fs::u8path(name)).c_str());
        }
        if (!ok || svg.fail()) return "";
        return std::string(kPictures) + "/" + name;
    }

    // The host run's report rows after its header, each with the group it came from.
    void copy_rows(const std::string& report, int group) {
        bool ok = false;
        const std::string rows = read_whole(fs::path(report), ok);
        char column[8];
        std::snprintf(column, sizeof column, ",%X\r\n", static_cast<unsigned>(group));
        std::size_t start = rows.find("\r\n");
        for (std::size_t end; start != std::string::npos &&
                              (end = rows.find("\r\n", start + 2)) != std::string::npos;
             start = end) {
            report_.write(rows.data() + start + 2, static_cast<std::streamsize>(end - start - 2));
            report_ << column;
        }
    }

    const std::vector<std::string> options_;
    const fs::path out_dir_;
    std::FILE* const err_;
    fs::path work_;
    std::string work_name_;
    std::ofstream report_, summary_;
    Totals totals_;
    std::vector<picture::IndexRow> index_;
};

// The options a check takes: those that change how texts are judged and
// explained.
bool is_check_option(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '-') return false;
    return std::string("bnse").find(arg[1]) != std::string::npos;
}

}  // namespace

int check_folder(const std::vector<fs::path>& args, std::FILE* out, std::FILE* err) {
    std::vector<std::string> options;
    std::vector<fs::path> paths;
    fs::path out_dir = kDefaultOut;
    for (std::size_t i = 0; i < args.size(); ++i) {
        // As UTF-8, which holds any argument on Windows too (the system's
        // code page may not): options and --out are ASCII.
        const auto utf8 = args[i].u8string();
        const std::string arg(utf8.begin(), utf8.end());
        if (arg == "--out" && i + 1 < args.size()) {
            out_dir = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            Options o;
            apply_option(o, arg.c_str(), err);
            if (!is_check_option(arg) || o.illegal_seen) {
                std::fprintf(err, "dimcheck --check: option %s is not taken (-b -n -s -e are)\n",
                             arg.c_str());
                return kNothingDone;
            }
            options.push_back(arg);
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.empty()) {
        std::fputs(
            "usage: dimcheck --check [-b<magnification>] [-n] [-s] [-e] [--out FOLDER] "
            "DRAWING-OR-FOLDER...\n",
            err);
        return kNothingDone;
    }
    std::error_code ec;
    if (fs::exists(out_dir, ec) ? !fs::is_directory(out_dir, ec) || !clear_earlier_outputs(out_dir)
                                : !fs::create_directories(out_dir, ec)) {
        std::fprintf(err,
                     "dimcheck --check: %s is not an output folder of a check (it holds other "
                     "files, or cannot be made); give another with --out\n",
                     shift_jis_name(out_dir).c_str());
        return kNothingDone;
    }
    std::vector<Found> drawings;
    for (const fs::path& p : paths) find_drawings(p, out_dir, drawings);

    SetCheck set(options, out_dir, err);
    if (!set.begin()) return kNothingDone;
    for (std::size_t i = 0; i < drawings.size(); ++i)
        set.check(drawings[i], static_cast<int>(i + 1), static_cast<int>(drawings.size()));
    const Totals t = set.end();
    std::fprintf(out,
                 "drawings %d (not read %d), groups %d (no values %d, not checked %d), texts %d: "
                 "good %d, to check %d, wrong %d; elements on hidden layers %d\n"
                 "written to %s\n",
                 t.drawings, t.not_read, t.groups, t.no_values, t.not_checked, t.texts, t.good,
                 t.to_check, t.wrong, t.left_out, shift_jis_name(out_dir).c_str());
    return t.status();
}

}  // namespace dimcheck
