#pragma once
// The main window: menus and tool bars built from the command table, the view, the
// palette, parameter and Position bars and the status bar. It shows the editor's
// state and opens the dialogs the editor asks for.

#include <QMainWindow>
#include <QElapsedTimer>
#include <QTimer>

#include <map>
#include <memory>

#include "editor/CommandTable.h"
#include "editor/EditorUi.h"

class QDockWidget;
class QLabel;
class QToolBar;
class QAction;
class QMenu;

namespace zv {

class CDlgParamSet;
class CLinePropertySheet;
class CLocDlg;
class CTextToolBar;
class CPaletteBar;
class CZorvaneView;
class Document;

// Control ids of the bars, as the View menu names them.
namespace BarId {
constexpr int Standard = 59392;
constexpr int StatusBar = 59393;
constexpr int Tools = 32779;
constexpr int Palette = 32783;
constexpr int Param = 32802;
constexpr int Position = 32931;
constexpr int TextBar = 215;
}  // namespace BarId

class CMainFrame : public QMainWindow, public EditorUi, public AppCommands {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    Document& Doc() { return *doc_; }
    CommandTable& Table() { return *table_; }
    CZorvaneView* View() const { return view_; }
    CDlgParamSet* ParamBar() const { return param_; }
    CPaletteBar* PaletteBar() const { return palette_; }
    CLocDlg* PositionBar() const { return position_; }
    // The property sheet, made on first use.
    CLinePropertySheet* PropertySheet();
    CTextToolBar* TextBar() const { return textBar_; }
    QAction* Action(int id) const;
    QToolBar* Bar(int id) const;
    QLabel* XPane() const { return xPane_; }
    QLabel* YPane() const { return yPane_; }

    // Enabled and checked states follow the document.
    void RefreshCommands();
    // The first-start placement: three quarters of the screen, centred, then
    // maximised.
    void PlaceAtStart();
    // Tests keep the window where they put it.
    void SkipStartPlacement() { frameTimer_.stop(); }
    // The size, position and bar layout of the last run, when the settings hold
    // them; false at the first start.
    bool RestoreWindowState();
    void SaveWindowState() const;
    // At start: a recovery copy left by a run that did not end cleanly is offered;
    // true when it was restored.
    bool OfferRecovery();
    // Every 60 seconds: while there are unsaved changes their copy is written to
    // the recovery file; without changes the file goes.
    void RecoveryTick();
    QTimer& RecoveryTimer() { return recoveryTimer_; }
    QDockWidget* HistoryPanel() const { return historyDock_; }
    SaveAnswer AskSaveChanges(const QString& name) override;

    // ---- EditorUi ----
    QImage& Screen() override;
    void ScreenChanged() override;
    void SetMouseCapture(bool on) override;
    void SetViewCursor(int cursorId) override;
    void OpenTextEditor(Point at, const QFont& font, const QString& text) override;
    QString TextEditorText() const override;
    void MoveTextEditor(Point at) override;
    void SetTextEditorFont(const QFont& font) override;
    void CloseTextEditor() override;
    COLORREF PickColour(Point p) override;
    void SimulateClicks(Point p, int pairs) override;
    void ShowFrameCounter(int count, int index) override;
    void SetCategoryText(const QString& text) override;
    void ShowMousePoint(int x, int y) override;
    void StateChanged() override;
    void ShowPositionBar(bool show) override;
    void ClearPositionText() override;
    void FocusPositionBar() override;
    void ShowMessage(const QString& text, const QString& caption, MessageIcon icon) override;
    std::optional<QString> AskCopyFrameNumber() override;
    QString ChoosePictureFile() override;
    PictureResult ImportPicture(const QString& path) override;
    void ShowTextToolBar(bool show) override;
    void HidePropertySheet() override;
    void DeliverPickedColour(COLORREF colour) override;
    QString ChooseFile(FileChoice kind) override;
    std::optional<GridCounts> AskGridCounts(const GridCounts& current) override;
    std::optional<int> AskScalePercent(int percent) override;
    int DisplayDepth() const override;
    std::optional<VideoCodec> AskVideoCodec(const std::vector<VideoCodec>& offered) override;
    void RunVideoExport(VideoExport& job) override;
    void ShowStatus(const QString& text) override;

    // ---- AppCommands ----
    void Exit() override;
    void About() override;
    void Help() override;
    void ToggleBar(int id) override;
    bool BarVisible(int id) const override;
    void ChooseLanguage(const QString& choice) override;
    QString ChosenLanguage() const override;

protected:
    bool event(QEvent* e) override;
    // Unsaved changes are asked about first; a clean exit removes the recovery copy
    // and keeps the window's layout for the next start.
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The first show readies the memory the first paint fills.
    void showEvent(QShowEvent* e) override;

private:
    void BuildActions();
    void BuildMenus();
    QToolBar* BuildToolBar(ToolBarId bar, const QString& title, int controlId);
    void BuildBars();
    void BuildStatusBar();
    void BuildTextBar();
    // The sheet at the lower right of the screen, keeping its size.
    void PlacePropertySheet();
    QMenu* MenuFor(const QString& path);
    void UpdateLockPanes();
    void UpdateTitle();
    void UpdateRecentFiles();
    void RefreshUnlessPlaying();
    void BuildHistoryPanel();

    std::unique_ptr<Document> doc_;
    std::unique_ptr<CommandTable> table_;
    CZorvaneView* view_ = nullptr;
    CDlgParamSet* param_ = nullptr;
    CPaletteBar* palette_ = nullptr;
    CLocDlg* position_ = nullptr;
    CLinePropertySheet* sheet_ = nullptr;
    CTextToolBar* textBar_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QToolBar*> bars_;
    std::map<QString, QMenu*> menus_;
    QLabel* xPane_ = nullptr;
    QLabel* yPane_ = nullptr;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrollPane_ = nullptr;
    QTimer frameTimer_;
    QTimer recoveryTimer_;
    // While playing, the counter and position bar are shown at most ten times a second.
    bool shownOnce_ = false;
    mutable QString language_;  // the stored language choice, once read
    QTimer counterTimer_;
    QElapsedTimer counterShown_;
    std::pair<int, int> counter_{0, 0};
    // The history's place when the recovery copy was last written.
    struct RecoveryMark {
        int index = -1;
        const void* step = nullptr;
        bool operator==(const RecoveryMark&) const = default;
    };
    RecoveryMark recoveryMark_;
    QDockWidget* historyDock_ = nullptr;
};

}  // namespace zv
