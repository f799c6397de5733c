#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoView>
#include <QUrl>

#include "app/AboutDialog.h"
#include "app/Choosers.h"
#include "app/DataFiles.h"
#include "app/Language.h"
#include "app/LockKeys.h"
#include "app/PaletteBar.h"
#include "app/ParamBar.h"
#include "app/PositionBar.h"
#include "app/VideoDialogs.h"
#include "app/ZorvaneView.h"
#include "dialogs/CopyFrameDialog.h"
#include "dialogs/GridDialog.h"
#include "dialogs/LinePropertySheet.h"
#include "dialogs/ScaleDialog.h"
#include "dialogs/TextToolBar.h"
#include "editor/Document.h"
#include "editor/EditHistory.h"
#include "editor/Player.h"
#include "editor/RecentFiles.h"
#include "gdi/HugePages.h"
#include "res/Resources.h"

namespace zv {

CMainFrame::CMainFrame() {
    setObjectName(QStringLiteral("mainframe"));
    setWindowTitle(QStringLiteral("Tolvane - Zorvane"));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    doc_ = std::make_unique<Document>();
    table_ = std::make_unique<CommandTable>(*doc_, *this);
    view_ = new CZorvaneView(*doc_, this);
    setCentralWidget(view_);
    // The window manager's icon is drawn from our SVG at several sizes: that waits
    // until the sign is on screen.
    connect(view_, &CZorvaneView::FirstPaint, this, [this] { setWindowIcon(AppIcon()); },
            Qt::QueuedConnection);

    BuildActions();
    BuildMenus();
    BuildBars();
    BuildStatusBar();
    BuildTextBar();
    BuildHistoryPanel();

    connect(doc_.get(), &Document::TitleChanged, this, &CMainFrame::UpdateTitle);
    // The list lives in the settings: read when it changes and when a menu opens,
    // not with every refresh of the commands (each frame while playing).
    connect(doc_.get(), &Document::RecentFilesChanged, this, &CMainFrame::UpdateRecentFiles);
    connect(&doc_->History().Stack(), &QUndoStack::indexChanged, this,
            &CMainFrame::RefreshCommands);
    recoveryTimer_.setInterval(60 * 1000);
    connect(&recoveryTimer_, &QTimer::timeout, this, &CMainFrame::RecoveryTick);
    recoveryTimer_.start();

    connect(&doc_->GetPlayer(), &Player::StateChanged, this, &CMainFrame::RefreshCommands);
    connect(doc_.get(), &Document::FramesChanged, this, &CMainFrame::RefreshUnlessPlaying);

    counterTimer_.setSingleShot(true);
    connect(&counterTimer_, &QTimer::timeout, this, [this] {
        counterShown_.start();
        param_->SetCounter(counter_.first, counter_.second);
    });
    frameTimer_.setSingleShot(true);
    frameTimer_.setInterval(1000);
    // The layout of the last run, or the first-start placement a second after start.
    if (RestoreWindowState()) {
        connect(&frameTimer_, &QTimer::timeout, this, [this] {
            PropertySheet()->show();
            PlacePropertySheet();
            RefreshCommands();
        });
    } else {
        connect(&frameTimer_, &QTimer::timeout, this, &CMainFrame::PlaceAtStart);
    }
    frameTimer_.start();
    doc_->pickForPage = false;

    doc_->SetUi(this);
    doc_->UpdateFrameCounter();
    doc_->DrawCurrentFrame(1);
    UpdateTitle();
    UpdateRecentFiles();
    RefreshCommands();
}

CMainFrame::~CMainFrame() {
    // The editor goes first: its drawing tool still talks to the view.
    doc_->GetPlayer().StopTimer();
    // The history's steps go with the editor: nothing of this window follows them.
    disconnect(&doc_->History().Stack(), nullptr, this, nullptr);
    disconnect(doc_.get(), nullptr, this, nullptr);
    disconnect(historyDock_, nullptr, this, nullptr);
    if (QWidget* view = historyDock_->widget()) {
        view->removeEventFilter(this);
        static_cast<QUndoView*>(view)->viewport()->removeEventFilter(this);
    }
    doc_->SetUi(nullptr);
}

QAction* CMainFrame::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::Bar(int id) const {
    auto it = bars_.find(id);
    return it == bars_.end() ? nullptr : it->second;
}

void CMainFrame::BuildActions() {
    for (const Command& c : table_->Commands()) {
        auto* a = new QAction(c.MenuText(), this);
        a->setObjectName(QString::number(c.id));
        a->setData(c.id);
        QList<QKeySequence> keys;
        if (!c.Shortcut().isEmpty()) keys.append(QKeySequence(c.Shortcut()));
        for (const QString& k : c.moreShortcuts) keys.append(QKeySequence(k));
        a->setShortcuts(keys);
        a->setStatusTip(c.StatusTip());
        a->setToolTip(c.ToolTip());
        a->setWhatsThis(c.StatusTip());
        a->setIconText(c.ToolTip());
        if (!c.icon.isEmpty()) a->setIcon(NamedIcon(c.icon));
        a->setCheckable(c.checkable);
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] {
            table_->Run(id);
            RefreshCommands();
        });
        actions_[c.id] = a;
    }
}

QMenu* CMainFrame::MenuFor(const QString& path) {
    if (auto it = menus_.find(path); it != menus_.end()) return it->second;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    QMenu* menu = nullptr;
    if (slash < 0) {
        menu = menuBar()->addMenu(path);
    } else {
        menu = MenuFor(path.left(slash))->addMenu(path.mid(slash + 1));
    }
    menu->setObjectName(path);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommands);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFiles);
    menus_[path] = menu;
    return menu;
}

void CMainFrame::BuildMenus() {
    for (const QString& top : table_->MenuOrder()) MenuFor(top);
    for (const Command& c : table_->Commands()) {
        if (c.menu.isEmpty()) continue;
        QMenu* menu = MenuFor(c.menu);
        // Exit closes the File menu, after a separator.
        if (c.id == 57665 || c.id == kRecentFileFirst) menu->addSeparator();
        menu->addAction(actions_[c.id]);
    }
}

QToolBar* CMainFrame::BuildToolBar(ToolBarId which, const QString& title, int controlId) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(title);
    bar->setAccessibleName(title);
    bar->setIconSize(QSize(24, 24));
    for (const ToolBarLayout& layout : table_->ToolBars()) {
        if (layout.bar != which) continue;
        for (int id : layout.ids) {
            if (id == 0)
                bar->addSeparator();
            else
                bar->addAction(actions_[id]);
        }
    }
    bars_[controlId] = bar;
    connect(bar, &QToolBar::visibilityChanged, this, &CMainFrame::RefreshCommands);
    return bar;
}

void CMainFrame::BuildBars() {
    QToolBar* standard =
        BuildToolBar(ToolBarId::Standard, QStringLiteral("standard"), BarId::Standard);
    addToolBar(Qt::TopToolBarArea, standard);

    param_ = new CDlgParamSet(*doc_, this);
    auto* paramBar = new QToolBar(QStringLiteral("param"), this);
    paramBar->setObjectName(QStringLiteral("param"));
    paramBar->setAccessibleName(tr("参数栏"));
    paramBar->addWidget(param_);
    bars_[BarId::Param] = paramBar;
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, paramBar);

    position_ = new CLocDlg(*doc_, this);
    auto* positionBar = new QToolBar(QStringLiteral("Position"), this);
    positionBar->setObjectName(QStringLiteral("Position"));
    positionBar->setAccessibleName(QStringLiteral("Position"));
    positionBar->addWidget(position_);
    bars_[BarId::Position] = positionBar;
    insertToolBar(paramBar, positionBar);
    positionBar->hide();

    QToolBar* tools = BuildToolBar(ToolBarId::Tools, QStringLiteral("tools"), BarId::Tools);
    tools->setOrientation(Qt::Vertical);
    addToolBar(Qt::LeftToolBarArea, tools);

    palette_ = new CPaletteBar(*doc_, this);
    auto* paletteBar = new QToolBar(QStringLiteral("palette"), this);
    paletteBar->setObjectName(QStringLiteral("palette"));
    paletteBar->setAccessibleName(tr("调色板"));
    paletteBar->addWidget(palette_);
    bars_[BarId::Palette] = paletteBar;
    // Beside the tools bar, so that the tools keep the whole height.
    addToolBarBreak(Qt::LeftToolBarArea);
    addToolBar(Qt::LeftToolBarArea, paletteBar);

    for (int id : {BarId::Param, BarId::Position, BarId::Palette})
        connect(bars_[id], &QToolBar::visibilityChanged, this, &CMainFrame::RefreshCommands);
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* s = statusBar();
    s->setObjectName(QStringLiteral("statusbar"));
    auto* ready = new QLabel(tr("就绪"), s);
    ready->setObjectName(QStringLiteral("ready"));
    s->addWidget(ready, 1);
    auto pane = [s](const QString& text, const QString& name, int width) {
        auto* l = new QLabel(text, s);
        l->setObjectName(name);
        l->setAccessibleName(name);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        if (width > 0) l->setMinimumWidth(width);
        l->setAlignment(Qt::AlignCenter);
        s->addPermanentWidget(l);
        return l;
    };
    pane(tr("位置"), QStringLiteral("0xE706"), 50);
    pane(QStringLiteral("X"), QStringLiteral("X"), 0);
    xPane_ = pane(QStringLiteral("0"), QStringLiteral("0xE707"), 75);
    pane(QStringLiteral("Y"), QStringLiteral("Y"), 0);
    yPane_ = pane(QStringLiteral("0"), QStringLiteral("0xE708"), 75);
    capsPane_ = pane(QString(), tr("大写"), 36);
    numPane_ = pane(QString(), tr("数字"), 36);
    scrollPane_ = pane(QString(), tr("滚动"), 36);
    UpdateLockPanes();
}

void CMainFrame::UpdateLockPanes() {
    const LockKeyState k = QueryLockKeys();
    capsPane_->setText(k.caps ? tr("大写") : QString());
    numPane_->setText(k.num ? tr("数字") : QString());
    scrollPane_->setText(k.scroll ? tr("滚动") : QString());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* e) {
    if (historyDock_ && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress)) {
        auto* view = static_cast<QUndoView*>(historyDock_->widget());
        if (watched == view || watched == view->viewport()) doc_->PrepareHistoryMove();
    }
    // Closing the sheet only hides it; the menu check follows.
    if (watched == sheet_ && (e->type() == QEvent::Hide || e->type() == QEvent::Show))
        QMetaObject::invokeMethod(this, &CMainFrame::RefreshCommands, Qt::QueuedConnection);
    return QMainWindow::eventFilter(watched, e);
}

void CMainFrame::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shownOnce_) return;
    shownOnce_ = true;
    // The window's image is made now, at the size it is shown at (the first paint
    // would make it the same), and its pages present in one go: filling it page fault
    // by page fault is a good part of the first paint's cost.
    if (QBackingStore* store = backingStore()) {
        if (store->size() != size()) store->resize(size());
        const QPaintDevice* device = store->paintDevice();
        if (device && device->devType() == QInternal::Image) {
            const auto* image = static_cast<const QImage*>(device);
            PopulatePages(image->constBits(), std::size_t(image->sizeInBytes()));
        }
    }
}

bool CMainFrame::event(QEvent* e) {
    if (e->type() == QEvent::KeyRelease || e->type() == QEvent::WindowActivate) UpdateLockPanes();
    return QMainWindow::event(e);
}

void CMainFrame::RefreshCommands() {
    for (const Command& c : table_->Commands()) {
        QAction* a = Action(c.id);
        if (!a) continue;
        a->setEnabled(table_->Enabled(c));
        if (c.checkable) a->setChecked(table_->Checked(c));
    }
    if (param_) param_->SyncLayer();
    if (textBar_) textBar_->Sync();
    if (palette_) palette_->update();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(doc_->DisplayName() + QStringLiteral("[*] - Zorvane"));
    setWindowModified(doc_->Modified());
}

void CMainFrame::UpdateRecentFiles() {
    const QStringList files = RecentFiles::Files();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* a = Action(kRecentFileFirst + i);
        if (!a) continue;
        const bool used = i < files.size();
        a->setVisible(used);
        if (!used) continue;
        // "&1 name.zrx", the whole path in the status bar.
        QString name = QFileInfo(files[i]).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        a->setStatusTip(files[i]);
        a->setToolTip(files[i]);
    }
}

void CMainFrame::BuildHistoryPanel() {
    historyDock_ = new QDockWidget(tr("历史记录"), this);
    historyDock_->setObjectName(QStringLiteral("history"));
    auto* view = new QUndoView(&doc_->History().Stack(), historyDock_);
    view->setEmptyLabel(tr("<打开或新建>"));
    view->setObjectName(QStringLiteral("historyView"));
    historyDock_->setWidget(view);
    addDockWidget(Qt::RightDockWidgetArea, historyDock_);
    historyDock_->hide();
    connect(historyDock_, &QDockWidget::visibilityChanged, this, &CMainFrame::RefreshCommands);
    // A click in the history moves through the steps as undo and redo do: whatever
    // is under way becomes a step first.
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
}

SaveAnswer CMainFrame::AskSaveChanges(const QString& name) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Zorvane"),
                    tr("方案 %1 已修改。\n是否保存修改?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(tr("保存(&S)"));
    box.button(QMessageBox::Discard)->setText(tr("不保存(&N)"));
    box.button(QMessageBox::Cancel)->setText(tr("取消"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    if (!doc_->MayDiscardChanges()) {
        e->ignore();
        return;
    }
    recoveryTimer_.stop();
    if (const QString path = RecoveryFilePath(); !path.isEmpty()) QFile::remove(path);
    SaveWindowState();
    e->accept();
}

void CMainFrame::RecoveryTick() {
    const QString path = RecoveryFilePath();
    if (path.isEmpty()) return;
    if (!doc_->Modified()) {
        QFile::remove(path);
        recoveryMark_ = {};
        return;
    }
    // A large scheme is not written again while no step was added or taken back.
    const QUndoStack& steps = doc_->History().Stack();
    const RecoveryMark mark{steps.index(),
                            steps.index() > 0 ? steps.command(steps.index() - 1) : nullptr};
    if (mark == recoveryMark_ && QFileInfo::exists(path)) return;
    if (doc_->WriteRecoveryFile(path)) recoveryMark_ = mark;
}

bool CMainFrame::OfferRecovery() {
    const QString path = RecoveryFilePath();
    if (path.isEmpty() || !QFileInfo::exists(path)) return false;
    const auto answer =
        QMessageBox::question(this, QStringLiteral("Zorvane"),
                              tr("上次运行没有正常结束，留下了未保存的修改。\n是否恢复?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        QFile::remove(path);
        return false;
    }
    if (!doc_->RestoreRecoveryFile(path)) return false;
    RefreshCommands();
    return true;
}

namespace {
const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kStateKey = QStringLiteral("window/state");
}  // namespace

bool CMainFrame::RestoreWindowState() {
    const QSettings settings;
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) return false;
    restoreState(settings.value(kStateKey).toByteArray());
    return true;
}

void CMainFrame::SaveWindowState() const {
    QSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kStateKey, saveState());
}

void CMainFrame::PlaceAtStart() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const int w = avail.width() / 4 * 3;
    const int h = avail.height() / 4 * 3;
    setGeometry(avail.left() + w / 6, avail.top() + h / 6, w, h);
    showMaximized();
    // Shown first: its size, frame included, is known only then.
    PropertySheet()->show();
    PlacePropertySheet();
    RefreshCommands();
}

void CMainFrame::PlacePropertySheet() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    // The screen size as four thirds of the three-quarter size, as the frame's own
    // placement computes it.
    const int w = avail.width() / 4 * 3 * 4 / 3;
    const int h = avail.height() / 4 * 3 * 4 / 3;
    const QSize size = PropertySheet()->frameGeometry().size();
    sheet_->move(avail.left() + w - size.width(), avail.top() + h - size.height() * 6 / 5);
}

void CMainFrame::BuildTextBar() {
    QList<QAction*> toggles;
    for (const ToolBarLayout& layout : table_->ToolBars())
        if (layout.bar == ToolBarId::Text)
            for (int id : layout.ids)
                if (QAction* a = Action(id)) toggles << a;
    textBar_ = new CTextToolBar(*doc_, toggles, this);
    bars_[BarId::TextBar] = textBar_;
    insertToolBar(bars_[BarId::Param], textBar_);
    textBar_->hide();
    connect(textBar_, &QToolBar::visibilityChanged, this, &CMainFrame::RefreshCommands);
}

CLinePropertySheet* CMainFrame::PropertySheet() {
    // Made when first wanted (it shows a second after start), not before the window
    // is first on screen. It reads the editor's style as it is then.
    if (!sheet_) {
        // The chooser is looked up when the button is pressed, so that tests can put
        // their own in place at any time.
        sheet_ = new CLinePropertySheet(
            *doc_,
            [](QWidget* parent, const QColor& initial) {
                return AppChoosers().colour(parent, initial);
            },
            this);
        sheet_->installEventFilter(this);
    }
    return sheet_;
}

// ---- EditorUi ----

QImage& CMainFrame::Screen() {
    return view_->Screen();
}

void CMainFrame::ScreenChanged() {
    view_->update();
    RefreshUnlessPlaying();
}

void CMainFrame::RefreshUnlessPlaying() {
    // Each played frame changes the screen and the counter; the commands follow when
    // playback stops (the player says so), and a menu refreshes them as it opens.
    if (doc_->GetPlayer().TimerRunning()) return;
    RefreshCommands();
}

void CMainFrame::SetMouseCapture(bool on) {
    view_->SetMouseCapture(on);
}

void CMainFrame::SetViewCursor(int cursorId) {
    view_->SetToolCursor(cursorId);
}

void CMainFrame::OpenTextEditor(Point at, const QFont& font, const QString& text) {
    view_->OpenTextEditor(at, font, text);
}

QString CMainFrame::TextEditorText() const {
    return view_->TextEditorText();
}

void CMainFrame::MoveTextEditor(Point at) {
    view_->MoveTextEditor(at);
}

void CMainFrame::SetTextEditorFont(const QFont& font) {
    view_->SetTextEditorFont(font);
}

void CMainFrame::CloseTextEditor() {
    view_->CloseTextEditor();
}

COLORREF CMainFrame::PickColour(Point p) {
    // Screen capture reads any pixel of the desktop where the platform allows it;
    // elsewhere (Wayland, offscreen) the view's own picture is what there is to read.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
        platform == QLatin1String("cocoa")) {
        const QPoint global = QCursor::pos();
        if (QScreen* s = QGuiApplication::screenAt(global)) {
            const QPoint local = global - s->geometry().topLeft();
            const QImage grab = s->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
            if (!grab.isNull() && grab.width() >= 1 && grab.height() >= 1) {
                const QRgb c = grab.pixel(0, 0);
                return RGB(qRed(c), qGreen(c), qBlue(c));
            }
        }
    }
    return EditorUi::PickColour(p);
}

void CMainFrame::SimulateClicks(Point p, int pairs) {
    view_->PostClicks(p, pairs);
}

void CMainFrame::ShowFrameCounter(int count, int index) {
    // Repainting the counter and the position bar with every played frame (up to 50 a
    // second) cost a tenth of playback's processor time, faster than anyone reads
    // them: while playing they show where the sign is ten times a second, and the
    // latest position always follows within that time.
    constexpr int kPlayingInterval = 100;
    counter_ = {count, index};
    if (doc_->GetPlayer().TimerRunning() && counterShown_.isValid() &&
        counterShown_.elapsed() < kPlayingInterval) {
        if (!counterTimer_.isActive())
            counterTimer_.start(int(kPlayingInterval - counterShown_.elapsed()));
        return;
    }
    counterTimer_.stop();
    counterShown_.start();
    param_->SetCounter(count, index);
}

void CMainFrame::SetCategoryText(const QString& text) {
    param_->SetCategoryText(text);
}

void CMainFrame::ShowMousePoint(int x, int y) {
    xPane_->setText(QString::number(x));
    yPane_->setText(QString::number(y));
}

void CMainFrame::StateChanged() {
    RefreshCommands();
    view_->SetToolCursor(doc_->ViewCursor());
}

void CMainFrame::ShowPositionBar(bool show) {
    if (QToolBar* bar = Bar(BarId::Position)) bar->setVisible(show);
}

void CMainFrame::ClearPositionText() {
    position_->Edit()->clear();
}

void CMainFrame::FocusPositionBar() {
    position_->Edit()->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::ShowMessage(const QString& text, const QString& caption, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                    : icon == MessageIcon::Warning   ? QMessageBox::Warning
                                                     : QMessageBox::Critical,
                    caption, text, QMessageBox::Ok, this);
    box.exec();
}

std::optional<QString> CMainFrame::AskCopyFrameNumber() {
    CopyFrameDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.FrameText();
}

void CMainFrame::ShowTextToolBar(bool show) {
    textBar_->setVisible(show);
}

void CMainFrame::HidePropertySheet() {
    if (sheet_) sheet_->hide();
    RefreshCommands();
}

void CMainFrame::DeliverPickedColour(COLORREF colour) {
    PropertySheet()->TakePickedColour(colour);
}

QString CMainFrame::ChooseFile(FileChoice kind) {
    const FileDialogSetup& setup = DialogSetupOf(kind);
    if (kind == FileChoice::SaveVideo) {
        // The format follows the filter when the name has no video extension of its own.
        QString filter = setup.filter.section(QStringLiteral(";;"), 0, 0);
        const QString path = AppChoosers().saveFileWithFilter(
            this, setup.caption, setup.defaultName, setup.filter, &filter);
        return VideoPathForFilter(path, filter);
    }
    return setup.save
               ? AppChoosers().saveFile(this, setup.caption, setup.defaultName, setup.filter)
               : AppChoosers().openFile(this, setup.caption, setup.defaultName, setup.filter);
}

std::optional<GridCounts> CMainFrame::AskGridCounts(const GridCounts& current) {
    GridDialog dialog(current, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Counts();
}

std::optional<int> CMainFrame::AskScalePercent(int percent) {
    ScaleDialog dialog(percent, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Percent();
}

std::optional<VideoCodec> CMainFrame::AskVideoCodec(const std::vector<VideoCodec>& offered) {
    return zv::AskVideoCodec(this, offered);
}

void CMainFrame::RunVideoExport(VideoExport& job) {
    zv::RunVideoExport(this, job);
}

void CMainFrame::ShowStatus(const QString& text) {
    statusBar()->showMessage(text, 10000);
}

int CMainFrame::DisplayDepth() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->depth() : 32;
}

QString CMainFrame::ChoosePictureFile() {
    return AppChoosers().openFile(
        this, tr("导入图片"), QString(),
        QStringLiteral("Picture Files (*.bmp *.dib *.emf *.gif *.ico *.jpg *.jpeg *.wmf);;"
                       "BMP (*.bmp);;DIB (*.dib);;EMF (*.emf);;GIF (*.gif);;ICO (*.ico);;"
                       "JPG (*.jpg *.jpeg);;WMF (*.wmf);;All Files (*)"));
}

namespace {

// While a long task runs inside a command, the user's input goes only to its
// progress dialog: the editor is in the middle of that command.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget* allowed) : allowed_(allowed) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::Wheel:
            case QEvent::ContextMenu: {
                auto* w = qobject_cast<QWidget*>(watched);
                const bool inside = w && allowed_ && (w == allowed_ || allowed_->isAncestorOf(w));
                return !inside;
            }
            default:
                return false;
        }
    }

private:
    QPointer<QWidget> allowed_;
};

}  // namespace

PictureResult CMainFrame::ImportPicture(const QString& path) {
    PictureImport import;
    std::optional<PictureResult> result;
    QEventLoop loop;
    connect(&import, &PictureImport::finished, &loop, [&](const PictureResult& r) {
        result = r;
        loop.quit();
    });
    // A busy cursor at once; the dialog with its Cancel button once the import has
    // taken half a second.
    QProgressDialog progress(tr("正在导入图片 %1 ...").arg(QFileInfo(path).fileName()), tr("取消"),
                             0, 0, this);
    progress.setObjectName(QStringLiteral("import-progress"));
    progress.setWindowTitle(tr("导入图片"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    connect(&progress, &QProgressDialog::canceled, &import, &PictureImport::Cancel);
    const InputBlocker blocker(&progress);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    import.Start(path);
    progress.setValue(0);
    if (!result) loop.exec();
    QApplication::restoreOverrideCursor();
    return result ? *result : PictureResult{};
}

// ---- AppCommands ----

void CMainFrame::Exit() {
    close();
}

void CMainFrame::About() {
    AboutDialog dialog(this);
    dialog.exec();
}

void CMainFrame::Help() {
    // The guide in the desktop's browser: installed, or where the build tree made it.
    const QString guide = DataFile(QStringLiteral("help/user-guide.html"));
    if (guide.isEmpty()) {
        ShowMessage(tr("找不到使用说明 (share/zorvane/help/user-guide.html)。"),
                    QStringLiteral("Zorvane"), MessageIcon::Warning);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
        ShowMessage(tr("无法打开使用说明 %1。").arg(guide), QStringLiteral("Zorvane"),
                    MessageIcon::Warning);
}

void CMainFrame::ChooseLanguage(const QString& choice) {
    if (choice == ChosenLanguage()) return;
    StoreLanguageChoice(choice);
    language_ = StoredLanguageChoice();
    RefreshCommands();
    ShowMessage(tr("界面语言将在 Zorvane 下次启动时更改。"), QStringLiteral("Zorvane"),
                MessageIcon::Information);
}

QString CMainFrame::ChosenLanguage() const {
    // Read once: the menu asks for every language item each time the commands are
    // refreshed, and reading the settings file each time was most of that.
    if (language_.isEmpty()) language_ = StoredLanguageChoice();
    return language_;
}

void CMainFrame::ToggleBar(int id) {
    if (id == kHistoryPanelId) {
        historyDock_->setVisible(!historyDock_->isVisible());
        RefreshCommands();
        return;
    }
    if (id == kPropertySheetId) {
        CLinePropertySheet* sheet = PropertySheet();
        sheet->setVisible(!sheet->isVisible());
        RefreshCommands();
        return;
    }
    if (id == BarId::StatusBar) {
        statusBar()->setVisible(!statusBar()->isVisible());
        RefreshCommands();
        return;
    }
    if (QToolBar* bar = Bar(id)) bar->setVisible(!bar->isVisible());
    RefreshCommands();
}

bool CMainFrame::BarVisible(int id) const {
    if (id == kHistoryPanelId) return historyDock_ && historyDock_->isVisibleTo(this);
    if (id == kPropertySheetId) return sheet_ && sheet_->isVisible();
    if (id == BarId::StatusBar) return statusBar()->isVisibleTo(this);
    const QToolBar* bar = Bar(id);
    return bar && bar->isVisibleTo(this);
}

}  // namespace zv
