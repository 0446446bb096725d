#include "e2e/runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

#include "support.h"

extern char** environ;

namespace dimcheck::test {

Outcome run_program(const std::vector<std::string>& args) {
    std::vector<std::string> all;
    all.emplace_back(DIMCHECK_EXE);
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, ".stdout", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, ".stderr", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + all[0]);
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

}  // namespace dimcheck::test
