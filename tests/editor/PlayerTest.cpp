// Playback: the timer, play, pause and stop, ticks over normal and effect frames.

#include <QTest>

#include <gtest/gtest.h>

#include "TestUi.h"
#include "editor/Player.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"

namespace zv {
namespace {

// n normal frames, each with one 24 x 1 region whose cell k is lit on frame k.
void MakeFrames(Document& doc, int n) {
    CNeonAv& av = *doc.Animation();
    for (int i = 1; i < n; ++i) doc.AddFrame();
    int k = 0;
    for (CNeonFrame* f : Ring<CNeonFrame>::Items(av.anchor.get())) {
        if (Ring<CNeonRegion>::IsEmpty(f->regions.get()))
            f->AddRectRegion(24, 1, 1.0f, {0, 0, 240, 10});
        f->selectedRegion->Cell(0, k % 24).colour = RGB(255, 0, 0);
        ++k;
    }
    doc.FirstFrame();
}

TEST(PlayerTest, PeriodFromTheTypedRate) {
    const std::pair<const char*, int> rates[] = {{"10", 100}, {"20", 50}, {"30", 33},
                                                 {"50", 20},  {"7", 142}, {"3", 333}};
    for (const auto& [text, period] : rates) {
        Editor e;
        e.doc.rateText = QString::fromUtf8(text);
        e.doc.GetPlayer().Play();
        EXPECT_TRUE(e.doc.GetPlayer().TimerRunning()) << text;
        EXPECT_EQ(e.doc.GetPlayer().Period(), period) << text;
        e.doc.GetPlayer().Stop();
    }
    for (const char* text : {"", "0", "abc", "-10", "1.5"}) {
        Editor e;
        e.doc.rateText = QString::fromUtf8(text);
        e.doc.GetPlayer().Play();
        EXPECT_FALSE(e.doc.GetPlayer().TimerRunning()) << text;
        EXPECT_TRUE(e.ui.messages.empty()) << text;
    }
}

TEST(PlayerTest, PlayRewindsPauseKeepsThePlaceStopRewinds) {
    Editor e;
    MakeFrames(e.doc, 4);
    CNeonAv& av = *e.doc.Animation();
    Player& p = e.doc.GetPlayer();
    e.doc.LastFrame();
    ASSERT_EQ(av.currentIndex, 4);

    p.Play();
    EXPECT_EQ(av.currentFrame, av.First());
    EXPECT_EQ(e.ui.counterText, QStringLiteral("(1/4)"));
    p.Tick();  // shows frame 1, moves to 2
    p.Tick();  // shows frame 2, moves to 3
    EXPECT_EQ(av.currentFrame, av.GetFrameAt(3));
    EXPECT_EQ(av.currentIndex, 3);

    p.Pause();
    EXPECT_TRUE(e.doc.paused);
    EXPECT_FALSE(p.TimerRunning());
    EXPECT_EQ(av.currentFrame, av.GetFrameAt(3));
    p.Play();  // continues
    EXPECT_TRUE(p.TimerRunning());
    EXPECT_EQ(av.currentFrame, av.GetFrameAt(3));
    p.Tick();
    EXPECT_EQ(av.currentIndex, 4);

    p.Stop();
    EXPECT_FALSE(e.doc.paused);
    EXPECT_FALSE(p.TimerRunning());
    EXPECT_EQ(av.currentFrame, av.First());
    EXPECT_EQ(av.currentIndex, 1);
    e.doc.NextFrame();
    p.Play();  // from stopped: rewinds
    EXPECT_EQ(av.currentIndex, 1);
    p.Stop();
}

TEST(PlayerTest, EndOfRunWithoutLoopStopsWithLoopWraps) {
    Editor e;
    CNeonAv& av = *e.doc.Animation();
    Player& p = e.doc.GetPlayer();
    e.doc.loopPlayback = false;
    p.Play();
    p.Tick();  // a one-frame animation: one tick, then stop on frame 1
    EXPECT_FALSE(p.TimerRunning());
    EXPECT_EQ(av.currentFrame, av.First());
    EXPECT_EQ(e.ui.counterText, QStringLiteral("(1/1)"));

    Editor l;
    MakeFrames(l.doc, 3);
    l.doc.loopPlayback = true;
    Player& q = l.doc.GetPlayer();
    q.Play();
    std::vector<int> indexes;
    for (int i = 0; i < 7; ++i) {
        indexes.push_back(l.doc.Animation()->currentIndex);
        q.Tick();
    }
    EXPECT_EQ(indexes, (std::vector<int>{1, 2, 3, 1, 2, 3, 1}));
    EXPECT_TRUE(q.TimerRunning());
    q.Stop();
}

TEST(PlayerTest, EachTickShowsTheFrameItPlays) {
    Editor e;
    MakeFrames(e.doc, 3);
    CNeonAv& av = *e.doc.Animation();
    Player& p = e.doc.GetPlayer();
    p.Play();
    for (int i = 1; i <= 3; ++i) {
        const QImage expected =
            av.GetFrameAt(i)->RenderImage(e.ui.image.size(), true, e.doc.Background());
        p.Tick();
        EXPECT_EQ(e.ui.image, expected) << i;
    }
    // The run is over; the last frame stays on screen for one period, then the
    // animation rewinds to its first frame.
    EXPECT_FALSE(p.TimerRunning());
    EXPECT_TRUE(p.RewindPending());
    EXPECT_EQ(av.currentFrame, av.GetFrameAt(3));
    QTest::qWait(p.Period() + 100);
    EXPECT_FALSE(p.RewindPending());
    EXPECT_EQ(av.currentFrame, av.First());
    EXPECT_EQ(av.currentIndex, 1);
    EXPECT_EQ(e.ui.image, av.First()->RenderImage(e.ui.image.size(), true, e.doc.Background()));
}

TEST(PlayerTest, NavigationCancelsThePendingRewind) {
    Editor e;
    MakeFrames(e.doc, 2);
    Player& p = e.doc.GetPlayer();
    p.Play();
    p.Tick();
    p.Tick();
    ASSERT_TRUE(p.RewindPending());
    e.doc.PreviousFrame();
    EXPECT_FALSE(p.RewindPending());
    EXPECT_EQ(e.doc.Animation()->currentIndex, 1);
}

TEST(PlayerTest, EffectFrameShowsEverySubFrameWithItsOwnLayers) {
    // Frame 1 normal; frame 2 an effect frame (move right over 8 columns) that also
    // carries a text; frame 3 normal.
    Editor e;
    MakeFrames(e.doc, 3);
    CNeonAv& av = *e.doc.Animation();
    e.doc.NextFrame();
    CNeonFrame* effectFrame = av.currentFrame;
    effectFrame->ClearRegions();
    effectFrame->AddRectRegion(8, 1, 1.0f, {0, 100, 160, 120});
    effectFrame->selectedRegion->Cell(0, 0).colour = RGB(0, 255, 0);
    CNeonChar* text = effectFrame->texts->AppendText();
    text->SetText(QStringLiteral("OPEN"));
    LogFont lf;
    lf.lfHeight = 40;
    lf.SetFaceName(QStringLiteral("DejaVu Sans"));
    text->SetLogFont(lf);
    text->textColour = RGB(255, 255, 255);
    text->x = 300;
    text->y = 300;
    e.doc.ApplyEffect(2);
    ASSERT_EQ(effectFrame->category, 57);

    // What each sub-frame must look like: the whole list built at once, each drawn
    // under the frame's own text.
    std::vector<QImage> expected;
    effectFrame->BuildSubFrames();
    for (const CNeonFrame* sub : Ring<CNeonFrame>::Items(effectFrame->subFrames.get()))
        expected.push_back(
            effectFrame->RenderImage(e.ui.image.size(), true, e.doc.Background(), sub));
    effectFrame->ClearSubFrames();
    effectFrame->RestoreRegions();
    const std::int64_t subFrames = effectFrame->SubFrameCount();
    ASSERT_EQ(std::int64_t(expected.size()), subFrames);
    ASSERT_GT(subFrames, 2);

    e.doc.FirstFrame();
    Player& p = e.doc.GetPlayer();
    p.Play();
    p.Tick();  // frame 1
    ASSERT_EQ(av.currentFrame, effectFrame);
    for (std::int64_t k = 0; k < subFrames; ++k) {
        p.Tick();
        EXPECT_EQ(av.currentFrame, effectFrame) << k;
        EXPECT_EQ(e.ui.image, expected[std::size_t(k)]) << "sub-frame " << k;
        // The text stays on screen while the effect plays.
        int lit = 0;
        for (int y = 300; y < 350; ++y)
            for (int x = 300; x < 420; ++x) lit += (e.ui.image.pixel(x, y) & 0xFFFFFF) != 0;
        EXPECT_GT(lit, 100) << k;
    }
    // One tick after the last sub-frame the list moves on, with the frame's own
    // colours back.
    p.Tick();
    EXPECT_EQ(av.currentFrame, av.GetFrameAt(3));
    EXPECT_EQ(av.currentIndex, 3);
    EXPECT_EQ(effectFrame->selectedRegion->Cell(0, 0).colour, RGB(0, 255, 0));
    EXPECT_EQ(p.SteppedFrame(), nullptr);
    p.Stop();
}

TEST(PlayerTest, StopInTheMiddleOfAnEffectGivesTheFrameItsColoursBack) {
    Editor e;
    CNeonFrame* f = e.doc.CurrentFrame();
    f->AddRectRegion(8, 1, 1.0f, {0, 0, 160, 20});
    f->selectedRegion->Cell(0, 2).colour = RGB(9, 9, 9);
    e.doc.ApplyEffect(47);  // fade out
    Player& p = e.doc.GetPlayer();
    p.Play();
    for (int i = 0; i < 4; ++i) p.Tick();
    EXPECT_EQ(p.SteppedFrame(), f);
    p.Stop();
    EXPECT_EQ(p.SteppedFrame(), nullptr);
    EXPECT_EQ(f->selectedRegion->Cell(0, 2).colour, RGB(9, 9, 9));
}

TEST(PlayerTest, PlayCommitsATextBeingTyped) {
    Editor e;
    e.doc.ChooseEditLayer(LayerText);
    e.doc.ChooseTool(ToolMode::Text, LayerRule::Text);
    e.doc.OnLButtonDown(1, {50, 60});
    ASSERT_TRUE(e.ui.editorOpen);
    e.ui.editorText = QStringLiteral("欢迎");
    e.doc.GetPlayer().Play();
    const CNeonFrame* f = e.doc.Animation()->First();
    ASSERT_FALSE(Ring<CNeonChar>::IsEmpty(f->texts.get()));
    const CNeonChar* t = f->texts->next;
    EXPECT_EQ(t->Text(), QStringLiteral("欢迎"));
    EXPECT_EQ(t->x, 50);
    EXPECT_EQ(t->y, 60);
    EXPECT_EQ(t->textColour, RGB(255, 0, 0));
    EXPECT_FALSE(e.ui.editorOpen);
    EXPECT_EQ(e.doc.textEditState, 0);
    EXPECT_EQ(e.doc.editLayer, LayerBackground);
    e.doc.GetPlayer().Stop();
}

}  // namespace
}  // namespace zv
