#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gdi/BinaryIO.h"
#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "support/Bytes.h"

using namespace zv;

namespace {

QByteArray Save(const CNeonAv& av, const CNeonBkg& bkg = CNeonBkg()) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    EXPECT_TRUE(av.SaveScheme(buf, bkg));
    return bytes;
}

bool Load(CNeonAv& av, const QByteArray& bytes, CNeonBkg* bkg = nullptr,
          std::int32_t* version = nullptr) {
    QByteArray copy = bytes;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    CNeonBkg scratch;
    return av.LoadScheme(buf, bkg ? *bkg : scratch, version);
}

std::vector<CNeonRegion*> RegionsOf(const CNeonFrame& f) {
    std::vector<CNeonRegion*> out;
    for (CNeonRegion* r : Ring<CNeonRegion>::Items(f.regions.get())) out.push_back(r);
    return out;
}

const QByteArray kSignature =
    QByteArray("ZRX\0", 4) + Ints({4}) + "PERO" + QByteArray("DAS\0", 4) + "MILU" + Ints({0});

// The stream of an empty shape container: origin (-1000, -1000), twelve zero counts.
const QByteArray kEmptyShapes = Ints({-1000, -1000}) + QByteArray(24, '\0');

// One frame holding nothing: header, region end, shape block, text end, picture end.
QByteArray EmptyFrame(std::int32_t category = 0) {
    return Ints({1, category, 1, 1}) + Ints({2, 0, 1, 24, 100, 0, 2, 0, 1, 0}) + Ints({3, 0, 32}) +
           kEmptyShapes + Ints({4, 0, 0, 0, 0, 60}) + Ints({5, 0, 0, 0, 0, 0, 0, 0});
}

const QByteArray kEndOfFrames = Ints({1, 0, 1, 0});

}  // namespace

TEST(SchemeFile, OneEmptyFrameByteForByte) {
    CNeonAv av;
    av.CreateFirstFrame();
    const QByteArray want =
        kSignature + Ints({1, 24, 100}) + Ints({6, 0, 0, 0}) + EmptyFrame() + kEndOfFrames;
    EXPECT_EQ(Save(av), want);
    EXPECT_EQ(want.size(), 24 + 12 + 16 + 16 + 40 + 12 + 32 + 24 + 32 + 16);
}

TEST(SchemeFile, SettingsAndZoomAreWholePercentages) {
    CNeonAv av;
    av.CreateFirstFrame();
    av.defaultRows = 3;
    av.defaultCols = 7;
    av.defaultZoom = 0.5f;
    av.currentFrame->AddRectRegion(2, 1, 0.5f, Rect{0, 0, 41, 11});
    const QByteArray bytes = Save(av);
    EXPECT_EQ(bytes.mid(24, 12), Ints({3, 7, 50}));
    CNeonAv back;
    ASSERT_TRUE(Load(back, bytes));
    EXPECT_EQ(back.defaultRows, 3);
    EXPECT_EQ(back.defaultCols, 7);
    EXPECT_FLOAT_EQ(back.defaultZoom, 0.5f);
    EXPECT_FLOAT_EQ(RegionsOf(*back.First())[0]->zoom, 0.5f);
    for (int pct = 0; pct <= 100; ++pct) {
        av.defaultZoom = CNeonRegion::ZoomFromPercent(pct);
        const QByteArray first = Save(av);
        CNeonAv again;
        ASSERT_TRUE(Load(again, first));
        EXPECT_EQ(Save(again), first) << pct;
    }
}

TEST(SchemeFile, RingsAreWrittenLastFirstAndReloadReversed) {
    CNeonAv av;
    av.CreateFirstFrame();
    CNeonFrame* f = av.currentFrame;
    for (int i = 0; i < 3; ++i) f->AddRectRegion(1, 1, 1.0f, Rect{0, i * 20, 11, i * 20 + 11});
    const std::vector<CNeonRegion*> saved = RegionsOf(*f);
    f->selectedRegion = saved[1];
    const QByteArray bytes = Save(av);
    // R3's bounds come first in the file.
    EXPECT_EQ(bytes.mid(24 + 12 + 16 + 16 + 40, 16), Ints({0, 40, 11, 51}));
    CNeonAv back;
    ASSERT_TRUE(Load(back, bytes));
    ASSERT_EQ(back.frameCount, 1);
    EXPECT_EQ(back.currentFrame, back.First());
    auto regions = RegionsOf(*back.First());
    ASSERT_EQ(regions.size(), 3u);
    EXPECT_EQ(regions[0]->bounds, saved[2]->bounds);
    EXPECT_EQ(regions[2]->bounds, saved[0]->bounds);
    EXPECT_EQ(back.First()->selectedRegion, regions[2]);  // R1, the last read
}

TEST(SchemeFile, TextsAndPicturesRoundTripInReverse) {
    CNeonAv av;
    av.CreateFirstFrame();
    CNeonFrame* f = av.currentFrame;
    for (const char* s : {"A", "B", "C"}) {
        CNeonChar* t = f->texts->AppendText();
        t->SetText(QString::fromLatin1(s));
        t->x = s[0];
    }
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    CNeonImg* img = f->pictures->AppendPicture();
    img->SetBitmap(picture);
    img->x = 5;
    img->y = 6;
    img->width = 30;
    img->height = 20;
    const QByteArray bytes = Save(av);
    CNeonAv back;
    ASSERT_TRUE(Load(back, bytes));
    std::vector<QString> texts;
    for (CNeonChar* t : Ring<CNeonChar>::Items(back.First()->texts.get()))
        texts.push_back(t->Text());
    EXPECT_EQ(texts, (std::vector<QString>{"C", "B", "A"}));
    CNeonImg* loaded = back.First()->pictures->next;
    ASSERT_NE(loaded, back.First()->pictures.get());
    EXPECT_EQ(loaded->width, 30);
    EXPECT_EQ(loaded->srcWidth, 3);
    EXPECT_EQ(loaded->bitmap.pixel(1, 1) & 0xFFFFFF, 0x0A141Eu);
    // Saving the reloaded animation and reloading again reverses once more: the
    // original order, and the same bytes as the first save.
    CNeonAv twice;
    ASSERT_TRUE(Load(twice, Save(back)));
    EXPECT_EQ(Save(twice), bytes);
}

TEST(SchemeFile, EffectFrameWithSubFramesStoresTheColoursFromBefore) {
    CNeonAv av;
    av.CreateFirstFrame();
    CNeonFrame* f = av.currentFrame;
    f->AddRectRegion(4, 1, 1.0f, Rect{0, 0, 41, 11});
    for (int i = 0; i < 4; ++i) f->selectedRegion->cells[std::size_t(i)].colour = COLORREF(i + 1);
    f->ApplyEffect(*av.anchor, 4, 1, false);  // converge left: 4 * 3 / 2 steps
    ASSERT_EQ(f->category, 57);
    const std::int32_t steps = f->stepCount;
    f->BuildSubFrames();
    f->selectedRegion->FillAll(0x777777);  // playing left the live colours elsewhere
    CNeonAv back;
    ASSERT_TRUE(Load(back, Save(av)));
    CNeonFrame* g = back.First();
    EXPECT_EQ(g->category, 57);
    EXPECT_EQ(g->stepCount, steps);
    std::vector<COLORREF> colours;
    for (const NeonCell& c : g->selectedRegion->cells) colours.push_back(c.colour);
    EXPECT_EQ(colours, (std::vector<COLORREF>{1, 2, 3, 4}));
    ASSERT_TRUE(g->selectedRegion->backup);
    EXPECT_EQ(g->selectedRegion->effect, 4);
}

TEST(SchemeFile, SavingThroughAPathKeepsTheOldFileAsBackup) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sign.zrx");
    CNeonAv av;
    av.CreateFirstFrame();
    CNeonBkg bkg;
    ASSERT_TRUE(av.SaveSchemeFile(path, bkg));
    av.defaultCols = 9;
    ASSERT_TRUE(av.SaveSchemeFile(path, bkg));
    CNeonAv older, newer;
    ASSERT_TRUE(older.LoadSchemeFile(path + ".bak", bkg));
    ASSERT_TRUE(newer.LoadSchemeFile(path, bkg));
    EXPECT_EQ(older.defaultCols, 24);
    EXPECT_EQ(newer.defaultCols, 9);
    QString error;
    EXPECT_FALSE(av.SaveSchemeFile(dir.filePath("no/such/dir/x.zrx"), bkg, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(newer.LoadSchemeFile(dir.filePath("missing.zrx"), bkg, nullptr, &error));
}

TEST(SchemeFile, AFullDiskIsAFailedSave) {
    CNeonAv av;
    av.CreateFirstFrame();
    av.currentFrame->AddRectRegion(64, 8, 1.0f, Rect{0, 0, 641, 81});
    QFile full(QStringLiteral("/dev/full"));  // every write fails with "no space left"
    if (!full.open(QIODevice::WriteOnly)) GTEST_SKIP() << "no /dev/full here";
    EXPECT_FALSE(av.SaveScheme(full, CNeonBkg()));
    QString error;
    EXPECT_FALSE(av.SaveSchemeFile(QStringLiteral("/dev/full"), CNeonBkg(), &error));
    EXPECT_TRUE(QFile::exists(QStringLiteral("/dev/full")));  // never renamed as a backup
    EXPECT_FALSE(QFile::exists(QStringLiteral("/dev/full.bak")));
}

TEST(SchemeFile, EmptyTextHasASixtyByteBody) {
    CNeonAv av;
    av.CreateFirstFrame();
    av.currentFrame->texts->AppendText();
    const QByteArray bytes = Save(av);
    const int textAt = 24 + 12 + 16 + 16 + 40 + 12 + 32;
    EXPECT_EQ(bytes.mid(textAt, 8), Ints({4, 4}));
    EXPECT_EQ(bytes.mid(textAt + 20, 4), Ints({60}));
    EXPECT_EQ(bytes.mid(textAt + 24 + 60, 8), Ints({4, 0}));  // the end header follows
}

TEST(SchemeFile, OtherVersionsHaveNoBackgroundBlock) {
    const QByteArray v3 = QByteArray("ZRX\0", 4) + Ints({3}) + "PERO" + QByteArray("DAS\0", 4) +
                          "MILU" + Ints({0}) + Ints({1, 24, 100}) + EmptyFrame() + kEndOfFrames;
    CNeonAv av;
    std::int32_t version = 0;
    CNeonBkg bkg;
    ASSERT_TRUE(Load(av, v3, &bkg, &version));
    EXPECT_EQ(version, 3);
    EXPECT_EQ(av.frameCount, 1);
    EXPECT_EQ(bkg.hasBitmap, 0);
}

TEST(SchemeFile, BackgroundIsStoredAndRestored) {
    CNeonAv av;
    av.CreateFirstFrame();
    CNeonBkg bkg;
    QImage photo(4, 3, QImage::Format_RGB32);
    photo.fill(qRgb(200, 100, 50));
    bkg.SetBitmap(photo);
    QByteArray bytes;
    {
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        ASSERT_TRUE(av.SaveScheme(buf, bkg));
    }
    EXPECT_EQ(bytes.mid(36, 16), Ints({6, 1, 3, 4}));
    CNeonAv back;
    CNeonBkg loaded;
    ASSERT_TRUE(Load(back, bytes, &loaded));
    EXPECT_EQ(loaded.hasBitmap, 1);
    EXPECT_EQ(loaded.bkWidth, 4);
    EXPECT_EQ(loaded.bitmap.pixel(2, 2) & 0xFFFFFF, 0xC86432u);
}

TEST(SchemeFile, BrokenFilesLeaveTheAnimationAsItWas) {
    CNeonAv source;
    source.CreateFirstFrame();
    source.currentFrame->AddRectRegion(3, 2, 1.0f, Rect{0, 0, 31, 21});
    source.currentFrame->selectedRegion->FillAll(0xFF);
    source.currentFrame->texts->AppendText()->SetText("hi");
    const QByteArray good = Save(source);

    std::vector<std::pair<std::string, QByteArray>> cases;
    const int n = int(good.size());
    for (int cut :
         {0, 10, 24, 30, 36, 50, 52, 60, 70, 100, 120, 200, n - 300, n - 40, n - 17, n - 1})
        cases.push_back({"truncated at " + std::to_string(cut), good.left(cut)});
    QByteArray badSignature = good;
    badSignature[9] = 'X';
    cases.push_back({"wrong signature", badSignature});
    const int regionAt = 24 + 12 + 16 + 16;
    QByteArray huge = good;
    huge.replace(regionAt + 8, 8, Ints({0x40000000, 0x40000000}));
    cases.push_back({"huge rows and columns", huge});
    QByteArray negative = good;
    negative.replace(regionAt + 36, 4, Ints({-16}));
    cases.push_back({"negative body size", negative});
    QByteArray mismatch = good;
    mismatch.replace(regionAt + 8, 4, Ints({1}));
    cases.push_back({"body size disagrees with the grid", mismatch});
    const int shapesAt = regionAt + 40 + 16 + 6 * 28 + 40;
    QByteArray badShapes = good;
    badShapes.replace(shapesAt + 12 + 8, 2, QByteArray("\x01\x00\xFF\xFF\x01\x00\x03\x00", 8));
    badShapes.replace(shapesAt + 8, 4, Ints({32 + 6}));
    cases.push_back({"shape stream of an unknown class", badShapes});
    QByteArray shortText = good;
    shortText.replace(shapesAt + 12 + 32 + 20, 4, Ints({59}));
    cases.push_back({"text body under 60 bytes", shortText});

    for (const auto& [name, bytes] : cases) {
        CNeonAv av;
        av.CreateFirstFrame();
        av.currentFrame->AddRectRegion(5, 5, 1.0f, Rect{0, 0, 51, 51});
        av.defaultCols = 13;
        CNeonBkg bkg;
        const QByteArray before = Save(av, bkg);
        EXPECT_FALSE(Load(av, bytes, &bkg)) << name;
        EXPECT_EQ(Save(av, bkg), before) << name;
        EXPECT_EQ(av.frameCount, 1) << name;
        EXPECT_NE(av.currentFrame, nullptr) << name;
    }
}

TEST(SchemeFile, FileWrittenByAnotherProgram) {
    QFile file(QStringLiteral(ZORVANE_TESTDATA_DIR "/welcome-sign.zrx"));
    if (!file.exists())
        GTEST_SKIP() << "outside test data not found: " << file.fileName().toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    CNeonAv av;
    CNeonBkg bkg;
    std::int32_t version = 0;
    ASSERT_TRUE(Load(av, bytes, &bkg, &version));
    EXPECT_EQ(version, 4);
    EXPECT_EQ(bkg.hasBitmap, 1);
    EXPECT_EQ(bkg.bkWidth, 4);
    EXPECT_EQ(bkg.bkHeight, 3);
    ASSERT_EQ(av.frameCount, 3);

    CNeonFrame* f1 = av.GetFrameAt(1);
    auto r1 = RegionsOf(*f1);
    ASSERT_EQ(r1.size(), 2u);
    EXPECT_EQ(r1[0]->cols, 28);
    EXPECT_EQ(r1[0]->bounds, (Rect{50, 50, 611, 71}));
    EXPECT_EQ(r1[0]->cells[0].colour, 0xFFu);
    EXPECT_EQ(r1[0]->cells[27].colour, 0u);
    EXPECT_EQ(r1[1]->cols, 12);
    EXPECT_EQ(r1[1]->rows, 3);
    EXPECT_EQ(CNeonRegion::ZoomPercent(r1[1]->zoom), 90);
    EXPECT_EQ(f1->selectedRegion, r1[1]);
    CNeonChar* text = f1->texts->next;
    ASSERT_NE(text, f1->texts.get());
    EXPECT_EQ(text->Text(), QString::fromUtf8("欢迎光临"));
    EXPECT_EQ(text->x, 60);
    EXPECT_EQ(text->y, 200);
    CNeonImg* pic = f1->pictures->next;
    ASSERT_NE(pic, f1->pictures.get());
    EXPECT_EQ(pic->width, 30);
    EXPECT_EQ(pic->srcWidth, 3);
    EXPECT_EQ(pic->x, 620);
    ASSERT_TRUE(f1->shapes);
    EXPECT_EQ(f1->shapes->ShapeCount(), 3u);
    EXPECT_EQ(f1->shapes->origin, (Point{-1000, -1000}));

    CNeonFrame* f2 = av.GetFrameAt(2);
    EXPECT_EQ(f2->category, 57);
    auto r2 = RegionsOf(*f2);
    ASSERT_EQ(r2.size(), 2u);
    EXPECT_EQ(r2[0]->effect, 2);
    EXPECT_EQ(r2[1]->effect, 50);
    EXPECT_EQ(f2->stepCount, 28);

    CNeonFrame* f3 = av.GetFrameAt(3);
    auto r3 = RegionsOf(*f3);
    ASSERT_EQ(r3.size(), 1u);
    EXPECT_EQ(r3[0]->isPolygon, 1);
    EXPECT_EQ(r3[0]->cols, 6);
    EXPECT_EQ(r3[0]->rows, 2);

    // What we read we write again unchanged, from the second round on (the first
    // round reverses the rings).
    CNeonAv again;
    CNeonBkg bkgAgain;
    ASSERT_TRUE(Load(again, Save(av, bkg), &bkgAgain));
    CNeonAv third;
    CNeonBkg bkgThird;
    const QByteArray second = Save(again, bkgAgain);
    ASSERT_TRUE(Load(third, second, &bkgThird));
    CNeonAv fourth;
    CNeonBkg bkgFourth;
    ASSERT_TRUE(Load(fourth, Save(third, bkgThird), &bkgFourth));
    EXPECT_EQ(Save(fourth, bkgFourth), second);
}

// Region bounds, polygon vertices and cell rectangles are view pixels; up to 2^24 away
// from 0 they load, one further and the whole file is refused (the animation as it
// was), as shape coordinates are.
TEST(SchemeFile, RegionCoordinatesNoScreenShowsAreRefused) {
    constexpr std::int32_t far = 1 << 24;
    auto rectScheme = [](const Rect& bounds, std::int32_t cellBottom) {
        CNeonAv av;
        av.CreateFirstFrame();
        av.currentFrame->AddRectRegion(3, 2, 1.0f, Rect{0, 0, 31, 21});
        CNeonRegion* r = av.currentFrame->selectedRegion;
        r->FillAll(0xFF);
        r->bounds = bounds;
        r->cells[4].rect.bottom = cellBottom;
        return Save(av);
    };
    auto polygonScheme = [](Point vertex) {
        CNeonAv av;
        av.CreateFirstFrame();
        const Point triangle[] = {{0, 0}, {40, 0}, vertex};
        av.currentFrame->AddPolygonRegion(2, 2, 1.0f, triangle);
        return Save(av);
    };
    const std::pair<std::string, QByteArray> good[] = {
        {"bounds at the limit", rectScheme(Rect{-far, -far, far, far}, 21)},
        {"cell at the limit", rectScheme(Rect{0, 0, 31, 21}, far)},
        {"vertex at the limit", polygonScheme(Point{20, -far})},
    };
    const std::pair<std::string, QByteArray> bad[] = {
        {"right beyond", rectScheme(Rect{0, 0, far + 1, 21}, 21)},
        {"top beyond", rectScheme(Rect{0, -far - 1, 31, 21}, 21)},
        {"cell bottom beyond", rectScheme(Rect{0, 0, 31, 21}, far + 1)},
        {"cell bottom at the lowest int", rectScheme(Rect{0, 0, 31, 21}, INT32_MIN)},
        {"vertex far below", polygonScheme(Point{260, 1797783752})},
        {"vertex far left", polygonScheme(Point{-far - 1, 10})},
    };
    for (const auto& [name, bytes] : good) {
        CNeonAv av;
        EXPECT_TRUE(Load(av, bytes)) << name;
    }
    for (const auto& [name, bytes] : bad) {
        CNeonAv av;
        av.CreateFirstFrame();
        av.currentFrame->AddRectRegion(5, 5, 1.0f, Rect{0, 0, 51, 51});
        const QByteArray before = Save(av);
        EXPECT_FALSE(Load(av, bytes)) << name;
        EXPECT_EQ(Save(av), before) << name;
    }
}

// A polygon region of a damaged file reaching 1.8 billion pixels down: refused with
// the format message, so its cells are never clipped or drawn.
TEST(SchemeFile, DamagedPolygonFromOutsideIsRefused) {
    const QString path =
        QStringLiteral(ZORVANE_TESTDATA_DIR "/hostile-schemes/polygon-huge-vertex.zrx");
    if (!QFile::exists(path)) GTEST_SKIP() << "outside test data not found: " << path.toStdString();
    CNeonAv av;
    av.CreateFirstFrame();
    CNeonBkg bkg;
    QString error;
    EXPECT_FALSE(av.LoadSchemeFile(path, bkg, nullptr, &error));
    EXPECT_EQ(error, kFileFormatError);
    EXPECT_EQ(av.frameCount, 1);
}

namespace {

// A scheme of about 3 MB: a first frame whose one region (200 x 200 cells, 1.1 MB)
// is more than a read piece, then 150 frames of one 64 x 8 region each, so that
// regions stand across the pieces the file is read in. One region a frame, so the
// reload keeps every ring's order and saves the same bytes.
CNeonAv& LargeScheme() {
    static CNeonAv av;
    if (av.frameCount) return av;
    av.CreateFirstFrame();
    for (int f = 0; f <= 150; ++f) {
        CNeonFrame* frame = f == 0 ? av.currentFrame : av.InsertAfter(av.Last(), false);
        if (f == 0)
            frame->AddRectRegion(200, 200, 1.0f, Rect{0, 0, 2000, 2000});
        else
            frame->AddRectRegion(64, 8, 1.0f, Rect{10, 10, 650, 90});
        CellArray& cells = frame->selectedRegion->cells;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            cells[i].reserved = std::int32_t(i) + f;
            cells[i].colour = COLORREF(i * 2654435761u + std::uint32_t(f)) & 0xFFFFFF;
            cells[i].prevColour = COLORREF(i);
        }
    }
    av.Recount();
    av.currentFrame = av.First();
    av.currentIndex = 1;
    return av;
}

// Where the cells of the first frame's region begin: signature 24, settings 12, the
// background header 16, the frame header 16, the region header 40, its corners 16.
constexpr qint64 kFirstCellsAt = 24 + 12 + 16 + 16 + 40 + 16;

}  // namespace

TEST(SchemeFile, LargeFileReadInPiecesLoadsAndSavesTheSameBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("large.zrx");
    const CNeonAv& source = LargeScheme();
    ASSERT_TRUE(source.SaveSchemeFile(path, CNeonBkg()));
    const QByteArray saved = Save(source);
    ASSERT_GT(saved.size(), 3 * (1 << 20) - 200000);

    CNeonAv loaded;
    CNeonBkg bkg;
    QString error;
    ASSERT_TRUE(loaded.LoadSchemeFile(path, bkg, nullptr, &error)) << error.toStdString();
    ASSERT_EQ(loaded.frameCount, 151);
    const CNeonRegion* big = loaded.First()->selectedRegion;
    ASSERT_EQ(big->CellCount(), 40000);
    EXPECT_EQ(big->cells[39999].reserved, 39999);
    EXPECT_EQ(big->cells[39999].colour, (39999u * 2654435761u) & 0xFFFFFF);
    EXPECT_EQ(big->cells[39999].prevColour, 39999u);
    const CNeonRegion* last = loaded.Last()->selectedRegion;
    ASSERT_EQ(last->CellCount(), 512);
    EXPECT_EQ(last->cells[511].reserved, 511 + 150);
    EXPECT_EQ(last->cells[0].rect, source.Last()->selectedRegion->cells[0].rect);
    EXPECT_EQ(Save(loaded, bkg), saved);
}

// A file cut inside a cell array, in the region larger than a piece or in a small one
// further on, is refused as damaged and the animation open before stays as it was.
TEST(SchemeFile, CellsCutShortInALargeFileLeaveTheAnimationAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("large.zrx");
    ASSERT_TRUE(LargeScheme().SaveSchemeFile(path, CNeonBkg()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    // The last frame: its region's cells, then the 40-byte region end, 12 + 32 for
    // the shapes, 24 text end, 32 picture end, and the 16 bytes closing the frames.
    const qint64 lastCellsEnd = whole.size() - 16 - 32 - 24 - 44 - 40;
    ASSERT_EQ(whole.mid(lastCellsEnd, 8), Ints({2, 0}));
    ASSERT_EQ(whole.mid(kFirstCellsAt - 16, 16), Ints({0, 0, 2000, 2000}));
    for (qint64 cut : {kFirstCellsAt + 28 * 20000 + 13, kFirstCellsAt + 40000 * 28 - 1,
                       lastCellsEnd - 28 * 300 - 2, lastCellsEnd - 1}) {
        const QString cutPath = dir.filePath("cut.zrx");
        QFile out(cutPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(whole.left(cut)), cut);
        out.close();

        CNeonAv av;
        av.CreateFirstFrame();
        av.currentFrame->AddRectRegion(5, 5, 1.0f, Rect{0, 0, 51, 51});
        av.currentFrame->selectedRegion->FillAll(0x123456);
        CNeonBkg bkg;
        const QByteArray before = Save(av, bkg);
        QString error;
        EXPECT_FALSE(av.LoadSchemeFile(cutPath, bkg, nullptr, &error)) << "cut at " << cut;
        EXPECT_EQ(error, kFileFormatError) << "cut at " << cut;
        EXPECT_EQ(Save(av, bkg), before) << "cut at " << cut;
        EXPECT_EQ(av.frameCount, 1);
    }
    // The same bytes whole load, so the cuts are what was refused.
    CNeonAv av;
    CNeonBkg bkg;
    EXPECT_TRUE(av.LoadSchemeFile(path, bkg));
}
