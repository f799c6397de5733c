// Any bytes as a frame's shape stream.
#include <cstddef>
#include <cstdint>

#include "FuzzApp.h"
#include "layers/NeonGraph.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnsureFuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::CNeonGraph graph;
    if (graph.LoadStream(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        (void)graph.StoreStream();
    return 0;
}
