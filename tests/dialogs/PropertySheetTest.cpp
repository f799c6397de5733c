// The property sheet: the colour page's controls and their bindings, the style page
// and its samples (pixels checked), and what reaches the drawing tool.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>

#include "dialogs/DLineColor.h"
#include "dialogs/DlineStyle.h"
#include "dialogs/LinePropertySheet.h"
#include "editor/Document.h"
#include "shapes/KorDraw.h"
#include "shapes/Rectangle.h"

namespace zv {
namespace {

// A window stand-in that hands picked colours to the sheet, as the main window does.
class SheetUi : public EditorUi {
public:
    SheetUi() : screen(100, 80, QImage::Format_RGB32) { screen.fill(Qt::black); }
    QImage& Screen() override { return screen; }
    void DeliverPickedColour(COLORREF c) override {
        if (sheet) sheet->TakePickedColour(c);
    }
    QImage screen;
    CLinePropertySheet* sheet = nullptr;
};

class PropertySheet : public ::testing::Test {
protected:
    PropertySheet()
        : sheet(
              doc,
              [this](QWidget*, const QColor& initial) {
                  offered = initial;
                  return answer;
              },
              nullptr) {
        ui.sheet = &sheet;
        doc.SetUi(&ui);
    }
    ~PropertySheet() override { doc.SetUi(nullptr); }

    CDLineColor& Colours() { return sheet.ColourPage(); }
    CDlineStyle& Style() { return sheet.StylePage(); }
    // Pages not on top are hidden: their buttons are clicked as a user would, without
    // a mouse position.
    void Click(QAbstractButton* b) { b->click(); }
    void ClickId(QButtonGroup* g, int id) { Click(g->button(id)); }
    const ShapeStyle& ToolStyle() { return *doc.DrawTool()->style; }

    SheetUi ui;
    Document doc;
    std::optional<QColor> answer;
    QColor offered;
    CLinePropertySheet sheet;
};

TEST_F(PropertySheet, PagesTitlesAndInitialValues) {
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("图元属性页"));
    EXPECT_TRUE(sheet.windowFlags() & Qt::Tool);
    EXPECT_FALSE(sheet.isModal());
    ASSERT_EQ(sheet.Tabs()->count(), 2);
    EXPECT_EQ(sheet.Tabs()->tabText(0), QStringLiteral("风格设定"));
    EXPECT_EQ(sheet.Tabs()->tabText(1), QStringLiteral("颜色设定"));

    CDLineColor& c = Colours();
    EXPECT_EQ(c.currentColour, 0u);
    EXPECT_EQ(c.penColour, 0x585858u);
    EXPECT_EQ(c.brushColour, 0x585858u);
    EXPECT_EQ(c.backColour, 0xFFFFFFu);
    EXPECT_EQ(c.Shown(c.CurrentPreview()), 0u);
    EXPECT_EQ(c.Shown(c.PenPreview()), 0x585858u);
    EXPECT_EQ(c.Shown(c.BrushPreview()), 0x585858u);
    EXPECT_EQ(c.Shown(c.BackPreview()), 0xFFFFFFu);
    for (int ch = 0; ch < 3; ++ch) {
        EXPECT_EQ(c.Slider(ch)->objectName(), QString::number(1090 + ch));
        EXPECT_EQ(c.Slider(ch)->maximum(), 255);
        EXPECT_EQ(c.Slider(ch)->tickInterval(), 26);
        EXPECT_EQ(c.Slider(ch)->value(), 0);
        EXPECT_EQ(c.Edit(ch)->objectName(), QString::number(1093 + ch));
        EXPECT_EQ(c.Edit(ch)->value(), 0);
    }
    EXPECT_FALSE(c.PenCheck()->isChecked());
    EXPECT_FALSE(c.BrushCheck()->isChecked());
    EXPECT_FALSE(c.BackCheck()->isChecked());
    EXPECT_EQ(c.PickButton()->text(), QStringLiteral("拾取"));
    EXPECT_EQ(c.PaletteButton()->text(), QStringLiteral("调色板"));
    EXPECT_EQ(c.UpdateButton()->text(), QStringLiteral("更新"));

    CDlineStyle& s = Style();
    EXPECT_EQ(s.penStyle, PS_SOLID);
    EXPECT_EQ(s.PenGroup()->checkedId(), 1045);
    EXPECT_EQ(s.penWidth, 1);
    EXPECT_EQ(s.WidthEdit()->minimum(), 1);
    EXPECT_EQ(s.WidthEdit()->maximum(), 1000);
    EXPECT_EQ(s.brushStyle, BS_HOLLOW);
    EXPECT_EQ(s.BrushGroup()->checkedId(), 1056);
    EXPECT_EQ(s.hatchIndex, 0);
    EXPECT_EQ(s.hatchStyle, HS_BDIAGONAL);
    EXPECT_EQ(s.HatchGroup()->checkedId(), 1059);
    EXPECT_EQ(s.backMode, OPAQUE);
    EXPECT_EQ(s.BackModeBox()->currentIndex(), 0);
}

TEST_F(PropertySheet, SwatchesSetTheCurrentColour) {
    // Four rows of four, as the page lays them out; red is the low byte.
    const std::pair<int, COLORREF> want[16] = {
        {1067, 0x000000}, {1068, 0x505050}, {1070, 0xB4B4B4}, {1069, 0xFFFFFF},
        {1071, 0x800000}, {1072, 0xFF0000}, {1073, 0x00FF00}, {1074, 0xFFFF00},
        {1075, 0xAAAA00}, {1076, 0x008000}, {1077, 0x008080}, {1078, 0x00FFFF},
        {1080, 0x000080}, {1081, 0x800080}, {1082, 0xFF00FF}, {1079, 0x0000FF},
    };
    for (int i = 0; i < 16; ++i) {
        QToolButton* b = Colours().SwatchButton(i);
        EXPECT_EQ(b->objectName(), QString::number(want[i].first));
        Click(b);
        const COLORREF c = want[i].second;
        EXPECT_EQ(Colours().currentColour, c) << want[i].first;
        EXPECT_EQ(Colours().Shown(Colours().CurrentPreview()), c) << want[i].first;
        EXPECT_EQ(Colours().Slider(0)->value(), GetRValue(c));
        EXPECT_EQ(Colours().Slider(1)->value(), GetGValue(c));
        EXPECT_EQ(Colours().Edit(2)->value(), GetBValue(c));
    }
}

TEST_F(PropertySheet, OnlyCheckedStyleColoursFollow) {
    CDLineColor& c = Colours();
    Click(c.BrushCheck());  // copies the current colour (black) at once
    EXPECT_EQ(c.brushColour, 0u);
    Click(c.SwatchButton(3));  // white
    EXPECT_EQ(c.brushColour, 0xFFFFFFu);
    EXPECT_EQ(c.Shown(c.BrushPreview()), 0xFFFFFFu);
    EXPECT_EQ(c.penColour, 0x585858u);
    EXPECT_EQ(c.backColour, 0xFFFFFFu);
    EXPECT_EQ(ToolStyle().brushColour, 0xFFFFFFu);
    EXPECT_EQ(ToolStyle().penColour, 0x585858u);

    // Unchecking still copies the current colour; after that the box no longer
    // follows.
    Click(c.SwatchButton(5));  // 0xFF0000, pure blue
    EXPECT_EQ(c.brushColour, 0xFF0000u);
    Click(c.BrushCheck());
    EXPECT_FALSE(c.BrushCheck()->isChecked());
    EXPECT_EQ(c.brushColour, 0xFF0000u);
    Click(c.SwatchButton(6));
    EXPECT_EQ(c.brushColour, 0xFF0000u);
    Click(c.PenCheck());
    Click(c.BackCheck());
    EXPECT_EQ(c.penColour, 0x00FF00u);
    EXPECT_EQ(c.backColour, 0x00FF00u);
    EXPECT_EQ(ToolStyle().penColour, 0x00FF00u);
    EXPECT_EQ(ToolStyle().backColour, 0x00FF00u);
}

TEST_F(PropertySheet, SlidersAndEditBoxesBindBothWays) {
    CDLineColor& c = Colours();
    c.Slider(2)->setValue(255);
    EXPECT_EQ(c.currentColour, 0xFF0000u);
    EXPECT_EQ(c.Edit(2)->value(), 255);
    c.Edit(0)->setFocus();
    c.Edit(0)->selectAll();
    QTest::keyClicks(c.Edit(0), QStringLiteral("128"));
    EXPECT_EQ(c.Slider(0)->value(), 128);
    EXPECT_EQ(c.currentColour, 0xFF0080u);
    EXPECT_EQ(c.Shown(c.CurrentPreview()), 0xFF0080u);
    c.SetCurrentColour(0x123456);
    EXPECT_EQ(c.Slider(0)->value(), 0x56);
    EXPECT_EQ(c.Slider(1)->value(), 0x34);
    EXPECT_EQ(c.Slider(2)->value(), 0x12);
    EXPECT_EQ(c.Edit(0)->value(), 0x56);
    EXPECT_EQ(c.Edit(1)->value(), 0x34);
    EXPECT_EQ(c.Edit(2)->value(), 0x12);
    EXPECT_EQ(c.currentColour, 0x123456u);
}

TEST_F(PropertySheet, PaletteButtonOffersTheCurrentColour) {
    CDLineColor& c = Colours();
    c.SetCurrentColour(RGB(10, 20, 30));
    answer = QColor(200, 100, 50);
    Click(c.PaletteButton());
    EXPECT_EQ(offered, QColor(10, 20, 30));
    EXPECT_EQ(c.currentColour, RGB(200, 100, 50));
    answer.reset();
    Click(c.PaletteButton());
    EXPECT_EQ(c.currentColour, RGB(200, 100, 50));
}

TEST_F(PropertySheet, PickComesBackFromTheView) {
    ui.screen.setPixel(30, 20, qRgb(12, 34, 56));
    Click(Colours().PickButton());
    EXPECT_EQ(doc.toolMode, ToolMode::ColourPick);
    EXPECT_TRUE(doc.pickForPage);
    doc.OnLButtonDown(1, {30, 20});
    EXPECT_EQ(Colours().currentColour, RGB(12, 34, 56));
    EXPECT_EQ(doc.mainColour, RGB(12, 34, 56));
    // Another tool ends the waiting: picks go to the palette only.
    doc.ChooseTool(ToolMode::NoOperation, LayerRule::Any);
    doc.ChooseTool(ToolMode::ColourPick, LayerRule::Any);
    doc.OnLButtonDown(1, {0, 0});
    EXPECT_EQ(Colours().currentColour, RGB(12, 34, 56));
}

TEST_F(PropertySheet, StyleChoicesReachTheDrawingTool) {
    CDlineStyle& s = Style();
    ClickId(s.PenGroup(), 1048);
    EXPECT_EQ(ToolStyle().penStyle, PS_DASHDOT);
    ClickId(s.PenGroup(), 1050);
    EXPECT_EQ(ToolStyle().penStyle, PS_INSIDEFRAME);
    ClickId(s.PenGroup(), 1051);
    EXPECT_EQ(ToolStyle().penStyle, PS_NULL);
    s.WidthEdit()->setValue(50);
    EXPECT_EQ(ToolStyle().penWidth, 50);
    ClickId(s.BrushGroup(), 1058);
    EXPECT_EQ(ToolStyle().brushStyle, BS_HATCHED);
    ClickId(s.BrushGroup(), 1057);
    EXPECT_EQ(ToolStyle().brushStyle, BS_SOLID);
    const std::pair<int, std::int32_t> hatches[] = {{1059, HS_BDIAGONAL}, {1060, HS_DIAGCROSS},
                                                    {1061, HS_FDIAGONAL}, {1062, HS_CROSS},
                                                    {1063, HS_VERTICAL},  {1064, HS_HORIZONTAL}};
    for (const auto& [id, hatch] : hatches) {
        ClickId(s.HatchGroup(), id);
        EXPECT_EQ(s.hatchIndex, id - 1059);
        EXPECT_EQ(ToolStyle().hatchStyle, hatch) << id;
    }
    s.BackModeBox()->setCurrentIndex(1);
    EXPECT_EQ(ToolStyle().backMode, TRANSPARENT);
    s.BackModeBox()->setCurrentIndex(0);
    EXPECT_EQ(ToolStyle().backMode, OPAQUE);
}

TEST_F(PropertySheet, UpdateGivesTheStyleToTheSelectedShapes) {
    auto rect = std::make_unique<CRectangle>();
    rect->selected = true;
    CUnit* selected = doc.DrawTool()->Lists().Add(std::move(rect));
    CUnit* other = doc.DrawTool()->Lists().Add(std::make_unique<CRectangle>());
    const COLORREF otherPen = other->penColour;
    Click(Colours().PenCheck());
    Colours().SetCurrentColour(0x0000FF);
    ClickId(Style().PenGroup(), 1046);
    Style().WidthEdit()->setValue(3);
    Click(Colours().UpdateButton());
    EXPECT_EQ(selected->penColour, 0x0000FFu);
    EXPECT_EQ(selected->penStyle, PS_DASH);
    EXPECT_EQ(selected->penWidth, 3);
    EXPECT_EQ(other->penColour, otherPen);
}

// The colours found inside a sample, by count.
std::map<QRgb, int> ColoursIn(const QImage& img, QRect area) {
    std::map<QRgb, int> seen;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++seen[img.pixel(x, y) & 0xFFFFFF];
    return seen;
}

TEST_F(PropertySheet, PenSampleIsAtMostTenWideAndNullDrawsNothing) {
    CDlineStyle& s = Style();
    const QImage& pen = s.PenSample();
    const int mid = pen.height() / 2;
    // One grey line through the middle, 5 pixels in from each side, the last left out.
    EXPECT_EQ(pen.pixel(4, mid) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pen.pixel(5, mid) & 0xFFFFFF, 0x585858u);
    EXPECT_EQ(pen.pixel(pen.width() - 6, mid) & 0xFFFFFF, 0x585858u);
    EXPECT_EQ(pen.pixel(pen.width() - 5, mid) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(ColoursIn(pen, pen.rect())[0x585858], pen.width() - 10);

    s.WidthEdit()->setValue(50);
    EXPECT_EQ(s.penWidth, 50);
    int rows = 0;
    for (int y = 0; y < pen.height(); ++y)
        rows += (pen.pixel(pen.width() / 2, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_EQ(rows, 10);

    ClickId(s.PenGroup(), 1051);
    EXPECT_EQ(ColoursIn(pen, pen.rect()),
              (std::map<QRgb, int>{{0xFFFFFF, pen.width() * pen.height()}}));
}

TEST_F(PropertySheet, CrossHatchedSampleOnTheBackgroundOrOnWhite) {
    // Brush colour blue, background colour yellow (as RGB).
    Click(Colours().BrushCheck());
    Colours().SetCurrentColour(RGB(0, 0, 255));
    Click(Colours().BrushCheck());
    Click(Colours().BackCheck());
    Colours().SetCurrentColour(RGB(255, 255, 0));
    Click(Colours().BackCheck());
    CDlineStyle& s = Style();
    ClickId(s.BrushGroup(), 1058);
    ClickId(s.HatchGroup(), 1060);
    const QImage& brush = s.BrushSample();
    const QRect inside = brush.rect().adjusted(1, 1, -1, -1);
    const QRgb blue = qRgb(0, 0, 255) & 0xFFFFFF, yellow = qRgb(255, 255, 0) & 0xFFFFFF;
    std::map<QRgb, int> seen = ColoursIn(brush, inside);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_GT(seen[blue], 0);
    EXPECT_GT(seen[yellow], seen[blue]);
    // Both diagonals cross: along one row the hatch repeats every 8 pixels with two
    // lit pixels per period (one where the diagonals meet).
    int lit = 0;
    for (int x = 8; x < 40; ++x) lit += (brush.pixel(x, 9) & 0xFFFFFF) == blue;
    EXPECT_GE(lit, 4);
    EXPECT_LE(lit, 8);
    // The outline is the default black pen.
    EXPECT_EQ(brush.pixel(0, 0) & 0xFFFFFF, 0u);

    s.BackModeBox()->setCurrentIndex(1);
    seen = ColoursIn(brush, inside);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_GT(seen[blue], 0);
    EXPECT_GT(seen[0xFFFFFF], seen[blue]);
    EXPECT_EQ(seen.count(yellow), 0u);

    // The hollow brush leaves the sample white inside.
    ClickId(s.BrushGroup(), 1056);
    EXPECT_EQ(ColoursIn(brush, inside),
              (std::map<QRgb, int>{{0xFFFFFF, inside.width() * inside.height()}}));
}

TEST_F(PropertySheet, ClosingOnlyHides) {
    sheet.show();
    ASSERT_TRUE(sheet.isVisible());
    sheet.close();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.Tabs()->count(), 2);
    sheet.show();
    EXPECT_TRUE(sheet.isVisible());
}

}  // namespace
}  // namespace zv
