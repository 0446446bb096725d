// Texts that the checker writes into the result file, as Shift-JIS bytes.
// Hex escapes are split where an ASCII hex digit follows them.
#pragma once

namespace dimcheck {

// "he  要素数オーバー    MAX = %d\n"
constexpr const char kTooManyLines[] =
    "he  \x97v\x91"
    "f\x90\x94\x83I\x81[\x83o\x81[    MAX = %d\n";
// "he  寸法端点  処理限度数オーバー    MAX=%d\n"
constexpr const char kTooManyPoints[] =
    "he  \x90\xa1\x96@\x92[\x93_  \x8f\x88\x97\x9d\x8c\xc0\x93x\x90\x94\x83I\x81[\x83o\x81[    "
    "MAX=%d\n";
// "he  寸法値がありません\n"
constexpr const char kNoValuesHe[] =
    "he  \x90\xa1\x96@\x92l\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";
// "h#  寸法値がありません", the status line then; a line end follows.
constexpr const char kNoValuesStatus[] =
    "h#  \x90\xa1\x96@\x92l\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
// "不良 Ｘ=%d , 要・確認 △=%d , 良◎◯=%d  /全文字数(%d)"
constexpr const char kSummary[] =
    "\x95s\x97\xc7 \x82w=%d , \x97v\x81"
    "E\x8am\x94"
    "F \x81\xa2=%d , "
    "\x97\xc7\x81\x9d\x81\xfc=%d  /\x91S\x95\xb6\x8e\x9a\x90\x94(%d)";
// The same with -n, which also counts the texts it left out:
// "不良 Ｘ=%d , 要・確認 △=%d , 良◎◯=%d , 対象外=%d  /全文字数(%d)"
constexpr const char kSummaryLeavingOut[] =
    "\x95s\x97\xc7 \x82w=%d , \x97v\x81"
    "E\x8am\x94"
    "F \x81\xa2=%d , "
    "\x97\xc7\x81\x9d\x81\xfc=%d , \x91\xce\x8f\xdb\x8aO=%d  "
    "/\x91S\x95\xb6\x8e\x9a\x90\x94(%d)";

// "  dimcheck.csv を書けません": after the summary in the status line when the
// report (-r) cannot be written completely.
constexpr const char kReportNotWritten[] =
    "  dimcheck.csv \x82\xf0\x8f\x91\x82\xaf\x82\xdc\x82\xb9\x82\xf1";

// "  オプションに誤りがあります（dimcheck.log）": at the end of the status
// line when an argument was no option we take, so that the operator, who
// sees only that line, knows the run did not go as asked. The batch files
// write the standard error stream, which says which, into dimcheck.log.
constexpr const char kIllegalOptionNote[] =
    "  \x83I\x83v\x83V\x83\x87\x83\x93\x82\xc9\x8c\xeb\x82\xe8\x82\xaa\x82\xa0\x82\xe8"
    "\x82\xdc\x82\xb7\x81i"
    "dimcheck.log\x81j";

// "*図上 ": the explanation of a verdict, before the length drawn (the
// compared length closest to the value). The asterisk keeps it from ever
// being read as a value itself.
constexpr const char kDrawnLength[] = "*\x90}\x8f\xe3 ";
// "*端点 %d点のみ" and "*端点なし": the explanation when one end point or
// none was found.
constexpr const char kOnlyOnePoint[] = "*\x92[\x93_ %d\x93_\x82\xcc\x82\xdd";
constexpr const char kNoEndPoint[] = "*\x92[\x93_\x82\xc8\x82\xb5";

}  // namespace dimcheck
