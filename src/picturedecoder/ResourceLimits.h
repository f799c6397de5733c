#pragma once
// The limits the picture decoder helper puts on itself before it touches a file:
// processor time, resident memory and address space. Each limit that is reached
// ends the process at once with its own exit status (layers/PictureReply.h), so the
// importing program can say which limit a file ran into.

#include <cstdint>

namespace zv {

// After `seconds` of processor time the process exits with kDecoderExitCpu (the
// kernel kills it a second later should that fail).
void LimitCpuTime(int seconds);

// A watcher thread ends the process with kDecoderExitMemory once its resident
// memory passes `megabytes`. AddressSanitizer builds get 512 MB more: their
// resident memory includes shadow memory and up to 256 MB of freed blocks held in
// quarantine.
void WatchResidentMemory(int megabytes);

// Caps the address space at what the process maps now plus four times `megabytes`,
// so that one huge allocation fails at once instead of being touched page by page;
// a failed C++ allocation exits with kDecoderExitMemory. Not in AddressSanitizer
// builds, which reserve terabytes of address space for themselves.
void LimitAddressSpace(int megabytes);

}  // namespace zv
