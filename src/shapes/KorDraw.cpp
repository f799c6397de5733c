#include "shapes/KorDraw.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

#include "gdi/WindowMessages.h"
#include "shapes/DrawText.h"

namespace zv {

namespace {

constexpr COLORREF kOriginMarkColour = 0x0000FF;  // red

// Where overlapping shapes meet, the first list in this order takes a select click.
constexpr ShapeKind kSelectOrder[] = {
    ShapeKind::PolyBezier, ShapeKind::DrawText,  ShapeKind::EllipseArc, ShapeKind::RoundRectangle,
    ShapeKind::RoundArc,   ShapeKind::LiEllipse, ShapeKind::Ellipse,    ShapeKind::Round,
    ShapeKind::Line,       ShapeKind::Curve,     ShapeKind::Rectangle,  ShapeKind::Polygon};

}  // namespace

CKorDraw::CKorDraw(ShapeHost& host)
    : style(std::make_unique<ShapeStyle>()), host_(host), emptyShape_(std::make_unique<CUnit>()) {
    currentShape = emptyShape_.get();
    ownLists_.viewer_ = this;
}

CKorDraw::~CKorDraw() {
    // Shapes of an attached container stay with their owner.
    if (lists_ != &ownLists_) lists_->viewer_ = nullptr;
    ownLists_.viewer_ = nullptr;
}

void CKorDraw::ForgetShape(const CUnit* shape) {
    if (currentShape == shape) currentShape = emptyShape_.get();
    if (editedText_ == shape) editedText_ = nullptr;
}

void CKorDraw::ListsChanging(ShapeLists* lists) {
    if (lists != lists_) return;
    currentShape = emptyShape_.get();
    editedText_ = nullptr;
}

void CKorDraw::ListsGone(ShapeLists* lists) {
    if (lists != lists_) return;
    ListsChanging(lists);
    lists_ = &ownLists_;
}

void CKorDraw::Attach(ShapeLists* lists) {
    ShapeLists* target = lists ? lists : &ownLists_;
    if (target == lists_) return;
    ListsChanging(lists_);
    if (lists_ != &ownLists_) lists_->viewer_ = nullptr;
    if (target != &ownLists_) {
        if (target->viewer_) target->viewer_->Attach(nullptr);
        target->viewer_ = this;
    }
    lists_ = target;
}

std::unique_ptr<GdiDc> CKorDraw::PrepareDc() {
    std::unique_ptr<GdiDc> dc = host_.GetClientDc();
    if (!dc) {
        // A window without a drawing surface still gets the tool's logic.
        static QImage nowhere(1, 1, QImage::Format_RGB32);
        dc = std::make_unique<GdiDc>(nowhere);
    }
    dc->SetViewportOrg(origin);
    dc->SetROP2(R2_XORPEN);
    return dc;
}

Point CKorDraw::Prologue(GdiDc& dc, Point device) {
    const Point p = dc.DPtoLP(device);
    dirty = {std::min(dirty.left, p.x), std::min(dirty.top, p.y), std::max(dirty.right, p.x),
             std::max(dirty.bottom, p.y)};
    dirtySeen = dirty;
    lastPoint = p;
    return p;
}

void CKorDraw::Post(int message) {
    QObject* target = host_.MessageTarget();
    if (!target) return;
    // Posted, not sent: the view handles it after this event is done. Qt owns the
    // event once it is posted.
    auto event = std::make_unique<QEvent>(MessageEventType(message));
    QCoreApplication::postEvent(target, event.release());
}

void CKorDraw::PostFrameChanged() {
    Post(UM_FRAME_CHANGED);
}
void CKorDraw::PostRedraw() {
    Post(UM_REDRAW);
}

void CKorDraw::InvalidateLogical(const Rect& r) {
    host_.InvalidateRect(
        {r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y});
}

void CKorDraw::BeginReshape(CUnit& shape, Point fixed, Point mouse) {
    hit = true;
    tool = shape.ToolNumber();
    state = 5;
    anchor = fixed;
    current = mouse;
}

void CKorDraw::BeginMove(CUnit& shape, Point from, Point to) {
    hit = true;
    tool = shape.ToolNumber();
    state = 2;
    anchor = from;
    current = to;
}

void CKorDraw::CopyStyleTo(CUnit& shape, std::int32_t rop) {
    shape.penStyle = style->penStyle;
    shape.penWidth = style->penWidth;
    shape.penColour = style->penColour;
    shape.brushColour = style->brushColour;
    shape.hatchStyle = style->hatchStyle;
    shape.brushStyle = style->brushStyle;
    shape.backColour = style->backColour;
    shape.backMode = style->backMode;
    shape.drawMode = rop;
}

void CKorDraw::FinishTextEdit() {
    CDrawText* text = std::exchange(editedText_, nullptr);
    if (!text) return;
    text->editing = false;
    if (text->text.isEmpty()) {
        // A box nobody typed into is not kept.
        InvalidateLogical(text->Box());
        DeleteShape(text);
        PostFrameChanged();
    }
}

bool CKorDraw::DeleteShape(CUnit* shape) {
    for (ShapeList& list : lists_->lists) {
        const auto it = std::find_if(list.begin(), list.end(),
                                     [shape](const auto& s) { return s.get() == shape; });
        if (it == list.end()) continue;
        ForgetShape(shape);
        list.erase(it);
        return true;
    }
    return false;
}

void CKorDraw::SelectTool(int n) {
    if (n < 10 || n > 21) return;
    if (state == 2 || state == 3 || state == 5) DeselectAll();
    FinishTextEdit();
    host_.ReleaseCapture();
    tool = n;
    state = 1;
    step = 0;
}

void CKorDraw::EnterSelectMode() {
    if (state == 2 || state == 3 || state == 5) DeselectAll();
    FinishTextEdit();
    host_.ReleaseCapture();
    tool = 0;
    state = 3;
    step = 0;
}

void CKorDraw::EnterIdle() {
    FinishTextEdit();
    host_.ReleaseCapture();
    tool = 0;
    state = 0;
    step = 0;
}

void CKorDraw::EndDrag(GdiDc& dc, Point /*p*/) {
    CUnit& s = *currentShape;
    if (state == 5 && (tool == 15 || tool == 14)) {
        s.DrawGuideLine(dc, s.centre.x, s.centre.y, s.grabPoint.x, s.grabPoint.y);
        s.DrawGuideLine(dc, s.centre.x, s.centre.y, current.x, current.y);
    }
    step = -1;
    toggled = false;
    state = 3;
    s.DrawHandles(dc);
    // The guide drawn last ends at the last mouse point the drag saw.
    s.DrawGuideLine(dc, s.grabPoint.x, s.grabPoint.y, current.x, current.y);
    s.DrawGrabMarker(dc, s.grabPoint.x, s.grabPoint.y);
    if (tool == 18) {
        s.DrawTracking(dc);
        s.Draw(dc);
    }
}

void CKorDraw::SelectWalk(GdiDc& dc, Point p) {
    for (ShapeKind kind : kSelectOrder) {
        // The list may not change during the walk: SelectAt only flags and draws.
        for (const auto& shape : lists_->List(kind)) {
            shape->SelectAt(dc, *this, p.x, p.y);
            if (hit || toggled) return;
        }
    }
}

void CKorDraw::OnLButtonDown(unsigned /*flags*/, Point device) {
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    const Point p = Prologue(*dc, device);
    bool changed = false;

    if (state == 1 && tool != 16 && tool != 20) {
        if ((tool == 19 && step == 3) || ((tool == 14 || tool == 18) && step == 2)) {
            currentShape->DrawTracking(*dc);
            currentShape->Draw(*dc);
            step = -1;
        } else if (tool != 21 && tool != 14 && tool != 18 && tool != 19 && step == 1) {
            step = -1;
        }
    }
    if (state == 3) {
        step = 0;
        tool = 0;
        FinishTextEdit();
    }
    if (state == 5 || state == 2) {
        EndDrag(*dc, p);
        changed = true;
    }
    if (step == -1 || tool == 0 || tool == 21 || state == 3) host_.ReleaseCapture();

    step += 1;
    hit = false;
    toggled = false;
    lastDown = p;
    hitHandle = -1;

    if (step == 1 && tool != 21 && state != 3) {
        anchor = current = p;
        dirty = {p.x, p.y, p.x, p.y};
        host_.SetCapture();
    }
    if (step == 1 && state == 3) SelectWalk(*dc, p);
    if (state == 1) {
        if (step == 1) {
            CreateShape(*dc, p);
            changed = true;
        } else {
            ConstructionClick(*dc, p);
            changed = changed || step == 0;
        }
    }
    if (hit) {
        // Taking a shape also gives it the current style.
        currentShape->startPoint = anchor;
        currentShape->endPoint = current;
        CopyStyleTo(*currentShape, dc->GetROP2());
        PostRedraw();
        currentShape->Draw(*dc);
        anchor = current = currentShape->grabPoint;
        if (state == 5 && tool == 21) currentShape->SelectAt(*dc, *this, p.x, p.y);
        host_.SetCapture();
    }
    if (changed) PostFrameChanged();
}

void CKorDraw::OnMouseMove(unsigned /*flags*/, Point device) {
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    const Point p = Prologue(*dc, device);
    CUnit& s = *currentShape;
    if ((state == 1 || state == 5) && step != 0) {
        if (state == 5) s.DrawGuideLine(*dc, s.grabPoint.x, s.grabPoint.y, current.x, current.y);
        s.DragTo(*dc, *this, p.x, p.y);
        if (state == 5) {
            current = p;
            s.DrawGuideLine(*dc, s.grabPoint.x, s.grabPoint.y, p.x, p.y);
        }
    } else if (state == 2) {
        s.DrawGuideLine(*dc, s.grabPoint.x, s.grabPoint.y, current.x, current.y);
        dc->SetROP2(R2_XORPEN);
        s.drawMode = R2_XORPEN;
        // The elliptic arc redraws itself around its move.
        if (tool != 19) s.DrawTracking(*dc);
        anchor = current;
        current = p;
        s.DragTo(*dc, *this, p.x, p.y);
        dc->SetROP2(R2_XORPEN);
        s.drawMode = R2_XORPEN;
        if (tool != 19) s.DrawTracking(*dc);
        s.DrawGuideLine(*dc, s.grabPoint.x, s.grabPoint.y, p.x, p.y);
    }
}

void CKorDraw::OnLButtonUp(unsigned /*flags*/, Point device) {
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    Prologue(*dc, device);
    if (hit) host_.SetCapture();
}

void CKorDraw::OnLButtonDblClk(unsigned /*flags*/, Point device) {
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    const Point p = Prologue(*dc, device);
    if (state == 1 && step != 0 && tool == 16) {
        currentShape->ClosePolygon(*dc, p);
        step = 0;
        host_.ReleaseCapture();
        PostFrameChanged();
    } else if (state == 1 && step != 0 && tool == 20) {
        currentShape->FinishCurve(*dc, *this);
        step = 0;
        host_.ReleaseCapture();
        PostFrameChanged();
    } else if (state != 1) {
        DeselectAll();
    }
}

bool CKorDraw::OnChar(QChar ch) {
    if (!editedText_) return false;
    if (ch == QChar('\r') || ch == QChar('\n') || ch == QChar(0x1B)) {
        FinishTextEdit();
        return true;
    }
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    const Rect before = editedText_->Box();
    if (editedText_->EditKey(*dc, ch)) {
        InvalidateLogical(before);
        InvalidateLogical(editedText_->Box());
        PostFrameChanged();
    }
    return true;
}

void CKorDraw::DeselectAll() {
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    for (ShapeList& list : lists_->lists) {
        for (const auto& shape : list) {
            if (!shape->selected) continue;
            shape->DrawHandles(*dc);
            shape->selected = false;
        }
    }
}

void CKorDraw::DeleteSelection() {
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    bool any = false;
    for (ShapeList& list : lists_->lists) {
        for (std::size_t i = 0; i < list.size();) {
            CUnit* shape = list[i].get();
            if (!shape->selected) {
                ++i;
                continue;
            }
            shape->DrawHandles(*dc);
            if (const auto* text = dynamic_cast<const CDrawText*>(shape)) {
                // Text is not drawn in XOR; the view repaints its box instead.
                InvalidateLogical(text->Box());
            } else {
                shape->Draw(*dc);
            }
            ForgetShape(shape);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            any = true;
        }
    }
    if (any) PostFrameChanged();
}

void CKorDraw::RotateSelection(int x, int y, int angle) {
    const std::unique_ptr<GdiDc> dc = PrepareDc();
    const Point c = Prologue(*dc, {x, y});
    for (ShapeList& list : lists_->lists) {
        for (const auto& shape : list) {
            if (shape->selected) shape->RotateAbout(c.x, c.y, angle);
        }
    }
    PostRedraw();
}

void CKorDraw::ApplyStyleToSelection() {
    for (ShapeList& list : lists_->lists) {
        for (const auto& shape : list) {
            if (!shape->selected) continue;
            shape->penStyle = style->penStyle;
            shape->brushStyle = style->brushStyle;
            shape->hatchStyle = style->hatchStyle;
            shape->brushColour = style->brushColour;
            shape->penColour = style->penColour;
            shape->backColour = style->backColour;
            shape->penWidth = style->penWidth;
        }
    }
    PostRedraw();
}

void CKorDraw::DrawAll(GdiDc& dc) {
    // The shape being dragged stays the tool's current shape: a repaint in the middle
    // of a drag must not hand the drag to another shape.
    lists_->DrawAll(dc);
}

void CKorDraw::DrawAllAt(GdiDc& dc, int x, int y) {
    dc.SetViewportOrg(origin);
    DrawAll(dc);
    const ScrollSize size = host_.GetScrollSize();
    const GdiDc::State saved = dc.SaveState();
    dc.SetROP2(R2_XORPEN);
    dc.SelectPen({PS_SOLID, 1, kOriginMarkColour});
    dc.MoveTo({origin.x + 2, 0});
    dc.LineTo({origin.x + size.cx - 2, 0});
    dc.MoveTo({0, origin.y + 2});
    dc.LineTo({0, origin.y + size.cy - 2});
    dc.RestoreState(saved);
    dc.SetViewportOrg({x, y});
}

void CKorDraw::ClearAll() {
    currentShape = emptyShape_.get();
    editedText_ = nullptr;
    lists_->DeleteAll();
}

void CKorDraw::ForgetAll() {
    if (lists_ == &ownLists_) {
        // Nobody else holds the tool's own shapes: emptying its lists ends them.
        ClearAll();
        return;
    }
    Attach(nullptr);
}

}  // namespace zv
