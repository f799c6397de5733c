// No lost work in the window: the title and its modified mark, the save question
// before New, Open, close and Exit (Cancel keeps everything), the recovery copy
// written, offered and removed, the recent files of the File menu, the window's
// layout kept for the next start, and the Edit menu with its history panel.

#include <QBuffer>
#include <QDateTime>
#include <QDockWidget>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUndoStack>

#include "WindowFixture.h"
#include "editor/EditHistory.h"
#include "editor/RecentFiles.h"

namespace zv {
namespace {

class FileSafetyTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        QFile::remove(RecoveryFilePath());
        WindowTest::TearDown();
        QSettings().clear();
    }
    // One edit: a region drawn with the rectangle tool.
    void Edit() {
        Trigger(32923);
        Click(20, 20);
        Click(260, 40);
    }
    // The next question box is answered with `button`.
    void Answer(QMessageBox::StandardButton button) {
        OnNextModal([button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            box->button(button)->click();
        });
    }
    // Saves through the editor, closing its "saved" message.
    bool Save(const QString& path) {
        OnNextModal();
        return doc->SaveSchemeTo(path);
    }
    // The question is answered with Save and the "saved" message that follows is
    // closed.
    void AnswerSave() {
        OnNextModal([this](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            OnNextModal();
            box->button(QMessageBox::Save)->click();
        });
    }
    QString Scheme(const char* name) { return QDir(dir.path()).filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
};

TEST_F(FileSafetyTest, TitleShowsTheFileAndTheModifiedMark) {
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tolvane[*] - Zorvane"));
    EXPECT_FALSE(frame->isWindowModified());
    Edit();
    EXPECT_TRUE(frame->isWindowModified());
    ASSERT_TRUE(Save(Scheme("sign.zrx")));
    Pump();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("sign.zrx[*] - Zorvane"));
    EXPECT_FALSE(frame->isWindowModified());
    Click(20, 60);  // a second region
    Click(260, 80);
    EXPECT_TRUE(frame->isWindowModified());
    Trigger(kUndoId);
    EXPECT_FALSE(frame->isWindowModified());
    Trigger(kRedoId);
    EXPECT_TRUE(frame->isWindowModified());
}

TEST_F(FileSafetyTest, EditMenuKeysBarButtonsAndHistoryPanel) {
    QAction* undo = frame->Action(kUndoId);
    QAction* redo = frame->Action(kRedoId);
    ASSERT_TRUE(undo && redo);
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(redo->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                   QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    EXPECT_EQ(frame->Action(57665)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_TRUE(frame->Bar(59392)->actions().contains(undo));
    EXPECT_TRUE(frame->Bar(59392)->actions().contains(redo));
    EXPECT_FALSE(undo->isEnabled());
    Edit();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    // The keys reach the commands from the view.
    const int regions = int(Ring<CNeonRegion>::Count(Frame()->regions.get()));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    Pump();
    EXPECT_EQ(int(Ring<CNeonRegion>::Count(Frame()->regions.get())), regions - 1);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Pump();
    EXPECT_EQ(int(Ring<CNeonRegion>::Count(Frame()->regions.get())), regions);

    EXPECT_FALSE(frame->HistoryPanel()->isVisible());
    Trigger(kHistoryPanelId);
    EXPECT_TRUE(frame->HistoryPanel()->isVisible());
    EXPECT_TRUE(frame->Action(kHistoryPanelId)->isChecked());
    EXPECT_EQ(doc->History().Stack().text(0), QStringLiteral("编辑区域"));
}

TEST_F(FileSafetyTest, CloseAndExitAskAndCancelKeepsEverything) {
    Edit();
    const QByteArray before = FrameKey(*Frame());
    OnNextModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("方案 Tolvane 已修改。\n是否保存修改?"));
        EXPECT_EQ(box->button(QMessageBox::Discard)->text(), QStringLiteral("不保存(&N)"));
        box->button(QMessageBox::Cancel)->click();
    });
    Trigger(57665);  // Exit
    EXPECT_TRUE(frame->isVisible());
    Answer(QMessageBox::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(FrameKey(*Frame()), before);
    EXPECT_TRUE(doc->CanUndo());
    // Discard closes.
    Answer(QMessageBox::Discard);
    EXPECT_TRUE(frame->close());
}

TEST_F(FileSafetyTest, NewAndOpenAskAndSaveWritesFirst) {
    Edit();
    Answer(QMessageBox::Cancel);
    Trigger(57600);
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(Ring<CNeonRegion>::Count(Frame()->regions.get()), 1u);
    const QString path = Scheme("kept.zrx");
    const auto choose = [path](QWidget*, const QString&, const QString&, const QString&) {
        return path;
    };
    AppChoosers().openFile = choose;
    AppChoosers().saveFile = choose;
    AnswerSave();
    Trigger(57601);  // Open: saved first, then the chosen file (the same) opens
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(doc->Modified());
    EXPECT_EQ(Ring<CNeonRegion>::Count(Frame()->regions.get()), 1u);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("kept.zrx[*] - Zorvane"));
}

TEST_F(FileSafetyTest, RecoveryCopyIsWrittenOfferedAndRemoved) {
    const QString recovery = RecoveryFilePath();
    ASSERT_FALSE(recovery.isEmpty());
    EXPECT_FALSE(recovery.startsWith(dir.path()));
    EXPECT_EQ(frame->RecoveryTimer().interval(), 60 * 1000);
    EXPECT_TRUE(frame->RecoveryTimer().isActive());
    // Nothing to keep yet.
    frame->RecoveryTimer().setInterval(1);
    QTest::qWait(30);
    EXPECT_FALSE(QFile::exists(recovery));
    Edit();
    QTest::qWait(30);
    ASSERT_TRUE(QFile::exists(recovery));
    frame->RecoveryTimer().stop();
    QByteArray expected;
    {
        QBuffer b(&expected);
        b.open(QIODevice::WriteOnly);
        Av().SaveScheme(b, *doc->Background());
    }
    QFile f(recovery);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);
    f.close();
    // Written again only after a further step.
    const QDateTime written = QFileInfo(recovery).lastModified();
    frame->RecoveryTimer().start();
    QTest::qWait(30);
    EXPECT_EQ(QFileInfo(recovery).lastModified(), written);
    Click(20, 60);  // a second region
    Click(260, 80);
    QTest::qWait(30);
    frame->RecoveryTimer().stop();
    EXPECT_GT(QFileInfo(recovery).size(), expected.size());

    // The run "crashes": the next window offers the copy.
    frame.reset();
    frame = std::make_unique<CMainFrame>();
    frame->SkipStartPlacement();
    frame->show();
    view = frame->View();
    doc = &frame->Doc();
    Answer(QMessageBox::Yes);
    ASSERT_TRUE(frame->OfferRecovery());
    EXPECT_EQ(Ring<CNeonRegion>::Count(Frame()->regions.get()), 2u);
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tolvane[*] - Zorvane"));
    // A clean exit removes it.
    Answer(QMessageBox::Discard);
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(QFile::exists(recovery));
    // Declining the offer removes it too.
    ASSERT_TRUE(doc->WriteRecoveryFile(recovery));
    Answer(QMessageBox::No);
    EXPECT_FALSE(frame->OfferRecovery());
    EXPECT_FALSE(QFile::exists(recovery));
}

TEST_F(FileSafetyTest, RecentFilesInOrderAndLimitedToFour) {
    const char* names[] = {"a.zrx", "b.zrx", "c.zrx", "d.zrx", "e.zrx"};
    for (const char* n : names) ASSERT_TRUE(Save(Scheme(n)));
    ASSERT_TRUE(doc->OpenSchemeFile(Scheme("b.zrx")));
    frame->RefreshCommands();
    const QStringList expected = {Scheme("b.zrx"), Scheme("e.zrx"), Scheme("d.zrx"),
                                  Scheme("c.zrx")};
    EXPECT_EQ(RecentFiles::Files(), expected);
    const char* shown[] = {"&1 b.zrx", "&2 e.zrx", "&3 d.zrx", "&4 c.zrx"};
    for (int i = 0; i < 4; ++i) {
        QAction* a = frame->Action(kRecentFileFirst + i);
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE(a->isVisible());
        EXPECT_EQ(a->text(), QString::fromUtf8(shown[i]));
    }
    // The third entry opens d.zrx and moves it to the front.
    Trigger(kRecentFileFirst + 2);
    EXPECT_EQ(doc->FilePath(), Scheme("d.zrx"));
    EXPECT_EQ(RecentFiles::Files().value(0), Scheme("d.zrx"));
    // A file that went is said so and leaves the list.
    QFile::remove(Scheme("c.zrx"));
    OnNextModal();
    Trigger(kRecentFileFirst + 3);
    EXPECT_EQ(RecentFiles::Files().size(), 3);
    EXPECT_FALSE(frame->Action(kRecentFileFirst + 3)->isVisible());
}

TEST_F(FileSafetyTest, WindowLayoutIsRestoredAtTheNextStart) {
    // Nothing stored: the first-start placement is due.
    EXPECT_FALSE(frame->RestoreWindowState());
    frame->resize(1250, 640);
    frame->Bar(32779)->hide();  // the tools bar
    Pump();
    const QSize kept = frame->size();
    ASSERT_EQ(kept.height(), 640);
    ASSERT_TRUE(frame->close());
    frame = std::make_unique<CMainFrame>();
    frame->show();
    Pump();
    EXPECT_EQ(frame->size(), kept);
    EXPECT_FALSE(frame->Bar(32779)->isVisible());
    EXPECT_TRUE(frame->Bar(59392)->isVisible());
}

}  // namespace
}  // namespace zv
