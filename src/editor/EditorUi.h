#pragma once
// What the editor asks of the window around it: the view's screen image and its
// in-place text editor, the bars that show the editor's state, and the dialogs. The
// main window implements it; tests implement it over an image. Every call has a
// harmless default so a test overrides only what it watches.

#include <QFont>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

#include "editor/FileChoice.h"
#include "editor/RegionDefaults.h"
#include "gdi/Geometry.h"
#include "layers/PictureImport.h"
#include "video/VideoCodec.h"

namespace zv {

enum class MessageIcon { Information, Warning, Critical };

class VideoExport;
// The answer to "save the changes?".
enum class SaveAnswer { Save, Discard, Cancel };

class EditorUi {
public:
    virtual ~EditorUi() = default;

    // ---- the view ----
    // The view's screen image, as large as its client area. The editor draws frames
    // and the drawing tool its feedback into it.
    virtual QImage& Screen() = 0;
    // The screen image changed: show it.
    virtual void ScreenChanged() {}
    virtual void SetMouseCapture(bool on) { (void)on; }
    virtual void SetViewCursor(int cursorId) { (void)cursorId; }
    // The in-place text editor (multi-line, 160 x 160) at `at`, showing `text`.
    virtual void OpenTextEditor(Point at, const QFont& font, const QString& text) {
        (void)at, (void)font, (void)text;
    }
    virtual QString TextEditorText() const { return {}; }
    virtual void MoveTextEditor(Point at) { (void)at; }
    virtual void SetTextEditorFont(const QFont& font) { (void)font; }
    virtual void CloseTextEditor() {}
    // The colour of the screen pixel under the mouse at view point `p`; the default
    // reads the view's own image.
    virtual COLORREF PickColour(Point p) {
        const QImage& s = Screen();
        if (!s.valid(p.x, p.y)) return 0;
        const QRgb c = s.pixel(p.x, p.y);
        return RGB(qRed(c), qGreen(c), qBlue(c));
    }
    // A typed point acting as `pairs` left press-and-release pairs at view point `p`,
    // delivered later through the view's ordinary mouse handling.
    virtual void SimulateClicks(Point p, int pairs) { (void)p, (void)pairs; }

    // ---- the main window and its bars ----
    virtual void ShowFrameCounter(int count, int index) { (void)count, (void)index; }
    virtual void SetCategoryText(const QString& text) { (void)text; }
    virtual void ShowMousePoint(int x, int y) { (void)x, (void)y; }
    virtual void ShowTextToolBar(bool show) { (void)show; }
    // The tool mode, edit layer, options or palette colours changed: buttons, radio
    // buttons, menu checks and bars follow.
    virtual void StateChanged() {}
    virtual void ShowPositionBar(bool show) { (void)show; }
    virtual void ClearPositionText() {}
    virtual void FocusPositionBar() {}
    virtual void HidePropertySheet() {}
    virtual void DeliverPickedColour(COLORREF colour) { (void)colour; }
    virtual void ShowMessage(const QString& text, const QString& caption, MessageIcon icon) {
        (void)text, (void)caption, (void)icon;
    }

    // ---- dialogs ----
    // The frame-number text of the copy-frame dialog; nothing when cancelled.
    virtual std::optional<QString> AskCopyFrameNumber() { return std::nullopt; }
    // A picture file to import; empty when cancelled.
    virtual QString ChoosePictureFile() { return {}; }
    // The picture in `path`, decoded by the picture helper. The window shows that it is
    // busy and lets the user cancel a long import (a Cancelled failure); the default
    // just waits.
    virtual PictureResult ImportPicture(const QString& path) { return PictureImport::Run(path); }
    // A file for the open, save, save-picture and background commands; empty when
    // cancelled.
    virtual QString ChooseFile(FileChoice kind) {
        (void)kind;
        return {};
    }
    // The grid dialog showing `current`; the accepted counts, nothing when cancelled.
    virtual std::optional<GridCounts> AskGridCounts(const GridCounts& current) {
        (void)current;
        return std::nullopt;
    }
    // The scale dialog with its slider at `percent`; the accepted position.
    virtual std::optional<int> AskScalePercent(int percent) {
        (void)percent;
        return std::nullopt;
    }
    // ---- video export ----
    // The codec of an AVI export among `offered` (the first is the default); nothing
    // when cancelled. The window remembers the last choice.
    virtual std::optional<VideoCodec> AskVideoCodec(const std::vector<VideoCodec>& offered) {
        return offered.empty() ? std::nullopt : std::optional<VideoCodec>(offered.front());
    }
    // Steps a started export to its end, showing its progress with a way to cancel it
    // (VideoExport::Cancel); the default runs it through.
    virtual void RunVideoExport(VideoExport& job);
    // A note in the status bar.
    virtual void ShowStatus(const QString& text) { (void)text; }

    // The document `name` has unsaved changes: save, discard or cancel.
    virtual SaveAnswer AskSaveChanges(const QString& name) {
        (void)name;
        return SaveAnswer::Discard;
    }
    // Bits per pixel of the display the view is on.
    virtual int DisplayDepth() const { return 32; }
};

}  // namespace zv
