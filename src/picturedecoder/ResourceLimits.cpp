#include "picturedecoder/ResourceLimits.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <new>
#include <thread>

#include "layers/PictureReply.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZV_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZV_ADDRESS_SANITIZER 1
#endif
#endif

namespace zv {

namespace {

constexpr std::int64_t kMb = std::int64_t{1} << 20;

// Page counts from /proc/self/statm: total program size and resident set.
bool ReadStatm(int fd, std::int64_t& sizePages, std::int64_t& residentPages) {
    char text[128];
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    if (n <= 0) return false;
    text[n] = '\0';
    long long size = 0, resident = 0;
    if (std::sscanf(text, "%lld %lld", &size, &resident) != 2) return false;
    sizePages = size;
    residentPages = resident;
    return true;
}

[[noreturn]] void OutOfMemory() {
    ::_exit(kDecoderExitMemory);
}

extern "C" void OnCpuLimit(int) {
    ::_exit(kDecoderExitCpu);
}

}  // namespace

void LimitCpuTime(int seconds) {
    struct sigaction action {};
    action.sa_handler = OnCpuLimit;
    ::sigaction(SIGXCPU, &action, nullptr);
    const rlim_t soft = static_cast<rlim_t>(seconds < 1 ? 1 : seconds);
    const rlimit limit{soft, soft + 1};
    ::setrlimit(RLIMIT_CPU, &limit);
}

void WatchResidentMemory(int megabytes) {
    std::int64_t limit = std::int64_t{megabytes} * kMb;
#ifdef ZV_ADDRESS_SANITIZER
    limit += 512 * kMb;
#endif
    const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;  // the other limits still hold
    const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    std::thread([fd, page, limit] {
        for (;;) {
            std::int64_t size = 0, resident = 0;
            if (ReadStatm(fd, size, resident) && resident * page > limit) OutOfMemory();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }).detach();
}

void LimitAddressSpace(int megabytes) {
    std::set_new_handler(OutOfMemory);
#ifndef ZV_ADDRESS_SANITIZER
    const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    std::int64_t size = 0, resident = 0;
    const bool ok = ReadStatm(fd, size, resident);
    ::close(fd);
    if (!ok) return;
    const rlim_t cap = static_cast<rlim_t>(size * ::sysconf(_SC_PAGESIZE) + 4 * megabytes * kMb);
    const rlimit limit{cap, cap};
    ::setrlimit(RLIMIT_AS, &limit);
#else
    (void)megabytes;
#endif
}

}  // namespace zv
