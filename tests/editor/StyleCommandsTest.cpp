// Region defaults (grid and scale), the drawing style handed over by the property
// pages, and the text font of the text tool bar, driven headless.

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "editor/Document.h"
#include "editor/RegionDefaults.h"
#include "gdi/LogFont.h"
#include "layers/NeonChar.h"
#include "layers/NeonRegion.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"

namespace zv {
namespace {

class DialogUi : public EditorUi {
public:
    DialogUi() : screen(200, 120, QImage::Format_RGB32) { screen.fill(Qt::black); }
    QImage& Screen() override { return screen; }
    std::optional<GridCounts> AskGridCounts(const GridCounts& current) override {
        shownGrid = current;
        return grid;
    }
    std::optional<int> AskScalePercent(int percent) override {
        shownPercent = percent;
        return scale;
    }
    void SetTextEditorFont(const QFont& font) override { editorFont = font; }

    QImage screen;
    std::optional<GridCounts> grid;
    std::optional<int> scale;
    GridCounts shownGrid{-1, -1};
    int shownPercent = -1;
    QFont editorFont;
};

class StyleCommands : public ::testing::Test {
protected:
    void SetUp() override { doc.SetUi(&ui); }
    CNeonFrame& Frame() { return *doc.CurrentFrame(); }

    DialogUi ui;
    Document doc;
};

TEST(RegionDefaultsTest, GridTextsAndRefusedCounts) {
    const struct {
        const char* rows;
        const char* cols;
        bool allowed;
        std::int32_t r, c;
    } cases[] = {
        {"", "", true, 1, 50},    {"3", "12", true, 3, 12},   {"", "7", true, 1, 7},
        {"4", "", true, 4, 50},   {"007", "1", true, 7, 1},   {"1000", "1000", true, 1000, 1000},
        {"1a", "5", false, 0, 0}, {"0", "5", false, 0, 0},    {"5", "0", false, 0, 0},
        {"-3", "5", false, 0, 0}, {"1001", "1", false, 0, 0}, {"1", "99999999999", false, 0, 0},
        {" 3", "5", false, 0, 0},
    };
    for (const auto& c : cases) {
        const GridReading r = ReadGridCounts(QString::fromUtf8(c.rows), QString::fromUtf8(c.cols));
        ASSERT_EQ(r.counts.has_value(), c.allowed) << c.rows << "/" << c.cols;
        if (c.allowed) {
            EXPECT_EQ(*r.counts, (GridCounts{c.r, c.c})) << c.rows << "/" << c.cols;
            EXPECT_TRUE(r.error.isEmpty());
        } else {
            EXPECT_FALSE(r.error.isEmpty());
        }
    }
}

TEST(RegionDefaultsTest, ScaleSliderIsTheNearestPercent) {
    const struct {
        float zoom;
        int percent;
    } cases[] = {
        {0.29f, 29}, {0.57f, 57}, {0.58f, 58}, {0.35f, 35}, {1.0f, 100},
        {0.0f, 0},   {0.014f, 1}, {0.006f, 1}, {1.7f, 100}, {-0.2f, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ScalePercentOf(c.zoom), c.percent) << c.zoom;
    EXPECT_FLOAT_EQ(ZoomOfScalePercent(35), 0.35f);
    EXPECT_FLOAT_EQ(ZoomOfScalePercent(29), 0.29f);
    // What the slider shows for a zoom it set is the position it was set at.
    for (int p = 0; p <= 100; ++p) EXPECT_EQ(ScalePercentOf(ZoomOfScalePercent(p)), p);
}

TEST_F(StyleCommands, GridRegridsTheCurrentRectangleRegionAndSetsTheDefaults) {
    Frame().AddRectRegion(24, 1, 1.0f, Rect{0, 0, 120, 40});
    CNeonRegion* rect = Frame().selectedRegion;
    ui.grid = GridCounts{3, 12};
    doc.GridCommand();
    EXPECT_EQ(ui.shownGrid, (GridCounts{1, 24}));
    EXPECT_EQ(doc.Animation()->defaultRows, 3);
    EXPECT_EQ(doc.Animation()->defaultCols, 12);
    EXPECT_EQ(rect->rows, 3);
    EXPECT_EQ(rect->cols, 12);
    EXPECT_EQ(rect->CellCount(), 36);

    // A polygon region keeps its grid; the counts wait for the next region.
    const Point outline[] = {{10, 50}, {100, 50}, {60, 110}};
    Frame().AddPolygonRegion(24, 1, 1.0f, outline);
    CNeonRegion* poly = Frame().selectedRegion;
    ui.grid = GridCounts{5, 6};
    doc.GridCommand();
    EXPECT_EQ(ui.shownGrid, (GridCounts{3, 12}));
    EXPECT_EQ(poly->rows, 1);
    EXPECT_EQ(poly->cols, 24);
    EXPECT_EQ(doc.Animation()->defaultRows, 5);
    EXPECT_EQ(doc.Animation()->defaultCols, 6);

    // Cancel changes nothing; counts no region can have are refused.
    ui.grid.reset();
    doc.GridCommand();
    EXPECT_FALSE(doc.ApplyGrid({0, 5}));
    EXPECT_FALSE(doc.ApplyGrid({5, 1001}));
    EXPECT_EQ(doc.Animation()->defaultRows, 5);
    EXPECT_EQ(doc.Animation()->defaultCols, 6);
}

TEST_F(StyleCommands, NewRegionsTakeTheGridCounts) {
    ASSERT_TRUE(doc.ApplyGrid({3, 12}));
    ASSERT_TRUE(doc.ChooseTool(ToolMode::RectRegionH, LayerRule::Background));
    doc.OnLButtonDown(1, {10, 10});
    doc.OnLButtonDown(1, {130, 40});
    ASSERT_NE(Frame().selectedRegion, nullptr);
    EXPECT_EQ(Frame().selectedRegion->rows, 3);
    EXPECT_EQ(Frame().selectedRegion->cols, 12);
}

TEST_F(StyleCommands, ScaleSetsTheZoomOfTheDefaultsAndTheCurrentRegion) {
    doc.Animation()->defaultZoom = 0.29f;
    Frame().AddRectRegion(4, 2, 1.0f, Rect{0, 0, 100, 40});
    ui.scale = 35;
    doc.ScaleCommand();
    EXPECT_EQ(ui.shownPercent, 29);
    EXPECT_FLOAT_EQ(doc.Animation()->defaultZoom, 0.35f);
    EXPECT_FLOAT_EQ(Frame().selectedRegion->zoom, 0.35f);
    ui.scale.reset();
    doc.ScaleCommand();
    EXPECT_EQ(ui.shownPercent, 35);
    EXPECT_FLOAT_EQ(doc.Animation()->defaultZoom, 0.35f);
    // A zoom of nothing leaves a region that still draws.
    doc.ApplyScale(0);
    EXPECT_FLOAT_EQ(Frame().selectedRegion->zoom, 0.0f);
}

TEST_F(StyleCommands, PropertiesBecomeTheStyleOfNewShapes) {
    ShapeStyle v;
    v.penColour = 0x0000FF;
    v.brushColour = 0x00FF00;
    v.backColour = 0x123456;
    v.spareColourValue = 0x654321;
    v.penStyle = PS_DASHDOT;
    v.brushStyle = BS_HATCHED;
    v.hatchStyle = HS_CROSS;
    v.penWidth = 7;
    v.backMode = TRANSPARENT;
    doc.ApplyProperties(v);
    const ShapeStyle& s = *doc.DrawTool()->style;
    EXPECT_EQ(s.penColour, 0x0000FFu);
    EXPECT_EQ(s.brushColour, 0x00FF00u);
    EXPECT_EQ(s.backColour, 0x123456u);
    EXPECT_EQ(s.spareColourValue, 0x654321);
    EXPECT_EQ(s.penStyle, PS_DASHDOT);
    EXPECT_EQ(s.brushStyle, BS_HATCHED);
    EXPECT_EQ(s.hatchStyle, HS_CROSS);
    EXPECT_EQ(s.penWidth, 7);
    EXPECT_EQ(s.backMode, TRANSPARENT);
    // A width of 0 is not taken.
    v.penWidth = 0;
    doc.ApplyProperties(v);
    EXPECT_EQ(doc.DrawTool()->style->penWidth, 7);
}

TEST(TextFontTest, SizesWeightsAndTheScaledWidth) {
    TextFont f;
    LogFont d = f.Description();
    EXPECT_EQ(d.FaceName(), QStringLiteral("Arial"));
    EXPECT_EQ(f.Size(), 12);
    EXPECT_EQ(d.lfHeight, 60);
    EXPECT_EQ(d.lfWeight, 400);
    EXPECT_EQ(d.lfItalic, 0);
    EXPECT_EQ(d.lfUnderline, 0);

    // The width keeps the face's proportions: the stored width scaled by the same
    // ratio as the height, never by its square.
    LogFont stored = TextFont::StoredDescription(QStringLiteral("Arial"));
    stored.lfHeight = 16;
    stored.lfWidth = 7;
    f.SetFace(QStringLiteral("Arial"), stored);
    EXPECT_EQ(f.Description().lfWidth, 26);  // 7 x 60 / 16 = 26.25
    f.SetSize(72);
    EXPECT_EQ(f.Description().lfHeight, 360);
    EXPECT_EQ(f.Description().lfWidth, 157);  // 7 x 360 / 16 = 157.5
    f.SetSize(1);
    EXPECT_EQ(f.Description().lfHeight, 5);
    EXPECT_EQ(f.Description().lfWidth, 2);  // 7 x 5 / 16 = 2.19
}

TEST_F(StyleCommands, TogglesAndListsReachTheInPlaceEditor) {
    doc.ToggleTextBold();
    EXPECT_EQ(doc.textFont.Description().lfWeight, 700);
    EXPECT_EQ(ui.editorFont.weight(), QFont::Bold);
    doc.ToggleTextBold();
    EXPECT_EQ(doc.textFont.Description().lfWeight, 400);
    doc.ToggleTextItalic();
    doc.ToggleTextUnderline();
    EXPECT_EQ(doc.textFont.Description().lfItalic, 1);
    EXPECT_EQ(doc.textFont.Description().lfUnderline, 1);
    EXPECT_TRUE(ui.editorFont.italic());
    EXPECT_TRUE(ui.editorFont.underline());
    doc.SetTextSize(72);
    EXPECT_EQ(doc.textFont.Description().lfHeight, 360);
    doc.SetTextSize(0);  // not a size: ignored
    EXPECT_EQ(doc.textFont.Size(), 72);
    doc.SetTextFace(QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(doc.textFont.Description().FaceName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(doc.textFont.Description().lfHeight, 360);
    EXPECT_EQ(doc.textFont.Description().lfItalic, 1);
}

TEST(FaceSubstitutesTest, WindowsFacesDrawWithInstalledSubstitutesAndKeepTheirNames) {
    const QStringList installed = QFontDatabase::families();
    if (!installed.contains(QStringLiteral("Liberation Sans")) ||
        !installed.contains(QStringLiteral("AR PL UMing CN")))
        GTEST_SKIP() << "the substitute fonts scripts/bootstrap installs are not here";
    EXPECT_EQ(DrawingFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("Times New Roman")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("宋体")), QStringLiteral("AR PL UMing CN"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("黑体")), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(DrawingFamily(QStringLiteral("No Such Face")), QStringLiteral("No Such Face"));
    EXPECT_TRUE(SubstitutedWindowsFaces().contains(QStringLiteral("宋体")));

    LogFont lf;
    lf.lfHeight = 60;
    lf.SetFaceName(QStringLiteral("宋体"));
    const QFont drawn = MakeFont(lf);
    EXPECT_EQ(QFontInfo(drawn).family(), QStringLiteral("AR PL UMing CN"));
    // The record still names the face it was given, byte for byte in GBK.
    EXPECT_EQ(LogFont::FromBytes(lf.ToBytes()).FaceName(), QStringLiteral("宋体"));
    EXPECT_EQ(QByteArray(lf.lfFaceName.data()), QByteArray("\xCB\xCE\xCC\xE5"));

    // A text typed in Arial stores "Arial", and its width comes from the
    // metric-compatible face.
    TextFont f;
    EXPECT_EQ(f.Description().FaceName(), QStringLiteral("Arial"));
    QFont liberation(QStringLiteral("Liberation Sans"));
    liberation.setPixelSize(16);
    EXPECT_EQ(TextFont::StoredDescription(QStringLiteral("Arial")).lfWidth,
              QFontMetrics(liberation).averageCharWidth());
}

}  // namespace
}  // namespace zv
