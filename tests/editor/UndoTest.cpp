// Undo and redo of every kind of edit, made the way the window makes it (commands,
// mouse, keys, messages): undo gives back the scheme writer's bytes and the exact
// frames of before, redo those of after; a drag is one step; the bounds evict old
// steps; the modified flag follows edits, saves and undo.

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include "TestUi.h"
#include "editor/EditHistory.h"
#include "editor/Player.h"
#include "editor/RecentFiles.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"
#include "shapes/Unit.h"

namespace zv {
namespace {

class UndoUi : public TestUi {
public:
    std::optional<GridCounts> AskGridCounts(const GridCounts&) override { return grid; }
    std::optional<int> AskScalePercent(int) override { return scale; }
    QString ChooseFile(FileChoice) override { return file; }
    SaveAnswer AskSaveChanges(const QString& name) override {
        asked.push_back(name);
        return answer;
    }
    std::optional<GridCounts> grid;
    std::optional<int> scale;
    QString file;
    SaveAnswer answer = SaveAnswer::Cancel;
    std::vector<QString> asked;
};

struct UndoEditor : EditorWith<UndoUi> {
    void Click(Point p) {
        doc.OnLButtonDown(1, p);
        doc.OnLButtonUp(0, p);
    }
    void Drag(Point from, Point to) {
        doc.OnLButtonDown(1, from);
        doc.OnMouseMove(1, {(from.x + to.x) / 2, (from.y + to.y) / 2});
        doc.OnMouseMove(1, to);
        doc.OnLButtonUp(0, to);
    }
    void Key(Qt::Key k) { doc.PreTranslateKey(k); }
    void Post(int message, std::int64_t w, std::int64_t l) {
        QCoreApplication::postEvent(&doc, new MessageEvent(message, w, l));
        Pump();
    }
    int Steps() { return doc.History().Stack().count(); }
};

// The document as far as undo must bring it back: the scheme writer's bytes, every
// frame's full state, the current frame and the counter.
struct State {
    QByteArray scheme;
    std::vector<QByteArray> frames;
    std::int32_t index = 0;
    std::int32_t count = 0;
    bool operator==(const State&) const = default;
};

State StateOf(const Document& doc) {
    State s;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    doc.Animation()->SaveScheme(buffer, *doc.Background());
    s.scheme = buffer.data();
    for (const CNeonFrame* f : Ring<CNeonFrame>::Items(doc.Animation()->anchor.get()))
        s.frames.push_back(FrameKey(*f));
    s.index = doc.Animation()->currentIndex;
    s.count = doc.Animation()->frameCount;
    return s;
}

std::size_t ShapeCount(const CNeonFrame* f) {
    return f->shapes ? f->shapes->ShapeCount() : 0;
}

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        picture = QDir(dir.path()).filePath(QStringLiteral("p.bmp"));
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(QColor(0, 200, 0));
        ASSERT_TRUE(img.save(picture, "BMP"));
    }

    // Three frames, each with a region holding some lit cells, a text and a picture;
    // the middle one, current, has a rectangle shape too. Nothing is a step yet.
    void Populate(UndoEditor& e) {
        Document& d = e.doc;
        CNeonFrame* f = d.CurrentFrame();
        f->AddRectRegion(24, 1, 1.0f, {10, 10, 250, 30});
        d.AddFrame();
        d.AddFrame();
        d.PreviousFrame();
        int n = 0;
        for (CNeonFrame* g : Ring<CNeonFrame>::Items(d.Animation()->anchor.get())) {
            g->regions->next->Cell(0, 3 + n).colour = RGB(255, 0, 0);
            g->regions->next->Cell(0, 7 + n).colour = RGB(0, 0, 255);
            CNeonChar* t = g->texts->AppendText();
            t->SetText(QStringLiteral("hi"));
            t->x = 300;
            t->y = 50;
            auto img = CNeonImg::ImportPicture(picture, 200, 200, 640, 480);
            ASSERT_TRUE(img);
            Ring<CNeonImg>::Append(g->pictures.get(), std::move(img));
            ++n;
        }
        d.DrawCurrentFrame(1);
        d.ChooseEditLayer(LayerGraphics);
        d.ChooseTool(ToolMode::FirstShape, LayerRule::Graphics);  // rectangle
        e.Click({300, 300});
        d.OnMouseMove(0, {350, 340});
        e.Click({400, 380});
        ASSERT_EQ(ShapeCount(d.CurrentFrame()), 1u);
        d.ChooseEditLayer(LayerBackground);
        e.Pump();
        ASSERT_EQ(d.Animation()->currentIndex, 2);
        d.History().Reset();
    }

    QTemporaryDir dir;
    QString picture;
};

struct EditCase {
    const char* name;
    // Tools and selections that make no step of their own.
    std::function<void(UndoEditor&)> prepare;
    std::function<void(UndoEditor&)> edit;
};

int EffectCommand(int effect) {
    for (int id = 32000; id < 34000; ++id)
        if (CommandTable::EffectOfCommand(id) == effect) return id;
    return 0;
}

TEST_F(UndoTest, EveryKindOfEditUndoesAndRedoesToTheSameBytes) {
    const QString pic = picture;
    const auto none = [](UndoEditor&) {};
    const auto layer = [](int l, int mode, LayerRule rule) {
        return [l, mode, rule](UndoEditor& e) {
            e.doc.ChooseEditLayer(l);
            e.doc.ChooseTool(mode, rule);
            e.Pump();
        };
    };
    // Picks up the text or the picture near (x, y) with a band, for editing.
    const auto pickUp = [](int l, Point from, Point to) {
        return [l, from, to](UndoEditor& e) {
            e.doc.ChooseEditLayer(l);
            e.doc.ChooseTool(ToolMode::RegionSelect, LayerRule::NotGraphics);
            e.Pump();
            e.Drag(from, to);
        };
    };
    const auto selectShape = [](UndoEditor& e) {
        e.doc.ChooseEditLayer(LayerGraphics);
        e.doc.ChooseTool(ToolMode::ShapeSelect, LayerRule::Graphics);
        e.Pump();
        e.Click({300, 340});  // on the rectangle's left side
        ASSERT_TRUE(e.doc.CurrentFrame()->shapes->List(ShapeKind::Rectangle).front()->selected);
    };
    const EditCase cases[] = {
        {"rectangle region drawn",
         layer(LayerBackground, ToolMode::RectRegionH, LayerRule::Background),
         [](UndoEditor& e) {
             e.Click({20, 100});
             e.Click({200, 140});
         }},
        {"polygon region drawn",
         layer(LayerBackground, ToolMode::PolyRegionV, LayerRule::Background),
         [](UndoEditor& e) {
             e.Click({20, 200});
             e.Click({200, 200});
             e.Click({120, 300});
             e.doc.OnLButtonDblClk(1, {120, 300});
             e.doc.OnLButtonUp(0, {120, 300});
         }},
        {"region moved", none, [](UndoEditor& e) { e.Post(UM_SIM_MOVE_TO, 100, 150); }},
        {"region shifted", none, [](UndoEditor& e) { e.table.Run(32834); }},
        {"region regridded", none,
         [](UndoEditor& e) {
             e.ui.grid = GridCounts{2, 12};
             e.table.Run(32771);
         }},
        {"region rescaled", none,
         [](UndoEditor& e) {
             e.ui.scale = 60;
             e.table.Run(32772);
         }},
        {"region removed", none, [](UndoEditor& e) { e.Key(Qt::Key_Delete); }},
        {"cell painted", layer(LayerBackground, ToolMode::Brush, LayerRule::Background),
         [](UndoEditor& e) {
             e.Click({15, 15});
         }},
        {"cells filled", layer(LayerBackground, ToolMode::PaintBucket, LayerRule::Background),
         [](UndoEditor& e) {
             e.Click({15, 15});
         }},
        {"regions blackened", none, [](UndoEditor& e) { e.table.Run(32935); }},
        {"effect applied", none, [](UndoEditor& e) { e.table.Run(EffectCommand(2)); }},
        {"effect expanded", none,
         [](UndoEditor& e) {
             e.doc.ToggleExpandOption();
             e.table.Run(EffectCommand(2));
         }},
        {"frame added", none, [](UndoEditor& e) { e.table.Run(32786); }},
        {"frame deleted", none, [](UndoEditor& e) { e.table.Run(32787); }},
        {"previous frame copied",
         [](UndoEditor& e) { e.doc.CurrentFrame()->prev->regions->next->FillAll(RGB(9, 9, 9)); },
         [](UndoEditor& e) { e.table.Run(32795); }},
        {"frame n copied",
         [](UndoEditor& e) { e.doc.CurrentFrame()->next->regions->next->FillAll(RGB(7, 7, 7)); },
         [](UndoEditor& e) {
             e.ui.copyFrameAnswer = QStringLiteral("3");
             e.table.Run(32909);
         }},
        {"text created", layer(LayerText, ToolMode::Text, LayerRule::Text),
         [](UndoEditor& e) {
             e.Click({40, 300});
             e.ui.editorText = QStringLiteral("abc");
             e.Key(Qt::Key_Return);
         }},
        {"text edited", pickUp(LayerText, {290, 40}, {340, 80}),
         [](UndoEditor& e) {
             ASSERT_EQ(e.doc.textEditState, 2);
             e.ui.editorText = QStringLiteral("changed");
             e.Key(Qt::Key_Return);
         }},
        {"text moved", pickUp(LayerText, {290, 40}, {340, 80}),
         [](UndoEditor& e) {
             e.table.Run(32834);
             e.Key(Qt::Key_Return);
         }},
        {"text deleted", pickUp(LayerText, {290, 40}, {340, 80}),
         [](UndoEditor& e) { e.Key(Qt::Key_Delete); }},
        {"picture placed", layer(LayerPicture, ToolMode::Picture, LayerRule::Picture),
         [pic](UndoEditor& e) {
             e.ui.pictureFile = pic;
             e.Click({420, 100});
             e.Key(Qt::Key_Return);
         }},
        {"picture moved", pickUp(LayerPicture, {190, 190}, {260, 260}),
         [](UndoEditor& e) {
             ASSERT_EQ(e.doc.pictureEditState, 2);
             e.table.Run(32833);
             e.Key(Qt::Key_Return);
         }},
        {"picture deleted", pickUp(LayerPicture, {190, 190}, {260, 260}),
         [](UndoEditor& e) { e.Key(Qt::Key_Delete); }},
        {"shape drawn", layer(LayerGraphics, ToolMode::FirstShape + 7, LayerRule::Graphics),
         [](UndoEditor& e) {
             e.Click({50, 300});
             e.doc.OnMouseMove(0, {90, 330});
             e.Click({120, 360});
         }},
        {"shape moved", selectShape,
         [](UndoEditor& e) {
             // Taken at its side, carried and put down with a second click.
             e.Click({300, 340});
             e.doc.OnMouseMove(0, {330, 360});
             e.Click({330, 360});
         }},
        {"shape restyled", selectShape,
         [](UndoEditor& e) {
             e.doc.DrawTool()->style->SetPenWidth(5);
             e.doc.ApplyStyleToSelection();
         }},
        {"shape rotated", selectShape,
         [](UndoEditor& e) { e.Post(UM_SIM_ROTATE, 90, (350 << 16) | 340); }},
        {"shape deleted", selectShape, [](UndoEditor& e) { e.Key(Qt::Key_Delete); }},
        {"background loaded", none,
         [pic](UndoEditor& e) {
             e.ui.file = pic;
             e.table.Run(32877);
         }},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        UndoEditor e;
        Populate(e);
        const State unprepared = StateOf(e.doc);
        c.prepare(e);
        e.Pump();
        ASSERT_EQ(e.Steps(), 0) << "preparing made a step";
        // A picture in hand is part of the edit that puts it down.
        const State before = e.doc.pictureEditState != 0 ? unprepared : StateOf(e.doc);
        ASSERT_FALSE(e.doc.Modified());
        c.edit(e);
        e.Pump();
        const State after = StateOf(e.doc);
        ASSERT_NE(after, before) << "the edit changed nothing";
        EXPECT_EQ(e.Steps(), 1);
        EXPECT_TRUE(e.doc.Modified());
        for (int round = 0; round < 2; ++round) {
            e.table.Run(kUndoId);
            EXPECT_EQ(StateOf(e.doc), before) << "round " << round;
            EXPECT_FALSE(e.doc.Modified());
            EXPECT_EQ(e.doc.CurrentFrame(), e.doc.Animation()->GetFrameAt(before.index));
            EXPECT_EQ(e.ui.counterText,
                      QStringLiteral("(%1/%2)").arg(before.index).arg(before.count));
            e.table.Run(kRedoId);
            EXPECT_EQ(StateOf(e.doc), after) << "round " << round;
            EXPECT_TRUE(e.doc.Modified());
            EXPECT_EQ(e.doc.CurrentFrame(), e.doc.Animation()->GetFrameAt(after.index));
        }
        // The document goes on working after the swaps.
        e.doc.DrawCurrentFrame(1);
        e.doc.NextFrame();
        e.doc.DeleteFrame();
    }
}

TEST_F(UndoTest, BackgroundRemovedAndDefaultsComeBack) {
    UndoEditor e;
    Populate(e);
    ASSERT_TRUE(e.doc.SetBackgroundFile(picture));
    e.ui.grid = GridCounts{3, 5};
    e.table.Run(32771);
    const State loaded = StateOf(e.doc);
    e.table.Run(32936);
    EXPECT_FALSE(e.doc.Background()->hasBitmap);
    EXPECT_EQ(e.Steps(), 3);
    e.table.Run(kUndoId);
    EXPECT_EQ(StateOf(e.doc), loaded);
    EXPECT_TRUE(e.doc.Background()->hasBitmap);
    e.table.Run(kUndoId);
    // The grid dialog's counts for new regions go back with the regridded region.
    EXPECT_EQ(e.doc.Animation()->defaultRows, 1);
    EXPECT_EQ(e.doc.Animation()->defaultCols, 24);
    e.table.Run(kUndoId);
    EXPECT_FALSE(e.doc.Background()->hasBitmap);
    EXPECT_FALSE(e.doc.Modified());
    EXPECT_FALSE(e.doc.CanUndo());
}

TEST_F(UndoTest, ADragIsOneStepAndSelectionOrPlaybackIsNone) {
    UndoEditor e;
    Populate(e);
    // Arrow selection and frame moves change nothing that is kept.
    e.doc.ChooseTool(ToolMode::ArrowSelect, LayerRule::Background);
    e.Click({15, 15});
    e.table.Run(32778);
    e.table.Run(32777);
    e.table.Run(EffectCommand(2));
    const int afterEffect = e.Steps();
    e.table.Run(32792);  // play
    for (int i = 0; i < 5; ++i) e.doc.GetPlayer().Tick();
    e.table.Run(32793);  // stop
    EXPECT_EQ(e.Steps(), afterEffect);
    EXPECT_EQ(afterEffect, 1);

    // Stop went back to the first frame: the shape is on the second. It is carried
    // over many mouse moves.
    e.table.Run(32778);
    EXPECT_EQ(e.Steps(), afterEffect);
    e.doc.ChooseEditLayer(LayerGraphics);
    e.doc.ChooseTool(ToolMode::ShapeSelect, LayerRule::Graphics);
    e.Pump();
    e.Click({300, 340});
    const State before = StateOf(e.doc);
    e.Click({300, 340});
    for (int x = 301; x < 340; ++x) e.doc.OnMouseMove(0, {x, 340 + (x - 300) / 2});
    e.Click({340, 360});
    EXPECT_EQ(e.Steps(), afterEffect + 1);
    e.table.Run(kUndoId);
    EXPECT_EQ(StateOf(e.doc), before);
}

TEST_F(UndoTest, StepsAreBoundedByCountAndByMemory) {
    UndoEditor e;
    Populate(e);
    e.doc.History().SetLimits(3, std::int64_t(1) << 40);
    for (int i = 0; i < 5; ++i) e.table.Run(32834);  // five shifts
    EXPECT_EQ(e.Steps(), 3);
    int undone = 0;
    while (e.doc.CanUndo()) {
        e.table.Run(kUndoId);
        ++undone;
    }
    EXPECT_EQ(undone, 3);
    // The saved state was dropped: no undo reaches it any more.
    EXPECT_TRUE(e.doc.Modified());

    // Each shift holds a copy of one frame: a budget of two and a half such copies
    // keeps the newest two steps.
    UndoEditor m;
    Populate(m);
    const std::int64_t frame = FrameBytes(*m.doc.CurrentFrame());
    m.doc.History().SetLimits(100, frame * 5 / 2);
    for (int i = 0; i < 4; ++i) m.table.Run(32834);
    EXPECT_EQ(m.Steps(), 2);
    EXPECT_LE(m.doc.History().HeldBytes(), frame * 5 / 2);
    EXPECT_GE(m.doc.History().HeldBytes(), frame * 2);
    const State newest = StateOf(m.doc);
    m.table.Run(kUndoId);
    m.table.Run(kUndoId);
    EXPECT_FALSE(m.doc.CanUndo());
    m.table.Run(kRedoId);
    m.table.Run(kRedoId);
    EXPECT_EQ(StateOf(m.doc), newest);
}

TEST_F(UndoTest, ModifiedFollowsEditsSavesAndUndo) {
    UndoEditor e;
    Populate(e);
    const QString path = QDir(dir.path()).filePath(QStringLiteral("s.zrx"));
    EXPECT_EQ(e.doc.DisplayName(), QStringLiteral("Tolvane"));
    e.table.Run(32834);
    EXPECT_TRUE(e.doc.Modified());
    ASSERT_TRUE(e.doc.SaveSchemeTo(path));
    EXPECT_FALSE(e.doc.Modified());
    EXPECT_EQ(e.doc.DisplayName(), QStringLiteral("s.zrx"));
    e.table.Run(32834);
    EXPECT_TRUE(e.doc.Modified());
    e.table.Run(kUndoId);
    EXPECT_FALSE(e.doc.Modified());
    e.table.Run(kUndoId);
    EXPECT_TRUE(e.doc.Modified());
    e.table.Run(kRedoId);
    EXPECT_FALSE(e.doc.Modified());
    // An edit after an undo drops the redo and leaves the saved state out of reach.
    e.table.Run(kUndoId);
    e.table.Run(32833);
    EXPECT_FALSE(e.doc.CanRedo());
    EXPECT_TRUE(e.doc.Modified());
    // Opening a file is no step and is the saved state.
    ASSERT_TRUE(e.doc.OpenSchemeFile(path));
    EXPECT_FALSE(e.doc.Modified());
    EXPECT_FALSE(e.doc.CanUndo());
    EXPECT_EQ(RecentFiles::Files().value(0), QFileInfo(path).absoluteFilePath());
}

TEST_F(UndoTest, NewAndOpenAskFirstAndCancelKeepsEverything) {
    UndoEditor e;
    Populate(e);
    e.table.Run(32834);
    const State edited = StateOf(e.doc);
    e.ui.answer = SaveAnswer::Cancel;
    e.ui.file = QDir(dir.path()).filePath(QStringLiteral("other.zrx"));
    e.table.Run(57600);
    e.table.Run(57601);
    EXPECT_EQ(e.ui.asked.size(), 2u);
    EXPECT_EQ(StateOf(e.doc), edited);
    EXPECT_TRUE(e.doc.CanUndo());
    EXPECT_TRUE(e.doc.Modified());
    // Discard: the new document replaces it.
    e.ui.answer = SaveAnswer::Discard;
    e.table.Run(57600);
    EXPECT_EQ(e.doc.Animation()->frameCount, 1);
    EXPECT_FALSE(e.doc.Modified());
    // Save: the file is written first, then the document goes.
    e.doc.CurrentFrame()->AddRectRegion(24, 1, 1.0f, {0, 0, 240, 20});
    e.doc.Checkpoint(QStringLiteral("x"));
    ASSERT_TRUE(e.doc.Modified());
    e.ui.answer = SaveAnswer::Save;
    const QString saved = QDir(dir.path()).filePath(QStringLiteral("saved.zrx"));
    e.ui.file = saved;
    e.table.Run(57600);
    EXPECT_TRUE(QFileInfo::exists(saved));
    EXPECT_FALSE(e.doc.Modified());
    EXPECT_EQ(e.doc.Animation()->frameCount, 1);
}

}  // namespace
}  // namespace zv
