#pragma once
// The background: one photograph (of the wall or shop front the sign will hang on)
// shared by every frame, drawn first and stretched over the whole view.

#include <QDataStream>
#include <QImage>

#include <cstdint>

#include "gdi/Geometry.h"

class QPainter;

namespace zv {

// The four values that open the background block of a scheme file.
struct BackgroundRecordHeader {
    std::int32_t type = 6;
    std::int32_t hasBitmap = 0;
    std::int32_t bkHeight = 0;
    std::int32_t bkWidth = 0;

    bool Read(QDataStream& in);
};

class CNeonBkg {
public:
    CNeonBkg();
    virtual ~CNeonBkg();
    // Movable and copyable, so that a scheme can be read into a fresh background and
    // only a complete file replaces the user's.
    CNeonBkg(const CNeonBkg&) = default;
    CNeonBkg& operator=(const CNeonBkg&) = default;
    CNeonBkg(CNeonBkg&&) = default;
    CNeonBkg& operator=(CNeonBkg&&) = default;

    // Shows `image` from now on (a null image, from a file that did not load, shows
    // nothing).
    void SetBitmap(const QImage& image);
    // Stops showing and storing the background; the bitmap itself is kept.
    void Clear();

    // The bitmap stretched over `target` (the frame's drawing rectangle).
    void Draw(QPainter& p, const Rect& target) const;

    // The block: the header, then the bitmap as a BMP file image when there is one to
    // show. A background set to nothing is stored as no background.
    bool Save(QDataStream& out) const;
    // Reads the image after the caller has read the header and set hasBitmap,
    // bkHeight and bkWidth (TakeHeader). False when the image runs past the stream
    // or does not convert; the background is then left as it was.
    bool Load(QDataStream& in);
    void TakeHeader(const BackgroundRecordHeader& h);

    std::int32_t hasBitmap = 0;
    QImage bitmap;  // Format_RGB32
    std::int32_t bkWidth = 0;
    std::int32_t bkHeight = 0;

private:
    // The bitmap at the size it was last drawn at: the view's size rarely changes.
    struct StretchedCache {
        qint64 bitmapKey = 0;
        QSize size;
        QImage image;  // null until drawn a second time at `size`
    };
    mutable StretchedCache cache;
};

}  // namespace zv
