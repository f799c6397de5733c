// Pictures, texts and shapes placed, moved and deleted with the mouse and keys in
// the real view.

#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "WindowFixture.h"
#include "shapes/KorDraw.h"
#include "shapes/Unit.h"

namespace zv {
namespace {

using Pictures = Ring<CNeonImg>;
using Texts = Ring<CNeonChar>;

class WindowPictureTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        path_ = QDir(dir_.path()).filePath(QStringLiteral("lamp.bmp"));
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(QColor(0, 200, 0));
        ASSERT_TRUE(img.save(path_, "BMP"));
        AppChoosers().openFile = [this](QWidget*, const QString&, const QString&, const QString&) {
            return chosen_;
        };
        chosen_ = path_;
        Layer(LayerPicture);
    }
    // Picture tool and a click at (x, y): the new picture in hand.
    void Place(int x, int y) {
        Trigger(32790);
        Click(x, y);
    }
    CNeonImg* InHand() { return Frame()->movingPicture.get(); }

    QTemporaryDir dir_;
    QString path_;
    QString chosen_;
};

TEST_F(WindowPictureTest, PlaceMoveAndCommit) {
    Place(100, 100);
    ASSERT_NE(InHand(), nullptr);
    EXPECT_EQ(doc->pictureEditState, 1);
    EXPECT_EQ(doc->toolMode, 6);
    EXPECT_EQ(InHand()->x, 100);
    EXPECT_EQ(InHand()->width, 40);  // smaller than the view: its own size
    EXPECT_EQ(InHand()->height, 30);
    // Grab inside, move, click again: the picture goes with the mouse and is put down.
    Click(110, 110);
    EXPECT_TRUE(doc->pictureDrag);
    Move(130, 125);
    EXPECT_EQ(InHand()->x, 120);
    EXPECT_EQ(InHand()->y, 115);
    Click(130, 125);
    Pump();
    EXPECT_EQ(InHand(), nullptr);
    ASSERT_EQ(Pictures::Count(Frame()->pictures.get()), 1u);
    EXPECT_EQ(Frame()->pictures->next->x, 120);
    EXPECT_EQ(doc->toolMode, 27);
    EXPECT_EQ(doc->pictureEditState, 0);
    // Shown with black transparent: green where it lies.
    EXPECT_EQ(view->Screen().pixel(140, 130) & 0xFFFFFF, 0x00C800u);
}

TEST_F(WindowPictureTest, ResizeByTheBottomRightHandleAfterTakingItBack) {
    Place(100, 100);
    Key(Qt::Key_Return);
    ASSERT_EQ(Pictures::Count(Frame()->pictures.get()), 1u);
    // A band around it takes it back into the hand, keeping a copy.
    Trigger(32780);
    Drag({90, 90}, {150, 140});
    ASSERT_NE(InHand(), nullptr);
    EXPECT_EQ(doc->pictureEditState, 2);
    EXPECT_NE(Frame()->movingPictureCopy, nullptr);
    EXPECT_TRUE(Pictures::IsEmpty(Frame()->pictures.get()));
    // Hovering the corner shows the diagonal size cursor.
    Move(138, 128);
    EXPECT_EQ(view->ToolCursorId(), CursorId::SizeNwse);
    Click(138, 128);
    EXPECT_EQ(InHand()->dragMode, kDragAdjust);
    Move(148, 134);
    Click(148, 134);
    Pump();
    ASSERT_EQ(Pictures::Count(Frame()->pictures.get()), 1u);
    EXPECT_EQ(Frame()->pictures->next->width, 50);
    EXPECT_EQ(Frame()->pictures->next->height, 36);
}

TEST_F(WindowPictureTest, EscapeDropsANewPictureAndReturnsAMovedOne) {
    Place(100, 100);
    Key(Qt::Key_Escape);
    EXPECT_EQ(InHand(), nullptr);
    EXPECT_TRUE(Pictures::IsEmpty(Frame()->pictures.get()));

    Place(100, 100);
    Key(Qt::Key_Return);
    Trigger(32780);
    Drag({90, 90}, {150, 140});
    ASSERT_NE(InHand(), nullptr);
    Trigger(32834);  // moved 20 to the right while in hand
    EXPECT_EQ(InHand()->x, 120);
    Key(Qt::Key_Escape);
    ASSERT_EQ(Pictures::Count(Frame()->pictures.get()), 1u);
    EXPECT_EQ(Frame()->pictures->next->x, 100);  // the copy came back
    EXPECT_EQ(InHand(), nullptr);
}

TEST_F(WindowPictureTest, DeleteDiscardsThePictureInHand) {
    Place(100, 100);
    Key(Qt::Key_Return);
    Trigger(32780);
    Drag({90, 90}, {150, 140});
    view->setFocus();
    Key(Qt::Key_Delete);
    EXPECT_EQ(InHand(), nullptr);
    EXPECT_EQ(Frame()->movingPictureCopy, nullptr);
    EXPECT_TRUE(Pictures::IsEmpty(Frame()->pictures.get()));
}

TEST_F(WindowPictureTest, ACancelledOrUnreadableFileLeavesNoPicture) {
    chosen_.clear();
    Place(100, 100);
    EXPECT_EQ(InHand(), nullptr);
    EXPECT_EQ(doc->toolMode, 27);
    const QString junk = QDir(dir_.path()).filePath(QStringLiteral("junk.gif"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    chosen_ = junk;
    QString said;
    OnNextModal([&said](QWidget* box) {
        said = box->windowTitle();
        box->close();
    });
    Place(100, 100);
    EXPECT_FALSE(said.isEmpty());
    EXPECT_EQ(InHand(), nullptr);
    EXPECT_EQ(doc->toolMode, 27);
}

TEST_F(WindowPictureTest, ALongImportShowsProgressAndCancelLeavesTheFrameAsItWas) {
    // A decoder that never answers.
    const QString slow = QDir(dir_.path()).filePath(QStringLiteral("slow-decoder"));
    QFile script(slow);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 30\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    qputenv("ZORVANE_PICTURE_DECODER", QFile::encodeName(slow));
    chosen_ = QDir(dir_.path()).filePath(QStringLiteral("lamp.gif"));
    QFile::copy(path_, chosen_);

    Qt::CursorShape busy = Qt::ArrowCursor;
    QString title;
    QElapsedTimer waited;
    waited.start();
    qint64 shownAfter = -1;
    OnNextModal([&](QWidget* w) {
        shownAfter = waited.elapsed();
        title = w->windowTitle();
        if (const QCursor* c = QApplication::overrideCursor()) busy = c->shape();
        // The view takes no clicks meanwhile.
        Click(300, 300);
        auto* progress = qobject_cast<QProgressDialog*>(w);
        ASSERT_NE(progress, nullptr);
        // The user presses its Cancel button.
        auto* cancel = progress->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    Place(100, 100);
    qunsetenv("ZORVANE_PICTURE_DECODER");
    EXPECT_EQ(title, QStringLiteral("导入图片"));
    EXPECT_GE(shownAfter, 400);
    EXPECT_EQ(busy, Qt::BusyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(InHand(), nullptr);
    EXPECT_TRUE(Pictures::IsEmpty(Frame()->pictures.get()));
    EXPECT_EQ(doc->toolMode, 27);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // no message after a cancel
}

class WindowTextTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Layer(LayerText);
    }
    QPlainTextEdit* Editor() { return view->TextEditor(); }
    void Type(int x, int y, const QString& text) {
        Trigger(32791);
        Click(x, y);
        ASSERT_NE(Editor(), nullptr);
        QTest::keyClicks(Editor(), text);
    }
};

TEST_F(WindowTextTest, TypeAndEnter) {
    Type(50, 60, QStringLiteral("OPEN"));
    EXPECT_TRUE(Editor()->isVisible());
    EXPECT_EQ(Editor()->geometry(), QRect(50, 60, 160, 160));
    EXPECT_TRUE(Editor()->hasFocus());
    Key(Qt::Key_Return, Editor());
    ASSERT_EQ(Texts::Count(Frame()->texts.get()), 1u);
    const CNeonChar* t = Frame()->texts->next;
    EXPECT_EQ(t->Text(), QStringLiteral("OPEN"));
    EXPECT_EQ(t->x, 50);
    EXPECT_EQ(t->y, 60);
    // The text bar's first font: Arial at size 12, 60 pixels high, normal weight.
    EXPECT_EQ(t->GetLogFont().FaceName(), QStringLiteral("Arial"));
    EXPECT_EQ(t->GetLogFont().lfHeight, 60);
    EXPECT_EQ(t->GetLogFont().lfWeight, 400);
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_EQ(doc->toolMode, 27);
}

TEST_F(WindowTextTest, PlayCommitsTheTextBeingTyped) {
    Type(50, 60, QStringLiteral("Hi"));
    Trigger(32792);
    ASSERT_EQ(Texts::Count(Frame()->texts.get()), 1u);
    EXPECT_EQ(Frame()->texts->next->Text(), QStringLiteral("Hi"));
    Trigger(32793);
}

TEST_F(WindowTextTest, EscapeDropsShiftEnterBreaksTheLine) {
    Type(50, 60, QStringLiteral("gone"));
    Key(Qt::Key_Escape, Editor());
    EXPECT_TRUE(Texts::IsEmpty(Frame()->texts.get()));
    Type(50, 60, QStringLiteral("a"));
    QTest::keyClick(Editor(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(Editor(), QStringLiteral("b"));
    QTest::keyClick(Editor(), Qt::Key_Delete);  // edits, does not end the text
    EXPECT_TRUE(Editor()->isVisible());
    Key(Qt::Key_Return, Editor());
    ASSERT_EQ(Texts::Count(Frame()->texts.get()), 1u);
    EXPECT_EQ(Frame()->texts->next->Text(), QStringLiteral("a\nb"));
}

TEST_F(WindowTextTest, BandOpensATextForEditingAndDeleteRemovesIt) {
    Type(100, 100, QStringLiteral("Sale"));
    Key(Qt::Key_Return, Editor());
    Trigger(32780);
    Drag({90, 90}, {200, 170});
    EXPECT_EQ(doc->textEditState, 2);
    ASSERT_TRUE(Editor()->isVisible());
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("Sale"));
    QTest::keyClicks(Editor(), QStringLiteral("!"));
    Key(Qt::Key_Return, Editor());
    ASSERT_EQ(Texts::Count(Frame()->texts.get()), 1u);
    EXPECT_EQ(Frame()->texts->next->Text(), QStringLiteral("Sale!"));

    // The moves carry the text 20 to the side and 10 up or down.
    Trigger(32834);
    Trigger(32834);
    Trigger(32837);
    EXPECT_EQ(Frame()->texts->next->x, 140);
    EXPECT_EQ(Frame()->texts->next->y, 110);

    Trigger(32780);
    Drag({130, 100}, {250, 180});
    ASSERT_EQ(doc->textEditState, 2);
    view->setFocus();
    Key(Qt::Key_Delete);
    EXPECT_TRUE(Texts::IsEmpty(Frame()->texts.get()));
    EXPECT_EQ(Frame()->selectedText, nullptr);
}

class WindowShapeTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Layer(LayerGraphics);
    }
    std::size_t Shapes() { return Frame()->shapes ? Frame()->shapes->ShapeCount() : 0; }
};

TEST_F(WindowShapeTest, DrawSelectReshapeAndDelete) {
    Trigger(32915);  // line
    Click(100, 100);
    Move(160, 130);
    Click(200, 150);
    ASSERT_EQ(Shapes(), 1u);
    const CUnit* line = Frame()->shapes->List(ShapeKind::Line).front().get();
    const Point start = line->startPoint;
    // A rectangle too: two shapes, each in its own list.
    Trigger(32880);
    Click(300, 300);
    Move(350, 340);
    Click(400, 380);
    EXPECT_EQ(Shapes(), 2u);
    EXPECT_EQ(Frame()->shapes->List(ShapeKind::Rectangle).size(), 1u);

    // Select and drag the line's start handle elsewhere: the far end stays.
    Trigger(32881);
    const Point sd = doc->DrawTool()->origin;
    const QPoint startOnScreen(start.x + sd.x, start.y + sd.y);
    Click(150, 125);  // on the line body: selected
    EXPECT_TRUE(line->selected);
    Click(startOnScreen.x(), startOnScreen.y());
    Move(80, 60);
    Click(80, 60);
    EXPECT_NE(line->startPoint, start);

    // Delete removes the selection only.
    view->setFocus();
    Key(Qt::Key_Delete);
    Pump();
    EXPECT_EQ(Shapes(), 1u);
    EXPECT_EQ(Frame()->shapes->List(ShapeKind::Rectangle).size(), 1u);
}

TEST_F(WindowShapeTest, PolygonEndsWithADoubleClickAndShapesGoWithTheirFrame) {
    Trigger(32910);
    Click(100, 100);
    Click(200, 100);
    DoubleClick(150, 180);
    EXPECT_EQ(doc->toolMode, 27);
    ASSERT_EQ(Frame()->shapes->List(ShapeKind::Polygon).size(), 1u);
    CNeonFrame* first = Frame();
    Trigger(32786);  // a new frame: no shapes
    EXPECT_EQ(Frame()->shapes ? Frame()->shapes->ShapeCount() : 0u, 0u);
    Trigger(32777);
    EXPECT_EQ(Frame(), first);
    EXPECT_EQ(Shapes(), 1u);
}

}  // namespace
}  // namespace zv
