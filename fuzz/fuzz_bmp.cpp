// Any bytes as a stored BMP file image, and as a DIB.
#include <QDataStream>

#include <cstddef>
#include <cstdint>

#include "FuzzApp.h"
#include "gdi/BinaryIO.h"
#include "gdi/BmpImage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnsureFuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QDataStream in(bytes);
    zv::UseFileByteOrder(in);
    QImage image;
    if (zv::ReadBmpImage(in, image)) (void)zv::EncodeBmpImage(image, 8);
    (void)zv::MakeBitmap(bytes);
    return 0;
}
