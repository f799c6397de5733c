#pragma once
// CDrawText: a line of text placed on the drawing, in its own font, in the pen
// colour over the background colour. A click with the text tool places an empty
// text box that takes what is typed; a selected text can be taken and moved, and
// typing then edits it.

#include <QString>

#include "gdi/LogFont.h"
#include "shapes/Unit.h"

namespace zv {

class CDrawText : public CUnit {
public:
    CDrawText();
    // A text made by the tool starts out being edited there.
    explicit CDrawText(CKorDraw& tool);
    static const ShapeClass& Class();
    const ShapeClass& GetRuntimeClass() const override { return Class(); }
    int ToolNumber() const override { return 21; }
    std::unique_ptr<CUnit> Clone() const override { return std::make_unique<CDrawText>(*this); }
    void Serialize(CArchive& ar) override;

    // Drawing tool: places the box (first click), keeps editing on a click inside it
    // and ends the editing on a click elsewhere; in select mode the common click, and
    // once grabbed the editing begins.
    void SelectAt(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    // The text box is the one handle.
    int HitHandle(int x, int y) override;
    bool HitTest(int x, int y) override { return Box().Contains(x, y); }
    // An XOR frame around the box.
    void DrawHandles(GdiDc& dc) override;
    // Dragging moves the box.
    void DragTo(GdiDc& dc, CKorDraw& tool, int x, int y) override;
    void RotateAbout(int cx, int cy, int angle) override;

    // A typed character: printable ones are added, backspace takes the last one off.
    // True when the text changed.
    bool EditKey(GdiDc& dc, QChar ch);
    // Width and height of the text in its font.
    void UpdateExtent(GdiDc& dc);
    Rect Box() const { return {position.x, position.y, position.x + width, position.y + height}; }

    QString text;
    std::int32_t loaded = 0;  // 1 once read from a record
    bool editing = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    Point position;
    LogFont font;

protected:
    void Paint(GdiDc& dc) override;
    void GrabHandle(CKorDraw& tool, int handle, Point mouse) override;
};

}  // namespace zv
