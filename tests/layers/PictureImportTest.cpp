// Importing through the decoder helper: the hostile test pictures, helpers that
// crash, hang or answer nonsense (small shell scripts standing in for the helper),
// the process limits on a decoder that runs away, and the form that runs while the
// event loop goes on.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

#include "layers/NeonImg.h"
#include "layers/Picture.h"
#include "layers/PictureImport.h"
#include "support/Metafiles.h"

using namespace zv;
using namespace zv::test;

namespace {

const QString kHostile = QStringLiteral(ZORVANE_TESTDATA_DIR "/hostile-pictures");

// Points the importer at another helper program for the life of the object.
class HelperOverride {
public:
    explicit HelperOverride(const QString& program) {
        qputenv("ZORVANE_PICTURE_DECODER", QFile::encodeName(program));
    }
    ~HelperOverride() { qunsetenv("ZORVANE_PICTURE_DECODER"); }
};

// An executable shell script standing in for the helper.
QString Script(const QTemporaryDir& dir, const QString& name, const QByteArray& body) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString SmallWmf(const QTemporaryDir& dir) {
    WmfWriter w(dir.filePath("small.wmf"), 60, 40);
    w.NullPen();
    w.Brush(U_BS_SOLID, qRgb(255, 0, 0));
    w.Add(U_WMRRECTANGLE_set(R16(10, 10, 30, 30)));
    return w.Finish().isEmpty() ? QString() : dir.filePath("small.wmf");
}

// An EMF that passes every record check but whose run-length bitmap makes
// libemf2svg pad rows without end: a delta moves one row below the bottom row,
// where the padding of "the rest of the bitmap" comes to billions of bytes. Its
// decoder runs until a limit stops it.
QString RunawayEmf(const QTemporaryDir& dir) {
    const QString path = dir.filePath("runaway.emf");
    EmfWriter e(path, RectL(0, 0, 47, 47), RectL(0, 0, 1270, 1270));
    U_RGBQUAD colours[2] = {rgbquad_set(0, 0, 0, 0), rgbquad_set(255, 255, 255, 0)};
    PU_BITMAPINFO info =
        bitmapinfo_set(bitmapinfoheader_set(64, 1, 1, 8, U_BI_RLE8, 4, 0, 0, 2, 0), colours);
    char bits[4] = {0, 2, 1, 1};  // delta: one pixel right, one row down
    e.Add(U_EMRSTRETCHDIBITS_set(RectL(0, 0, 47, 47), pointl_set(0, 0), pointl_set(48, 48),
                                 pointl_set(0, 0), pointl_set(64, 1), U_DIB_RGB_COLORS, U_SRCCOPY,
                                 info, 4, bits));
    std::free(info);
    return e.Finish().isEmpty() ? QString() : path;
}

PictureResult ResultOf(const QSignalSpy& spy, int i = 0) {
    return spy.at(i).at(0).value<PictureResult>();
}

}  // namespace

TEST(PictureImport, HostilePicturesAreRefusedOrStoppedByALimit) {
    if (!QDir(kHostile).exists())
        GTEST_SKIP() << "no hostile test pictures at " << kHostile.toStdString()
                     << " (the shared test data beside the repository)";
    // The EMF files fail libUEMF's record checks before libemf2svg sees them; the
    // WMF files fill their whole picture record after record until the work bound.
    const struct {
        const char* file;
        PictureFailure failure;
    } cases[] = {
        {"emf2svg-hbo-loop-iType.emf", PictureFailure::Damaged},
        {"emf2svg-hbo-analyse-nSize.emf", PictureFailure::Damaged},
        {"emf2svg-analyse156-overread.emf", PictureFailure::Damaged},
        {"emf2svg-arc-draw-overread.emf", PictureFailure::Damaged},
        {"emf2svg-bezier-overread.emf", PictureFailure::Damaged},
        {"emf2svg-alphablend-overread.emf", PictureFailure::Damaged},
        {"emf2svg-fontindex-wildread.emf", PictureFailure::Damaged},
        {"emf2svg-imagelib-find-memcmp.emf", PictureFailure::Damaged},
        {"emf2svg-imagelib-create-memcpy.emf", PictureFailure::Damaged},
        {"emf2svg-header-utf16-iconv.emf", PictureFailure::Damaged},
        {"emf2svg-rle4-padding-timeout.emf", PictureFailure::Damaged},
        {"emf2svg-rle8-padding-timeout.emf", PictureFailure::Damaged},
        {"wmf-player-fill-dos-100rec.wmf", PictureFailure::WorkLimit},
        {"wmf-player-fill-dos-64k.wmf", PictureFailure::WorkLimit},
    };
    for (const auto& c : cases) {
        const QString path = kHostile + QLatin1Char('/') + QLatin1String(c.file);
        ASSERT_TRUE(QFile::exists(path)) << c.file;
        const PictureResult r = PictureImport::Run(path);
        EXPECT_EQ(r.failure, c.failure) << c.file << ": " << r.message.toStdString();
        EXPECT_TRUE(r.image.isNull()) << c.file;
        EXPECT_FALSE(r.message.isEmpty()) << c.file;
        EXPECT_EQ(r.dataSize, QFileInfo(path).size()) << c.file;
        if (c.failure == PictureFailure::Damaged) {
            // The picture tool says the same.
            QString why;
            EXPECT_FALSE(CNeonImg::ImportPicture(path, 0, 0, 100, 100, &why)) << c.file;
            EXPECT_EQ(why, r.message) << c.file;
        }
    }
}

TEST(PictureImport, TheHelperGivesWhatTheLoaderGivesInProcess) {
    QTemporaryDir dir;
    const QString wmf = SmallWmf(dir);
    ASSERT_FALSE(wmf.isEmpty());
    QImage photo(33, 17, QImage::Format_RGB32);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 33; ++x) photo.setPixel(x, y, qRgb(x * 7, y * 13, 200));
    ASSERT_TRUE(photo.save(dir.filePath("p.bmp"), "BMP"));
    ASSERT_TRUE(QFile::copy(dir.filePath("p.bmp"), dir.filePath("p.dib")));
    for (const QString& path : {wmf, dir.filePath("p.bmp"), dir.filePath("p.dib")}) {
        CPicture loader;
        ASSERT_EQ(loader.OpenFile(path), 1) << path.toStdString();
        const PictureResult r = PictureImport::Run(path);
        ASSERT_TRUE(r.Ok()) << r.message.toStdString();
        EXPECT_TRUE(r.message.isEmpty());
        EXPECT_EQ(r.image, loader.Image()) << path.toStdString();
        EXPECT_EQ(r.image.format(), QImage::Format_RGB32);
        EXPECT_EQ(r.dataSize, QFileInfo(path).size());
    }
    EXPECT_EQ(PictureImport::Run(dir.filePath("p.bmp")).image, photo);
}

TEST(PictureImport, TypesFilesAndHelperThatCannotBeUsed) {
    QTemporaryDir dir;
    const PictureResult png = PictureImport::Run(dir.filePath("p.png"));
    EXPECT_EQ(png.failure, PictureFailure::Unsupported);
    EXPECT_TRUE(png.message.contains(QLatin1String("BMP, DIB, EMF, GIF, ICO, JPG and WMF")));
    EXPECT_EQ(PictureImport::KindFor("a/b.Bmp"), PictureKind::Bitmap);
    EXPECT_EQ(PictureImport::KindFor("a/b.wmf"), PictureKind::Picture);
    EXPECT_EQ(PictureImport::KindFor("a/b.jpeg"), std::nullopt);

    const PictureResult missing = PictureImport::Run(dir.filePath("none.gif"));
    EXPECT_EQ(missing.failure, PictureFailure::CannotOpen);
    EXPECT_FALSE(missing.message.isEmpty());

    HelperOverride gone(dir.filePath("no-such-helper"));
    const PictureResult noHelper = PictureImport::Run(SmallWmf(dir));
    EXPECT_EQ(noHelper.failure, PictureFailure::NoDecoder);
    EXPECT_TRUE(noHelper.message.contains(dir.filePath("no-such-helper")));
}

TEST(PictureImport, AHelperThatDiesHangsOrBabblesIsAFailedImport) {
    QTemporaryDir dir;
    const QString picture = SmallWmf(dir);
    const PictureLimits quick{5, 512, 700};
    const struct {
        const char* name;
        QByteArray script;
        PictureFailure failure;
        const char* saying;
    } cases[] = {
        {"segfault", "kill -SEGV $$", PictureFailure::Crashed, "crashed on this file (Segm"},
        {"killed", "kill -KILL $$", PictureFailure::Crashed, "crashed on this file (Kill"},
        {"cpu signal", "kill -XCPU $$", PictureFailure::CpuLimit, "5 s of processor time"},
        {"hangs", "exec sleep 30", PictureFailure::TimeLimit, "0.7 s"},
        {"cpu", "exit 71", PictureFailure::CpuLimit, "5 s of processor time"},
        {"memory", "exit 70", PictureFailure::MemoryLimit, "512 MB"},
        {"status", "exit 3", PictureFailure::Crashed, "status 3"},
        {"silent", "exit 0", PictureFailure::Crashed, "cut short"},
        {"babbles", "echo 'a picture? no, a sentence longer than a header'",
         PictureFailure::Crashed, "does not start like"},
    };
    for (const auto& c : cases) {
        const QString helper = Script(dir, QLatin1String(c.name), c.script);
        HelperOverride use(helper);
        QElapsedTimer clock;
        clock.start();
        const PictureResult r = PictureImport::Run(picture, quick);
        EXPECT_EQ(r.failure, c.failure) << c.name << ": " << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QLatin1String(c.saying)))
            << c.name << ": " << r.message.toStdString();
        EXPECT_TRUE(r.image.isNull());
        EXPECT_LT(clock.elapsed(), 10000) << c.name;
    }
    // The picture tool gets no picture, and the message.
    HelperOverride crashing(dir.filePath("segfault"));
    QString why;
    EXPECT_FALSE(CNeonImg::ImportPicture(picture, 0, 0, 10, 10, &why));
    EXPECT_TRUE(why.contains(QLatin1String("crashed"))) << why.toStdString();
}

TEST(PictureImport, ProcessLimitsStopARunawayDecoder) {
    QTemporaryDir dir;
    const QString runaway = RunawayEmf(dir);
    ASSERT_FALSE(runaway.isEmpty());
    // With memory to spare the processor time runs out first; with little memory
    // the memory does (it grows by hundreds of megabytes a second).
    const PictureResult cpu = PictureImport::Run(runaway, PictureLimits{1, 8192, 60000});
    EXPECT_EQ(cpu.failure, PictureFailure::CpuLimit) << cpu.message.toStdString();
    EXPECT_TRUE(cpu.message.contains(QLatin1String("1 s of processor time")));
    const PictureResult memory = PictureImport::Run(runaway, PictureLimits{60, 100, 60000});
    EXPECT_EQ(memory.failure, PictureFailure::MemoryLimit) << memory.message.toStdString();
    EXPECT_TRUE(memory.message.contains(QLatin1String("100 MB")));
    const PictureResult time = PictureImport::Run(runaway, PictureLimits{60, 8192, 500});
    EXPECT_EQ(time.failure, PictureFailure::TimeLimit) << time.message.toStdString();
}

TEST(PictureImportAsync, FinishesThroughTheEventLoop) {
    QTemporaryDir dir;
    const QString picture = SmallWmf(dir);
    PictureImport import;
    QSignalSpy spy(&import, &PictureImport::finished);
    import.Start(picture);
    EXPECT_TRUE(import.IsRunning());
    ASSERT_TRUE(spy.wait(20000));
    ASSERT_EQ(spy.count(), 1);
    const PictureResult r = ResultOf(spy);
    ASSERT_TRUE(r.Ok()) << r.message.toStdString();
    EXPECT_EQ(r.image, PictureImport::Run(picture).image);
    EXPECT_FALSE(import.IsRunning());

    // A type that is no picture is said the same way, never from inside Start.
    import.Start(dir.filePath("a.png"));
    EXPECT_EQ(spy.count(), 1);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(ResultOf(spy, 1).failure, PictureFailure::Unsupported);
    // And so is a helper that is not there.
    HelperOverride gone(dir.filePath("no-such-helper"));
    import.Start(picture);
    EXPECT_EQ(spy.count(), 2);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(ResultOf(spy, 2).failure, PictureFailure::NoDecoder);
    EXPECT_TRUE(ResultOf(spy, 2).message.contains(dir.filePath("no-such-helper")));
}

TEST(PictureImportAsync, CancelStopsTheHelperAtOnce) {
    QTemporaryDir dir;
    HelperOverride use(Script(dir, "hangs", "exec sleep 30"));
    PictureImport import;
    QSignalSpy spy(&import, &PictureImport::finished);
    import.Start(SmallWmf(dir));
    ASSERT_TRUE(import.IsRunning());
    QElapsedTimer clock;
    clock.start();
    import.Cancel();
    EXPECT_LT(clock.elapsed(), 3000);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(ResultOf(spy).failure, PictureFailure::Cancelled);
    EXPECT_FALSE(import.IsRunning());
    EXPECT_FALSE(spy.wait(300));  // nothing more arrives
    import.Cancel();              // nothing to cancel
    EXPECT_EQ(spy.count(), 1);

    // A new import cancels the one still running; its own end follows.
    import.Start(SmallWmf(dir), PictureLimits{5, 512, 400});
    import.Start(SmallWmf(dir), PictureLimits{5, 512, 400});
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(ResultOf(spy, 1).failure, PictureFailure::Cancelled);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(ResultOf(spy, 2).failure, PictureFailure::TimeLimit);

    // Destroyed while running: the helper goes with it, without a signal.
    auto running = std::make_unique<PictureImport>();
    QSignalSpy quiet(running.get(), &PictureImport::finished);
    running->Start(SmallWmf(dir));
    running.reset();
    EXPECT_EQ(quiet.count(), 0);
}
