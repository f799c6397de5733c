#pragma once
// CKorDraw: the drawing tool. It keeps the shapes of the edited frame in twelve
// lists, knows the current tool and style, and turns the mouse events that the view
// forwards into creation, selection, moving, reshaping, rotation and deletion of
// shapes. All its feedback (rubber bands, handles, guide lines, grab markers) is
// drawn in XOR straight onto the view's client area, so drawing it twice removes it.

#include <QChar>

#include <cstdint>
#include <memory>

#include "gdi/GdiDc.h"
#include "gdi/Geometry.h"
#include "shapes/ShapeHost.h"
#include "shapes/ShapeLists.h"
#include "shapes/ShapeStyle.h"

namespace zv {

class CUnit;
class CDrawText;

class CKorDraw {
public:
    explicit CKorDraw(ShapeHost& host);
    virtual ~CKorDraw();
    CKorDraw(const CKorDraw&) = delete;
    CKorDraw& operator=(const CKorDraw&) = delete;

    // The lists the tool shows and edits. A frame hands over its container with
    // Attach; null (and ForgetAll) falls back to the tool's own lists. A container
    // that is destroyed while attached detaches itself.
    void Attach(ShapeLists* lists);
    ShapeLists& Lists() { return *lists_; }
    bool IsAttachedTo(const ShapeLists* lists) const { return lists_ == lists; }
    // True while the tool shows its own lists (no container attached).
    bool ShowsOwnLists() const { return lists_ == &ownLists_; }

    // Commands.
    void SelectTool(int n);  // 10..21
    void EnterSelectMode();  // "选择&拖拽"
    void EnterIdle();        // "无操作状态"

    // Mouse events in device coordinates, as the view receives them.
    void OnLButtonDown(unsigned flags, Point device);
    void OnMouseMove(unsigned flags, Point device);
    void OnLButtonUp(unsigned flags, Point device);
    void OnLButtonDblClk(unsigned flags, Point device);
    // A typed character for the text being edited: printable characters are added,
    // backspace removes the last one, return or escape ends the editing. False when
    // no text is being edited.
    bool OnChar(QChar ch);

    void DeselectAll();
    void DeleteSelection();
    // (x, y) is a device point; every selected shape turns about it.
    void RotateSelection(int x, int y, int angle);
    void ApplyStyleToSelection();
    void DrawAll(GdiDc& dc);
    // Draws every shape at the tool's origin, then the origin mark, and leaves the
    // viewport origin at (x, y).
    void DrawAllAt(GdiDc& dc, int x, int y);
    // Deletes every shape of the lists shown.
    void ClearAll();
    // Stops showing the current lists (their owner keeps the shapes).
    void ForgetAll();

    // Used by the shapes while they take a click or a drag.
    void BeginReshape(CUnit& shape, Point fixed, Point mouse);
    void BeginMove(CUnit& shape, Point from, Point to);
    void InvalidateLogical(const Rect& logical);
    void PostFrameChanged();
    void PostRedraw();
    void BeginTextEdit(CDrawText* text) { editedText_ = text; }
    CDrawText* EditedText() const { return editedText_; }

    // Called by ShapeLists.
    void ListsGone(ShapeLists* lists);
    void ListsChanging(ShapeLists* lists);

    std::int32_t tool = 0;
    std::int32_t state = 0;  // 0 idle, 1 drawing, 2 moving, 3 select, 5 reshaping
    Point anchor;
    Point current;
    CUnit* currentShape = nullptr;
    std::unique_ptr<ShapeStyle> style;
    std::int32_t step = 0;
    bool toggled = false;
    bool hit = false;
    std::int32_t hitHandle = -1;
    Point lastDown;
    Rect dirty;
    Rect dirtySeen;
    Point lastPoint;
    Point origin{-1000, -1000};

private:
    std::unique_ptr<GdiDc> PrepareDc();
    // Common start of every mouse event: logical point, XOR, dirty box.
    Point Prologue(GdiDc& dc, Point device);
    void Post(int message);
    void CreateShape(GdiDc& dc, Point p);
    void ConstructionClick(GdiDc& dc, Point p);
    void EndConstructionClick(GdiDc& dc);
    void EndDrag(GdiDc& dc, Point p);
    void SelectWalk(GdiDc& dc, Point p);
    void CopyStyleTo(CUnit& shape, std::int32_t rop);
    void FinishTextEdit();
    void ForgetShape(const CUnit* shape);
    // Removes from the lists and deletes `shape`; false when it is not there.
    bool DeleteShape(CUnit* shape);

    ShapeHost& host_;
    ShapeLists ownLists_;
    ShapeLists* lists_ = &ownLists_;
    std::unique_ptr<CUnit> emptyShape_;
    CDrawText* editedText_ = nullptr;
};

}  // namespace zv
