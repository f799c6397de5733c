// Exporting animations: frame counts, timing, pixels against the command-line
// renderer, the backup chain, cancel and failure, the other containers, the CLI.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "VideoProbe.h"
#include "gdi/LogFont.h"
#include "layers/NeonBkg.h"
#include "layers/NeonChar.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "support/FileSizeLimit.h"
#include "video/AnimationFrames.h"
#include "video/VideoExport.h"

using namespace zv;
using namespace zv::test;

namespace {

constexpr QSize kSize(160, 120);

// A row of `cols` cells; every cell lit, or only the first two.
void Light(CNeonFrame& f, int cols, const Rect& at, COLORREF colour, bool all = true) {
    f.AddRectRegion(cols, 1, 1.0f, at);
    int i = 0;
    for (NeonCell& c : f.selectedRegion->cells) c.colour = (all || i++ < 2) ? colour : 0;
}

void AddText(CNeonFrame& f, const QString& text, COLORREF colour) {
    CNeonChar* t = f.texts->AppendText();
    LogFont lf;
    lf.lfHeight = -24;
    lf.SetFaceName(QStringLiteral("DejaVu Sans"));
    t->SetLogFont(lf);
    t->SetText(text);
    t->x = 20;
    t->y = 60;
    t->textColour = colour;
}

// Frame 1 normal, frame 2 an effect frame of 8 sub-frames with a text of its own,
// frames 3 and 4 normal: 11 video frames.
std::unique_ptr<CNeonAv> ElevenFrames() {
    auto av = std::make_unique<CNeonAv>();
    av->CreateFirstFrame();
    Light(*av->First(), 4, Rect{10, 10, 51, 21}, RGB(255, 0, 0));
    CNeonFrame* effect = av->InsertAfter(av->Last(), false);
    Light(*effect, 7, Rect{10, 30, 81, 41}, RGB(0, 255, 0), false);
    effect->ApplyEffect(*av->anchor, 2, 1, false);
    AddText(*effect, QStringLiteral("Hi"), RGB(255, 255, 0));
    CNeonFrame* third = av->InsertAfter(av->Last(), false);
    Light(*third, 3, Rect{100, 80, 131, 91}, RGB(0, 0, 255));
    CNeonFrame* fourth = av->InsertAfter(av->Last(), false);
    Light(*fourth, 2, Rect{0, 0, 21, 11}, RGB(255, 255, 255));
    av->Recount();
    av->currentFrame = av->First();
    av->currentIndex = 1;
    return av;
}

std::vector<COLORREF> EffectColours(const CNeonAv& av) {
    std::vector<COLORREF> out;
    for (const NeonCell& c : av.GetFrameAt(2)->regions->next->cells) out.push_back(c.colour);
    return out;
}
std::vector<COLORREF> OwnEffectColours() {
    return {RGB(0, 255, 0), RGB(0, 255, 0), 0, 0, 0, 0, 0};
}

VideoExportOptions Options(const QString& path, int rate = 10) {
    VideoExportOptions o;
    o.path = path;
    o.size = kSize;
    o.rate = rate;
    return o;
}

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

int RunCli(const QStringList& args, QString* err = nullptr,
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZORVANE_CLI), args);
    if (!p.waitForFinished(120000)) return -1;
    if (err) *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

int MaxChannelError(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

class VideoExportTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

}  // namespace

TEST_F(VideoExportTest, ElevenFramesAtTheirPositionsForEveryRate) {
    auto av = ElevenFrames();
    ASSERT_EQ(av->GetFrameAt(2)->SubFrameCount(), 8);
    EXPECT_EQ(AnimationFrames::Count(*av), 11);
    const std::pair<int, int> rates[] = {{10, 5}, {20, 4}, {30, 3}, {40, 2},
                                         {50, 1}, {0, 6},  {70, 1}};
    for (const auto& [rate, duration] : rates) {
        const QString path = Path("r.avi");
        QFile::remove(path);
        VideoExport job(*av, nullptr, Options(path, rate));
        ASSERT_TRUE(job.Run()) << rate << " " << job.Error().toStdString();
        EXPECT_EQ(job.FrameDuration(), duration);
        EXPECT_EQ(job.DurationClamped(), rate == 70);
        const Decoded d = DecodeVideo(path);
        ASSERT_EQ(d.pts.size(), 11u) << rate;
        for (int k = 0; k < 11; ++k) EXPECT_EQ(d.pts[std::size_t(k)], k * duration) << rate;
        EXPECT_EQ(d.timeBase.den, 15);
    }
    // Sub-frames were stepped and given back: the effect frame keeps its own colours.
    EXPECT_EQ(EffectColours(*av), OwnEffectColours());
    if (!HaveFfprobe()) GTEST_SKIP() << "ffprobe is not installed";
    const Probe probe = FfProbe(Path("r.avi"));
    EXPECT_EQ(probe.codecType, QLatin1String("video"));
    EXPECT_EQ(probe.frames, 11);
    EXPECT_EQ(probe.frameRate, QLatin1String("15/1"));
}

// Every frame decoded equals what `zorvane-cli render` draws for it, exactly for the
// lossless codecs and within the palette for 256 colours.
TEST_F(VideoExportTest, DecodedFramesAreTheRenderersPixels) {
    auto av = ElevenFrames();
    CNeonBkg background;
    QImage wall(40, 30, QImage::Format_RGB32);
    wall.fill(qRgb(30, 10, 60));
    background.SetBitmap(wall);
    const QString scheme = Path("s.zrx");
    ASSERT_TRUE(av->SaveSchemeFile(scheme, background));
    std::vector<QImage> expected;
    const QStringList size{QStringLiteral("--size"), QStringLiteral("160x120")};
    const auto render = [&](const QStringList& which) {
        const QString png = Path("frame.png");
        ASSERT_EQ(RunCli(QStringList{QStringLiteral("render"), scheme, QStringLiteral("-o"), png} +
                         size + which),
                  0);
        expected.push_back(QImage(png));
    };
    render({QStringLiteral("--frame"), QStringLiteral("1")});
    for (int k = 0; k < 8; ++k)
        render({QStringLiteral("--frame"), QStringLiteral("2"), QStringLiteral("--step"),
                QString::number(k)});
    render({QStringLiteral("--frame"), QStringLiteral("3")});
    render({QStringLiteral("--frame"), QStringLiteral("4")});
    ASSERT_EQ(expected.size(), 11u);
    EXPECT_GT(DifferentPixels(expected[1], expected[2]), 0);  // the effect moves

    for (const VideoCodec codec : {VideoCodec::Pal8, VideoCodec::Bgr24, VideoCodec::Ffv1}) {
        const QString path = Path("p.avi");
        QFile::remove(path);
        VideoExportOptions o = Options(path);
        o.codec = codec;
        VideoExport job(*av, &background, o);
        ASSERT_TRUE(job.Run()) << job.Error().toStdString();
        const Decoded d = DecodeVideo(path);
        ASSERT_EQ(d.frames.size(), 11u) << CodecName(codec).toStdString();
        for (std::size_t k = 0; k < 11; ++k) {
            if (codec == VideoCodec::Pal8)
                EXPECT_LE(MaxChannelError(d.frames[k], expected[k]), 8) << k;
            else
                EXPECT_EQ(DifferentPixels(d.frames[k], expected[k]), 0)
                    << CodecName(codec).toStdString() << " frame " << k;
        }
    }
}

TEST_F(VideoExportTest, ThreeHundredColoursStillExportIn256) {
    auto av = std::make_unique<CNeonAv>();
    av->CreateFirstFrame();
    CNeonFrame* f = av->First();
    for (int i = 0; i < 300; ++i) {
        if (i > 0 && i % 100 == 0) f = av->InsertAfter(av->Last(), false);
        Light(*f, 1, Rect{(i % 20) * 8, (i / 20) * 8, (i % 20) * 8 + 7, (i / 20) * 8 + 7},
              RGB(i % 256, (i * 7) % 256, i < 256 ? 40 : 220));
    }
    av->Recount();
    const QString path = Path("many.avi");
    VideoExport job(*av, nullptr, Options(path));
    ASSERT_TRUE(job.Run()) << job.Error().toStdString();
    EXPECT_EQ(job.Total(), 6);  // two passes of three frames
    const Decoded d = DecodeVideo(path);
    ASSERT_EQ(d.frames.size(), 3u);
    std::set<QRgb> colours;
    for (const QImage& image : d.frames)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    EXPECT_LE(colours.size(), 256u);
    EXPECT_GT(colours.size(), 150u);
}

TEST_F(VideoExportTest, ExistingFilesBecomeABackupChain) {
    auto av = ElevenFrames();
    const QString path = Path("a.avi");
    Write(path, "first");
    VideoExport one(*av, nullptr, Options(path));
    ASSERT_TRUE(one.Run());
    const QByteArray second = Contents(path);
    EXPECT_EQ(Contents(path + QStringLiteral(".bak")), QByteArray("first"));
    VideoExport two(*av, nullptr, Options(path, 20));
    ASSERT_TRUE(two.Run());
    EXPECT_EQ(Contents(path + QStringLiteral(".bak.bak")), QByteArray("first"));
    EXPECT_EQ(Contents(path + QStringLiteral(".bak")), second);
    EXPECT_NE(Contents(path), second);  // other timing
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak.bak.bak")));
}

TEST_F(VideoExportTest, CancelLeavesThePreviousFileOrNone) {
    auto av = ElevenFrames();
    const QString path = Path("c.avi");
    Write(path, "previous");
    for (const int stopAt : {3, 15}) {  // in the counting pass, in the writing pass
        VideoExport job(*av, nullptr, Options(path));
        int calls = 0;
        EXPECT_FALSE(job.Run([&](std::int64_t, std::int64_t) { return ++calls < stopAt; }));
        EXPECT_EQ(job.GetState(), VideoExport::State::Cancelled);
        EXPECT_EQ(Contents(path), QByteArray("previous"));
        EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak")));
    }
    const QString fresh = Path("fresh.avi");
    {
        VideoExport job(*av, nullptr, Options(fresh));
        ASSERT_TRUE(job.Start());
        for (int i = 0; i < 14; ++i) job.Step();
    }  // dropped mid-way: cancelled
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    // The effect frame is left with its own colours after a cancel mid-effect too.
    EXPECT_EQ(EffectColours(*av), OwnEffectColours());
}

// A write that fails half-way (here the file size limit) removes the broken file and
// puts the previous one back.
TEST_F(VideoExportTest, AFailedWritePutsThePreviousFileBack) {
    auto av = ElevenFrames();
    const QString path = Path("f.avi");
    Write(path, "previous");
    bool saved = true;
    {
        FileSizeLimit limit(100 * 1024);  // a few of the 19 KB frames
        VideoExport job(*av, nullptr, Options(path));
        saved = job.Run();
        EXPECT_EQ(job.GetState(), VideoExport::State::Failed);
        EXPECT_FALSE(job.Error().isEmpty());
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(Contents(path), QByteArray("previous"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak")));
}

TEST_F(VideoExportTest, Mp4WebmGifHaveTheFramesAtThePlaybackRate) {
    auto av = ElevenFrames();
    struct Case {
        const char* name;
        VideoCodec codec;
        int rate;
    };
    for (const Case& c : {Case{"v.mp4", VideoCodec::H264, 20}, Case{"v.webm", VideoCodec::Vp9, 0},
                          Case{"v.gif", VideoCodec::Gif, 25}}) {
        if (!CanEncode(c.codec)) continue;
        const QString path = Path(c.name);
        VideoExport job(*av, nullptr, Options(path, c.rate));
        ASSERT_TRUE(job.Run()) << c.name << ": " << job.Error().toStdString();
        const Decoded d = DecodeVideo(path);
        const int fps = c.rate == 0 ? 10 : c.rate;
        ASSERT_EQ(d.pts.size(), 11u) << c.name;
        for (std::size_t k = 0; k < 11; ++k)
            EXPECT_NEAR(double(d.pts[k]) * av_q2d(d.timeBase), double(k) / fps, 0.011)
                << c.name << " frame " << k;
        EXPECT_NEAR(d.duration, 11.0 / fps, 0.011) << c.name;
        EXPECT_EQ(d.width, 160);
        if (HaveFfprobe()) {
            EXPECT_EQ(FfProbe(path).frames, 11) << c.name;
        }
    }
    // The GIF loops for ever: the NETSCAPE2.0 block with a loop count of 0.
    const QByteArray gif = Contents(Path("v.gif"));
    const qsizetype netscape = gif.indexOf("NETSCAPE2.0");
    ASSERT_GE(netscape, 0);
    EXPECT_EQ(gif.mid(netscape + 11, 4), QByteArray("\x03\x01\x00\x00", 4));
}

TEST_F(VideoExportTest, CommandLine) {
    auto av = ElevenFrames();
    const QString scheme = Path("cli.zrx");
    ASSERT_TRUE(av->SaveSchemeFile(scheme, CNeonBkg()));
    const QString out = Path("cli.avi");
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, out, QStringLiteral("--size"),
                      QStringLiteral("64x48"), QStringLiteral("--rate"), QStringLiteral("30")}),
              0);
    Decoded d = DecodeVideo(out);
    EXPECT_EQ(d.frames.size(), 11u);
    EXPECT_EQ(d.width, 64);
    EXPECT_EQ(d.pixelFormat, QLatin1String("pal8"));
    ASSERT_GE(d.pts.size(), 2u);
    EXPECT_EQ(d.pts[1], 3);
    // The -o spelling, another codec, and the fast-rate note.
    QString err;
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, QStringLiteral("-o"), out,
                      QStringLiteral("--codec"), QStringLiteral("bgr24"), QStringLiteral("--rate"),
                      QStringLiteral("80"), QStringLiteral("--size"), QStringLiteral("64x48")},
                     &err),
              0);
    EXPECT_TRUE(err.contains(QStringLiteral("1/15"))) << err.toStdString();
    d = DecodeVideo(out);
    EXPECT_EQ(d.pixelFormat, QLatin1String("bgr24"));
    EXPECT_EQ(d.pts[1], 1);
    EXPECT_TRUE(QFile::exists(out + QStringLiteral(".bak")));

    const QString bad = Path("bad.zrx");
    Write(bad, "not a scheme");
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), bad, Path("x.avi")}), 1);
    EXPECT_FALSE(QFile::exists(Path("x.avi")));
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, Path("x.mov")}), 2);
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, Path("x.mp4"),
                      QStringLiteral("--codec"), QStringLiteral("pal8")}),
              2);
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, Path("x.avi"),
                      QStringLiteral("--codec"), QStringLiteral("divx")}),
              2);
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, Path("x.avi"),
                      QStringLiteral("--rate"), QStringLiteral("-5")}),
              2);
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme}), 2);
    QProcess help;
    help.start(QStringLiteral(ZORVANE_CLI), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(60000));
    EXPECT_TRUE(help.readAllStandardOutput().contains("export-video IN OUT"));
    EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, Path("no/dir/x.avi")}), 1);
}

// FFmpeg comes in a module opened at the first export. Without it, or with something
// else in its place, an export says why and leaves an existing file alone.
TEST_F(VideoExportTest, WithoutTheEncoderModule) {
    auto av = ElevenFrames();
    const QString scheme = Path("m.zrx");
    ASSERT_TRUE(av->SaveSchemeFile(scheme, CNeonBkg()));
    const QString out = Path("kept.avi");
    Write(out, "an older video");
    const QString notALibrary = Path("not-a-library.so");
    Write(notALibrary, "text");
    struct Case {
        QString module;
        const char* says;
    } cases[] = {{Path("missing.so"), "video encoder could not be loaded"},
                 {notALibrary, "video encoder could not be loaded"}};
    for (const Case& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZORVANE_VIDEO_MODULE"), c.module);
        QString err;
        EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, out}, &err, env), 1);
        EXPECT_TRUE(err.contains(QLatin1String(c.says))) << err.toStdString();
        EXPECT_EQ(Contents(out), QByteArray("an older video"));
        EXPECT_FALSE(QFile::exists(out + QStringLiteral(".bak")));
        // A codec asked for by name gets the same answer.
        EXPECT_EQ(RunCli({QStringLiteral("export-video"), scheme, out, QStringLiteral("--codec"),
                          QStringLiteral("bgr24")},
                         &err, env),
                  2);
        EXPECT_TRUE(err.contains(QLatin1String(c.says))) << err.toStdString();
    }
}
