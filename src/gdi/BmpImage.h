#pragma once
// The BMP file image: how pictures and the background are stored inside a scheme
// file, and how a stored image becomes a bitmap again.
//
// In memory every bitmap is a QImage in Format_RGB32. Stored images are written by
// our own writer because their bytes are fixed (file header, 40-byte information
// header, colour table, bottom-up rows padded to 4 bytes); reading one may meet any
// depth a file can hold, and Qt's BMP decoder does the pixel work after we have
// checked every header field against the bytes present.

#include <QByteArray>
#include <QByteArrayView>
#include <QDataStream>
#include <QImage>

namespace zv {

// Pictures larger than this on either side are refused wherever they come from.
constexpr int kMaxBitmapSide = 16384;

// Any image in the working format: Format_RGB32. Pixels with transparency are laid
// over black first, so that what was see-through stays see-through in a picture
// (black is a picture's transparent colour). A null image stays null.
QImage ToBitmapFormat(QImage image);

// The depth a bitmap is stored at: planes x bits per pixel rounded up to 1, 4, 8,
// 16, 24 or 32 (anything above 24 is 32).
int BmpDepthFor(int planesTimesBits);

enum class BmpHeaderStyle {
    // Pictures and the background in a scheme file: image size filled in, colours
    // used 2^n below 24 bits (so a 16-bit image carries 65536 zero entries), none at
    // 24 and 32 bits.
    Stored,
    // A picture exported on its own: image size and colours used left 0, a colour
    // table only at 8 bits or fewer.
    Export,
};

// The complete file image of `image` at `bitCount` (1, 4, 8, 16, 24 or 32; other
// values are rounded with BmpDepthFor). Images with more colours than the depth can
// hold are reduced to a palette first. Empty for a null image.
QByteArray EncodeBmpImage(const QImage& image, int bitCount,
                          BmpHeaderStyle style = BmpHeaderStyle::Stored);

// Writes `image` as a stored file image at the depth of its own pixels (a working
// bitmap is 32 bits). False, with nothing written, for a null image.
bool WriteBmpImage(QDataStream& s, const QImage& image);

// The DIB conversion: a file image without its 14-byte file header (information
// header, colour table, pixels) to a working bitmap. The colour table has 2^bits
// entries at 8 bits or fewer unless colours-used says otherwise, and the pixels
// follow the table directly. Null when any field disagrees with the bytes given or
// the picture is absurdly large.
QImage MakeBitmap(QByteArrayView dib);

// Reads a stored file image: the 14-byte file header, then file size - 14 bytes,
// and converts it. False when the file size runs past the stream or the image does
// not convert; `out` is then null.
bool ReadBmpImage(QDataStream& s, QImage& out);

}  // namespace zv
