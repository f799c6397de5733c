// Any bytes as a picture file of every type pictures are imported from, through the
// loader the decoder helper runs (raster readers, the EMF record check and
// libemf2svg, the WMF player), and as the helper's reply read by the importer.
#include <QBuffer>

#include <cstddef>
#include <cstdint>

#include "FuzzApp.h"
#include "layers/Picture.h"
#include "layers/PictureReply.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnsureFuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    zv::CPicture picture;
    picture.Decode(bytes);
    if (picture.HasPicture() != (picture.Failure() == zv::PictureFailure::None)) __builtin_trap();

    QBuffer reply(&bytes);
    reply.open(QIODevice::ReadOnly);
    zv::PictureReply reader;
    reader.ReadFrom(reply);
    return 0;
}
