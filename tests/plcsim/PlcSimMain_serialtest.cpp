// The plcsim program itself: it must never outlive the test that started it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

// True when the process has ended (gone, or a zombie nobody has reaped yet).
bool ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const std::size_t close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] == 'Z';
}

// In a child: starts plcsim answering late, sends it a probe so that it sleeps in its answer,
// reports its process id and ends.
[[noreturn]] void startPlcSimAndLeave(int report) {
    int out[2];
    if (pipe(out) != 0) _exit(1);
    const pid_t sim = fork();
    if (sim == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(KESTRION_PLCSIM_PROGRAM, KESTRION_PLCSIM_PROGRAM, "--fault", "delay",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string slave;
    for (char c = 0; read(out[0], &c, 1) == 1 && c != ' ' && c != '\n';) slave += c;
    const int line = open(slave.c_str(), O_RDWR | O_NOCTTY);
    const unsigned char enq = 0x05;
    if (line < 0 || write(line, &enq, 1) != 1) _exit(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (write(report, &sim, sizeof sim) != static_cast<ssize_t>(sizeof sim)) _exit(1);
    _exit(0);
}

TEST(PlcSimProgram, EndsWithTheProcessThatStartedItEvenInADelayedAnswer) {
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t starter = fork();
    ASSERT_GE(starter, 0);
    if (starter == 0) startPlcSimAndLeave(report[1]);
    close(report[1]);
    pid_t sim = -1;
    ASSERT_EQ(read(report[0], &sim, sizeof sim), static_cast<ssize_t>(sizeof sim));
    close(report[0]);
    waitpid(starter, nullptr, 0);

    // Its answer is 3 s late; it must be gone long before that.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (!ended(sim) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool gone = ended(sim);
    if (!gone) kill(sim, SIGKILL);
    EXPECT_TRUE(gone);
}

}  // namespace
