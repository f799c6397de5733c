// What a mouse action in the view means, by edit layer and tool mode.

#include <QCoreApplication>
#include <QFontMetrics>
#include <QScopeGuard>

#include <algorithm>

#include "editor/Document.h"
#include "gdi/GdiDc.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"

namespace zv {

namespace {

constexpr COLORREF kRubberBandColour = 0x585858;

Rect Normalized(Point a, Point b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The name of the undo step a mouse edit on `layer` makes.
QString MouseStepName(int layer) {
    switch (layer) {
        case LayerText:
            return QCoreApplication::translate("zv::Document", "编辑文字");
        case LayerPicture:
            return QCoreApplication::translate("zv::Document", "编辑图片");
        case LayerGraphics:
            return QCoreApplication::translate("zv::Document", "编辑图形");
        default:
            return QCoreApplication::translate("zv::Document", "编辑区域");
    }
}

}  // namespace

void Document::OnLButtonDown(unsigned flags, Point p) {
    if (CanOperate(2)) return;
    // Press to release is one step, however far the mouse drags.
    mouseDown_ = true;
    if (editLayer == LayerGraphics) {
        if (drawTool_) drawTool_->OnLButtonDown(flags, p);
        ui_->ScreenChanged();
        if (simulateMouse) ui_->FocusPositionBar();
        return;
    }
    switch (toolMode) {
        case ToolMode::ArrowSelect:
            if (editLayer == LayerBackground) ArrowSelect(p);
            break;
        case ToolMode::ColourPick:
            ColourPick(p);
            break;
        case ToolMode::RegionSelect:
            BandPress(p);
            break;
        case ToolMode::RectRegionH:
        case ToolMode::RectRegionV:
        case ToolMode::PolyRegionH:
        case ToolMode::PolyRegionV:
            if (editLayer == LayerBackground) RegionToolClick(p);
            if (simulateMouse) ui_->FocusPositionBar();
            break;
        case ToolMode::Brush:
            if (editLayer == LayerBackground) PaintCell(p, false);
            break;
        case ToolMode::PaintBucket:
            if (editLayer == LayerBackground) PaintCell(p, true);
            break;
        case ToolMode::Picture:
            if (editLayer == LayerPicture) ImportPictureAt(p);
            break;
        case ToolMode::Text:
            if (editLayer == LayerText && textEntryFlag == 0) OpenNewText(p);
            break;
        case ToolMode::MovingPicture:
            if (editLayer == LayerPicture) PictureHandleClick(p);
            break;
        default:
            break;
    }
}

void Document::OnMouseMove(unsigned flags, Point p) {
    ui_->ShowMousePoint(p.x, p.y);
    if (CanOperate(2)) return;
    if (editLayer == LayerGraphics) {
        if (drawTool_) drawTool_->OnMouseMove(flags, p);
        ui_->ScreenChanged();
        return;
    }
    if (bandActive_) {
        BandMove(p);
        return;
    }
    if (editLayer == LayerBackground && ToolMode::IsRegionTool(toolMode)) {
        DrawRubberBand(rubberBand);
        DrawRubberBand(p);
        rubberBand = p;
        ui_->ScreenChanged();
        return;
    }
    if (editLayer == LayerPicture) PictureMouseMove(flags, p);
}

void Document::OnLButtonUp(unsigned flags, Point p) {
    mouseDown_ = false;
    const auto step = qScopeGuard([this] { Checkpoint(MouseStepName(editLayer)); });
    if (CanOperate(2)) return;
    if (editLayer == LayerGraphics) {
        if (drawTool_) drawTool_->OnLButtonUp(flags, p);
        ui_->ScreenChanged();
        return;
    }
    if (bandActive_) BandRelease(p);
}

void Document::OnLButtonDblClk(unsigned flags, Point p) {
    const auto step = qScopeGuard([this] { Checkpoint(MouseStepName(editLayer)); });
    if (CanOperate(2)) return;
    if (editLayer == LayerGraphics) {
        if (drawTool_) drawTool_->OnLButtonDblClk(flags, p);
        toolMode = ToolMode::NoOperation;
        ui_->ScreenChanged();
        ui_->StateChanged();
        ui_->SetViewCursor(ViewCursor());
        return;
    }
    if (editLayer == LayerBackground) RegionToolDoubleClick();
}

// ---- background layer ----

void Document::ArrowSelect(Point p) {
    CNeonFrame* f = CurrentFrame();
    f->selectedRegion = f->PickRegionAt(p.x, p.y);
    if (f->selectedRegion) UpdateCategoryText(f->selectedRegion->effect);
    DrawCurrentFrame(1);
}

void Document::ColourPick(Point p) {
    const COLORREF c = ui_->PickColour(p);
    mainColour = c;
    ui_->StateChanged();
    if (pickForPage) ui_->DeliverPickedColour(c);
}

void Document::RegionToolClick(Point p) {
    CNeonFrame* f = CurrentFrame();
    pointCollector.push_back(p);
    rubberBand = p;
    if (pointCollector.size() != 2) return;
    if (toolMode != ToolMode::RectRegionH && toolMode != ToolMode::RectRegionV) return;
    const Rect r = Normalized(pointCollector[0], pointCollector[1]);
    pointCollector.clear();
    // Two clicks on one spot span nothing: no region can live there.
    if (!r.IsEmpty()) {
        LeaveEffectFrame();
        const CNeonAv& av = *animation_;
        if (toolMode == ToolMode::RectRegionH)
            f->AddRectRegion(av.defaultCols, av.defaultRows, av.defaultZoom, r);
        else
            f->AddRectRegion(av.defaultRows, av.defaultCols, av.defaultZoom, r);
    }
    DrawCurrentFrame(1);
}

void Document::RegionToolDoubleClick() {
    CNeonFrame* f = CurrentFrame();
    if (pointCollector.size() > 2 &&
        (toolMode == ToolMode::PolyRegionH || toolMode == ToolMode::PolyRegionV)) {
        const std::vector<Point> points = pointCollector;
        LeaveEffectFrame();
        const CNeonAv& av = *animation_;
        if (toolMode == ToolMode::PolyRegionH)
            f->AddPolygonRegion(av.defaultCols, av.defaultRows, av.defaultZoom, points);
        else
            f->AddPolygonRegion(av.defaultRows, av.defaultCols, av.defaultZoom, points);
    }
    pointCollector.clear();
    DrawCurrentFrame(1);
}

void Document::DrawRubberBand(Point to) {
    if (pointCollector.empty()) return;
    GdiDc dc(ui_->Screen());
    dc.SetROP2(R2_XORPEN);
    dc.SelectPen(GdiPen{PS_SOLID, 1, kRubberBandColour});
    dc.SelectBrush(GdiBrush{BS_HOLLOW, 0, 0});
    const Point first = pointCollector.front();
    if (toolMode == ToolMode::RectRegionH || toolMode == ToolMode::RectRegionV) {
        dc.Rectangle({first.x, first.y, to.x, to.y});
        return;
    }
    dc.MoveTo(first);
    dc.LineTo(to);
    dc.MoveTo(pointCollector.back());
    dc.LineTo(to);
}

void Document::PaintCell(Point p, bool fill) {
    CNeonFrame* f = CurrentFrame();
    if (!f->selectedRegion) return;
    LeaveEffectFrame();
    const int changed = fill ? f->selectedRegion->FillSelectionAt(nullptr, p.x, p.y, mainColour)
                             : f->selectedRegion->PaintCellAt(nullptr, p.x, p.y, mainColour);
    if (changed) DrawCurrentFrame(1);
}

// ---- region selection band ----

void Document::BandPress(Point p) {
    bandActive_ = true;
    bandStart_ = bandEnd_ = p;
    if (mouseCapture) ui_->SetMouseCapture(true);
}

void Document::DrawBand() {
    GdiDc dc(ui_->Screen());
    dc.SetROP2(R2_NOT);
    dc.SelectPen(GdiPen{PS_DOT, 1, 0});
    dc.SelectBrush(GdiBrush{BS_HOLLOW, 0, 0});
    const Rect r = Normalized(bandStart_, bandEnd_);
    dc.Rectangle({r.left, r.top, r.right + 1, r.bottom + 1});
}

void Document::BandMove(Point p) {
    DrawBand();
    bandEnd_ = p;
    DrawBand();
    ui_->ScreenChanged();
}

void Document::CancelBand() {
    if (!bandActive_) return;
    DrawBand();
    bandActive_ = false;
    ui_->SetMouseCapture(false);
    ui_->ScreenChanged();
}

void Document::BandRelease(Point p) {
    DrawBand();
    bandEnd_ = p;
    bandActive_ = false;
    ui_->SetMouseCapture(false);
    BandDone(Normalized(bandStart_, bandEnd_));
}

void Document::BandDone(const Rect& r) {
    CNeonFrame* f = CurrentFrame();
    switch (editLayer) {
        case LayerBackground: {
            CNeonRegion* region = f->PickRegionIn(r.left, r.top, r.right, r.bottom);
            if (!region) {
                ui_->ScreenChanged();
                return;
            }
            f->selectedRegion = region;
            region->SelectRange(nullptr, r.left, r.top, r.right, r.bottom);
            break;
        }
        case LayerText:
            if (textEditState != 0) FinishEdit(kKeyEnter);
            TakeTextIn(r);
            break;
        case LayerPicture:
            if (f->movingPicture) {
                CommitPictureInHand();
                pictureEditState = 0;
            }
            TakePictureIn(r);
            break;
        default:
            break;
    }
    DrawCurrentFrame(1);
}

bool Document::TakeTextIn(const Rect& r) {
    CNeonFrame* f = CurrentFrame();
    for (CNeonChar* t : Ring<CNeonChar>::Items(f->texts.get())) {
        const QFontMetrics fm(t->Font());
        const QRect box = fm.boundingRect(t->Text());
        const Rect text{t->x, t->y, t->x + std::max(box.width(), 1),
                        t->y + std::max(fm.height(), 1)};
        const bool overlaps = text.left < r.right && r.left < text.right && text.top < r.bottom &&
                              r.top < text.bottom;
        if (!overlaps) continue;
        f->selectedText = t;
        textPosition = {t->x, t->y};
        textFont.Take(t->GetLogFont());
        ui_->OpenTextEditor(textPosition, textFont.Font(), t->Text());
        ui_->ShowTextToolBar(true);
        toolMode = ToolMode::NoOperation;
        textEditState = 2;
        ToolChanged();
        return true;
    }
    return false;
}

bool Document::TakePictureIn(const Rect& r) {
    CNeonFrame* f = CurrentFrame();
    for (CNeonImg* img : Ring<CNeonImg>::Items(f->pictures.get())) {
        if (!img->Intersects(r)) continue;
        auto copy = std::make_unique<CNeonImg>();
        img->CopyTo(*copy);
        f->movingPictureCopy = std::move(copy);
        f->movingPicture = Ring<CNeonImg>::Unlink(img);
        f->movingPicture->dragMode = kDragNone;
        toolMode = ToolMode::MovingPicture;
        pictureEditState = 2;
        ToolChanged();
        return true;
    }
    return false;
}

// ---- picture layer ----

void Document::ImportPictureAt(Point p) {
    FinishEdit(kKeyEnter);
    const QString path = ui_->ChoosePictureFile();
    std::unique_ptr<CNeonImg> img;
    if (!path.isEmpty() && CurrentFrame()) {
        const PictureResult imported = ui_->ImportPicture(path);
        const QSize s = ClientSize();
        if (imported.Ok())
            img = CNeonImg::FromImport(imported.image, p.x, p.y, s.width(), s.height());
        else if (imported.failure != PictureFailure::Cancelled)
            ui_->ShowMessage(imported.message, QStringLiteral("CPicture Error"),
                             MessageIcon::Warning);
    }
    CNeonFrame* f = CurrentFrame();
    if (!img || !f) {
        toolMode = ToolMode::NoOperation;
        ToolChanged();
        return;
    }
    f->movingPicture = std::move(img);
    f->movingPictureCopy.reset();
    pictureEditState = 1;
    toolMode = ToolMode::MovingPicture;
    ToolChanged();
    DrawCurrentFrame(1);
}

void Document::PictureHandleClick(Point p) {
    CNeonFrame* f = CurrentFrame();
    CNeonImg* img = f->movingPicture.get();
    if (!img) return;
    const std::int32_t code = img->HitTest(p.x, p.y);
    if (code == kHitOutside) {
        ui_->SetViewCursor(CursorId::Arrow);
        img->dragMode = kDragNone;
        return;
    }
    ui_->SetViewCursor(code == kHitInside ? CursorId::Arrow : CursorOfPictureHit(code));
    img->dragMode = code == kHitInside ? kDragMove : kDragAdjust;
    pictureDrag = !pictureDrag;
    if (pictureDrag) {
        img->grabCode = code;
        img->dragPoint = p;
        if (mouseCapture) ui_->SetMouseCapture(true);
        return;
    }
    if (mouseCapture) ui_->SetMouseCapture(false);
    // The second click puts the picture down: Enter, as if typed, commits it.
    QMetaObject::invokeMethod(
        this, [this] { PreTranslateKey(Qt::Key_Return); }, Qt::QueuedConnection);
    toolMode = ToolMode::NoOperation;
    img->dragMode = kDragNone;
    img->grabCode = kHitOutside;
    ToolChanged();
}

void Document::PictureMouseMove(unsigned flags, Point p) {
    (void)flags;
    CNeonFrame* f = CurrentFrame();
    CNeonImg* img = f->movingPicture.get();
    if (!img) return;
    if (img->dragMode == kDragNone) {
        const std::int32_t code = img->HitTest(p.x, p.y);
        ui_->SetViewCursor(code == kHitOutside || code == kHitInside ? CursorId::Arrow
                                                                     : CursorOfPictureHit(code));
    }
    img->Drag(p.x, p.y);
    DrawCurrentFrame(1);
}

// ---- text layer ----

void Document::OpenNewText(Point p) {
    textPosition = p;
    CurrentFrame()->selectedText = nullptr;
    ui_->OpenTextEditor(p, textFont.Font(), QString());
    textEntryFlag = 1;
    textEditState = 1;
    ui_->ShowTextToolBar(true);
}

}  // namespace zv
