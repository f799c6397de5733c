#include "gdi/LogFont.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gdi/GbkText.h"

namespace zv {

namespace {

void Put32(char* p, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t Get32(const char* p) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

// GDI's cell height with no height given, for a face at the usual 12-point size.
constexpr int kDefaultCellHeight = 16;

constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t NONANTIALIASED_QUALITY = 3;
constexpr std::uint8_t ANTIALIASED_QUALITY = 4;
constexpr std::uint8_t CLEARTYPE_QUALITY = 5;

QFont::StyleHint HintForFamily(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
        case 0x10:
            return QFont::Serif;  // FF_ROMAN
        case 0x20:
            return QFont::SansSerif;  // FF_SWISS
        case 0x30:
            return QFont::TypeWriter;  // FF_MODERN
        case 0x40:
            return QFont::Cursive;  // FF_SCRIPT
        case 0x50:
            return QFont::Fantasy;  // FF_DECORATIVE
        default:
            return QFont::AnyStyle;
    }
}

}  // namespace

QByteArray LogFont::ToBytes() const {
    QByteArray b(kSize, '\0');
    char* p = b.data();
    Put32(p, lfHeight);
    Put32(p + 4, lfWidth);
    Put32(p + 8, lfEscapement);
    Put32(p + 12, lfOrientation);
    Put32(p + 16, lfWeight);
    const std::uint8_t bytes[8] = {lfItalic,       lfUnderline,     lfStrikeOut, lfCharSet,
                                   lfOutPrecision, lfClipPrecision, lfQuality,   lfPitchAndFamily};
    std::memcpy(p + 20, bytes, sizeof bytes);
    std::memcpy(p + 28, lfFaceName.data(), lfFaceName.size());
    return b;
}

LogFont LogFont::FromBytes(QByteArrayView bytes) {
    LogFont lf;
    if (bytes.size() < kSize) return lf;
    const char* p = bytes.data();
    lf.lfHeight = Get32(p);
    lf.lfWidth = Get32(p + 4);
    lf.lfEscapement = Get32(p + 8);
    lf.lfOrientation = Get32(p + 12);
    lf.lfWeight = Get32(p + 16);
    std::uint8_t b[8];
    std::memcpy(b, p + 20, sizeof b);
    lf.lfItalic = b[0];
    lf.lfUnderline = b[1];
    lf.lfStrikeOut = b[2];
    lf.lfCharSet = b[3];
    lf.lfOutPrecision = b[4];
    lf.lfClipPrecision = b[5];
    lf.lfQuality = b[6];
    lf.lfPitchAndFamily = b[7];
    std::memcpy(lf.lfFaceName.data(), p + 28, lf.lfFaceName.size());
    return lf;
}

QString LogFont::FaceName() const {
    const auto end = std::find(lfFaceName.begin(), lfFaceName.end(), '\0');
    return DecodeGbk(QByteArrayView(lfFaceName.data(), end - lfFaceName.begin()));
}

void LogFont::SetFaceName(const QString& name) {
    lfFaceName.fill('\0');
    QByteArray bytes;
    // Shorten by whole characters so a double-byte character is never cut in half.
    for (QString n = name; !n.isEmpty(); n.chop(1)) {
        bytes = EncodeGbk(n);
        if (bytes.size() < static_cast<qsizetype>(lfFaceName.size())) break;
        bytes.clear();
    }
    std::memcpy(lfFaceName.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
}

QFont MakeFont(const LogFont& lf) {
    QFont font;
    const QString face = lf.FaceName();
    if (!face.isEmpty()) font.setFamily(face);
    font.setStyleHint(HintForFamily(lf.lfPitchAndFamily));
    font.setFixedPitch((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH);
    font.setWeight(lf.lfWeight <= 0 ? QFont::Normal
                                    : static_cast<QFont::Weight>(std::clamp(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::NoAntialias);
    else if (lf.lfQuality == ANTIALIASED_QUALITY || lf.lfQuality == CLEARTYPE_QUALITY)
        font.setStyleStrategy(QFont::PreferAntialias);

    // A negative height is the character (em) height; a positive one is the cell
    // height, ascent plus descent, which Qt cannot ask for directly: scale the em by
    // what the face gives at a known size.
    constexpr int kProbe = 100;
    if (lf.lfHeight < 0) {
        font.setPixelSize(std::clamp(-static_cast<std::int64_t>(lf.lfHeight), std::int64_t{1},
                                     std::int64_t{4096}));
    } else {
        const int cell = lf.lfHeight == 0 ? kDefaultCellHeight : std::min(lf.lfHeight, 4096);
        font.setPixelSize(kProbe);
        const qreal probeCell = QFontMetricsF(font).height();
        const qreal em = probeCell > 0 ? cell * kProbe / probeCell : cell;
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
    }

    // A given average width stretches or squeezes the face's own.
    if (lf.lfWidth > 0) {
        const qreal natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0) {
            const double stretch = std::round(lf.lfWidth * 100.0 / natural);
            font.setStretch(static_cast<int>(std::clamp(stretch, 1.0, 4000.0)));
        }
    }
    return font;
}

}  // namespace zv
