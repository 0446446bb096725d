#include "wine/runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "support.h"

extern char** environ;

namespace dimcheck::test::wine {

namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (auto& s : strings) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

// Starts argv[0] (a path, or a name looked up on PATH) with the given
// environment, standard input from /dev/null and the two output streams into
// the files named; returns the exit status.
int spawn(std::vector<std::string> all, std::vector<std::string> env, const char* out_file,
          const char* err_file) {
    std::vector<char*> argv = pointers(all);
    std::vector<char*> envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + all[0]);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
}

std::vector<std::string> environment(const std::vector<std::string>& overrides) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& o : overrides)
            if (o.compare(0, name.size() + 1, name + "=") == 0) replaced = true;
        if (!replaced) env.push_back(entry);
    }
    env.insert(env.end(), overrides.begin(), overrides.end());
    return env;
}

Outcome run(const std::vector<std::string>& command, const std::vector<std::string>& args,
            const std::vector<std::string>& env) {
    std::vector<std::string> all = command;
    all.insert(all.end(), args.begin(), args.end());
    Outcome o;
    o.status = spawn(all, env, ".stdout", ".stderr");
    o.out = read_file(".stdout");
    o.err = read_file(".stderr");
    std::remove(".stdout");
    std::remove(".stderr");
    return o;
}

}  // namespace

Outcome run_linux(const std::vector<std::string>& args) {
    return run({DIMCHECK_EXE}, args, environment({}));
}

#ifdef DIMCHECK_WINE_EXE

// The prefix is made once per run of the suite (see wine/prefix.sh); no
// debug channel may write into the program's standard error.
Outcome run_windows(const std::vector<std::string>& args) {
    return run({DIMCHECK_WINE, DIMCHECK_WINE_EXE}, args,
               environment({"WINEPREFIX=" DIMCHECK_WINEPREFIX, "WINEDEBUG=-all",
                            "WINEDLLOVERRIDES=mscoree,mshtml="}));
}

Outcome run_program(const std::vector<std::string>& args) { return run_windows(args); }

std::string as_written(const std::string& linux_bytes) {
    std::string out;
    out.reserve(linux_bytes.size() + linux_bytes.size() / 16);
    for (std::size_t i = 0; i < linux_bytes.size(); ++i) {
        if (linux_bytes[i] == '\n' && (i == 0 || linux_bytes[i - 1] != '\r')) out += '\r';
        out += linux_bytes[i];
    }
    return out;
}

#else

Outcome run_program(const std::vector<std::string>& args) { return run_linux(args); }

std::string as_written(const std::string& linux_bytes) { return linux_bytes; }

#endif

int run_command(const std::vector<std::string>& argv) {
    return spawn(argv, environment({}), "/dev/null", "/dev/null");
}

std::vector<std::string> read_lines(const std::string& path) {
    std::vector<std::string> lines;
    std::string bytes = read_file(path);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t nl = bytes.find('\n', start);
        if (nl == std::string::npos) nl = bytes.size();
        lines.push_back(bytes.substr(start, nl - start));
        start = nl + 1;
    }
    return lines;
}

}  // namespace dimcheck::test::wine
