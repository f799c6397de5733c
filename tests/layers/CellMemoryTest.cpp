#include <gtest/gtest.h>

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
