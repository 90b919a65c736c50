// A piece of a test that must end: it runs first in a child process with a time and a memory
// limit, so a loop without end fails the test (and leaves the machine alone) instead of hanging
// the suite; the test then runs it again itself and checks what it did. The memory limit is on what
// the child holds (its resident pages), watched from outside: an address-space limit would also
// refuse the large reservations the sanitizer builds make at start.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace kestrion::test {

// "" when the work ended within the seconds and the memory; else how it did not.
inline std::string endsWithin(unsigned seconds, const std::function<void()>& work,
                              std::size_t memoryBytes = std::size_t{1} << 30) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return "the work could not be started in a process of its own";
    if (child == 0) {
        work();
        std::_Exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    const std::string statm = "/proc/" + std::to_string(child) + "/statm";
    const auto pageBytes = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const auto stop = [child](const std::string& why) {
        kill(child, SIGKILL);
        int ended = 0;
        waitpid(child, &ended, 0);
        return why;
    };
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return stop("the work did not end within " + std::to_string(seconds) + " s");
        std::size_t size = 0;
        std::size_t resident = 0;
        if (std::ifstream(statm) >> size >> resident && resident * pageBytes > memoryBytes)
            return stop("the work took more than " + std::to_string(memoryBytes >> 20) + " MiB");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "";
    if (WIFSIGNALED(status)) return "the work ended with signal " + std::to_string(WTERMSIG(status));
    return "the work ended with exit code " + std::to_string(WEXITSTATUS(status));
}

}  // namespace kestrion::test
