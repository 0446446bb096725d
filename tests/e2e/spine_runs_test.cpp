// The built program: the exchange file's name, option spellings, CR LF input,
// and files that cannot be written completely.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/runner.h"
#include "support.h"

namespace dimcheck::test {
namespace {

namespace fs = std::filesystem;

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

std::string completed(int total) {
    std::string s = cp932("不良 Ｘ=0 , 要・確認 △=0 , 良◎◯=0  /全文字数(" +
                          std::to_string(total) + ")");
    return "cn4\nch 0.000000 0.000000 10.0 0.0 \"" + s + "\nlg14\nly14\nlt20\nlc20\nh# " + s +
           "\n";
}

// Runs the program with every file it writes limited to `max_bytes`; a write
// beyond that fails as on a full disk.
Outcome run_with_file_limit(const std::vector<std::string>& args, rlim_t max_bytes) {
    std::vector<std::string> all{DIMCHECK_EXE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int out = open(".stdout", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(".stderr", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        struct rlimit limit = {max_bytes, max_bytes};
        signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    Outcome o;
    o.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    o.out = read_file(".stdout");
    o.err = read_file(".stderr");
    std::remove(".stdout");
    std::remove(".stderr");
    return o;
}

const std::string kText = "ch 0 0 1 0 \"abc\n";

TEST(SpineRuns, ExchangeFileIsBroughtToItsUpperCaseName) {
    for (const char* name : {"jwc_temp.txt", "JWC_TEMP.txt", "jwc_temp.TXT"}) {
        ScratchDir dir;
        write_file(name, kText);
        Outcome o = run_program({});
        EXPECT_EQ(o.status, 0) << name;
        EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed(1)) << name;
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator("."))
            left.push_back(entry.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>{"JWC_TEMP.TXT"}) << name;
    }
}

TEST(SpineRuns, LaterNamesInTheChainReplaceEarlierFiles) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", "pt 1 1\n");
    write_file("jwc_temp.txt", kText);
    write_file("JWC_TEMP.txt", kText + kText);
    write_file("jwc_temp.TXT", kText + kText + kText);
    Outcome o = run_program({});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed(3));
    EXPECT_FALSE(file_exists("jwc_temp.txt"));
    EXPECT_FALSE(file_exists("JWC_TEMP.txt"));
    EXPECT_FALSE(file_exists("jwc_temp.TXT"));
}

TEST(SpineRuns, OtherSpellingsAreNotTheExchangeFile) {
    ScratchDir dir;
    write_file("Jwc_Temp.Txt", kText);
    if (file_exists("JWC_TEMP.TXT")) GTEST_SKIP() << "file names ignore case here";
    Outcome o = run_program({});
    EXPECT_EQ(o.status, 255);
    EXPECT_EQ(o.err, "Cannot open file: JWC_TEMP.TXT\n");
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(read_file("Jwc_Temp.Txt"), kText);
    EXPECT_FALSE(file_exists("JWC_TEMP.TXT"));
    EXPECT_FALSE(file_exists("JWC_TEMP.$$$"));
}

TEST(SpineRuns, SlashAndUpperCaseOptionsAreTheDashOnes) {
    const std::string input = "pt 1 1\npt 1 1\n" + kText;
    Outcome dash, slash;
    std::string dash_result, slash_result;
    {
        ScratchDir dir;
        write_file("JWC_TEMP.TXT", input);
        dash = run_program({"-t2", "-b2"});
        dash_result = read_file("JWC_TEMP.TXT");
    }
    {
        ScratchDir dir;
        write_file("JWC_TEMP.TXT", input);
        slash = run_program({"/T2", "/B2"});
        slash_result = read_file("JWC_TEMP.TXT");
    }
    EXPECT_EQ(dash.status, 0);
    EXPECT_EQ(slash.status, dash.status);
    EXPECT_EQ(slash.out, dash.out);
    EXPECT_EQ(slash.err, "");
    EXPECT_EQ(slash_result, dash_result);
    EXPECT_EQ(dash_result, completed(1));
    const std::string head =
        "### TFILEcopy_Ten() xmax(3) tenc(2) mmax(1)\n"
        "# i(0) j(1) k(2)\n# same i(0) j(1) k(2)\n"
        "# TEN_DP()  tenc(1) duplication(1)\n";
    EXPECT_EQ(dash.out.substr(0, head.size()), head);
    const std::string last =
        "## Bairitsu(2.0) scale(0.0) mmax(1) isTest(2) BATU(0) SAN(0) MARU(0)\n";
    ASSERT_GE(dash.out.size(), last.size());
    EXPECT_EQ(dash.out.substr(dash.out.size() - last.size()), last);
}

TEST(SpineRuns, CarriageReturnsChangeNoRecord) {
    // A small drawing with every kind of record, once with LF and once with
    // CR LF line ends: the runs must not differ.
    const std::vector<std::string> lines = {
        "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
        "hcw 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5",
        "hch 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5",
        "hcd 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5",
        "hcc 1 1 1 1 1 1 1 1 1 1",
        "hn 0 0 2000 100",
        "#jw",
        "lg0",
        "ly1",
        "lt1",
        "lc3",
        "pn2",
        " 0 0 1500 0",
        " 0 0 2 1.5",
        " 0 0 2 -1.5",
        "pt 1500 0",
        "ci 1500 0 0.5",
        "ci 700 0 5",
        "cn0 2.5 2.5 0.5 1",
        "ch 740 1 6.25 0 \"1,500",
        "cn1",
        "ch 100 1 6.25 0 \"abc",
    };
    std::string lf, crlf;
    for (const std::string& line : lines) {
        lf += line + "\n";
        crlf += line + "\r\n";
    }
    Outcome a, b;
    std::string a_result, b_result, b_copy;
    {
        ScratchDir dir;
        write_file("JWC_TEMP.TXT", lf);
        a = run_program({"-t1"});
        a_result = read_file("JWC_TEMP.TXT");
    }
    {
        ScratchDir dir;
        write_file("JWC_TEMP.TXT", crlf);
        b = run_program({"-t1"});
        b_result = read_file("JWC_TEMP.TXT");
        b_copy = read_file("JWC_TEMP.$$$");
    }
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(b.status, a.status);
    EXPECT_EQ(b.out, a.out);
    EXPECT_EQ(b.err, a.err);
    EXPECT_EQ(b_result, a_result);
    EXPECT_EQ(b_copy, crlf + "#\n");
    // The free-size kind came first: its copy is restored.
    EXPECT_NE(a_result.find("\ncn0 2.50, 2.50, 0.50, 1\nlg0\nly1\nlt1\nlc3\npn2\nh# "),
              std::string::npos);
}

TEST(SpineRuns, WorkingCopyThatCannotBeWrittenStopsTheRun) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", kText);
    fs::create_symlink("/dev/full", "JWC_TEMP.$$$");
    Outcome o = run_program({"-t1"});
    EXPECT_EQ(o.status, 255);
    EXPECT_EQ(o.err, "Cannot write file: JWC_TEMP.$$$");
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), kText);  // the exchange file is untouched
}

TEST(SpineRuns, ResultThatCannotBeWrittenIsNoSuccess) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", kText);
    // Room for the working copy (19 bytes), not for the whole result.
    Outcome o = run_with_file_limit({}, 64);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Cannot write file: JWC_TEMP.TXT");
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), completed(1).substr(0, 64));
    EXPECT_EQ(read_file("JWC_TEMP.$$$"), kText + "#\n");
}

TEST(SpineRuns, ErrorRecordThatCannotBeWrittenIsReported) {
    ScratchDir dir;
    write_file("JWC_TEMP.TXT", "pt 1 1\n");
    Outcome o = run_with_file_limit({}, 40);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Cannot write file: JWC_TEMP.TXT");
    EXPECT_EQ(read_file("JWC_TEMP.TXT"), cp932("he  寸法値がありません\nh#  寸法値がありません\n").substr(0, 40));
}

TEST(SpineRuns, ExchangeFileThatIsAFolder) {
    ScratchDir dir;
    fs::create_directory("JWC_TEMP.TXT");  // cannot be read
    Outcome o = run_program({});
    EXPECT_EQ(o.status, 255);
    EXPECT_EQ(o.err, "Cannot open file: JWC_TEMP.TXT\n");
    EXPECT_EQ(o.out, "");
    EXPECT_TRUE(fs::is_directory("JWC_TEMP.TXT"));
}

}  // namespace
}  // namespace dimcheck::test
