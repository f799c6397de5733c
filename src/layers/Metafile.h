#pragma once
// Windows metafiles drawn into bitmaps: a placeable WMF by our own player over
// QPainter (the record layouts come from libUEMF), an EMF through libemf2svg and
// QtSvg. Both come out at the size asked for, over black. Both read untrusted files:
// an EMF is walked with libUEMF's record checks before libemf2svg sees it, and the
// WMF player stops when its drawing work passes a bound.

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <cstdint>

#include "layers/PictureFailure.h"

namespace zv {

// The picture's extent in hundredths of a millimetre, as the picture service gives
// it.
struct MetafileExtent {
    std::int32_t himetricWidth = 0;
    std::int32_t himetricHeight = 0;
};

// A drawn metafile, or why there is none.
struct MetafileImage {
    QImage image;
    PictureFailure failure = PictureFailure::None;
    QString message;
};

// Pixels the WMF player may touch over all records of one picture, about 60
// pictures of 4096 x 4096 or a second of drawing.
constexpr std::int64_t kWmfWorkBudget = 1'000'000'000;

bool IsPlaceableWmf(QByteArrayView data);
bool IsEmf(QByteArrayView data);

// The extent of the placeable header's bounding box; false for a damaged header.
bool ReadWmfExtent(QByteArrayView data, MetafileExtent& extent);
// The extent of the EMF header's frame; false for a damaged header.
bool ReadEmfExtent(QByteArrayView data, MetafileExtent& extent);

// Walks every record of an EMF with libUEMF's size and safety checks, up to its end
// record. The length up to and including the end record, or 0 with the reason in
// `why` when a record fails or there is no end record.
qsizetype CheckEmfRecords(QByteArrayView data, QString* why = nullptr);

// The metafile drawn into a width x height bitmap.
MetafileImage RenderWmf(QByteArrayView data, int width, int height,
                        std::int64_t workBudget = kWmfWorkBudget);
MetafileImage RenderEmf(QByteArrayView data, int width, int height);

}  // namespace zv
