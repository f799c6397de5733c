#include "editor/TextFont.h"

#include <QFontMetrics>

namespace zv {

namespace {
constexpr std::int32_t kStoredHeight = 16;
constexpr std::int32_t kHeightPerSize = 5;
}  // namespace

TextFont::TextFont() {
    SetFace(QStringLiteral("Arial"), StoredDescription(QStringLiteral("Arial")));
}

void TextFont::SetFace(const QString& face, const LogFont& stored) {
    face_ = face;
    stored_ = stored;
}

void TextFont::Take(const LogFont& lf) {
    const QString face = lf.FaceName();
    if (face != face_) SetFace(face, StoredDescription(face));
    size_ = lf.lfHeight > 0 ? lf.lfHeight / kHeightPerSize : size_;
    bold_ = lf.lfWeight >= 700;
    italic_ = lf.lfItalic != 0;
    underline_ = lf.lfUnderline != 0;
}

LogFont TextFont::Description() const {
    LogFont d = stored_;
    const std::int64_t h = std::int64_t{size_} * kHeightPerSize;
    d.lfHeight = static_cast<std::int32_t>(h);
    d.lfWidth =
        stored_.lfHeight > 0
            ? static_cast<std::int32_t>(std::int64_t{stored_.lfWidth} * h / stored_.lfHeight)
            : 0;
    d.lfWeight = bold_ ? 700 : 400;
    d.lfItalic = italic_ ? 1 : 0;
    d.lfUnderline = underline_ ? 1 : 0;
    d.SetFaceName(face_);
    return d;
}

LogFont TextFont::StoredDescription(const QString& face) {
    LogFont lf;
    lf.lfHeight = kStoredHeight;
    lf.lfWeight = 400;
    lf.lfOutPrecision = 3;       // OUT_STROKE_PRECIS, as TrueType faces enumerate
    lf.lfClipPrecision = 2;      // CLIP_STROKE_PRECIS
    lf.lfQuality = 1;            // DRAFT_QUALITY
    lf.lfPitchAndFamily = 0x22;  // variable pitch, Swiss
    lf.SetFaceName(face);
    QFont f(DrawingFamily(face));
    f.setPixelSize(kStoredHeight);
    lf.lfWidth = QFontMetrics(f).averageCharWidth();
    return lf;
}

}  // namespace zv
