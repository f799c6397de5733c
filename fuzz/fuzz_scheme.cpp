// Any bytes as a scheme file: a load either succeeds or leaves the animation as it
// was, never crashes, leaks or reads out of bounds.
#include <QBuffer>

#include <cstddef>
#include <cstdint>

#include "FuzzApp.h"
#include "layers/NeonBkg.h"
#include "model/NeonAv.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnsureFuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    zv::CNeonAv av;
    av.CreateFirstFrame();
    zv::CNeonBkg background;
    if (av.LoadScheme(buffer, background)) {
        // A file that loads must also save.
        QByteArray out;
        QBuffer sink(&out);
        sink.open(QIODevice::WriteOnly);
        av.SaveScheme(sink, background);
    }
    return 0;
}
