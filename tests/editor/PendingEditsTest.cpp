// Commands that change the current frame or the list while an edit is pending: the
// edit is committed or dropped, and nothing is left pointing into a frame that went.
// Run under AddressSanitizer, a dangling pointer shows up as a failure here.

#include <QDir>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

#include "TestUi.h"
#include "editor/Player.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"

namespace zv {
namespace {

bool RegionOf(const CNeonFrame* f, const CNeonRegion* r) {
    if (!r) return true;
    for (const CNeonRegion* x : Ring<CNeonRegion>::Items(f->regions.get()))
        if (x == r) return true;
    return false;
}

bool TextOf(const CNeonFrame* f, const CNeonChar* t) {
    if (!t) return true;
    for (const CNeonChar* x : Ring<CNeonChar>::Items(f->texts.get()))
        if (x == t) return true;
    return false;
}

struct Pending {
    const char* name;
    std::function<void(Editor&, const QString& picture)> start;
};

struct Change {
    const char* name;
    std::function<void(Editor&)> run;
};

TEST(PendingEditsTest, FrameChangesNeverLeaveEditsPointingIntoGoneFrames) {
    QTemporaryDir dir;
    const QString picture = QDir(dir.path()).filePath(QStringLiteral("p.bmp"));
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(QColor(0, 200, 0));
    ASSERT_TRUE(img.save(picture, "BMP"));

    const Pending pendings[] = {
        {"new text",
         [](Editor& e, const QString&) {
             e.doc.ChooseEditLayer(LayerText);
             e.doc.ChooseTool(ToolMode::Text, LayerRule::Text);
             e.doc.OnLButtonDown(1, {40, 40});
             e.ui.editorText = QStringLiteral("abc");
         }},
        {"edited text",
         [](Editor& e, const QString&) {
             CNeonChar* t = e.doc.CurrentFrame()->texts->AppendText();
             t->SetText(QStringLiteral("xyz"));
             t->x = 100;
             t->y = 100;
             e.doc.ChooseEditLayer(LayerText);
             e.doc.ChooseTool(ToolMode::RegionSelect, LayerRule::NotGraphics);
             e.doc.OnLButtonDown(1, {90, 90});
             e.doc.OnMouseMove(1, {140, 140});
             e.doc.OnLButtonUp(0, {140, 140});
             ASSERT_EQ(e.doc.textEditState, 2);
         }},
        {"new picture",
         [](Editor& e, const QString& path) {
             e.ui.pictureFile = path;
             e.doc.ChooseEditLayer(LayerPicture);
             e.doc.ChooseTool(ToolMode::Picture, LayerRule::Picture);
             e.doc.OnLButtonDown(1, {200, 200});
             ASSERT_EQ(e.doc.pictureEditState, 1);
             e.doc.OnLButtonDown(1, {210, 210});  // grabbed
             e.doc.OnMouseMove(1, {220, 215});
         }},
        {"moved picture",
         [](Editor& e, const QString& path) {
             auto img = CNeonImg::ImportPicture(path, 200, 200, 640, 480);
             ASSERT_TRUE(img);
             Ring<CNeonImg>::Append(e.doc.CurrentFrame()->pictures.get(), std::move(img));
             e.doc.ChooseEditLayer(LayerPicture);
             e.doc.ChooseTool(ToolMode::RegionSelect, LayerRule::NotGraphics);
             e.doc.OnLButtonDown(1, {190, 190});
             e.doc.OnMouseMove(1, {260, 260});
             e.doc.OnLButtonUp(0, {260, 260});
             ASSERT_EQ(e.doc.pictureEditState, 2);
         }},
        {"shape half drawn",
         [](Editor& e, const QString&) {
             e.doc.ChooseEditLayer(LayerGraphics);
             e.doc.ChooseTool(ToolMode::FirstShape + 7, LayerRule::Graphics);  // line
             e.doc.OnLButtonDown(1, {50, 50});
             e.doc.OnMouseMove(1, {80, 90});
         }},
        {"region points",
         [](Editor& e, const QString&) {
             e.doc.ChooseTool(ToolMode::PolyRegionH, LayerRule::Background);
             e.doc.OnLButtonDown(1, {10, 200});
             e.doc.OnLButtonDown(1, {100, 200});
         }},
        {"band",
         [](Editor& e, const QString&) {
             e.doc.ChooseTool(ToolMode::RegionSelect, LayerRule::NotGraphics);
             e.doc.OnLButtonDown(1, {5, 5});
             e.doc.OnMouseMove(1, {60, 25});
         }},
        {"effect playing",
         [](Editor& e, const QString&) {
             e.doc.ApplyEffect(2);
             e.doc.GetPlayer().Play();
             e.doc.GetPlayer().Tick();
             e.doc.GetPlayer().Tick();
             ASSERT_NE(e.doc.GetPlayer().SteppedFrame(), nullptr);
         }},
    };
    const Change changes[] = {
        {"delete", [](Editor& e) { e.doc.DeleteFrame(); }},
        {"delete all",
         [](Editor& e) {
             while (e.doc.Animation()->frameCount > 1) e.doc.DeleteFrame();
             e.doc.DeleteFrame();
         }},
        {"next", [](Editor& e) { e.doc.NextFrame(); }},
        {"previous", [](Editor& e) { e.doc.PreviousFrame(); }},
        {"first", [](Editor& e) { e.doc.FirstFrame(); }},
        {"last", [](Editor& e) { e.doc.LastFrame(); }},
        {"add", [](Editor& e) { e.doc.AddFrame(); }},
        {"copy previous", [](Editor& e) { e.doc.CopyPreviousFrame(); }},
        {"copy 1", [](Editor& e) { e.doc.CopyFrameNumber(1); }},
        {"new", [](Editor& e) { e.doc.NewDocument(); }},
    };
    for (const Pending& pending : pendings) {
        for (const Change& change : changes) {
            SCOPED_TRACE(std::string(pending.name) + " / " + change.name);
            Editor e;
            // Three frames with a region each; the edit starts on the middle one.
            e.doc.CurrentFrame()->AddRectRegion(24, 1, 1.0f, {0, 0, 240, 20});
            e.doc.AddFrame();
            e.doc.AddFrame();
            e.doc.PreviousFrame();
            pending.start(e, picture);
            change.run(e);
            e.Pump();
            // Whatever stays current is whole, and the pending edit is over.
            CNeonFrame* f = e.doc.CurrentFrame();
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(e.doc.textEditState, 0);
            EXPECT_EQ(e.doc.pictureEditState, 0);
            EXPECT_FALSE(e.ui.editorOpen);
            EXPECT_TRUE(RegionOf(f, f->selectedRegion));
            EXPECT_TRUE(TextOf(f, f->selectedText));
            EXPECT_EQ(f->movingPicture, nullptr);
            // The tools go on working on what is there now.
            e.doc.OnMouseMove(1, {120, 130});
            e.doc.OnLButtonDown(1, {120, 130});
            e.doc.OnMouseMove(1, {150, 160});
            e.doc.OnLButtonUp(0, {150, 160});
            e.doc.OnLButtonDblClk(1, {150, 160});
            e.doc.PreTranslateKey(Qt::Key_Escape);
            e.doc.GetPlayer().Tick();
            e.doc.GetPlayer().Tick();
            e.doc.GetPlayer().Stop();
            e.Pump();
            e.doc.DrawCurrentFrame(1);
        }
    }
}

}  // namespace
}  // namespace zv
