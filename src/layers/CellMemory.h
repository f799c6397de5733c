#pragma once
// Where lamp cells live. A large sign holds hundreds of megabytes of cells in
// thousands of small arrays; handing every 4 KB page of them to the process one fault
// at a time is most of what loading such a scheme costs. Cell arrays therefore come
// from slabs of huge-page backed memory, each cut into blocks of one size; a slab
// whose last array is freed goes back to the system (a few are kept for reuse), so
// the memory follows the schemes that are open. Builds with AddressSanitizer use the
// ordinary heap, so that every array keeps its own bounds checks.

#include <cstddef>
#include <memory_resource>
#include <vector>

#include "layers/NeonCell.h"

namespace zv {

std::pmr::memory_resource* CellMemory();
// The huge-page pools themselves, whatever the build uses for cells.
std::pmr::memory_resource* CellPools();
// Bytes the pools hold mapped from the system, empty slabs kept for reuse included.
std::size_t CellPoolsMappedBytes();

using CellArray = std::pmr::vector<NeonCell>;

}  // namespace zv
