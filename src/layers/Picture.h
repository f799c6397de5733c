#pragma once
// The picture loader: decodes a picture file of any type the program imports (BMP,
// DIB, GIF, JPG, ICO, EMF, WMF) into a bitmap in memory, and knows its size at the
// screen's 96 pixels per inch. Every failure leaves a message saying why, for the
// application to show under the caption "CPicture Error".
//
// This decodes in the calling process: the editor and the command-line tool import
// through PictureImport, which runs it in the decoder helper under limits.

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <cstdint>

#include "layers/PictureFailure.h"

namespace zv {

inline constexpr char kPictureErrorCaption[] = "CPicture Error";
inline constexpr char kNoMemoryMessage[] = "Can not allocate enough memory\t";
inline constexpr char kNoPictureInterfaceMessage[] = "IPicture interface is not supported\t";

// Metafiles are drawn at most this many pixels on their longer side (keeping their
// aspect ratio); the user can still zoom the picture.
constexpr int kMaxVectorSide = 4096;
// The memory a raster picture may take once decoded into the working format,
// checked before any pixel is decoded.
constexpr int kRasterAllocationLimitMb = 128;

// The size a metafile of `w` x `h` pixels is drawn at: itself, or scaled down to
// kMaxVectorSide on its longer side, never below one pixel.
QSize VectorDrawSize(int w, int h);

// Reads a BMP file from disk into a working bitmap; null when it does not load or is
// absurdly large. With `failure`, why it did not load.
QImage ReadBitmapFile(const QString& path, PictureFailure* failure = nullptr,
                      QString* message = nullptr);

// Windows MulDiv: a * b / c rounded to the nearest integer, halves away from zero;
// -1 when c is 0.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

class CPicture {
public:
    CPicture();
    virtual ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Reads the whole file and decodes it: 1 when a picture came out, else 0. A file
    // that cannot be opened or read leaves the system's text for the error in
    // Message(); any other failure says why.
    int OpenFile(const QString& path);
    // Makes the picture from the bytes: 1 when the bytes could be taken (whether a
    // picture came out is seen from HasPicture()), 0 when the memory for them could
    // not be had.
    int Decode(QByteArrayView bytes);
    // Writes the picture as a BMP file: 1 when the file was written.
    int WriteBitmapFile(const QString& path);
    // Drops the picture; the sizes become 0.
    void Release();

    bool HasPicture() const { return !picture.isNull(); }
    // The decoded picture in the working format (metafiles drawn at their own size
    // over black, the transparent colour of pictures).
    const QImage& Image() const { return picture; }
    // The text of the last failure to show the user, empty when there is none.
    const QString& Message() const { return message; }
    PictureFailure Failure() const { return failure; }

    std::int32_t pixelHeight = 0;
    std::int32_t dataSize = 0;
    std::int32_t pixelWidth = 0;

private:
    void Fail(PictureFailure why, const QString& text);

    QImage picture;
    QString message;
    PictureFailure failure = PictureFailure::None;
};

}  // namespace zv
