// The decoder helper's limits on itself, each tried in a child process that runs
// into it: the child must end with the limit's own exit status.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include "layers/PictureReply.h"
#include "picturedecoder/ResourceLimits.h"

using namespace zv;

namespace {

// The exit status of a child that runs `body` (-1 when it ended otherwise), and how
// long it took.
int ExitOf(const std::function<void()>& body, double* seconds = nullptr) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (seconds)
        *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

}  // namespace

TEST(ResourceLimits, ProcessorTime) {
    double seconds = 0;
    const int status = ExitOf(
        [] {
            LimitCpuTime(1);
            volatile unsigned long spins = 0;
            for (;;) {
                const unsigned long next = spins + 1;
                spins = next;
            }
        },
        &seconds);
    EXPECT_EQ(status, kDecoderExitCpu);
    EXPECT_LT(seconds, 30.0);
}

TEST(ResourceLimits, ResidentMemory) {
    // Touched a megabyte at a time; without the watcher it would take 3 GB.
    const int status = ExitOf([] {
        WatchResidentMemory(64);
        std::vector<char*> kept;
        for (int i = 0; i < 3072; ++i) {
            char* block = static_cast<char*>(std::malloc(1 << 20));
            std::memset(block, 1, 1 << 20);
            kept.push_back(block);
            ::usleep(200);
        }
    });
    EXPECT_EQ(status, kDecoderExitMemory);
    // What is touched below the limit is left alone.
    EXPECT_EQ(ExitOf([] {
                  WatchResidentMemory(64);
                  std::vector<char> some(8 << 20, 1);
                  ::usleep(50000);
              }),
              0);
}

TEST(ResourceLimits, AddressSpace) {
    if (kAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer builds reserve terabytes of address space; the "
                        "helper caps it only in other builds";
    // One huge allocation fails at once, and a failed C++ allocation ends the
    // process with the memory status.
    EXPECT_EQ(ExitOf([] {
                  LimitAddressSpace(64);
                  volatile char* huge = new char[std::size_t{1} << 30];
                  huge[0] = 1;
              }),
              kDecoderExitMemory);
    EXPECT_EQ(ExitOf([] {
                  LimitAddressSpace(64);
                  std::vector<char> fine(32 << 20, 1);
              }),
              0);
}
