#include "editor/Document.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>

#include <algorithm>

#include "editor/EditHistory.h"
#include "editor/NumberText.h"
#include "editor/Player.h"
#include "editor/RecentFiles.h"
#include "gdi/WindowMessages.h"
#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/EffectGenerators.h"
#include "model/FrameCategoryNames.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"

namespace zv {

namespace {

// Stands in for a window while none is attached: an image the size of a small view.
class ImageUi : public EditorUi {
public:
    QImage& Screen() override {
        if (image_.isNull()) {
            image_ = QImage(640, 480, QImage::Format_RGB32);
            image_.fill(Qt::black);
        }
        return image_;
    }

private:
    QImage image_;
};

QString MessageStepName(int message) {
    switch (message) {
        case UM_SIM_ROTATE:
            return QCoreApplication::translate("zv::Document", "旋转");
        case UM_SIM_MOVE_TO:
            return QCoreApplication::translate("zv::Document", "移动");
        default:
            return QCoreApplication::translate("zv::Document", "编辑");
    }
}

}  // namespace

Document::Document(QObject* parent) : QObject(parent), ownUi_(std::make_unique<ImageUi>()) {
    ui_ = ownUi_.get();
    drawTool_ = std::make_unique<CKorDraw>(static_cast<ShapeHost&>(*this));
    background_ = std::make_unique<CNeonBkg>();
    animation_ = std::make_unique<CNeonAv>();
    animation_->CreateFirstFrame();
    player_ = std::make_unique<Player>(*this);
    history_ = std::make_unique<EditHistory>(*animation_, *background_);
    history_->onApplied = [this](std::int32_t index) { HistoryApplied(index); };
    connect(&history_->Stack(), &QUndoStack::cleanChanged, this, &Document::TitleChanged);
    ResetViewState(false);
}

Document::~Document() {
    history_.reset();
    player_.reset();
    if (animation_) animation_->Clear();
    animation_.reset();
    drawTool_.reset();
    background_.reset();
}

void Document::SetUi(EditorUi* ui) {
    ui_ = ui ? ui : ownUi_.get();
}

CNeonFrame* Document::CurrentFrame() const {
    return animation_ ? animation_->currentFrame : nullptr;
}

// ---- ShapeHost ----

std::unique_ptr<GdiDc> Document::GetClientDc() {
    return std::make_unique<GdiDc>(ui_->Screen());
}

void Document::SetCapture() {
    ui_->SetMouseCapture(true);
}

void Document::ReleaseCapture() {
    ui_->SetMouseCapture(false);
}

ScrollSize Document::GetScrollSize() const {
    const QSize s = ClientSize();
    return {s.width(), s.height()};
}

void Document::InvalidateRect(const Rect&) {
    // The drawing tool asks for a repaint of what it cannot erase in XOR (text
    // boxes): the frame is drawn again as a whole.
    DrawCurrentFrame(1);
}

QSize Document::ClientSize() const {
    return ui_->Screen().size();
}

Rect Document::ClientRect() const {
    const QSize s = ClientSize();
    return {0, 0, s.width(), s.height()};
}

// ---- history ----

bool Document::EditPending() const {
    // A shape being drawn, moved or reshaped takes more than one click.
    const bool shapeUnderWay =
        drawTool_ && ((drawTool_->state == 1 && drawTool_->step > 0) || drawTool_->state == 2 ||
                      drawTool_->state == 5 || drawTool_->EditedText() != nullptr);
    return mouseDown_ || bandActive_ || pictureEditState != 0 || textEditState != 0 ||
           shapeUnderWay || player_->TimerRunning() || player_->SteppedFrame() != nullptr;
}

void Document::Checkpoint(const QString& text) {
    if (!animation_ || EditPending()) return;
    QString name = text.isEmpty() ? tr("编辑") : text;
    name.remove(QLatin1Char('&'));
    history_->Checkpoint(name.section(QLatin1Char('('), 0, 0));
}

void Document::PrepareHistoryMove() {
    if (CanOperate(-1)) return;
    FinishEdit(kKeyEnter);
    player_->StopTimer();
    LeaveEffectFrame();
    mouseDown_ = false;
    if (bandActive_) CancelBand();
    history_->Checkpoint(tr("编辑"));
}

void Document::Undo() {
    PrepareHistoryMove();
    if (history_->Stack().canUndo()) history_->Stack().undo();
}

void Document::Redo() {
    // An edit made after an undo drops the steps that could be redone.
    PrepareHistoryMove();
    if (history_->Stack().canRedo()) history_->Stack().redo();
}

bool Document::CanUndo() const {
    return history_->Stack().canUndo();
}

bool Document::CanRedo() const {
    return history_->Stack().canRedo();
}

bool Document::Modified() const {
    return history_->Modified();
}

void Document::HistoryApplied(std::int32_t index) {
    // The frames that were current may have left the list: the drawing tool starts
    // its mode again without a selection, and the frame at the step's index is shown.
    if (drawTool_) drawTool_->EnterIdle();
    SyncDrawTool();
    pointCollector.clear();
    if (animation_->frameCount == 0) {
        animation_->currentFrame = nullptr;
        animation_->currentIndex = 0;
    } else {
        const std::int32_t n = std::clamp(index, 1, animation_->frameCount);
        animation_->currentFrame = animation_->GetFrameAt(n);
        animation_->currentIndex = n;
    }
    UpdateFrameCounter();
    InvalidateView();
    ui_->StateChanged();
}

QString Document::DisplayName() const {
    return filePath_.isEmpty() ? QStringLiteral("Tolvane") : QFileInfo(filePath_).fileName();
}

void Document::SetFilePath(const QString& path) {
    filePath_ = path;
    emit TitleChanged();
}

bool Document::MayDiscardChanges() {
    FinishEdit(kKeyEnter);
    Checkpoint();
    if (!Modified()) return true;
    switch (ui_->AskSaveChanges(DisplayName())) {
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
        case SaveAnswer::Save:
            break;
    }
    if (!filePath_.isEmpty()) return SaveSchemeTo(filePath_);
    SaveScheme();
    return !Modified();
}

bool Document::RestoreRecoveryFile(const QString& path) {
    if (!OpenSchemeFile(path)) return false;
    SetFilePath(QString());
    // The copy holds changes that were never saved.
    history_->Stack().resetClean();
    return true;
}

// ---- guards and drawing ----

int Document::CanOperate(int level) const {
    if (!animation_) return 1;
    if (level == -1) return 0;
    if (animation_->frameCount == 0 || !animation_->currentFrame) return 1;
    if (level == 2) return 0;
    return animation_->currentFrame->selectedRegion ? 0 : 1;
}

int Document::RequireFrames() {
    if (CanOperate(-1)) return 1;
    if (animation_->frameCount != 0) return 0;
    InvalidateView();
    return 1;
}

void Document::ResetViewState(bool rewind) {
    paused = false;
    loopOption = true;
    expandOption = false;
    pictureDrag = false;
    rubberBand = {};
    pictureEditState = 0;
    textEditState = 0;
    if (rewind && animation_ && animation_->First()) {
        animation_->currentFrame = animation_->First();
        animation_->currentIndex = 1;
    }
    ui_->StateChanged();
}

void Document::DrawCurrentFrame(int flag) {
    CNeonFrame* frame = CurrentFrame();
    if (!frame) return;
    (void)flag;
    // The drawing tool shows and edits the shapes of the frame on screen; giving
    // every shown frame a container lets new shapes go straight into it.
    if (!frame->shapes) frame->shapes = std::make_unique<CNeonGraph>();
    if (drawTool_) frame->shapes->HandTo(*drawTool_);
    QImage& screen = ui_->Screen();
    ClearUnderBackground(screen);
    frame->Render(screen, true, background_.get());
    ui_->ScreenChanged();
}

void Document::ClearUnderBackground(QImage& screen) const {
    // A background picture covers the whole view; without one the view starts black,
    // as a picture or video of the frame does.
    const bool covered = background_ && background_->hasBitmap && !background_->bitmap.isNull();
    if (!covered) screen.fill(Qt::black);
}

void Document::DrawSubFrame(const CNeonFrame& sub) {
    CNeonFrame* frame = CurrentFrame();
    if (!frame) return;
    QImage& screen = ui_->Screen();
    ClearUnderBackground(screen);
    frame->Render(screen, true, background_.get(), &sub);
    ui_->ScreenChanged();
}

void Document::InvalidateView() {
    if (CurrentFrame()) {
        DrawCurrentFrame(1);
        return;
    }
    ui_->Screen().fill(Qt::black);
    ui_->ScreenChanged();
}

void Document::UpdateFrameCounter() {
    if (CanOperate(-1)) return;
    ui_->ShowFrameCounter(animation_->frameCount, animation_->currentIndex);
    emit FramesChanged();
    UpdateCategoryText(0);
}

void Document::UpdateCategoryText(int effect) {
    if (CanOperate(2)) return;
    const QString own = FrameCategoryDisplayName(CurrentFrame()->category);
    if (effect <= 0 || std::size_t(effect) >= FrameCategoryCount) {
        ui_->SetCategoryText(tr("帧类别:%1").arg(own));
        return;
    }
    ui_->SetCategoryText(tr("帧类别:%1-->%2").arg(own, FrameCategoryDisplayName(effect)));
}

// ---- pending edits ----

bool Document::FinishEdit(int key) {
    if (CanOperate(2)) return false;
    if (key != kKeyEnter && key != kKeyEscape && key != kKeyDelete) return false;
    CNeonFrame* frame = CurrentFrame();
    ui_->ShowMousePoint(0, 0);

    if (pictureEditState != 0) {
        if (frame->movingPicture) {
            if (key == kKeyEnter) {
                CommitPictureInHand();
            } else if (key == kKeyEscape && pictureEditState == 2 && frame->movingPictureCopy) {
                Ring<CNeonImg>::Append(frame->pictures.get(), std::move(frame->movingPictureCopy));
                frame->movingPicture.reset();
            } else {
                frame->movingPicture.reset();
                frame->movingPictureCopy.reset();
            }
        }
        pictureEditState = 0;
        pictureDrag = false;
        if (toolMode == ToolMode::MovingPicture) toolMode = ToolMode::NoOperation;
    }

    if (textEditState != 0) {
        if (key == kKeyEnter) {
            const QString content = ui_->TextEditorText();
            if (textEditState == 1 && !content.isEmpty()) {
                CNeonChar* t = frame->texts->AppendText();
                t->SetText(content);
                t->SetLogFont(textFont.Description());
                t->textColour = mainColour;
                t->x = textPosition.x;
                t->y = textPosition.y;
                frame->selectedText = t;
            } else if (textEditState == 2 && frame->selectedText) {
                frame->selectedText->SetText(content);
                frame->selectedText->SetLogFont(textFont.Description());
            }
        } else if (key == kKeyDelete && textEditState == 2 && frame->selectedText) {
            CNeonChar* t = frame->selectedText;
            frame->selectedText = nullptr;
            Ring<CNeonChar>::Unlink(t).reset();
        }
        toolMode = ToolMode::NoOperation;
        textEntryFlag = 0;
        ui_->CloseTextEditor();
        ui_->ShowTextToolBar(false);
        textEditState = 0;
        ToolChanged();
    }

    if (editLayer == LayerBackground && frame->selectedRegion && key == kKeyDelete)
        frame->RemoveRegion(frame->selectedRegion);
    return true;
}

void Document::CommitPictureInHand() {
    CNeonFrame* frame = CurrentFrame();
    if (!frame || !frame->movingPicture) return;
    frame->movingPicture->dragMode = kDragNone;
    frame->movingPicture->grabCode = kHitOutside;
    Ring<CNeonImg>::Append(frame->pictures.get(), std::move(frame->movingPicture));
    frame->movingPictureCopy.reset();
}

bool Document::PreTranslateKey(int qtKey) {
    if (qtKey == Qt::Key_Delete && editLayer == LayerGraphics && drawTool_) {
        drawTool_->DeleteSelection();
        ui_->ScreenChanged();
        Checkpoint(tr("删除图形"));
        return true;
    }
    int key = 0;
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            key = kKeyEnter;
            break;
        case Qt::Key_Escape:
            key = kKeyEscape;
            if (bandActive_) {
                CancelBand();
                return true;
            }
            break;
        case Qt::Key_Delete:
            key = kKeyDelete;
            break;
        default:
            return false;
    }
    if (!FinishEdit(key)) return false;
    DrawCurrentFrame(1);
    Checkpoint(key == kKeyDelete ? tr("删除") : QString());
    return true;
}

// ---- messages ----

bool Document::event(QEvent* e) {
    const int um = MessageOfEventType(e->type());
    if (um == 0) return QObject::event(e);
    std::int64_t w = 0, l = 0;
    if (auto* m = dynamic_cast<MessageEvent*>(e)) {
        w = m->wParam;
        l = m->lParam;
    }
    HandleMessage(um, w, l);
    return true;
}

void Document::HandleMessage(int message, std::int64_t wParam, std::int64_t lParam) {
    switch (message) {
        case UM_FRAME_CHANGED:
            if (CanOperate(2) == 0 && drawTool_) {
                CNeonFrame* frame = CurrentFrame();
                if (!frame->shapes) frame->shapes = std::make_unique<CNeonGraph>();
                frame->shapes->TakeFrom(*drawTool_);
            }
            break;
        case UM_REDRAW:
            DrawCurrentFrame(1);
            break;
        case UM_TOOL_CHANGED:
        case UM_LAYER_CHANGED:
            if (simulateMouse) {
                positionKind = PositionKind::Off;
                if (toolMode == ToolMode::MoveTo) toolMode = ToolMode::NoOperation;
                ToggleSimulateMouse();
            }
            ui_->SetViewCursor(ViewCursor());
            break;
        case UM_SIM_CLICK:
            ui_->SimulateClicks({std::int32_t(wParam), std::int32_t(lParam)}, 1);
            break;
        case UM_SIM_DOUBLE_CLICK:
        case UM_SIM_FINISH:
            ui_->SimulateClicks({std::int32_t(wParam), std::int32_t(lParam)}, 2);
            break;
        case UM_SIM_MOVE_TO:
            MoveObjectTo({std::int32_t(wParam), std::int32_t(lParam)});
            break;
        case UM_SIM_ROTATE:
            if (drawTool_) {
                const std::int32_t x = std::int32_t((lParam >> 16) & 0xFFFF);
                const std::int32_t y = std::int32_t(lParam & 0xFFFF);
                drawTool_->RotateSelection(x, y, std::int32_t(wParam));
                DrawCurrentFrame(1);
            }
            break;
        default:
            break;
    }
    // Typed points and rotations change the frame as the mouse does.
    Checkpoint(MessageStepName(message));
}

void Document::ToolChanged() {
    if (toolMode != ToolMode::ColourPick) pickForPage = false;
    ui_->StateChanged();
    QCoreApplication::postEvent(this, new MessageEvent(UM_TOOL_CHANGED));
}

// ---- frame commands ----

void Document::LeaveEffectFrame() {
    player_->LeaveEffectFrame();
}

void Document::AfterFrameMove() {
    UpdateFrameCounter();
    DrawCurrentFrame(1);
}

void Document::NewDocument() {
    if (CanOperate(-1)) return;
    FinishEdit(kKeyEscape);
    player_->StopTimer();
    LeaveEffectFrame();
    if (animation_->frameCount > 0) animation_->Clear();
    animation_->CreateFirstFrame();
    ResetViewState(true);
    pointCollector.clear();
    UpdateFrameCounter();
    DrawCurrentFrame(1);
    history_->Reset();
    SetFilePath(QString());
}

bool Document::OpenSchemeFile(const QString& path) {
    if (CanOperate(-1)) return false;
    FinishEdit(kKeyEscape);
    player_->StopTimer();
    LeaveEffectFrame();
    QString error;
    const bool ok = animation_->LoadSchemeFile(path, *background_, nullptr, &error);
    if (!ok)
        ui_->ShowMessage(tr(qPrintable(kFileFormatError)), QStringLiteral("Error"),
                         MessageIcon::Warning);
    if (animation_->frameCount >= 1) {
        ResetViewState(true);
        UpdateFrameCounter();
    } else {
        animation_->CreateFirstFrame();
        UpdateFrameCounter();
    }
    DrawCurrentFrame(1);
    if (ok) {
        history_->Reset();
        SetFilePath(path);
        RecentFiles::Add(path);
        emit RecentFilesChanged();
        emit FileUsed(path);
    }
    return ok;
}

void Document::FirstFrame() {
    if (RequireFrames()) return;
    FinishEdit(kKeyEnter);
    LeaveEffectFrame();
    animation_->currentFrame = animation_->First();
    animation_->currentIndex = 1;
    AfterFrameMove();
}

void Document::PreviousFrame() {
    if (RequireFrames()) return;
    FinishEdit(kKeyEnter);
    CNeonFrame* f = animation_->currentFrame;
    if (f == animation_->First()) return;
    LeaveEffectFrame();
    animation_->currentFrame = f->prev;
    if (animation_->currentIndex > 1) --animation_->currentIndex;
    AfterFrameMove();
}

void Document::NextFrame() {
    if (RequireFrames()) return;
    FinishEdit(kKeyEnter);
    CNeonFrame* f = animation_->currentFrame;
    if (f == animation_->Last()) return;
    LeaveEffectFrame();
    animation_->currentFrame = f->next;
    ++animation_->currentIndex;
    AfterFrameMove();
}

void Document::LastFrame() {
    if (RequireFrames()) return;
    FinishEdit(kKeyEnter);
    if (animation_->currentFrame == animation_->Last()) return;
    LeaveEffectFrame();
    animation_->currentFrame = animation_->Last();
    animation_->currentIndex = animation_->frameCount;
    AfterFrameMove();
}

void Document::GoToFrame(std::int32_t n) {
    if (RequireFrames()) return;
    FinishEdit(kKeyEnter);
    CNeonFrame* f = animation_->GetFrameAt(n);
    if (!f || f == animation_->currentFrame) return;
    LeaveEffectFrame();
    animation_->currentFrame = f;
    animation_->currentIndex = n;
    AfterFrameMove();
}

void Document::AddFrame() {
    if (CanOperate(-1)) return;
    FinishEdit(kKeyEnter);
    LeaveEffectFrame();
    if (!animation_->currentFrame) {
        animation_->CreateFirstFrame();
    } else {
        animation_->currentFrame = animation_->InsertAfter(animation_->currentFrame, true);
    }
    AfterFrameMove();
}

void Document::DeleteFrame() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    LeaveEffectFrame();
    if (animation_->DeleteFrame(animation_->currentFrame, true)) {
        UpdateFrameCounter();
        DrawCurrentFrame(1);
        return;
    }
    // The last frame went: a document always shows a frame, so a fresh empty one
    // takes its place, as a new document would.
    if (animation_->frameCount == 0) animation_->CreateFirstFrame();
    InvalidateView();
    UpdateFrameCounter();
}

void Document::CopyPreviousFrame() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    CNeonFrame* f = animation_->currentFrame;
    if (f == animation_->First()) return;
    LeaveEffectFrame();
    if (designateBackground)
        f->CopyFrom(*f->prev, false, CNeonFrame::CopySelected);
    else
        f->CopyFrom(*f->prev, true, CNeonFrame::CopyColoursOnly);
    DrawCurrentFrame(1);
}

void Document::CopyFrameN() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    const std::optional<QString> text = ui_->AskCopyFrameNumber();
    if (!text) return;
    std::int32_t n = text->isEmpty() ? 1 : TextToNumber(*text);
    if (n < 0) n = 1;
    CopyFrameNumber(n);
}

void Document::CopyFrameNumber(std::int32_t n) {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    const CNeonFrame* src = animation_->GetFrameAt(n);
    if (!src) return;
    LeaveEffectFrame();
    CNeonFrame* f = animation_->currentFrame;
    if (designateBackground)
        f->CopyFrom(*src, false, CNeonFrame::CopySelected);
    else
        f->CopyFrom(*src, true, CNeonFrame::CopyColoursOnly);
    DrawCurrentFrame(1);
}

void Document::BlackenRegions() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    LeaveEffectFrame();
    CNeonFrame* f = animation_->currentFrame;
    if (designateBackground) {
        if (CanOperate(0)) return;
        f->selectedRegion->ClearCells();
    } else {
        f->ClearRegions();
    }
    DrawCurrentFrame(1);
}

void Document::Refresh() {
    InvalidateView();
}

void Document::ApplyEffect(int effect) {
    if (CanOperate(0)) return;
    FinishEdit(kKeyEnter);
    if (CanOperate(0)) return;
    LeaveEffectFrame();
    CNeonFrame* f = animation_->currentFrame;
    // Expanding writes the steps into the frames that follow: the history keeps them
    // as they were.
    if (expandOption) history_->Touch(f, EffectStepCount(effect, *f->selectedRegion) + 2);
    f->ApplyEffect(*animation_->anchor, effect, loopOption ? 1 : 0, expandOption);
    UpdateCategoryText(0);
    if (expandOption) {
        animation_->Recount();
        UpdateFrameCounter();
    }
}

void Document::ToggleLoopOption() {
    loopOption = !loopOption;
    ui_->StateChanged();
}

void Document::ToggleExpandOption() {
    expandOption = !expandOption;
    ui_->StateChanged();
}

void Document::ToggleMouseCapture() {
    mouseCapture = !mouseCapture;
    ui_->StateChanged();
}

void Document::ToggleDesignateBackground() {
    designateBackground = !designateBackground;
    ui_->StateChanged();
}

// ---- tools and layers ----

bool Document::ChooseTool(int mode, LayerRule rule) {
    if (!LayerAllows(rule, editLayer)) return false;
    toolMode = mode;
    if (mode == ToolMode::Text) textEntryFlag = 0;
    if (ToolMode::IsRegionTool(mode)) pointCollector.clear();
    SyncDrawTool();
    ui_->ScreenChanged();
    ToolChanged();
    return true;
}

void Document::SyncDrawTool() {
    if (!drawTool_) return;
    if (toolMode == ToolMode::ShapeSelect)
        drawTool_->EnterSelectMode();
    else if (ToolMode::IsShapeTool(toolMode))
        drawTool_->SelectTool(ShapeToolOfMode(toolMode));
    else if (toolMode == ToolMode::NoOperation)
        drawTool_->EnterIdle();
}

void Document::ChooseEditLayer(int layer) {
    editLayer = layer;
    toolMode = ToolMode::NoOperation;
    if (drawTool_) drawTool_->EnterIdle();
    ToolChanged();
    QCoreApplication::postEvent(this, new MessageEvent(UM_LAYER_CHANGED));
}

void Document::ResetToolsForPlayback() {
    toolMode = ToolMode::NoOperation;
    editLayer = LayerBackground;
    pickForPage = false;
    ui_->HidePropertySheet();
    if (drawTool_) drawTool_->EnterIdle();
    ToolChanged();
}

void Document::RequestPickForPage() {
    toolMode = ToolMode::ColourPick;
    ToolChanged();
    pickForPage = true;
}

void Document::SetMainColour(COLORREF c) {
    mainColour = c;
    ui_->StateChanged();
}

void Document::SetSecondColour(COLORREF c) {
    secondColour = c;
    ui_->StateChanged();
}

void Document::BringColourToFront(bool main) {
    mainInFront = main;
    ui_->StateChanged();
}

void Document::SetTextFont(const LogFont& lf) {
    textFont.Take(lf);
    ui_->SetTextEditorFont(textFont.Font());
}

int Document::ViewCursor() const {
    return CursorOfToolMode(toolMode);
}

// ---- moves ----

void Document::MoveObject(MoveDirection d) {
    if (CanOperate(2)) return;
    CNeonFrame* f = CurrentFrame();
    const bool horizontal = d == MoveDirection::Left || d == MoveDirection::Right;
    const int sign = d == MoveDirection::Left || d == MoveDirection::Up ? -1 : 1;
    const Point step{horizontal ? 20 * sign : 0, horizontal ? 0 : 10 * sign};
    switch (editLayer) {
        case LayerBackground: {
            if (CanOperate(0)) return;
            LeaveEffectFrame();
            CNeonRegion* r = f->selectedRegion;
            const bool wrap = loopOption;
            switch (d) {
                case MoveDirection::Left:
                    r->ShiftLeft(wrap);
                    break;
                case MoveDirection::Right:
                    r->ShiftRight(wrap);
                    break;
                case MoveDirection::Up:
                    r->ShiftUp(wrap);
                    break;
                case MoveDirection::Down:
                    r->ShiftDown(wrap);
                    break;
            }
            break;
        }
        case LayerText:
            textPosition.x += step.x;
            textPosition.y += step.y;
            if (f->selectedText) {
                f->selectedText->x += step.x;
                f->selectedText->y += step.y;
            }
            if (textEditState != 0) ui_->MoveTextEditor(textPosition);
            break;
        case LayerPicture:
            if (f->movingPicture) f->movingPicture->Adjust(kHitInside, 0, 0, step.x, step.y);
            break;
        default:
            break;
    }
    DrawCurrentFrame(1);
}

void Document::MoveObjectTo(Point p) {
    if (CanOperate(2)) return;
    CNeonFrame* f = CurrentFrame();
    switch (editLayer) {
        case LayerBackground: {
            if (CanOperate(0)) return;
            LeaveEffectFrame();
            const QSize s = ClientSize();
            f->selectedRegion->MoveTo(p.x, p.y, s.width(), s.height());
            break;
        }
        case LayerText:
            textPosition = p;
            if (f->selectedText) {
                f->selectedText->x = p.x;
                f->selectedText->y = p.y;
            }
            if (textEditState != 0) ui_->MoveTextEditor(textPosition);
            break;
        case LayerPicture:
            if (f->movingPicture) f->movingPicture->Adjust(kPlaceAt, 0, 0, p.x, p.y);
            break;
        default:
            break;
    }
    DrawCurrentFrame(1);
}

void Document::StartMoveTo() {
    if (CanOperate(2)) return;
    toolMode = ToolMode::MoveTo;
    ui_->StateChanged();
    ToggleSimulateMouse();
}

void Document::StartRotate() {
    if (editLayer != LayerGraphics) return;
    toolMode = ToolMode::Rotate;
    ui_->StateChanged();
    ToggleSimulateMouse();
}

void Document::ToggleSimulateMouse() {
    if (positionKind == PositionKind::Off) {
        simulateMouse = false;
        ui_->ClearPositionText();
        ui_->ShowPositionBar(false);
        positionKind = PositionKind::None;
        ui_->StateChanged();
        return;
    }
    if (ToolMode::IsRegionTool(toolMode) || ToolMode::IsShapeTool(toolMode))
        positionKind = PositionKind::Points;
    else if (toolMode == ToolMode::MoveTo)
        positionKind = PositionKind::MoveTo;
    else if (toolMode == ToolMode::Rotate)
        positionKind = PositionKind::Rotate;
    simulateMouse = !simulateMouse;
    ui_->ClearPositionText();
    ui_->ShowPositionBar(simulateMouse);
    if (simulateMouse) ui_->FocusPositionBar();
    ui_->StateChanged();
}

bool Document::PositionKey(int qtKey, const QString& text) {
    const std::optional<SimMessage> m = PositionKeyMessage(positionKind, qtKey, text);
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) ui_->ClearPositionText();
    if (!m) return false;
    QCoreApplication::postEvent(this, new MessageEvent(m->message, m->wParam, m->lParam));
    return true;
}

}  // namespace zv
