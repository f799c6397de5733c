#pragma once
// Why a picture could not be imported. The decoder helper sends the number across
// its pipe, so the values are fixed.

#include <cstdint>

namespace zv {

enum class PictureFailure : std::int32_t {
    None = 0,
    Unsupported = 1,  // not one of the file types pictures are imported from
    CannotOpen = 2,   // the file cannot be opened or read
    NotAPicture = 3,  // the data is no picture of a type we read
    Damaged = 4,      // a metafile whose header or records fail their checks
    TooLarge = 5,     // beyond the side or allocation limit of pictures
    NoMemory = 6,     // the memory for the picture could not be had
    WorkLimit = 7,    // a metafile that draws more than its work bound
    CpuLimit = 8,     // the decoder used up its processor time
    MemoryLimit = 9,  // the decoder used up its memory
    TimeLimit = 10,   // the decoder did not finish in time
    Crashed = 11,     // the decoder died or answered nonsense
    NoDecoder = 12,   // the decoder could not be started
    Cancelled = 13,   // the user stopped the import
};

constexpr bool IsKnownFailure(std::int32_t v) {
    return v >= 0 && v <= static_cast<std::int32_t>(PictureFailure::Cancelled);
}

}  // namespace zv
