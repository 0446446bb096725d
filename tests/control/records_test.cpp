// The Japanese texts of the result records must be exactly the code page 932
// bytes of their Japanese wording; iconv provides the reference encoding.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>

#include "control/records.h"
#include "support.h"

namespace dimcheck::test {
namespace {

// Encodes UTF-8 text as code page 932 with the system's iconv.
std::string cp932(const std::string& utf8) {
    std::string path =
        (std::filesystem::temp_directory_path() / "dimcheck-iconv-XXXXXX").string();
    int fd = mkstemp(path.data());
    if (fd < 0) return "<mkstemp failed>";
    close(fd);
    write_file(path, utf8);
    std::string cmd = "iconv -f UTF-8 -t CP932 '" + path + "'";
    std::FILE* p = popen(cmd.c_str(), "r");
    std::string bytes;
    if (p != nullptr) {
        char buf[512];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) bytes.append(buf, n);
        if (pclose(p) != 0) bytes = "<iconv failed>";
    }
    std::remove(path.c_str());
    return bytes;
}

TEST(ResultRecords, JapaneseTextsAreTheirCodePage932Bytes) {
    EXPECT_EQ(std::string(kTooManyLines), cp932("he  要素数オーバー    MAX = %d\n"));
    EXPECT_EQ(std::string(kTooManyPoints), cp932("he  寸法端点  処理限度数オーバー    MAX=%d\n"));
    EXPECT_EQ(std::string(kNoValuesHe), cp932("he  寸法値がありません\n"));
    EXPECT_EQ(std::string(kNoValuesStatus), cp932("h#  寸法値がありません\n"));
    EXPECT_EQ(std::string(kSummary),
              cp932("不良 Ｘ=%d , 要・確認 △=%d , 良◎◯=%d  /全文字数(%d)"));
}

TEST(ResultRecords, FormatsFillInTheirNumbers) {
    char buf[256];
    std::snprintf(buf, sizeof buf, kTooManyLines, 50000);
    EXPECT_EQ(std::string(buf), cp932("he  要素数オーバー    MAX = 50000\n"));
    std::snprintf(buf, sizeof buf, kTooManyPoints, 800);
    EXPECT_EQ(std::string(buf), cp932("he  寸法端点  処理限度数オーバー    MAX=800\n"));
    std::snprintf(buf, sizeof buf, kSummary, 3, 2, 1, 17);
    EXPECT_EQ(std::string(buf), cp932("不良 Ｘ=3 , 要・確認 △=2 , 良◎◯=1  /全文字数(17)"));
}

}  // namespace
}  // namespace dimcheck::test
