// Builds the example schemes in examples/ through the model, so that they are made
// by this program and can be made again: make-examples OUTDIR
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "shapes/DLine.h"
#include "shapes/Rectangle.h"

using namespace zv;

namespace {

// A dusk-coloured wall with a darker doorway: something for the sign to hang on.
QImage Wall() {
    QImage wall(160, 120, QImage::Format_RGB32);
    QPainter p(&wall);
    QLinearGradient sky(0, 0, 0, 120);
    sky.setColorAt(0, QColor(40, 44, 70));
    sky.setColorAt(1, QColor(70, 60, 60));
    p.fillRect(wall.rect(), sky);
    p.fillRect(QRect(62, 70, 36, 50), QColor(25, 20, 22));
    for (int y = 8; y < 120; y += 8) p.fillRect(QRect(0, y, 160, 1), QColor(55, 50, 58));
    return wall;
}

void AddText(CNeonFrame& f, const QString& text, int x, int y, int height, COLORREF colour) {
    CNeonChar* t = f.texts->AppendText();
    LogFont lf;
    lf.lfHeight = -height;
    lf.lfWeight = 700;
    lf.SetFaceName(QStringLiteral("DejaVu Sans"));
    t->SetLogFont(lf);
    t->SetText(text);
    t->x = x;
    t->y = y;
    t->textColour = colour;
}

template <class Shape>
void AddShape(CNeonFrame& f, Point a, Point b, COLORREF colour, int width) {
    if (!f.shapes) f.shapes = std::make_unique<CNeonGraph>();
    auto s = std::make_unique<Shape>();
    // Shapes are stored in the drawing tool's logical coordinates (origin -1000).
    s->startPoint = {a.x - f.shapes->origin.x, a.y - f.shapes->origin.y};
    s->endPoint = {b.x - f.shapes->origin.x, b.y - f.shapes->origin.y};
    s->penColour = colour;
    s->penWidth = width;
    s->brushStyle = BS_HOLLOW;
    f.shapes->Add(std::move(s));
}

void Paint(CNeonRegion& r, COLORREF (*colourAt)(int i, int n)) {
    const int n = r.CellCount();
    for (int i = 0; i < n; ++i) r.cells[std::size_t(i)].colour = colourAt(i, n);
}

COLORREF Warm(int i, int) {
    return i % 3 == 0 ? RGB(255, 40, 20) : (i % 3 == 1 ? RGB(255, 160, 0) : 0);
}
COLORREF Cool(int i, int) {
    return i % 2 ? RGB(0, 200, 255) : RGB(60, 0, 255);
}
COLORREF Rainbow(int i, int n) {
    const QColor c = QColor::fromHsv(360 * i / std::max(n, 1) % 360, 255, 255);
    return RGB(c.red(), c.green(), c.blue());
}

// "OPEN": a border of lit strips chasing round the word, a rainbow bar that sweeps,
// the word itself in text, and a tube outline around it all.
void OpenSign(CNeonAv& av, CNeonBkg& bkg) {
    bkg.SetBitmap(Wall());
    av.CreateFirstFrame();
    CNeonFrame& f = *av.currentFrame;
    f.AddRectRegion(40, 1, 1.0f, Rect{100, 100, 921, 121});  // top, chases right
    Paint(*f.selectedRegion, Warm);
    f.ApplyEffect(*av.anchor, 2, 1, false);
    f.AddRectRegion(40, 1, 1.0f, Rect{100, 400, 921, 421});  // bottom, chases left
    Paint(*f.selectedRegion, Warm);
    f.ApplyEffect(*av.anchor, 1, 1, false);
    f.AddRectRegion(1, 13, 1.0f, Rect{80, 121, 101, 400});  // left, chases up
    Paint(*f.selectedRegion, Cool);
    f.ApplyEffect(*av.anchor, 24, 1, false);
    f.AddRectRegion(1, 13, 1.0f, Rect{920, 121, 941, 400});  // right, chases down
    Paint(*f.selectedRegion, Cool);
    f.ApplyEffect(*av.anchor, 25, 1, false);
    f.AddRectRegion(24, 2, 0.9f, Rect{260, 330, 761, 371});  // the sweeping bar
    Paint(*f.selectedRegion, Rainbow);
    f.ApplyEffect(*av.anchor, 50, 1, false);
    AddText(f, QStringLiteral("OPEN"), 330, 160, 140, RGB(255, 60, 180));
    AddShape<CRectangle>(f, {70, 90}, {952, 432}, RGB(255, 60, 180), 3);
    AddShape<CDLine>(f, {300, 310}, {720, 310}, RGB(0, 200, 255), 2);

    // A second, still frame: everything lit, the word in another colour.
    CNeonFrame* still = av.InsertAfter(av.currentFrame, false);
    still->CopyFrom(f, true, CNeonFrame::CopyMerge);
    for (CNeonRegion* r : Ring<CNeonRegion>::Items(still->regions.get())) {
        r->effect = 0;
        r->backup.reset();
        r->FillAll(RGB(255, 200, 60));
    }
    still->texts->next->textColour = RGB(255, 255, 255);
    av.Recount();
}

// "欢迎光临" (welcome) over a panel whose colours fade out and in, expanded into
// frames, then a polygon star that disperses.
void WelcomeSign(CNeonAv& av, CNeonBkg& bkg) {
    bkg.SetBitmap(Wall());
    av.defaultCols = 16;
    av.defaultRows = 4;
    av.CreateFirstFrame();
    CNeonFrame& f = *av.currentFrame;
    f.AddRectRegion(16, 4, 1.0f, Rect{160, 300, 861, 461});
    Paint(*f.selectedRegion, Rainbow);
    AddText(f, QString::fromUtf8("欢迎光临"), 250, 120, 110, RGB(255, 180, 0));
    f.ApplyEffect(*av.anchor, 47, 1, true);  // fade out, written into the next frames
    av.Recount();
    CNeonFrame* star = av.InsertAfter(av.Last(), false);
    const Point points[] = {{512, 500}, {540, 580}, {620, 580}, {555, 625}, {580, 705},
                            {512, 655}, {444, 705}, {469, 625}, {404, 580}, {484, 580}};
    star->AddPolygonRegion(12, 6, 1.0f, points);
    Paint(*star->selectedRegion, Warm);
    star->ApplyEffect(*av.anchor, 10, 1, false);
    av.Recount();
}

bool Write(const QString& path, const CNeonAv& av, const CNeonBkg& bkg) {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && av.SaveScheme(f, bkg) && f.commit();
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-examples OUTDIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    {
        CNeonAv av;
        CNeonBkg bkg;
        OpenSign(av, bkg);
        if (!Write(dir + QStringLiteral("/open-sign.zrx"), av, bkg)) return 1;
    }
    {
        CNeonAv av;
        CNeonBkg bkg;
        WelcomeSign(av, bkg);
        if (!Write(dir + QStringLiteral("/welcome.zrx"), av, bkg)) return 1;
    }
    return 0;
}
