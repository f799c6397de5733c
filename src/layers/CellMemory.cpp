#include "layers/CellMemory.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

#include "gdi/HugePages.h"

namespace zv {

namespace {

// Every slab starts at a huge page's boundary and lies within that huge page, so the
// slab of a block is found by masking its address. A slab is one huge page, but for
// the first slab of each block size, which has only its first part, on ordinary
// pages: a small scheme then touches a few pages per size instead of clearing a
// whole huge page for each.
constexpr std::size_t kSlab = kHugePageBytes;
constexpr std::size_t kFirstSlab = std::size_t(256) << 10;
// Slabs take every array up to this size; larger ones are mapped on their own.
constexpr std::size_t kLargestPooled = std::size_t(512) << 10;
constexpr std::size_t kBlockAlign = 16;
// Empty slabs kept for the next allocations instead of being unmapped at once, so
// that an array freed and taken again (an effect's sub-frames) does not map and
// unmap a slab each time.
constexpr std::size_t kKeptEmptySlabs = 4;

std::size_t RoundUp(std::size_t n, std::size_t to) {
    return (n + to - 1) / to * to;
}

// The block size serving a request: a multiple of 16 with at most four significant
// bits (..., 48 K, 56 K, 64 K, 80 K, ...), so no block wastes more than an eighth.
std::size_t BlockSize(std::size_t bytes) {
    const std::size_t b = RoundUp(bytes == 0 ? 1 : bytes, kBlockAlign);
    if (b <= 8 * kBlockAlign) return b;
    const std::size_t step = std::size_t(1) << (std::bit_width(b - 1) - 4);
    return RoundUp(b, step);
}

void* Map(std::size_t bytes) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    if (bytes >= kHugePageBytes) madvise(p, bytes, MADV_HUGEPAGE);
    return p;
}

// A whole slab on a huge page; a size's small first slab on ordinary pages, brought
// in at once, which costs less than a fault each as its blocks are handed out.
std::byte* MapSlab(std::size_t bytes) {
    void* slab = bytes == kSlab ? MapHugePages(kSlab) : MapAlignedToHugePage(bytes);
    if (!slab) throw std::bad_alloc();
    if (bytes != kSlab) PopulatePages(slab, bytes);
    return static_cast<std::byte*>(slab);
}

// Slabs of huge pages, each cut into blocks of one size. A block freed goes on its
// slab's free list; a slab whose last block is freed is unmapped (beyond the few
// kept), so the memory follows the cells that are alive.
class CellSlabs : public std::pmr::memory_resource {
public:
    std::size_t MappedBytes() {
        std::lock_guard lock(mutex_);
        return mapped_;
    }

private:
    struct Slab {
        std::byte* base = nullptr;
        std::size_t bytes = 0;
        std::size_t block = 0;
        std::size_t capacity = 0;  // blocks
        std::size_t live = 0;      // blocks handed out
        std::size_t fresh = 0;     // blocks from here on were never handed out
        void* freeList = nullptr;  // blocks given back, linked through their first bytes
        Slab* prev = nullptr;      // the size's list of slabs with room
        Slab* next = nullptr;
        bool listed = false;
    };
    struct SizeClass {
        Slab* withRoom = nullptr;
        std::size_t slabs = 0;
    };
    struct EmptySlab {
        std::byte* base;
        std::size_t bytes;
    };

    void* do_allocate(std::size_t bytes, std::size_t align) override {
        if (bytes > kLargestPooled || align > kBlockAlign) {
            const std::size_t size = RoundUp(bytes == 0 ? 1 : bytes, kHugePageBytes);
            void* p = Map(size);
            std::lock_guard lock(mutex_);
            mapped_ += size;
            return p;
        }
        const std::size_t block = BlockSize(bytes);
        std::lock_guard lock(mutex_);
        SizeClass& sc = classes_[block];
        Slab* s = sc.withRoom;
        if (!s) {
            s = NewSlab(sc, block);
            Link(sc, s);
        }
        void* p;
        if (s->freeList) {
            p = s->freeList;
            s->freeList = *static_cast<void**>(p);
        } else {
            p = s->base + s->fresh++ * block;
        }
        ++s->live;
        if (!s->freeList && s->fresh == s->capacity) Unlink(sc, s);
        return p;
    }

    void do_deallocate(void* p, std::size_t bytes, std::size_t align) override {
        if (!p) return;
        if (bytes > kLargestPooled || align > kBlockAlign) {
            const std::size_t size = RoundUp(bytes == 0 ? 1 : bytes, kHugePageBytes);
            munmap(p, size);
            std::lock_guard lock(mutex_);
            mapped_ -= size;
            return;
        }
        std::lock_guard lock(mutex_);
        const auto key = reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t(kSlab - 1);
        const auto found = slabs_.find(key);
        if (found == slabs_.end()) return;  // not ours: nothing sane to do with it
        Slab* s = found->second;
        SizeClass& sc = classes_[s->block];
        *static_cast<void**>(p) = s->freeList;
        s->freeList = p;
        --s->live;
        if (s->live == 0) {
            if (s->listed) Unlink(sc, s);
            slabs_.erase(found);
            --sc.slabs;
            ReleaseSlab(EmptySlab{s->base, s->bytes});
            delete s;
            return;
        }
        if (!s->listed) Link(sc, s);
    }

    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    Slab* NewSlab(SizeClass& sc, std::size_t block) {
        // A kept slab if one holds a block; otherwise a new one, small if it is the
        // size's first.
        EmptySlab e{};
        const auto kept = std::find_if(kept_.rbegin(), kept_.rend(),
                                       [&](const EmptySlab& k) { return k.bytes >= block; });
        if (kept != kept_.rend()) {
            e = *kept;
            kept_.erase(std::next(kept).base());
        } else {
            e.bytes = sc.slabs == 0 ? std::max(kFirstSlab, block) : kSlab;
            e.base = MapSlab(e.bytes);
            mapped_ += e.bytes;
        }
        ++sc.slabs;
        auto* s = new Slab;
        s->base = e.base;
        s->bytes = e.bytes;
        s->block = block;
        s->capacity = e.bytes / block;
        slabs_.emplace(reinterpret_cast<std::uintptr_t>(e.base), s);
        return s;
    }

    void ReleaseSlab(EmptySlab e) {
        if (kept_.size() < kKeptEmptySlabs) {
            kept_.push_back(e);
            return;
        }
        UnmapPages(e.base, e.bytes);  // whole pages either way
        mapped_ -= e.bytes;
    }

    static void Link(SizeClass& sc, Slab* s) {
        s->prev = nullptr;
        s->next = sc.withRoom;
        if (sc.withRoom) sc.withRoom->prev = s;
        sc.withRoom = s;
        s->listed = true;
    }

    static void Unlink(SizeClass& sc, Slab* s) {
        if (s->prev)
            s->prev->next = s->next;
        else
            sc.withRoom = s->next;
        if (s->next) s->next->prev = s->prev;
        s->prev = s->next = nullptr;
        s->listed = false;
    }

    std::mutex mutex_;
    std::map<std::size_t, SizeClass> classes_;
    std::unordered_map<std::uintptr_t, Slab*> slabs_;
    std::vector<EmptySlab> kept_;
    std::size_t mapped_ = 0;
};

CellSlabs& Slabs() {
    // Cells may outlive any other static (a region kept in a function-level static),
    // so the slabs are never destroyed: they live as long as the process.
    static auto* slabs = new CellSlabs();
    return *slabs;
}

}  // namespace

std::pmr::memory_resource* CellPools() {
    return &Slabs();
}

std::size_t CellPoolsMappedBytes() {
    return Slabs().MappedBytes();
}

std::pmr::memory_resource* CellMemory() {
#if defined(__SANITIZE_ADDRESS__)
    return std::pmr::new_delete_resource();
#else
    return CellPools();
#endif
}

}  // namespace zv
