// The command table: tool modes against edit layers, guards, the effect commands and
// the effect options.

#include <QBuffer>

#include <gtest/gtest.h>

#include "TestUi.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"

#include <set>
#include <string_view>

namespace zv {
namespace {

QByteArray SchemeBytes(const Document& doc) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    doc.Animation()->SaveScheme(buffer, *doc.Background());
    return buffer.data();
}

void AddRegion(Document& doc, Rect r = {10, 10, 250, 30}) {
    doc.CurrentFrame()->AddRectRegion(24, 1, 1.0f, r);
}

// Tool command, the mode it sets and the layers that accept it (B background,
// T text, P picture, G graphics).
struct ToolRow {
    int id;
    int mode;
    const char* layers;
};
constexpr ToolRow kToolRows[] = {
    {32796, 1, "B"},  {32780, 2, "BTP"},   {32798, 3, "B"},     {32789, 4, "B"},
    {32790, 5, "P"},  {32857, 5, "P"},     {32791, 7, "T"},     {32855, 8, "BTPG"},
    {32923, 9, "B"},  {32924, 10, "B"},    {32930, 11, "B"},    {32929, 12, "B"},
    {32934, 14, "G"}, {32881, 15, "G"},    {32880, 16, "G"},    {32910, 17, "G"},
    {32912, 18, "G"}, {32911, 19, "G"},    {32913, 20, "G"},    {32916, 21, "G"},
    {32917, 22, "G"}, {32915, 23, "G"},    {32918, 24, "G"},    {32919, 25, "G"},
    {32920, 26, "G"}, {32914, 27, "BTPG"}, {32879, 13, "BTPG"},
};

TEST(CommandsTest, ToolModeAgainstEditLayer) {
    for (const ToolRow& row : kToolRows) {
        for (int layer = 0; layer < 4; ++layer) {
            Editor e;
            AddRegion(e.doc);
            e.doc.editLayer = layer;
            e.doc.toolMode = 99;
            e.Pump();
            MessageSpy spy(&e.doc);
            ASSERT_TRUE(e.table.Run(row.id)) << row.id;
            e.Pump();
            const bool allowed =
                std::string_view(row.layers).find("BTPG"[layer]) != std::string_view::npos;
            EXPECT_EQ(e.doc.toolMode, allowed ? row.mode : 99) << row.id << " layer " << layer;
            if (!allowed) {
                EXPECT_TRUE(spy.seen.empty()) << row.id << " layer " << layer;
            } else if (row.mode != 13 && row.mode != 14) {
                // Mode 13 and 14 open the Position bar instead of announcing a tool.
                EXPECT_EQ(spy.Count(UM_TOOL_CHANGED), 1) << row.id << " layer " << layer;
            }
            const Command* c = e.table.Find(row.id);
            ASSERT_TRUE(c);
            if (row.mode != 13) {
                EXPECT_EQ(e.table.Enabled(*c), allowed) << row.id << " layer " << layer;
            }
        }
    }
}

TEST(CommandsTest, ToolButtonsCheckTheirModeButNeverNoOperation) {
    Editor e;
    e.doc.editLayer = LayerBackground;
    e.table.Run(32923);
    EXPECT_TRUE(e.table.Checked(*e.table.Find(32923)));
    EXPECT_FALSE(e.table.Checked(*e.table.Find(32924)));
    e.table.Run(32914);
    EXPECT_EQ(e.doc.toolMode, 27);
    EXPECT_FALSE(e.table.Checked(*e.table.Find(32914)));
    EXPECT_FALSE(e.table.Checked(*e.table.Find(32923)));
}

TEST(CommandsTest, ShapeToolsTellTheDrawingToolTheShapeKind) {
    // Command -> drawing tool number (line 10 ... smooth curve 20).
    const std::pair<int, int> kinds[] = {{32915, 10}, {32917, 11}, {32880, 12}, {32916, 13},
                                         {32911, 14}, {32912, 15}, {32910, 16}, {32913, 17},
                                         {32918, 18}, {32919, 19}, {32920, 20}};
    for (const auto& [id, tool] : kinds) {
        Editor e;
        e.doc.editLayer = LayerGraphics;
        e.table.Run(id);
        EXPECT_EQ(e.doc.DrawTool()->tool, tool) << id;
        EXPECT_EQ(e.doc.DrawTool()->state, 1) << id;
    }
    Editor e;
    e.doc.editLayer = LayerGraphics;
    e.table.Run(32881);
    EXPECT_EQ(e.doc.DrawTool()->state, 3);
    e.table.Run(32914);
    EXPECT_EQ(e.doc.DrawTool()->state, 0);
}

TEST(CommandsTest, LayerChangeResetsToolAndSwitchesSimulatedMouseOff) {
    Editor e;
    e.doc.editLayer = LayerBackground;
    e.table.Run(32923);
    e.table.Run(32931);  // simulate mouse on, for the region tool: points
    EXPECT_TRUE(e.doc.simulateMouse);
    EXPECT_TRUE(e.ui.positionBar);
    EXPECT_EQ(e.doc.positionKind, PositionKind::Points);
    e.doc.ChooseEditLayer(LayerText);
    e.Pump();
    EXPECT_EQ(e.doc.toolMode, 27);
    EXPECT_FALSE(e.doc.simulateMouse);
    EXPECT_FALSE(e.ui.positionBar);
    EXPECT_EQ(e.doc.positionKind, PositionKind::None);
}

TEST(CommandsTest, GuardsWithoutFramesRefuseSilently) {
    Editor e;
    e.doc.Animation()->Clear();
    for (const Command& c : e.table.Commands()) {
        if (c.guard < 0) continue;  // new and add frame may make a frame
        e.table.Run(c.id);
        e.Pump();
        EXPECT_EQ(e.doc.Animation()->frameCount, 0) << c.id;
        EXPECT_EQ(e.doc.CurrentFrame(), nullptr) << c.id;
        EXPECT_TRUE(e.ui.messages.empty()) << c.id;
        EXPECT_FALSE(e.table.Enabled(c)) << c.id;
    }
}

TEST(CommandsTest, RegionCommandsOnAFrameWithoutRegionsChangeNothing) {
    Editor e;
    const QByteArray before = SchemeBytes(e.doc);
    for (const Command& c : e.table.Commands()) {
        if (c.guard != 0) continue;
        e.table.Run(c.id);
        e.Pump();
        EXPECT_EQ(SchemeBytes(e.doc), before) << c.id;
        EXPECT_FALSE(e.table.Enabled(c)) << c.id;
    }
    // Moving on the background layer needs a region too.
    for (int id : {32833, 32834, 32835, 32837}) {
        e.table.Run(id);
        EXPECT_EQ(SchemeBytes(e.doc), before) << id;
    }
}

// Effect command and its effect number, as the effects menu lists them.
constexpr std::pair<int, int> kEffectIds[] = {
    {32803, 1},  {32804, 2},  {32805, 3},  {32806, 4},  {32807, 5},  {32808, 6},  {32822, 7},
    {32809, 8},  {32810, 9},  {32811, 10}, {32823, 11}, {32815, 12}, {32816, 13}, {32817, 14},
    {32818, 15}, {32819, 16}, {32820, 17}, {32821, 18}, {32824, 19}, {32825, 20}, {32826, 21},
    {32827, 22}, {32828, 23}, {32883, 24}, {32884, 25}, {32882, 26}, {32885, 27}, {32886, 28},
    {32887, 29}, {32888, 30}, {32889, 31}, {32890, 32}, {32891, 33}, {32892, 34}, {32897, 35},
    {32899, 36}, {32898, 37}, {32900, 38}, {32893, 39}, {32895, 40}, {32894, 41}, {32896, 42},
    {32901, 43}, {32903, 44}, {32902, 45}, {32904, 46}, {32813, 47}, {32812, 48}, {32829, 49},
    {32830, 50}, {32907, 51}, {32908, 52}, {32831, 53}, {32832, 54}, {32905, 55}, {32906, 56},
};

TEST(CommandsTest, EffectCommandsApplyTheirEffectNumber) {
    int effects = 0;
    const Editor all;
    for (const Command& c : all.table.Commands())
        effects += CommandTable::EffectOfCommand(c.id) != 0;
    EXPECT_EQ(effects, 56);
    for (const auto& [id, n] : kEffectIds) {
        EXPECT_EQ(CommandTable::EffectOfCommand(id), n) << id;
        Editor e;
        AddRegion(e.doc);
        ASSERT_TRUE(e.table.Run(id)) << id;
        CNeonFrame* f = e.doc.CurrentFrame();
        EXPECT_EQ(f->selectedRegion->effect, n) << id;
        EXPECT_EQ(f->category, 57) << id;
        EXPECT_EQ(e.doc.Animation()->frameCount, 1) << id;
    }
}

TEST(CommandsTest, EffectCategoryTextAndExpandCounter) {
    Editor e;
    AddRegion(e.doc);
    e.doc.UpdateFrameCounter();
    EXPECT_EQ(e.ui.counterText, QStringLiteral("(1/1)"));
    e.table.Run(32803);
    EXPECT_EQ(e.ui.category, QStringLiteral("帧类别:特效帧"));
    EXPECT_EQ(e.ui.counterText, QStringLiteral("(1/1)"));

    Editor x;
    AddRegion(x.doc);
    EXPECT_FALSE(x.doc.expandOption);
    x.table.Run(32926);
    EXPECT_TRUE(x.doc.expandOption);
    EXPECT_TRUE(x.table.Checked(*x.table.Find(32926)));
    // Move left over 24 columns: the start picture and 24 steps go into 25 new frames
    // after the current one.
    x.table.Run(32803);
    EXPECT_EQ(x.doc.Animation()->frameCount, 26);
    EXPECT_EQ(x.ui.counterText, QStringLiteral("(1/26)"));
    EXPECT_EQ(x.doc.CurrentFrame()->category, 0);
    EXPECT_EQ(x.ui.category, QStringLiteral("帧类别:普通帧"));

    // Loop is on at start and follows its command.
    EXPECT_TRUE(x.doc.loopOption);
    x.table.Run(32853);
    EXPECT_FALSE(x.doc.loopOption);
    EXPECT_FALSE(x.table.Checked(*x.table.Find(32853)));
}

TEST(CommandsTest, ArrowSelectionShowsTheRegionsEffectInTheCategory) {
    Editor e;
    AddRegion(e.doc, {10, 10, 250, 30});
    e.table.Run(32804);  // move right on that region
    AddRegion(e.doc, {10, 100, 250, 120});
    e.doc.editLayer = LayerBackground;
    e.table.Run(32796);
    e.doc.OnLButtonDown(1, {20, 20});
    EXPECT_EQ(e.doc.CurrentFrame()->selectedRegion->bounds, (Rect{10, 10, 250, 30}));
    EXPECT_EQ(e.ui.category, QStringLiteral("帧类别:特效帧-->平移--右"));
    e.doc.OnLButtonDown(1, {400, 400});
    EXPECT_EQ(e.doc.CurrentFrame()->selectedRegion, nullptr);
}

TEST(CommandsTest, TextsMenusAndShortcutsComeFromTheTable) {
    Editor e;
    const Command* n = e.table.Find(57600);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->MenuText(), QStringLiteral("新建(&N)"));
    EXPECT_EQ(n->Shortcut(), QStringLiteral("Ctrl+N"));
    const Command* play = e.table.Find(32792);
    EXPECT_EQ(play->StatusTip(), QStringLiteral("播放动画"));
    EXPECT_EQ(play->ToolTip(), QStringLiteral("播放"));
    const Command* arrow = e.table.Find(32796);
    EXPECT_EQ(arrow->StatusTip(), QStringLiteral("选择工具"));
    EXPECT_EQ(arrow->ToolTip(), QStringLiteral("箭头选则"));
    EXPECT_EQ(e.table.Find(32881)->MenuText(), QStringLiteral("选择&&拖拽"));
    EXPECT_EQ(e.table.Find(32853)->MenuText(), QStringLiteral("循环(&C)"));
    // Every id once; every command runs something.
    std::set<int> ids;
    for (const Command& c : e.table.Commands()) {
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;
        EXPECT_TRUE(bool(c.run)) << c.id;
        EXPECT_FALSE(c.MenuText().isEmpty()) << c.id;
    }
    e.table.Run(57664);
    e.table.Run(32862);
    e.table.Run(57665);
    EXPECT_EQ(e.app.abouts, 1);
    EXPECT_EQ(e.app.helps, 1);
    EXPECT_EQ(e.app.exits, 1);
}

}  // namespace
}  // namespace zv
