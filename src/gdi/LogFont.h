#pragma once
// The Windows LOGFONTA record: the 60-byte font description stored with every text
// item, and the QFont it stands for.

#include <QByteArray>
#include <QByteArrayView>
#include <QFont>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace zv {

struct LogFont {
    static constexpr int kSize = 60;

    std::int32_t lfHeight = 0;       // < 0: character height, > 0: cell height, in pixels
    std::int32_t lfWidth = 0;        // average character width; 0 for the face's own
    std::int32_t lfEscapement = 0;   // baseline angle, tenths of a degree anticlockwise
    std::int32_t lfOrientation = 0;  // glyph angle; GDI follows lfEscapement here
    std::int32_t lfWeight = 0;       // 0 default, 100..900
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::array<char, 32> lfFaceName{};  // GBK bytes, zero terminated

    // The record's 60 bytes, little-endian, in field order.
    QByteArray ToBytes() const;
    // Reads the first 60 bytes; a shorter input gives a default record.
    static LogFont FromBytes(QByteArrayView bytes);

    QString FaceName() const;
    // Stores the name in GBK, cut so that the terminating zero still fits and no
    // double-byte character is split.
    void SetFaceName(const QString& name);

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// The font the record describes, for drawing in view pixels. A Windows face that is
// not installed is drawn with its metric-compatible or CJK substitute; the record
// keeps the name it stores.
QFont MakeFont(const LogFont& lf);

// The family that draws `face` here: the face itself when it is installed, else the
// first installed substitute of a Windows face, else the face as given (the font
// matcher then picks).
QString DrawingFamily(const QString& face);
// The Windows faces that files name and that draw with an installed substitute.
QStringList SubstitutedWindowsFaces();

}  // namespace zv
