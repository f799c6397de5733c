#include "layers/CellMemory.h"

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <new>

namespace zv {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kSlab = std::size_t(32) << 20;
// Pools take every array up to this size; larger ones are mapped on their own.
constexpr std::size_t kLargestPooled = std::size_t(512) << 10;

std::size_t RoundUp(std::size_t n, std::size_t to) {
    return (n + to - 1) / to * to;
}

// Anonymous memory the kernel may back with huge pages. Small requests (the pools'
// chunks, which the pools keep and reuse) are carved from slabs that are never
// returned; large ones are mapped and unmapped one by one.
class HugePageMemory : public std::pmr::memory_resource {
    static void* Map(std::size_t bytes) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        madvise(p, bytes, MADV_HUGEPAGE);
        return p;
    }

    void* do_allocate(std::size_t bytes, std::size_t align) override {
        if (bytes > kLargestPooled) return Map(RoundUp(bytes, kHugePage));
        std::size_t at = RoundUp(used_, align);
        if (!slab_ || at + bytes > kSlab) {
            // Over-map by a huge page so the slab can start on a huge-page boundary.
            auto* raw = static_cast<std::byte*>(Map(kSlab + kHugePage));
            const auto start = RoundUp(reinterpret_cast<std::uintptr_t>(raw), kHugePage);
            slab_ = reinterpret_cast<std::byte*>(start);
            at = 0;
        }
        used_ = at + bytes;
        return slab_ + at;
    }

    void do_deallocate(void* p, std::size_t bytes, std::size_t) override {
        if (bytes > kLargestPooled) munmap(p, RoundUp(bytes, kHugePage));
    }

    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    std::byte* slab_ = nullptr;
    std::size_t used_ = 0;
};

}  // namespace

std::pmr::memory_resource* CellPools() {
    // Cells may outlive any other static (a region kept in a function-level static),
    // so the pools are never destroyed: they live as long as the process.
    static auto* upstream = new HugePageMemory();
    static auto* pools = new std::pmr::synchronized_pool_resource(
        std::pmr::pool_options{0, kLargestPooled}, upstream);
    return pools;
}

std::pmr::memory_resource* CellMemory() {
#if defined(__SANITIZE_ADDRESS__)
    return std::pmr::new_delete_resource();
#else
    return CellPools();
#endif
}

}  // namespace zv
