#include "gdi/LogFont.h"

#include <QFontDatabase>
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

// Faces of Windows that schemes name, and faces here that take their place: the
// metric-compatible ones first, so that text keeps its width.
struct FaceSubstitutes {
    const char* windowsFace;
    std::array<const char*, 3> substitutes;
};
constexpr FaceSubstitutes kFaceSubstitutes[] = {
    {"Arial", {"Liberation Sans", "Arimo", "Nimbus Sans"}},
    {"Times New Roman", {"Liberation Serif", "Tinos", "Nimbus Roman"}},
    {"Courier New", {"Liberation Mono", "Cousine", "Nimbus Mono PS"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", nullptr}},
    {"Microsoft Sans Serif", {"Liberation Sans", "DejaVu Sans", nullptr}},
    {"Tahoma", {"DejaVu Sans", "Liberation Sans", nullptr}},
    {"Verdana", {"DejaVu Sans", "Liberation Sans", nullptr}},
    {"宋体", {"AR PL UMing CN", "WenQuanYi Micro Hei", nullptr}},
    {"新宋体", {"AR PL UMing CN", "WenQuanYi Micro Hei", nullptr}},
    {"SimSun", {"AR PL UMing CN", "WenQuanYi Micro Hei", nullptr}},
    {"NSimSun", {"AR PL UMing CN", "WenQuanYi Micro Hei", nullptr}},
    {"仿宋_GB2312", {"AR PL UMing CN", "WenQuanYi Micro Hei", nullptr}},
    {"仿宋", {"AR PL UMing CN", "WenQuanYi Micro Hei", nullptr}},
    {"楷体_GB2312", {"AR PL UKai CN", "AR PL UMing CN", "WenQuanYi Micro Hei"}},
    {"楷体", {"AR PL UKai CN", "AR PL UMing CN", "WenQuanYi Micro Hei"}},
    {"黑体", {"WenQuanYi Micro Hei", nullptr, nullptr}},
    {"SimHei", {"WenQuanYi Micro Hei", nullptr, nullptr}},
    {"微软雅黑", {"WenQuanYi Micro Hei", nullptr, nullptr}},
    {"Microsoft YaHei", {"WenQuanYi Micro Hei", nullptr, nullptr}},
};

const FaceSubstitutes* SubstitutesOf(const QString& face) {
    for (const FaceSubstitutes& f : kFaceSubstitutes)
        if (face.compare(QString::fromUtf8(f.windowsFace), Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

// The installed substitute of a Windows face, empty when the face itself is
// installed or none of its substitutes is. The installed families are asked each
// time: the list is short, and fonts can be added while the program runs.
QString InstalledSubstitute(const FaceSubstitutes& f) {
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(QString::fromUtf8(f.windowsFace), Qt::CaseInsensitive)) return {};
    for (const char* s : f.substitutes)
        if (s && installed.contains(QString::fromUtf8(s), Qt::CaseInsensitive))
            return QString::fromUtf8(s);
    return {};
}

}  // namespace

QString DrawingFamily(const QString& face) {
    const FaceSubstitutes* f = SubstitutesOf(face);
    if (!f) return face;
    const QString substitute = InstalledSubstitute(*f);
    return substitute.isEmpty() ? face : substitute;
}

QStringList SubstitutedWindowsFaces() {
    QStringList faces;
    for (const FaceSubstitutes& f : kFaceSubstitutes)
        if (!InstalledSubstitute(f).isEmpty()) faces << QString::fromUtf8(f.windowsFace);
    return faces;
}

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
    if (!face.isEmpty()) font.setFamily(DrawingFamily(face));
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
