#include "support.h"

#include <filesystem>

#include "marks/search_drawing.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

namespace dimcheck::test {

std::string slurp(std::FILE* f) {
    std::fflush(f);
    long here = std::ftell(f);
    std::rewind(f);
    std::string bytes;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    std::fseek(f, here, SEEK_SET);
    return bytes;
}

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

Captured::Captured() {
    out.result = std::tmpfile();
    out.trace = std::tmpfile();
    out.err = std::tmpfile();
    if (!out.result || !out.trace || !out.err) throw std::runtime_error("tmpfile failed");
}

JudgingSinks Captured::sinks() {
    const Trace trace = {o.trace_level, out.trace};
    drawing.reset(new ResultDrawing(out.result, trace));
    return {trace, drawing.get()};
}

Captured::~Captured() {
    for (std::FILE* f : {out.result, out.trace, out.err})
        if (f) std::fclose(f);
}

// `text` quoted for the shell.
std::string quoted(std::string text) {
    for (std::size_t at = 0; (at = text.find('\'', at)) != std::string::npos; at += 4)
        text.replace(at, 1, "'\\''");
    return "'" + text + "'";
}

constexpr bool kWine = DIMCHECK_WINE_SUITE;

Outcome run_program(const std::string& folder, const std::vector<std::string>& args,
                    unsigned long max_file_bytes) {
    // SIGXFSZ stays ignored, so that a write beyond the file-size limit fails.
    std::string command = "cd " + quoted(folder) + " && trap '' XFSZ && exec ";
    // A temporary folder of the run's own, which it must leave empty.
    const std::string temporary = folder + "/.tmp";
    std::filesystem::create_directory(temporary);
    command = "export TMPDIR=" + quoted(temporary) + "; " + command;
    if (max_file_bytes != 0) command += "prlimit --fsize=" + std::to_string(max_file_bytes) + " ";
#if DIMCHECK_WINE_SUITE  // its own prefix (wine/prefix.sh); nothing but the program writes to
                         // stderr
    command += "env WINEPREFIX='" DIMCHECK_WINEPREFIX
               "' WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= '" DIMCHECK_WINE
               "' '" DIMCHECK_WINE_EXE "'";
#else
    command += "'" DIMCHECK_EXE "'";
#endif
    for (const std::string& arg : args) command += " " + quoted(arg);
    const std::string out = folder + "/.stdout";
    const std::string err = folder + "/.stderr";
    const int status = std::system((command + " </dev/null >.stdout 2>.stderr").c_str());
    Outcome o;
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    o.out = read_file(out);
    o.err = read_file(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    // (Wine keeps files of its own there.)
    if (!kWine && !std::filesystem::is_empty(temporary))
        o.err += "(files left in the temporary folder)\n";
    std::filesystem::remove_all(temporary);
    return o;
}

}  // namespace dimcheck::test
