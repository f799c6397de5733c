#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "layers/CellMemory.h"

using namespace zv;

// Arrays of every size the pools see — pooled, and mapped on their own — hold what
// is written to them, are aligned, do not overlap, and can be given back and taken
// again many times.
TEST(CellMemory, ArraysOfEverySizeAreUsableAndReused) {
    std::pmr::memory_resource* pools = CellPools();
    const std::size_t sizes[] = {1, 24, 512, 4096, 18725, 20000, 100000};  // cells
    for (int round = 0; round < 3; ++round) {
        std::vector<CellArray> arrays;
        for (std::size_t n : sizes) {
            arrays.emplace_back(n, NeonCell{}, CellArray::allocator_type(pools));
            CellArray& a = arrays.back();
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a.data()) % alignof(NeonCell), 0u);
            for (std::size_t i = 0; i < n; ++i) a[i].colour = COLORREF(i * 7 + n);
        }
        for (std::size_t k = 0; k < arrays.size(); ++k) {
            const CellArray& a = arrays[k];
            ASSERT_EQ(a.size(), sizes[k]);
            EXPECT_EQ(a.front().colour, COLORREF(sizes[k]));
            EXPECT_EQ(a.back().colour, COLORREF((sizes[k] - 1) * 7 + sizes[k]));
        }
    }
    CellArray copy{CellArray::allocator_type(pools)};
    copy = CellArray(5, NeonCell{}, CellArray::allocator_type(pools));
    EXPECT_EQ(copy.get_allocator().resource(), pools);
}

namespace {

// Whether any page of [p, p + bytes) is still mapped in this process.
bool Mapped(const void* p, std::size_t bytes) {
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    auto* start = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(p) / page * page);
    std::vector<unsigned char> vec((bytes + 2 * page - 1) / page);
    return mincore(start, bytes, vec.data()) == 0;
}

}  // namespace

// A scheme's worth of cell arrays (the 64 x 32 grids of a large animation, and a few
// arrays mapped on their own) takes memory from the system; once the cells are freed
// the slabs that held them are unmapped, all but the few kept for the next arrays.
TEST(CellMemory, MemoryIsGivenBackWhenTheCellsAreFreed) {
    std::pmr::memory_resource* pools = CellPools();
    const std::size_t before = CellPoolsMappedBytes();
    std::vector<CellArray> arrays;
    for (int i = 0; i < 2000; ++i) {
        arrays.emplace_back(64 * 32, NeonCell{}, CellArray::allocator_type(pools));
        arrays.back().back().colour = COLORREF(i);
    }
    for (int i = 0; i < 3; ++i)
        arrays.emplace_back(40000, NeonCell{}, CellArray::allocator_type(pools));
    const std::size_t gridBytes = 2000 * 64 * 32 * sizeof(NeonCell);
    const std::size_t held = CellPoolsMappedBytes() - before;
    EXPECT_GE(held, gridBytes);
    // Whole slabs of 36 grids each, one partly used, and three 2 MB mappings.
    EXPECT_LE(held, gridBytes + gridBytes / 32 + 4 * (std::size_t(2) << 20));
    std::vector<const NeonCell*> grids;
    for (int i = 0; i < 2000; ++i) grids.push_back(arrays[std::size_t(i)].data());
    const NeonCell* lastLarge = arrays.back().data();
    EXPECT_TRUE(Mapped(grids.front(), sizeof(NeonCell)));
    for (int i = 0; i < 2000; ++i) EXPECT_EQ(arrays[std::size_t(i)].back().colour, COLORREF(i));

    arrays.clear();
    EXPECT_LE(CellPoolsMappedBytes(), before + (std::size_t(8) << 20));
    // Only the grids of the few slabs kept (36 grids to a slab) are still mapped.
    const auto stillMapped =
        std::count_if(grids.begin(), grids.end(), [](const NeonCell* g) { return Mapped(g, 1); });
    EXPECT_LE(stillMapped, 4 * 36);
    EXPECT_FALSE(Mapped(lastLarge, sizeof(NeonCell)));
}

// Freeing some of the arrays of a slab leaves the others intact and their blocks are
// taken again before any new memory; freeing arrays in a different order than they
// were made returns everything as well.
TEST(CellMemory, FreedBlocksAreReusedAndSlabsGoWhenTheirLastArrayGoes) {
    std::pmr::memory_resource* pools = CellPools();
    const std::size_t before = CellPoolsMappedBytes();
    std::vector<CellArray> arrays;
    for (int i = 0; i < 300; ++i) {
        arrays.emplace_back(100, NeonCell{}, CellArray::allocator_type(pools));
        for (NeonCell& c : arrays.back()) c.colour = COLORREF(i);
    }
    const std::size_t held = CellPoolsMappedBytes();
    // Every other array freed, then as many made again: no new slab is needed.
    std::vector<const NeonCell*> freed;
    for (std::size_t i = 0; i < arrays.size(); i += 2) {
        freed.push_back(arrays[i].data());
        arrays[i] = CellArray(CellArray::allocator_type(pools));
    }
    for (std::size_t i = 1; i < arrays.size(); i += 2)
        for (const NeonCell& c : arrays[i]) ASSERT_EQ(c.colour, COLORREF(i));
    std::vector<CellArray> again;
    for (std::size_t i = 0; i < freed.size(); ++i)
        again.emplace_back(100, NeonCell{}, CellArray::allocator_type(pools));
    EXPECT_EQ(CellPoolsMappedBytes(), held);
    std::vector<const NeonCell*> reused;
    for (const CellArray& a : again) reused.push_back(a.data());
    std::sort(freed.begin(), freed.end());
    std::sort(reused.begin(), reused.end());
    EXPECT_EQ(reused, freed);
    // Backwards, then the rest: nothing stays mapped beyond the kept empty slabs.
    while (!arrays.empty()) arrays.pop_back();
    again.clear();
    EXPECT_LE(CellPoolsMappedBytes(), before + (std::size_t(8) << 20));
}

// A size's first slab has only its first 256 KB, on ordinary pages: one small array
// costs that much, not a cleared huge page. The size's next slab is a whole huge
// page.
TEST(CellMemory, ASizesFirstSlabIsSmall) {
    if (CellPoolsMappedBytes() != 0) GTEST_SKIP() << "the pools were used before this test";
    std::pmr::memory_resource* pools = CellPools();
    constexpr std::size_t kCells = 777;  // 21,756 bytes: blocks of 22,528
    constexpr std::size_t kFirstSlab = 256 << 10;
    constexpr std::size_t kInFirst = kFirstSlab / 22528;  // 11
    std::vector<CellArray> arrays;
    arrays.emplace_back(kCells, NeonCell{}, CellArray::allocator_type(pools));
    for (NeonCell& c : arrays.back()) c.colour = 0x123456;
    EXPECT_EQ(CellPoolsMappedBytes(), kFirstSlab);
    // Nothing of the huge page the slab starts is mapped beyond the slab.
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    const auto base =
        reinterpret_cast<std::uintptr_t>(arrays[0].data()) & ~((std::size_t(2) << 20) - 1);
    std::vector<unsigned char> resident(kFirstSlab / page);
    EXPECT_EQ(mincore(reinterpret_cast<void*>(base), kFirstSlab, resident.data()), 0);
    EXPECT_NE(mincore(reinterpret_cast<void*>(base + kFirstSlab), page, resident.data()), 0);

    while (arrays.size() < kInFirst)
        arrays.emplace_back(kCells, NeonCell{}, CellArray::allocator_type(pools));
    EXPECT_EQ(CellPoolsMappedBytes(), kFirstSlab);
    arrays.emplace_back(kCells, NeonCell{}, CellArray::allocator_type(pools));
    EXPECT_EQ(CellPoolsMappedBytes(), kFirstSlab + (std::size_t(2) << 20));
    EXPECT_NE(
        reinterpret_cast<std::uintptr_t>(arrays.back().data()) & ~((std::size_t(2) << 20) - 1),
        base);
    for (std::size_t i = 0; i < kCells; ++i) ASSERT_EQ(arrays[0][i].colour, 0x123456u);
    // Both empty slabs are kept and taken again before anything new is mapped.
    arrays.clear();
    EXPECT_EQ(CellPoolsMappedBytes(), kFirstSlab + (std::size_t(2) << 20));
    for (std::size_t i = 0; i < kInFirst + 1; ++i)
        arrays.emplace_back(kCells, NeonCell{}, CellArray::allocator_type(pools));
    EXPECT_EQ(CellPoolsMappedBytes(), kFirstSlab + (std::size_t(2) << 20));
}
