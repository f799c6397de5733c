// The window's file commands, property sheet, text tool bar and grid and scale
// dialogs, driven through its actions with the choosers replaced.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

#include "app/Choosers.h"
#include "app/MainFrame.h"
#include "app/ZorvaneView.h"
#include "dialogs/LinePropertySheet.h"
#include "dialogs/TextToolBar.h"
#include "editor/Document.h"
#include "layers/NeonRegion.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"

namespace zv {
namespace {

// Runs `act` on the next modal window that opens (a message box or one of our
// dialogs: never a native file dialog, those are replaced by choosers).
void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start(5);
}

void CloseMessage(QString* text) {
    WhenModal([text](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            if (text) *text = box->text();
            box->accept();
        } else {
            w->close();
        }
    });
}

class DialogsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        saved = AppChoosers();
        frame = std::make_unique<CMainFrame>();
        frame->resize(900, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override {
        frame.reset();
        AppChoosers() = saved;
    }
    void Trigger(int id) {
        QAction* a = frame->Action(id);
        ASSERT_NE(a, nullptr) << id;
        a->trigger();
    }

    Choosers saved;
    std::unique_ptr<CMainFrame> frame;
    QTemporaryDir dir;
};

TEST_F(DialogsWindow, TextBarHiddenUntilATextIsTyped) {
    QToolBar* bar = frame->Bar(BarId::TextBar);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, frame->TextBar());
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("文字工具条"));
    EXPECT_FALSE(bar->isVisible());
    // Bold, italic and underline lead the bar, then the two lists.
    const QList<QAction*> actions = bar->actions();
    ASSERT_GE(actions.size(), 3);
    EXPECT_EQ(actions[0], frame->Action(32848));
    EXPECT_EQ(actions[1], frame->Action(32849));
    EXPECT_EQ(actions[2], frame->Action(32850));

    Document& doc = frame->Doc();
    doc.ChooseEditLayer(LayerText);
    ASSERT_TRUE(doc.ChooseTool(ToolMode::Text, LayerRule::Text));
    QTest::mouseClick(frame->View(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(bar->isVisible());
    Trigger(32848);
    EXPECT_TRUE(frame->Action(32848)->isChecked());
    EXPECT_EQ(doc.textFont.Description().lfWeight, 700);
    frame->TextBar()->SizeList()->setCurrentIndex(23);
    emit frame->TextBar()->SizeList()->activated(23);
    EXPECT_EQ(doc.textFont.Description().lfHeight, 360);
    QTest::keyClick(frame->View(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(DialogsWindow, PropertySheetToggledByItsCommand) {
    CLinePropertySheet* sheet = frame->PropertySheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(frame->Action(32921)->isChecked());
    Trigger(32921);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(frame->Action(32921)->isChecked());
    sheet->close();
    QApplication::processEvents();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(frame->PropertySheet(), sheet);
    EXPECT_FALSE(frame->Action(32921)->isChecked());
    Trigger(32921);
    EXPECT_TRUE(sheet->isVisible());
    // Playback hides it.
    frame->Doc().ResetToolsForPlayback();
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(DialogsWindow, FirstPlacementPutsTheSheetAtTheLowerRight) {
    frame->PlaceAtStart();
    CLinePropertySheet* sheet = frame->PropertySheet();
    EXPECT_TRUE(sheet->isVisible());
    const QRect avail = frame->screen()->availableGeometry();
    const QSize size = sheet->frameGeometry().size();
    EXPECT_EQ(sheet->frameGeometry().left(),
              avail.left() + avail.width() / 4 * 3 * 4 / 3 - size.width());
    EXPECT_EQ(sheet->frameGeometry().top(),
              avail.top() + avail.height() / 4 * 3 * 4 / 3 - size.height() * 6 / 5);
}

TEST_F(DialogsWindow, SavePictureWritesWhatTheViewShows) {
    CNeonFrame* f = frame->Doc().CurrentFrame();
    f->AddRectRegion(6, 2, 1.0f, Rect{20, 20, 200, 80});
    f->selectedRegion->FillAll(RGB(255, 128, 0));
    frame->Doc().DrawCurrentFrame(1);
    const QImage shown = frame->View()->Screen().copy();
    const QString path = dir.filePath(QStringLiteral("shot"));
    AppChoosers().saveFile = [&](QWidget*, const QString& caption, const QString& name,
                                 const QString& filter) {
        EXPECT_EQ(caption, QStringLiteral("保存图片"));
        EXPECT_EQ(name, QStringLiteral("ZRFrame1"));
        EXPECT_EQ(filter, QStringLiteral("BMP Files (*.bmp);;All Files (*)"));
        return path;
    };
    QString message;
    CloseMessage(&message);
    Trigger(32864);
    EXPECT_EQ(message, kFileSaved);
    const QImage saved(path + ".bmp");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              shown.convertToFormat(QImage::Format_RGB32));
}

TEST_F(DialogsWindow, SaveAndOpenThroughTheChoosers) {
    const QString path = dir.filePath(QStringLiteral("w.zrx"));
    frame->Doc().AddFrame();
    AppChoosers().saveFile = [&](QWidget*, const QString&, const QString& name, const QString&) {
        EXPECT_EQ(name, QStringLiteral("Zorvane1"));
        return path;
    };
    QString message;
    CloseMessage(&message);
    Trigger(57603);
    EXPECT_EQ(message, kFileSaved);
    Trigger(57600);
    ASSERT_EQ(frame->Doc().Animation()->frameCount, 1);
    AppChoosers().openFile = [&](QWidget*, const QString&, const QString&, const QString& filter) {
        EXPECT_EQ(filter, QStringLiteral("ZRX Files (*.zrx);;All Files (*)"));
        return path;
    };
    Trigger(57601);
    EXPECT_EQ(frame->Doc().Animation()->frameCount, 2);
}

TEST_F(DialogsWindow, GridAndScaleDialogsFromTheMenu) {
    CNeonFrame* f = frame->Doc().CurrentFrame();
    f->AddRectRegion(24, 1, 1.0f, Rect{20, 20, 200, 80});
    WhenModal([](QWidget* w) {
        w->findChild<QLineEdit*>(QStringLiteral("1040"))->setText(QStringLiteral("3"));
        w->findChild<QLineEdit*>(QStringLiteral("1039"))->setText(QStringLiteral("12"));
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Trigger(32771);
    EXPECT_EQ(f->selectedRegion->rows, 3);
    EXPECT_EQ(f->selectedRegion->cols, 12);
    EXPECT_EQ(frame->Doc().Animation()->defaultCols, 12);

    WhenModal([](QWidget* w) {
        auto* s = w->findChild<QSlider*>(QStringLiteral("1009"));
        EXPECT_EQ(s->value(), 100);
        s->setValue(35);
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Trigger(32772);
    EXPECT_FLOAT_EQ(f->selectedRegion->zoom, 0.35f);
    EXPECT_FLOAT_EQ(frame->Doc().Animation()->defaultZoom, 0.35f);
}

TEST_F(DialogsWindow, PickFromTheViewReachesTheColourPage) {
    frame->Doc().DrawCurrentFrame(1);
    frame->View()->Screen().setPixel(50, 40, qRgb(1, 2, 3));
    Trigger(32921);
    CLinePropertySheet* sheet = frame->PropertySheet();
    QTest::mouseClick(sheet->ColourPage().PickButton(), Qt::LeftButton);
    EXPECT_EQ(frame->Doc().toolMode, ToolMode::ColourPick);
    QTest::mouseClick(frame->View(), Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(sheet->ColourPage().currentColour, RGB(1, 2, 3));
}

}  // namespace
}  // namespace zv
