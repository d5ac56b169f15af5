// SPDX-License-Identifier: MIT
#include "Subprocess.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> p;
    for (std::string& s : strings)
        p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

int StatusOf(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

} // namespace

pid_t StartProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                   const std::filesystem::path& log)
{
    std::vector<std::string> args = argv, env;
    for (char** e = environ; *e != nullptr; ++e)
        env.emplace_back(*e);
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!log.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    pid_t pid = -1;
    std::vector<char*> a = Pointers(args), e = Pointers(env);
    if (::posix_spawn(&pid, a[0], &actions, nullptr, a.data(), e.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

ProcessResult WaitProcess(pid_t pid, int seconds)
{
    ProcessResult r;
    if (pid <= 0)
        return r;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int raw = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(pid, &raw, WNOHANG) == pid) {
            r.finished = true;
            r.status = StatusOf(raw);
            return r;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &raw, 0);
    return r;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                         int seconds, const std::filesystem::path& log)
{
    return WaitProcess(StartProcess(argv, extraEnv, log), seconds);
}

bool CatchesSignal(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) != 0)
            continue;
        unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
        return (mask >> (signal - 1)) & 1u;
    }
    return false;
}

ProcessResult RunOnFullDisk(const std::filesystem::path& dir, const std::string& script,
                            const std::vector<std::string>& extraEnv, const std::filesystem::path& log)
{
    std::filesystem::create_directories(dir);
    ProcessResult probe = RunProcess({"/usr/bin/unshare", "-m", "--propagation", "private", "/bin/true"}, {}, 30);
    if (!probe.finished || probe.status != 0) {
        probe.status = kFullDiskRefused;
        return probe;
    }
    const std::string wrapper =
        "mount -t tmpfs -o size=64k kestrin-full \"$FULL\" 2>/dev/null || exit 77\n"
        "fill() { dd if=/dev/zero of=\"$FULL/fill\" bs=1k count=1024 2>/dev/null; true; }\n" + script;
    std::vector<std::string> env = extraEnv;
    env.push_back("FULL=" + dir.string());
    return RunProcess({"/usr/bin/unshare", "-m", "--propagation", "private", "/bin/sh", "-c", wrapper}, env, 120,
                      log);
}

std::string ReadWholeFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
