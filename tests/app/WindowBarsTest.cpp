// The bars around the view: what they show at start, the parameter bar, the Position
// bar's typed points, the status bar panes, the palette, colour pick, the copy-frame
// dialog, the splash and the about box; every control can be found by its name.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include "WindowFixture.h"
#include "app/AboutDialog.h"
#include "app/PaletteBar.h"
#include "app/ParamBar.h"
#include "app/PositionBar.h"
#include "app/Splash.h"
#include "dialogs/CopyFrameDialog.h"
#include "editor/Player.h"
#include "res/Resources.h"
#include "shapes/KorDraw.h"
#include "shapes/Unit.h"

namespace zv {
namespace {

class WindowBarsTest : public WindowTest {};

TEST_F(WindowBarsTest, StartShowsTheBarsTheViewMenuChecks) {
    EXPECT_EQ(frame->windowTitle().left(7), QStringLiteral("Tolvane"));
    // The window's icon follows the first showing of the sign.
    for (int i = 0; i < 50 && frame->windowIcon().isNull(); ++i) QTest::qWait(20);
    EXPECT_EQ(frame->windowIcon().pixmap(32, 32).toImage(), AppIcon().pixmap(32, 32).toImage());
    EXPECT_FALSE(frame->Bar(BarId::Position)->isVisible());
    for (int id : {BarId::Tools, BarId::Palette, BarId::Param, BarId::Standard}) {
        EXPECT_TRUE(frame->Bar(id)->isVisible()) << id;
        frame->RefreshCommands();
        EXPECT_TRUE(frame->Action(id)->isChecked()) << id;
    }
    EXPECT_TRUE(frame->Action(BarId::StatusBar)->isChecked());
    // Hiding a bar from the View menu unchecks it; showing it checks it again.
    Trigger(BarId::Palette);
    EXPECT_FALSE(frame->Bar(BarId::Palette)->isVisible());
    EXPECT_FALSE(frame->Action(BarId::Palette)->isChecked());
    Trigger(BarId::Palette);
    EXPECT_TRUE(frame->Action(BarId::Palette)->isChecked());
    Trigger(BarId::StatusBar);
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_FALSE(frame->Action(BarId::StatusBar)->isChecked());
    // The mouse capture option starts on, the others off.
    EXPECT_TRUE(frame->Action(32922)->isChecked());
    EXPECT_FALSE(frame->Action(32928)->isChecked());
    EXPECT_FALSE(frame->Action(32931)->isChecked());
    EXPECT_TRUE(frame->Action(32853)->isChecked());
    EXPECT_FALSE(frame->Action(32926)->isChecked());
}

TEST_F(WindowBarsTest, FirstTickOfTheFrameTimerMaximises) {
    frame->PlaceAtStart();
    Pump();
    EXPECT_TRUE(frame->isMaximized());
}

TEST_F(WindowBarsTest, StatusPanesFollowTheMouse) {
    Move(123, 45);
    EXPECT_EQ(frame->XPane()->text(), QStringLiteral("123"));
    EXPECT_EQ(frame->YPane()->text(), QStringLiteral("45"));
    Move(7, 300);
    EXPECT_EQ(frame->XPane()->text(), QStringLiteral("7"));
    EXPECT_EQ(frame->YPane()->text(), QStringLiteral("300"));
    // Ending an edit clears them.
    doc->FinishEdit(kKeyEnter);
    EXPECT_EQ(frame->XPane()->text(), QStringLiteral("0"));
}

TEST_F(WindowBarsTest, RateSpinStepsByTenAndWrapsAnyRateCanBeTyped) {
    RateSpin* rate = frame->ParamBar()->Rate();
    EXPECT_EQ(rate->text(), QStringLiteral("10"));
    std::vector<QString> seen;
    for (int i = 0; i < 6; ++i) {
        rate->stepBy(1);
        seen.push_back(rate->text());
    }
    EXPECT_EQ(seen, (std::vector<QString>{"20", "30", "40", "50", "10", "20"}));
    rate->stepBy(-1);
    rate->stepBy(-1);
    EXPECT_EQ(rate->text(), QStringLiteral("50"));
    rate->Edit()->setText(QStringLiteral("7"));
    EXPECT_EQ(doc->rateText, QStringLiteral("7"));
    Trigger(32792);
    EXPECT_EQ(doc->GetPlayer().Period(), 142);
    Trigger(32793);
}

TEST_F(WindowBarsTest, CounterAndScrollBarFollowTheFrames) {
    for (int i = 0; i < 4; ++i) Trigger(32786);
    Trigger(32784);
    EXPECT_EQ(frame->ParamBar()->CounterLabel()->text(), QStringLiteral("(1/5)"));
    Trigger(32785);
    EXPECT_EQ(frame->ParamBar()->CounterLabel()->text(), QStringLiteral("(5/5)"));
    QScrollBar* s = frame->ParamBar()->PositionBar();
    EXPECT_EQ(s->minimum(), 1);
    EXPECT_EQ(s->maximum(), 5);
    EXPECT_EQ(s->value(), 5);
    // At the ends the steps do nothing.
    Trigger(32778);
    EXPECT_EQ(Av().currentIndex, 5);
    Trigger(32784);
    Trigger(32777);
    EXPECT_EQ(Av().currentIndex, 1);
    EXPECT_EQ(frame->ParamBar()->CounterLabel()->text(), QStringLiteral("(1/5)"));
    // Dragging the scroll bar goes to that frame.
    s->setValue(3);
    EXPECT_EQ(Av().currentIndex, 3);
    EXPECT_EQ(Av().currentFrame, Av().GetFrameAt(3));
    EXPECT_EQ(frame->ParamBar()->CounterLabel()->text(), QStringLiteral("(3/5)"));
    // Deleting goes to the follower; deleting the last frame leaves a fresh one.
    Trigger(32787);
    EXPECT_EQ(frame->ParamBar()->CounterLabel()->text(), QStringLiteral("(3/4)"));
    for (int i = 0; i < 4; ++i) Trigger(32787);
    EXPECT_EQ(Av().frameCount, 1);
    EXPECT_EQ(frame->ParamBar()->CounterLabel()->text(), QStringLiteral("(1/1)"));
}

// While playing, the counter follows at most ten times a second and always catches up;
// stopped, it is exact at once.
TEST_F(WindowBarsTest, CounterFollowsPlaybackTenTimesASecond) {
    for (int i = 0; i < 4; ++i) Trigger(32786);
    Trigger(32784);
    QLabel* counter = frame->ParamBar()->CounterLabel();
    QScrollBar* position = frame->ParamBar()->PositionBar();
    doc->loopPlayback = true;
    Player& player = doc->GetPlayer();
    player.Play();
    ASSERT_TRUE(player.TimerRunning());
    // Ticks soon after the last showing wait for their turn (on a machine slow enough
    // to take a tenth of a second over three ticks, the first of them shows).
    QElapsedTimer sincePlay;
    sincePlay.start();
    player.Tick();
    player.Tick();
    player.Tick();
    EXPECT_EQ(Av().currentIndex, 4);
    if (sincePlay.elapsed() < 80) {
        EXPECT_EQ(counter->text(), QStringLiteral("(1/5)"));
        EXPECT_EQ(position->value(), 1);
    }
    // Within a tenth of a second the bar shows where the sign is.
    player.StopTimer();
    QTest::qWait(150);
    EXPECT_EQ(counter->text(), QStringLiteral("(4/5)"));
    EXPECT_EQ(position->value(), 4);
    // Stop rewinds and shows the first frame at once, however soon after a tick.
    player.Play();
    player.Tick();
    Trigger(32793);
    EXPECT_FALSE(player.TimerRunning());
    EXPECT_EQ(counter->text(), QStringLiteral("(1/5)"));
    EXPECT_EQ(position->value(), 1);
    // Not playing, every step shows at once.
    Trigger(32778);
    EXPECT_EQ(counter->text(), QStringLiteral("(2/5)"));
    Trigger(32778);
    EXPECT_EQ(counter->text(), QStringLiteral("(3/5)"));
    // A pause right after a tick still ends showing the frame it paused on.
    player.Play();
    player.Tick();
    player.Tick();
    Trigger(32794);
    EXPECT_FALSE(player.TimerRunning());
    const QString paused = QStringLiteral("(%1/5)").arg(Av().currentIndex);
    QTest::qWait(150);
    EXPECT_EQ(counter->text(), paused);
    EXPECT_EQ(position->value(), Av().currentIndex);
}

TEST_F(WindowBarsTest, LoopCheckAndLayerRadiosReachTheEditor) {
    CDlgParamSet* bar = frame->ParamBar();
    EXPECT_FALSE(doc->loopPlayback);
    QTest::mouseClick(bar->LoopCheck(), Qt::LeftButton);
    EXPECT_TRUE(doc->loopPlayback);
    Trigger(32923);
    EXPECT_EQ(doc->toolMode, 9);
    Layer(LayerGraphics);
    EXPECT_EQ(doc->toolMode, 27);
    EXPECT_FALSE(frame->Action(32923)->isEnabled());
    EXPECT_TRUE(frame->Action(32880)->isEnabled());
    // Play puts the layer back to the background.
    Trigger(32792);
    EXPECT_EQ(doc->editLayer, LayerBackground);
    EXPECT_TRUE(bar->Layers()->button(0)->isChecked());
    Trigger(32793);
}

TEST_F(WindowBarsTest, PositionBarTypedPointsActLikeClicks) {
    Trigger(32923);
    Trigger(32931);
    EXPECT_TRUE(frame->Bar(BarId::Position)->isVisible());
    QLineEdit* edit = frame->PositionBar()->Edit();
    const QPoint pointer = QCursor::pos();
    QTest::keyClicks(edit, QStringLiteral("1 120,80"));
    Key(Qt::Key_Return, edit);
    EXPECT_TRUE(edit->text().isEmpty());
    ASSERT_EQ(doc->pointCollector.size(), 1u);
    EXPECT_EQ(doc->pointCollector[0], (Point{120, 80}));
    QTest::keyClicks(edit, QStringLiteral("1 200 150"));
    Key(Qt::Key_Return, edit);
    ASSERT_EQ(Ring<CNeonRegion>::Count(Frame()->regions.get()), 1u);
    EXPECT_EQ(Frame()->regions->next->bounds, (Rect{120, 80, 200, 150}));
    // The user's pointer stays where it was.
    EXPECT_EQ(QCursor::pos(), pointer);
    // A negative number reads 0; a malformed line is dropped and still emptied.
    QTest::keyClicks(edit, QStringLiteral("1 -5,3"));
    Key(Qt::Key_Return, edit);
    EXPECT_EQ(doc->pointCollector.back(), (Point{0, 3}));
    QTest::keyClicks(edit, QStringLiteral("1 300"));
    Key(Qt::Key_Return, edit);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(doc->pointCollector.size(), 1u);
    // Another tool switches the simulated mouse off.
    Trigger(32796);
    EXPECT_FALSE(doc->simulateMouse);
    EXPECT_FALSE(frame->Bar(BarId::Position)->isVisible());
}

TEST_F(WindowBarsTest, PositionBarPolygonDoubleClickMoveToAndRotate) {
    Trigger(32930);
    Trigger(32931);
    QLineEdit* edit = frame->PositionBar()->Edit();
    for (const char* line : {"1 100,100", "1 200,100", "2 150,180"}) {
        QTest::keyClicks(edit, QString::fromUtf8(line));
        Key(Qt::Key_Return, edit);
    }
    ASSERT_EQ(Ring<CNeonRegion>::Count(Frame()->regions.get()), 1u);
    EXPECT_TRUE(Frame()->regions->next->isPolygon);
    EXPECT_EQ(Frame()->regions->next->points.size(), 3u);
    Key(Qt::Key_Escape, edit);  // a finishing double click: nothing collected
    EXPECT_TRUE(doc->pointCollector.empty());

    // Move to a point: the region goes there.
    Trigger(32931);  // off
    Trigger(32879);
    EXPECT_EQ(doc->toolMode, 13);
    EXPECT_EQ(doc->positionKind, PositionKind::MoveTo);
    QTest::keyClicks(edit, QStringLiteral("3 40,50"));
    Key(Qt::Key_Return, edit);
    EXPECT_EQ(Frame()->selectedRegion->bounds.left, 40);
    EXPECT_EQ(Frame()->selectedRegion->bounds.top, 50);

    // Rotate a selected line by 90 degrees about its start.
    Layer(LayerGraphics);
    Trigger(32915);
    Click(300, 300);
    Move(400, 300);
    Click(400, 300);
    Trigger(32881);
    Click(350, 300);
    ASSERT_EQ(Frame()->shapes->List(ShapeKind::Line).size(), 1u);
    const CUnit* line = Frame()->shapes->List(ShapeKind::Line).front().get();
    ASSERT_TRUE(line->selected);
    const Point before = line->endPoint;
    Trigger(32934);
    EXPECT_EQ(doc->positionKind, PositionKind::Rotate);
    EXPECT_TRUE(frame->Bar(BarId::Position)->isVisible());
    QTest::keyClicks(edit, QStringLiteral("4 300,300,90"));
    Key(Qt::Key_Return, edit);
    EXPECT_NE(line->endPoint, before);
}

TEST_F(WindowBarsTest, ColourPickReadsTheViewAndTheFrontBoxOpensTheColourDialog) {
    Trigger(32923);
    Click(0, 20);
    Click(240, 40);
    Frame()->selectedRegion->Cell(0, 4).colour = RGB(10, 200, 30);
    doc->DrawCurrentFrame(1);
    Trigger(32855);
    Click(45, 30);
    EXPECT_EQ(doc->mainColour, RGB(10, 200, 30));

    CPaletteBar* palette = frame->PaletteBar();
    QColor offered;
    AppChoosers().colour = [&offered](QWidget*, const QColor& initial) -> std::optional<QColor> {
        offered = initial;
        return QColor(1, 2, 3);
    };
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->MainBox().center());
    EXPECT_EQ(offered, QColor(10, 200, 30));
    EXPECT_EQ(doc->mainColour, RGB(1, 2, 3));
    // The visible part of the back box brings it to the front; then it opens the
    // dialog for itself.
    const QRect back = palette->SecondBox();
    QTest::mouseClick(palette, Qt::LeftButton, {}, back.bottomRight() - QPoint(1, 1));
    EXPECT_FALSE(doc->mainInFront);
    QTest::mouseClick(palette, Qt::LeftButton, {}, back.center());
    EXPECT_EQ(doc->secondColour, RGB(1, 2, 3));
    EXPECT_EQ(doc->mainColour, RGB(1, 2, 3));
}

TEST_F(WindowBarsTest, CopyFrameDialogCopiesTheFrameItNames) {
    Trigger(32923);
    Click(0, 20);
    Click(240, 40);
    Frame()->selectedRegion->Cell(0, 1).colour = RGB(255, 255, 0);
    Trigger(32786);  // frame 2: same region, dark
    EXPECT_EQ(Frame()->selectedRegion->Cell(0, 1).colour, 0u);
    OnNextModal([](QWidget* w) {
        auto* d = qobject_cast<CopyFrameDialog*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("指定拷贝帧"));
        EXPECT_EQ(d->Edit()->text(), QStringLiteral("1"));
        d->Edit()->setText(QStringLiteral("9"));  // beyond the count: nothing
        d->accept();
    });
    Trigger(32909);
    EXPECT_EQ(Frame()->selectedRegion->Cell(0, 1).colour, 0u);
    OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
    Trigger(32909);  // "1"
    EXPECT_EQ(Frame()->selectedRegion->Cell(0, 1).colour, RGB(255, 255, 0));
}

TEST_F(WindowBarsTest, AboutBox) {
    AboutDialog about(frame.get());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 Zorvane"));
    bool version = false;
    for (QLabel* l : about.findChildren<QLabel*>())
        version |= l->text() == QStringLiteral("Zorvane 4.0");
    EXPECT_TRUE(version);
    const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("确定"));
}

TEST_F(WindowBarsTest, SplashNeedsItsPictureAndAKeyClosesItWithoutGoingFurther) {
    QTemporaryDir dir;
    EXPECT_EQ(CSplashWnd::ShowSplash(QDir(dir.path()).filePath(QStringLiteral("logo.bmp"))),
              nullptr);
    const QString logo = QDir(dir.path()).filePath(QStringLiteral("logo.bmp"));
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(logo, "BMP"));
    QPointer<CSplashWnd> splash = CSplashWnd::ShowSplash(logo);
    ASSERT_TRUE(splash);
    EXPECT_EQ(splash->size(), QSize(120, 80));
    // The click that closes it goes no further.
    Trigger(32923);
    Click(10, 10);
    EXPECT_TRUE(splash.isNull() || !splash->isVisible());
    EXPECT_TRUE(doc->pointCollector.empty());
    // Nor does the key: the selected region stays.
    Click(10, 10);
    Click(60, 40);
    ASSERT_NE(Frame()->selectedRegion, nullptr);
    splash = CSplashWnd::ShowSplash(logo);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    Pump();
    EXPECT_TRUE(splash.isNull() || !splash->isVisible());
    EXPECT_NE(Frame()->selectedRegion, nullptr);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(Frame()->selectedRegion, nullptr);
}

TEST_F(WindowBarsTest, EveryControlHasANameOrDescription) {
    for (QAction* a : frame->findChildren<QAction*>()) {
        // A bar's widget is checked below, where it stands.
        if (a->isSeparator() || a->menu() || qobject_cast<QWidgetAction*>(a)) continue;
        EXPECT_FALSE(a->text().isEmpty() && a->toolTip().isEmpty())
            << a->objectName().toStdString();
    }
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        EXPECT_FALSE(bar->accessibleName().isEmpty()) << bar->objectName().toStdString();
        for (QWidget* w : bar->findChildren<QWidget*>()) {
            // Labels name their buddies; a spin box's own line edit is the spin box.
            const bool part =
                qobject_cast<QLabel*>(w) || !w->isVisibleTo(bar) ||
                w->inherits("QToolBarSeparator") || w->inherits("QToolBarExtension") ||
                (w->parentWidget() && w->parentWidget()->inherits("QAbstractSpinBox"));
            if (part) continue;
            const bool named = !w->accessibleName().isEmpty() ||
                               !w->accessibleDescription().isEmpty() || !w->toolTip().isEmpty() ||
                               (qobject_cast<QAbstractButton*>(w) &&
                                !static_cast<QAbstractButton*>(w)->text().isEmpty());
            EXPECT_TRUE(named) << bar->objectName().toStdString() << " / "
                               << w->metaObject()->className() << " "
                               << w->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace zv
