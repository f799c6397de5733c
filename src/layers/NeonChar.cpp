#include "layers/NeonChar.h"

#include <QFontMetricsF>
#include <QPainter>

#include <array>
#include <memory>

#include "gdi/BinaryIO.h"
#include "gdi/GbkText.h"
#include "gdi/GdiPaint.h"
#include "layers/Ring.h"

namespace zv {

bool TextRecordHeader::Read(QDataStream& in) {
    std::array<std::int32_t, 6> v{};
    if (!ReadInt32s(in, v)) return false;
    type = v[0];
    kind = v[1];
    x = v[2];
    y = v[3];
    textColour = v[4];
    bodySize = v[5];
    return true;
}

CNeonChar::CNeonChar() {
    Ring<CNeonChar>::LinkSelf(this);
    MakeFontFromLogFont();
}

CNeonChar::~CNeonChar() = default;

CNeonChar* CNeonChar::AppendText() {
    return Ring<CNeonChar>::Append(this, std::make_unique<CNeonChar>());
}

void CNeonChar::MakeFontFromLogFont() {
    // Every text starts with the default font, and so does the text ring of every
    // frame: it is made and measured once, which was most of what an empty frame cost
    // to make (a scheme of a thousand frames made it a thousand times).
    static const LogFont kDefault;
    if (logFont == kDefault) {
        static const QFont defaultFont = MakeFont(kDefault);
        static const qreal defaultAscent = QFontMetricsF(defaultFont).ascent();
        font = defaultFont;
        ascent = defaultAscent;
        return;
    }
    font = MakeFont(logFont);
    ascent = QFontMetricsF(font).ascent();
}

void CNeonChar::SetLogFont(const LogFont& lf) {
    logFont = lf;
    MakeFontFromLogFont();
}

void CNeonChar::SetTextBytes(const QByteArray& bytes) {
    text = bytes;
    shownText = DecodeGbk(text);
}

void CNeonChar::SetText(const QString& s) {
    SetTextBytes(EncodeGbk(s));
}

void CNeonChar::TakeHeader(const TextRecordHeader& h) {
    x = h.x;
    y = h.y;
    textColour = static_cast<COLORREF>(h.textColour);
}

void CNeonChar::Draw(QPainter& p, const Rect& clip) const {
    if (shownText.isEmpty() || clip.IsEmpty()) return;
    p.save();
    p.setClipRect(ToQRect(clip), Qt::IntersectClip);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(font);
    p.setPen(ToQColor(textColour));
    p.setBackgroundMode(Qt::TransparentMode);
    p.translate(x, y);
    // The baseline turns about the text's reference point, anticlockwise on screen.
    if (logFont.lfEscapement != 0) p.rotate(-logFont.lfEscapement / 10.0);
    p.drawText(QPointF(0, ascent), shownText);
    p.restore();
}

void CNeonChar::CopyTo(CNeonChar& other) const {
    other.text = text;
    other.shownText = shownText;
    other.textColour = textColour;
    other.logFont = logFont;
    other.font = font;
    other.ascent = ascent;
    other.x = x;
    other.y = y;
    Ring<CNeonChar>::LinkSelf(&other);
}

std::unique_ptr<CNeonChar> CNeonChar::Clone() const {
    auto c = std::make_unique<CNeonChar>();
    CopyTo(*c);
    return c;
}

void CNeonChar::Save(QDataStream& out, bool body) const {
    const std::int32_t header[6] = {4,
                                    body ? 4 : 0,
                                    x,
                                    y,
                                    static_cast<std::int32_t>(textColour),
                                    static_cast<std::int32_t>(text.size() + LogFont::kSize)};
    WriteInt32s(out, header);
    if (!body) return;
    const QByteArray lf = logFont.ToBytes();
    WriteRaw(out, lf.constData(), lf.size());
    WriteRaw(out, text.constData(), text.size());
}

bool CNeonChar::Load(QDataStream& in, std::int32_t bodySize) {
    if (bodySize < LogFont::kSize || !CanRead(in, bodySize)) return false;
    QByteArray lf, bytes;
    if (!ReadRaw(in, LogFont::kSize, lf)) return false;
    if (!ReadRaw(in, bodySize - LogFont::kSize, bytes)) return false;
    SetLogFont(LogFont::FromBytes(lf));
    SetTextBytes(bytes);
    return true;
}

}  // namespace zv
