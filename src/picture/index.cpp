#include "picture/index.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "picture/svg.h"

namespace dimcheck::picture {

namespace {

// A path for a link: every byte but letters, digits and - . _ ~ / as %XX,
// so that names in any script, and with # or %, lead to their file.
std::string percent_encoded(const std::string& path) {
    std::string out;
    for (char c : path) {
        const unsigned char u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                           (u >= '0' && u <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", u);
        out += plain ? std::string(1, c) : std::string(hex);
    }
    return out;
}

}  // namespace

std::string index_page(std::vector<IndexRow> rows, const std::string& totals) {
    std::stable_sort(rows.begin(), rows.end(), [](const IndexRow& a, const IndexRow& b) {
        return std::make_tuple(-a.wrong, -a.to_check, a.drawing, a.group) <
               std::make_tuple(-b.wrong, -b.to_check, b.drawing, b.group);
    });
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>dimcheck 寸法値チェック</title>\n<style>\n"
        "body { font-family: 'Meiryo', 'MS Gothic', 'IPAGothic', 'Noto Sans CJK JP', sans-serif;"
        " background: #fbfbf6; color: #202020; }\n"
        "table { border-collapse: collapse; }\n"
        "th, td { border: 1px solid #c8c8c0; padding: 2px 8px; white-space: nowrap; }\n"
        "td.n { text-align: right; }\n"
        "tr.wrong td.wrong { background: #ffd8c0; font-weight: bold; }\n"
        "tr.to-check td.to-check { background: #fff2c0; }\n"
        "tr.not td { color: #a00000; }\n"
        "</style>\n</head>\n<body>\n<h1>寸法値チェック</h1>\n<p>" +
        escaped(totals) +
        "</p>\n<p><a href=\"dimcheck.csv\">dimcheck.csv</a>（すべての文字）　"
        "<a href=\"summary.csv\">summary.csv</a>（図面とレイヤグループごと）</p>\n"
        "<table>\n<thead><tr><th>図面</th><th>グループ</th><th>縮尺</th><th>不良Ｘ</th>"
        "<th>要・確認△</th><th>良◎◯</th><th>対象外</th><th>文字数</th><th>選択できない要素</th>"
        "<th>状態</th><th>図</th></tr></thead>\n<tbody>\n";
    for (const IndexRow& r : rows) {
        std::string kind = r.wrong > 0 ? "wrong" : r.to_check > 0 ? "to-check" : "";
        if (r.unchecked) kind = "not";
        page += "<tr class=\"" + kind + "\"><td>" + escaped(r.drawing) + "</td>";
        char cells[320];
        if (r.group < 0) {
            std::snprintf(cells, sizeof cells, "<td></td><td></td>");
        } else {
            std::snprintf(cells, sizeof cells,
                          "<td>%X</td><td class=\"n\">1/%.15g</td><td class=\"n wrong\">%d</td>"
                          "<td class=\"n to-check\">%d</td><td class=\"n\">%d</td>"
                          "<td class=\"n\">%d</td><td class=\"n\">%d</td><td class=\"n\">%d</td>",
                          static_cast<unsigned>(r.group), r.scale, r.wrong, r.to_check, r.good,
                          r.left_out, r.texts, r.not_selectable);
        }
        page += cells;
        if (r.group < 0) page += "<td></td><td></td><td></td><td></td><td></td><td></td>";
        page += "<td>" + escaped(r.state) + "</td><td>";
        if (!r.picture.empty())
            page += "<a href=\"" + percent_encoded(r.picture) + "\">図を見る</a>";
        page += "</td></tr>\n";
    }
    return page + "</tbody>\n</table>\n</body>\n</html>\n";
}

}  // namespace dimcheck::picture
