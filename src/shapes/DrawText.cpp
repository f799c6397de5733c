#include "shapes/DrawText.h"

#include "gdi/GbkText.h"
#include "shapes/Archive.h"
#include "shapes/KorDraw.h"

namespace zv {

namespace {
// Pixel height of a new text's characters.
constexpr std::int32_t kDefaultTextHeight = 16;
}  // namespace

const ShapeClass& CDrawText::Class() {
    static const ShapeClass c{"CDrawText", 1, &MakeOf<CDrawText>};
    return c;
}

CDrawText::CDrawText() {
    font.lfHeight = -kDefaultTextHeight;
    font.lfWeight = 400;
    font.SetFaceName(QStringLiteral("Arial"));
}

CDrawText::CDrawText(CKorDraw& tool) : CDrawText() {
    editing = true;
    tool.BeginTextEdit(this);
}

void CDrawText::Serialize(CArchive& ar) {
    SerializeHead(ar);
    ar.IoLength(height);
    ar.IoLength(width);
    ar.Io(position);
    QByteArray bytes = ar.IsStoring() ? EncodeGbk(text) : QByteArray();
    ar.IoString(bytes);
    ar.Io(font.lfCharSet);
    ar.Io(font.lfClipPrecision);
    ar.Io(font.lfEscapement);
    ar.Io(font.lfHeight);
    ar.Io(font.lfItalic);
    ar.Io(font.lfOrientation);
    ar.Io(font.lfOutPrecision);
    ar.Io(font.lfPitchAndFamily);
    ar.Io(font.lfQuality);
    ar.Io(font.lfWidth);
    ar.Io(font.lfWeight);
    ar.Io(font.lfUnderline);
    ar.Io(font.lfStrikeOut);
    QByteArray face = ar.IsStoring() ? QByteArray(font.lfFaceName.data()) : QByteArray();
    ar.IoString(face);
    if (ar.IsLoading()) {
        text = DecodeGbk(bytes);
        font.SetFaceName(DecodeGbk(face));
        loaded = 1;
        editing = false;
    }
}

void CDrawText::Paint(GdiDc& dc) {
    const QFont previous = dc.SelectFont(MakeFont(font));
    const COLORREF previousColour = dc.SetTextColor(penColour);
    dc.TextOut(position, text);
    dc.SetTextColor(previousColour);
    dc.SelectFont(previous);
}

void CDrawText::UpdateExtent(GdiDc& dc) {
    const QFont previous = dc.SelectFont(MakeFont(font));
    const TextSize size = dc.GetTextExtent(text);
    dc.SelectFont(previous);
    width = size.cx;
    height = size.cy;
}

void CDrawText::SelectAt(GdiDc& dc, CKorDraw& tool, int x, int y) {
    if (tool.state == 1) {
        if (tool.step == 1) {
            position = {x, y};
            editing = true;
            tool.BeginTextEdit(this);
            UpdateExtent(dc);
        } else if (HitTest(x, y)) {
            tool.step = 1;  // still typing into this box
        } else {
            tool.step = -1;  // a click elsewhere ends this text
        }
        return;
    }
    if (tool.state == 5) {
        editing = true;
        tool.BeginTextEdit(this);
        return;
    }
    CUnit::SelectAt(dc, tool, x, y);
}

int CDrawText::HitHandle(int x, int y) {
    if (!HitTest(x, y)) return 0;
    grabPoint = position;
    return 1;
}

void CDrawText::GrabHandle(CKorDraw& tool, int /*handle*/, Point /*mouse*/) {
    tool.BeginReshape(*this, startPoint, endPoint);
}

void CDrawText::DrawHandles(GdiDc& dc) {
    const GdiDc::State saved = dc.SaveState();
    dc.SetROP2(R2_XORPEN);
    dc.SelectPen({PS_SOLID, 1, 0xFF0000});
    dc.SelectBrush({BS_HOLLOW, 0, HS_HORIZONTAL});
    const Rect box = Box();
    dc.Rectangle({box.left - 1, box.top - 1, box.right + 1, box.bottom + 1});
    dc.RestoreState(saved);
}

void CDrawText::DragTo(GdiDc& /*dc*/, CKorDraw& tool, int x, int y) {
    if (tool.state != 2 && tool.state != 5) return;
    // Text is not drawn in XOR: the old and the new box are repainted by the view.
    tool.InvalidateLogical(Box());
    if (tool.state == 5) {
        position = Offset(position, x - tool.current.x, y - tool.current.y);
        tool.current = {x, y};
    } else {
        position = Offset(position, tool.current.x - tool.anchor.x, tool.current.y - tool.anchor.y);
    }
    tool.InvalidateLogical(Box());
}

void CDrawText::RotateAbout(int cx, int cy, int angle) {
    CUnit::RotateAbout(cx, cy, angle);
    RotatePoint(cx, cy, angle, position);
}

bool CDrawText::EditKey(GdiDc& dc, QChar ch) {
    if (ch == QChar(0x08)) {
        if (text.isEmpty()) return false;
        const bool pair = text.size() >= 2 && text.back().isLowSurrogate() &&
                          text[text.size() - 2].isHighSurrogate();
        text.chop(pair ? 2 : 1);
    } else if (ch.isPrint()) {
        text.append(ch);
    } else {
        return false;
    }
    UpdateExtent(dc);
    return true;
}

}  // namespace zv
