#pragma once
// Windows metafiles drawn into bitmaps: a placeable WMF by our own player over
// QPainter (the record layouts come from libUEMF), an EMF through libemf2svg and
// QtSvg. Both come out at the picture's own extent, over black.

#include <QByteArrayView>
#include <QImage>

#include <cstdint>

namespace zv {

// The picture's extent in hundredths of a millimetre, as the picture service gives
// it.
struct MetafileExtent {
    std::int32_t himetricWidth = 0;
    std::int32_t himetricHeight = 0;
};

bool IsPlaceableWmf(QByteArrayView data);
bool IsEmf(QByteArrayView data);

// The extent of the placeable header's bounding box; false for a damaged header.
bool ReadWmfExtent(QByteArrayView data, MetafileExtent& extent);
// The extent of the EMF header's frame; false for a damaged header.
bool ReadEmfExtent(QByteArrayView data, MetafileExtent& extent);

// The metafile drawn into a width x height bitmap; null when it cannot be read.
QImage RenderWmf(QByteArrayView data, int width, int height);
QImage RenderEmf(QByteArrayView data, int width, int height);

}  // namespace zv
