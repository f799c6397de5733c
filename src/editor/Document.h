#pragma once
// The editor behind the view: it owns the drawing tool, the background and the
// animation for the whole run, keeps the view's editing state and the main window's
// tool mode, edit layer, point collector and palette, checks whether the model can
// take a command, carries the commands out and draws the current frame into the
// view's screen image. Widgets never write model fields; they call this.

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "editor/EditorTypes.h"
#include "editor/EditorUi.h"
#include "editor/PositionInput.h"
#include "editor/RegionDefaults.h"
#include "editor/TextFont.h"
#include "gdi/Geometry.h"
#include "shapes/ShapeHost.h"

namespace zv {

class CKorDraw;
class EditHistory;
class CNeonAv;
class CNeonBkg;
class CNeonFrame;
class Player;
class ShapeStyle;

// What the user is told after a save (source texts, shown translated).
inline const QString kFileSaved =
    QString::fromUtf8(QT_TRANSLATE_NOOP("zv::Document", "文件已保存!"));
inline const QString kFileSaveFailed =
    QString::fromUtf8(QT_TRANSLATE_NOOP("zv::Document", "文件保存失败!"));

// Keys FinishEdit acts on, by their platform numbers.
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyDelete = 46;

enum class MoveDirection { Left, Right, Up, Down };

class Document : public QObject, private ShapeHost {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    // The window the editor draws into and reports to; null detaches it (an
    // internal image stands in).
    void SetUi(EditorUi* ui);
    EditorUi& Ui() { return *ui_; }

    CKorDraw* DrawTool() const { return drawTool_.get(); }
    CNeonBkg* Background() const { return background_.get(); }
    CNeonAv* Animation() const { return animation_.get(); }
    CNeonFrame* CurrentFrame() const;
    Player& GetPlayer() { return *player_; }

    // ---- guards and redraws ----
    // Zero (go) when the model can take a command of this level: -1 the animation
    // exists, 2 it has a frame, 0 the current frame has a selected lit region.
    int CanOperate(int level) const;
    // Refuses without frames, showing an empty view.
    int RequireFrames();
    void ResetViewState(bool rewind);
    // The current frame into the view's screen image. `flag` is 1 after an edit and
    // 0 for playback ticks; it does not change what is drawn.
    void DrawCurrentFrame(int flag);
    // The current frame showing sub-frame `sub` of its effect in place of its own
    // regions, under its own shapes, pictures and texts.
    void DrawSubFrame(const CNeonFrame& sub);
    // Erase and repaint: the current frame, or an empty view without frames.
    void InvalidateView();
    void UpdateFrameCounter();
    void UpdateCategoryText(int effect);

    // ---- pending edits and keys ----
    // Ends a pending picture or text edit and acts on Enter, Escape or Delete; false
    // when it did not handle the key.
    bool FinishEdit(int key);
    // The view's look at every key before it is dispatched (Qt key code). True when
    // the key was used and must go no further.
    bool PreTranslateKey(int qtKey);

    // ---- history and the file being edited ----
    EditHistory& History() { return *history_; }
    // What changed since the last checkpoint becomes one undo step named `text`
    // (编辑 when none is given);
    // nothing while an edit is still under way (a drag, a text being typed, a
    // picture in hand, playback). Every entry point of the window ends with one.
    void Checkpoint(const QString& text = {});
    void Undo();
    void Redo();
    // Before the history moves: a pending edit is finished and playback stops, and
    // whatever changed becomes a step.
    void PrepareHistoryMove();
    bool CanUndo() const;
    bool CanRedo() const;
    // Unsaved changes: set by every edit, cleared by saving and by undoing back to
    // the saved state.
    bool Modified() const;
    // The scheme file the document was opened from or last saved to; empty for a
    // new document.
    QString FilePath() const { return filePath_; }
    // The file name the title shows: the file's, or "Tolvane" for a new document.
    QString DisplayName() const;
    // Before the document is replaced or the window closes: with unsaved changes
    // the user saves, discards or cancels. False when the user cancelled (or the
    // save did not happen), and nothing may be thrown away.
    bool MayDiscardChanges();
    // Puts the scheme in `path` in place as an unsaved new document (a recovery
    // copy); false when it cannot be read.
    bool RestoreRecoveryFile(const QString& path);
    // The scheme as it stands, written to `path` without touching the history or
    // the file name; false when it could not be written whole.
    bool WriteRecoveryFile(const QString& path) const;
    // Recent file i (0 is the most recent) opened after the save question; a file
    // that is gone is said so and leaves the list.
    void OpenRecentFile(int i);

    // ---- commands ----
    void NewDocument();
    // Replaces the animation and the background with the scheme in `path`. A file
    // that cannot be read leaves everything as it was and says so; false then.
    bool OpenSchemeFile(const QString& path);
    void FirstFrame();
    void PreviousFrame();
    void NextFrame();
    void LastFrame();
    // Frame n (1-based) current, as the navigation commands make a frame current.
    void GoToFrame(std::int32_t n);
    void AddFrame();
    void DeleteFrame();
    void CopyPreviousFrame();
    void CopyFrameN();
    // The frame with 1-based number n copied into the current one; nothing beyond
    // the list.
    void CopyFrameNumber(std::int32_t n);
    void BlackenRegions();
    void Refresh();
    void ApplyEffect(int effect);
    void ToggleLoopOption();
    void ToggleExpandOption();
    void ToggleMouseCapture();
    void ToggleDesignateBackground();
    void MoveObject(MoveDirection d);
    void MoveObjectTo(Point p);
    void StartMoveTo();
    void StartRotate();
    void ToggleSimulateMouse();
    // Tool command: `mode` if the edit layer accepts it; false (nothing sent) if not.
    bool ChooseTool(int mode, LayerRule rule);
    void ChooseEditLayer(int layer);
    // Playback resets the tools: mode 27, background layer, no pick, idle tool.
    void ResetToolsForPlayback();
    // A picked colour for the colour page: the next colour pick goes there.
    void RequestPickForPage();
    void SetMainColour(COLORREF c);
    void SetSecondColour(COLORREF c);
    void BringColourToFront(bool main);
    void SetTextFont(const LogFont& lf);

    // ---- files, background and picture in hand (DocumentFiles.cpp) ----
    void OpenScheme();
    void SaveScheme();
    // The scheme into `path`, the existing file kept as its backup first. Says
    // whether it was saved; on failure the previous file is as it was.
    bool SaveSchemeTo(const QString& path);
    void SavePicture();
    bool SavePictureTo(const QString& path);
    // The whole animation as a video: file, codec (for an AVI), then the export with
    // its progress; the first frame is current afterwards. Cancelling the file or the
    // codec changes nothing.
    void ExportVideo();
    // The current frame as the view shows it (background first), at the view's size.
    QImage ViewPicture() const;
    void ChooseBackground();
    // A picture file of any type the picture tool imports as the background. A file
    // that does not load keeps the background there was and says so; false then.
    bool SetBackgroundFile(const QString& path);
    void CancelBackground();
    // The picture in hand scaled by `factor`; nothing without one.
    void ZoomPicture(double factor);
    // The main colour becomes the transparent colour of the picture in hand, which
    // is then put down.
    void TransparentDisplay();

    // ---- region defaults, drawing style and text font (DocumentStyle.cpp) ----
    void GridCommand();
    // New regions take `counts`; the current rectangle region is regridded. False
    // (nothing changed) for counts a region cannot have.
    bool ApplyGrid(const GridCounts& counts);
    void ScaleCommand();
    void ApplyScale(int percent);
    // The property pages' values become the drawing tool's style for new shapes; a
    // line width of 0 is not taken.
    void ApplyProperties(const ShapeStyle& values);
    // The drawing tool's style onto every selected shape.
    void ApplyStyleToSelection();
    void SetTextFace(const QString& face);
    void SetTextSize(std::int32_t size);
    void ToggleTextBold();
    void ToggleTextItalic();
    void ToggleTextUnderline();

    // ---- the Position bar ----
    // A key typed in the bar's edit box holding `text`; true when it sent something.
    bool PositionKey(int qtKey, const QString& text);

    // ---- mouse, in view coordinates ----
    void OnLButtonDown(unsigned flags, Point p);
    void OnMouseMove(unsigned flags, Point p);
    void OnLButtonUp(unsigned flags, Point p);
    void OnLButtonDblClk(unsigned flags, Point p);
    // Escape during a band drag abandons it.
    void CancelBand();
    // The cursor for the view at the current tool mode.
    int ViewCursor() const;

    // ---- view state ----
    bool mouseCapture = true;
    Point textPosition;
    bool simulateMouse = false;
    bool designateBackground = false;
    int pictureEditState = 0;  // 0 none, 1 placing a new picture, 2 moving one
    int textEditState = 0;     // 0 none, 1 typing a new text, 2 editing one
    Point rubberBand;
    bool pictureDrag = false;
    bool loopOption = true;
    bool expandOption = false;
    bool paused = false;

    // ---- main window state ----
    int toolMode = ToolMode::NoOperation;
    int editLayer = LayerBackground;
    int textEntryFlag = 1;
    std::vector<Point> pointCollector;
    bool pickForPage = false;
    COLORREF mainColour = RGB(255, 0, 0);
    COLORREF secondColour = 0;
    bool mainInFront = true;
    // The parameter bar's inputs.
    QString rateText = QStringLiteral("10");
    bool loopPlayback = false;
    // The Position bar.
    PositionKind positionKind = PositionKind::None;
    // The text tool bar's current font.
    TextFont textFont;

signals:
    // The frame list or the current frame changed (counter, scroll bar).
    void FramesChanged();
    // The modified flag or the file name changed: the title follows.
    void TitleChanged();
    // A scheme was opened from or saved to `path`.
    void FileUsed(const QString& path);
    // The list of recent files changed.
    void RecentFilesChanged();

protected:
    bool event(QEvent* e) override;

private:
    // ShapeHost for the drawing tool: the view's screen image.
    std::unique_ptr<GdiDc> GetClientDc() override;
    void SetCapture() override;
    void ReleaseCapture() override;
    QObject* MessageTarget() override { return this; }
    ScrollSize GetScrollSize() const override;
    void InvalidateRect(const Rect& deviceRect) override;

    void HandleMessage(int message, std::int64_t wParam, std::int64_t lParam);
    void ToolChanged();
    // The drawing tool in the state the tool mode asks for.
    void SyncDrawTool();
    // Undo or redo put frames back: `index` is the frame to show.
    void HistoryApplied(std::int32_t index);
    // An edit is under way and is not a step yet.
    bool EditPending() const;
    void SetFilePath(const QString& path);
    // The text font changed: the in-place editor and the text tool bar follow.
    void TextFontChanged();
    // Before a command changes the current frame or the list: a playing effect
    // frame gets its own colours back.
    void LeaveEffectFrame();
    void AfterFrameMove();
    void ClearUnderBackground(QImage& screen) const;
    QSize ClientSize() const;
    Rect ClientRect() const;

    // Mouse handling by tool mode (DocumentMouse.cpp).
    void ArrowSelect(Point p);
    void ColourPick(Point p);
    void BandPress(Point p);
    void BandMove(Point p);
    void BandRelease(Point p);
    void BandDone(const Rect& r);
    void DrawBand();
    void RegionToolClick(Point p);
    void DrawRubberBand(Point to);
    void PaintCell(Point p, bool fill);
    void ImportPictureAt(Point p);
    void OpenNewText(Point p);
    void PictureHandleClick(Point p);
    void PictureMouseMove(unsigned flags, Point p);
    void RegionToolDoubleClick();
    void CommitPictureInHand();
    bool TakeTextIn(const Rect& r);
    bool TakePictureIn(const Rect& r);

    EditorUi* ui_ = nullptr;
    std::unique_ptr<EditorUi> ownUi_;
    // Created in this order; destroyed animation, drawing tool, background.
    std::unique_ptr<CKorDraw> drawTool_;
    std::unique_ptr<CNeonBkg> background_;
    std::unique_ptr<CNeonAv> animation_;
    std::unique_ptr<Player> player_;
    std::unique_ptr<EditHistory> history_;
    QString filePath_;
    bool mouseDown_ = false;

    // Region selection band (mode 2).
    bool bandActive_ = false;
    Point bandStart_;
    Point bandEnd_;
};

}  // namespace zv
