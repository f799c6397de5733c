// Writes the picture fuzzer's seeds into the folder given: a small file of every
// type pictures are imported from, metafiles with the records our pictures use
// (written with libUEMF, as the tests write them), and one reply of the decoder
// helper.
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "layers/PictureReply.h"
#include "support/Metafiles.h"

using namespace zv;
using namespace zv::test;

namespace {

QImage Colours(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 40, y * 40, 255 - x * 20));
    return img;
}

bool Wmf(const QString& path) {
    WmfWriter w(path, 100, 100);
    w.Pen(U_PS_DASH, 2, qRgb(255, 0, 0));
    w.Brush(U_BS_HATCHED, qRgb(0, 255, 0), U_HS_CROSS);
    w.Add(U_WMRRECTANGLE_set(R16(5, 5, 50, 50)));
    w.Add(U_WMRSAVEDC_set());
    w.Add(U_WMRINTERSECTCLIPRECT_set(R16(0, 0, 80, 80)));
    w.Brush(U_BS_SOLID, qRgb(0, 0, 255));
    w.Add(U_WMRELLIPSE_set(R16(20, 20, 90, 70)));
    w.Add(U_WMRPIE_set(P16(80, 50), P16(50, 20), R16(20, 20, 80, 80)));
    w.Add(U_WMRRESTOREDC_set(-1));
    const U_POINT16 p[3] = {P16(10, 90), P16(90, 90), P16(50, 60)};
    w.Add(U_WMRPOLYGON_set(3, p));
    w.Add(U_WMRSETROP2_set(U_R2_XORPEN));
    w.Add(U_WMRPOLYLINE_set(3, p));
    w.Font(20);
    w.Add(U_WMRSETTEXTCOLOR_set(Ref(qRgb(255, 255, 0))));
    w.Add(U_WMRTEXTOUT_set(P16(10, 60), const_cast<char*>("Zv")));
    const Dib dib(Colours(3, 2));
    w.Add(U_WMRSTRETCHDIB_set(P16(60, 5), P16(30, 20), P16(0, 0), P16(3, 2), U_DIB_RGB_COLORS,
                              0x00CC0020, dib.info, dib.Size(), dib.Bits()));
    w.PatternBrush(dib);
    w.Add(U_WMRPATBLT_set(P16(60, 30), P16(20, 20), 0x00F00021));
    return !w.Finish().isEmpty();
}

// An EMF with a polygon and a bitmap, and the tests' EMF of two shapes.
bool Emf(const QString& path, const QString& twoShapes) {
    EmfWriter e(path, RectL(0, 0, 99, 99), RectL(0, 0, 2646, 2646));
    const U_POINTL p[3] = {pointl_set(50, 90), pointl_set(90, 90), pointl_set(70, 50)};
    e.Add(U_EMRPOLYGON_set(RectL(50, 50, 90, 90), 3, p));
    const Dib dib(Colours(3, 2));
    e.Add(U_EMRSTRETCHDIBITS_set(RectL(10, 60, 40, 80), pointl_set(10, 60), pointl_set(30, 20),
                                 pointl_set(0, 0), pointl_set(3, 2), U_DIB_RGB_COLORS, U_SRCCOPY,
                                 dib.info, dib.Size(), const_cast<char*>(dib.Bits())));
    return !e.Finish().isEmpty() && !TwoShapeEmf(twoShapes).isEmpty();
}

// A 2 x 1 GIF with a two-colour table; Qt writes no GIF.
bool Gif(const QString& path) {
    static const unsigned char gif[] = {'G', 'I',  'F', '8', '9', 'a', 2,    0,    1,    0, 0x80, 0,
                                        0,   0xFF, 0,   0,   0,   0,   0xFF, 0x2C, 0,    0, 0,    0,
                                        2,   0,    1,   0,   0,   2,   2,    0x44, 0x0A, 0, 0x3B};
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(gif, 1, sizeof gif, f) == sizeof gif;
    return std::fclose(f) == 0 && ok;
}

bool Reply(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool ok = PictureReply::Send(fd, PictureFailure::None, Colours(3, 2), 100, QString());
    return ::close(fd) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture-seeds FOLDER\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QImage colours = Colours(5, 4);
    const bool ok =
        Wmf(dir.filePath("seed.wmf")) &&
        Emf(dir.filePath("seed.emf"), dir.filePath("shapes.emf")) &&
        Gif(dir.filePath("seed.gif")) && Reply(dir.filePath("seed.reply")) &&
        colours.save(dir.filePath("seed.bmp"), "BMP") &&
        colours.convertToFormat(QImage::Format_Indexed8).save(dir.filePath("seed8.bmp"), "BMP") &&
        colours.save(dir.filePath("seed.jpg"), "JPEG") &&
        colours.convertToFormat(QImage::Format_ARGB32).save(dir.filePath("seed.ico"), "ICO");
    return ok ? 0 : 1;
}
