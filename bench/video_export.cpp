// Video export at 1280 x 720 of 1000 video frames: the open-sign example (an effect
// frame of 41 sub-frames and a still frame) repeated. End to end per codec (both
// passes, rendering included), and for the encoders the time we take to encode the
// frames against the ffmpeg program encoding the same frames, dumped once as raw
// BGR24, with the same codec and settings, in the same run.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "video/AVIFile.h"
#include "video/AnimationFrames.h"
#include "video/VideoExport.h"

using namespace zv;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr std::int64_t kFrames = 1000;

struct Scene {
    CNeonAv av;
    CNeonBkg background;
    QTemporaryDir dir;
    QString rawPath;  // the frames as raw BGR24, made on first use
};

// Moves the frames of one more load of the example to the end of `scene`, all of
// them or only its still frame.
bool AppendExample(Scene& scene, bool stillOnly) {
    CNeonAv more;
    CNeonBkg background;
    const QString path = QStringLiteral(ZORVANE_EXAMPLES_DIR "/open-sign.zrx");
    if (!more.LoadSchemeFile(path, background)) return false;
    if (scene.av.frameCount == 0) scene.background.SetBitmap(background.bitmap);
    while (CNeonFrame* f = more.First()) {
        std::unique_ptr<CNeonFrame> frame = Ring<CNeonFrame>::Unlink(f);
        if (!stillOnly || frame->category == 0)
            Ring<CNeonFrame>::Append(scene.av.anchor.get(), std::move(frame));
    }
    scene.av.Recount();
    return true;
}

Scene& TheScene() {
    static Scene* scene = [] {
        auto* s = new Scene;
        while (AnimationFrames::Count(s->av) + 42 <= kFrames)
            if (!AppendExample(*s, false)) break;
        while (AnimationFrames::Count(s->av) < kFrames)
            if (!AppendExample(*s, true)) break;
        s->av.currentFrame = s->av.First();
        s->av.currentIndex = 1;
        return s;
    }();
    return *scene;
}

void EndToEnd(benchmark::State& state, const char* file, VideoCodec codec) {
    Scene& scene = TheScene();
    if (AnimationFrames::Count(scene.av) != kFrames) {
        state.SkipWithError("the example did not load");
        return;
    }
    if (!CanEncode(codec)) {
        state.SkipWithError("no encoder in this FFmpeg");
        return;
    }
    const QString path = scene.dir.filePath(QString::fromLatin1(file));
    for (auto _ : state) {
        QFile::remove(path);
        VideoExportOptions options;
        options.path = path;
        options.size = QSize(kWidth, kHeight);
        options.codec = codec;
        VideoExport job(scene.av, &scene.background, options);
        if (!job.Run()) state.SkipWithError(job.Error().toUtf8().constData());
    }
    state.counters["fps"] =
        benchmark::Counter(double(kFrames), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
    QFile::remove(path);
}

// The scene's frames rendered once into a raw BGR24 file.
const QString& RawFrames() {
    Scene& scene = TheScene();
    if (!scene.rawPath.isEmpty()) return scene.rawPath;
    const QString path = scene.dir.filePath(QStringLiteral("frames.bgr24"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return scene.rawPath;
    AnimationFrames frames(scene.av, &scene.background, true);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    while (frames.RenderNext(image)) {
        const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
        for (int y = 0; y < kHeight; ++y) out.write(reinterpret_cast<const char*>(bgr.constScanLine(y)), kWidth * 3);
    }
    scene.rawPath = path;
    return scene.rawPath;
}

// Our writer over the dumped frames: reading and encoding timed, the conversion of a
// frame back to the 32-bit image the renderer gives untimed.
double OurEncodeSeconds(const QString& raw, const QString& out, VideoCodec codec) {
    QFile in(raw);
    if (!in.open(QIODevice::ReadOnly)) return -1;
    CAVIFile avi(out, -1, -1, codec);
    avi.SetFrameDuration(5);
    QImage bgr(kWidth, kHeight, QImage::Format_BGR888);
    double seconds = 0;
    QElapsedTimer timer;
    for (std::int64_t k = 0; k < kFrames; ++k) {
        timer.start();
        for (int y = 0; y < kHeight; ++y)
            if (in.read(reinterpret_cast<char*>(bgr.scanLine(y)), kWidth * 3) != kWidth * 3) return -1;
        seconds += double(timer.nsecsElapsed()) / 1e9;
        const QImage rendered = bgr.convertToFormat(QImage::Format_RGB32);
        timer.start();
        if (!avi.AddFrame(rendered)) return -1;
        seconds += double(timer.nsecsElapsed()) / 1e9;
    }
    timer.start();
    if (!avi.Close()) return -1;
    return seconds + double(timer.nsecsElapsed()) / 1e9;
}

double FfmpegEncodeSeconds(const QString& raw, const QString& out, const QStringList& codecArgs) {
    QProcess p;
    const QStringList args = QStringList{QStringLiteral("-v"), QStringLiteral("error"),
                                         QStringLiteral("-y"), QStringLiteral("-f"),
                                         QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"),
                                         QStringLiteral("bgr24"), QStringLiteral("-s"),
                                         QStringLiteral("1280x720"), QStringLiteral("-r"),
                                         QStringLiteral("3"), QStringLiteral("-i"), raw} +
                             codecArgs + QStringList{out};
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral("ffmpeg"), args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0) return -1;
    return double(timer.nsecsElapsed()) / 1e9;
}

void EncodeRatio(benchmark::State& state, VideoCodec codec, const QStringList& ffmpegArgs) {
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty()) {
        state.SkipWithError("the ffmpeg program is not installed");
        return;
    }
    if (!CanEncode(codec)) {
        state.SkipWithError("no encoder in this FFmpeg");
        return;
    }
    const QString& raw = RawFrames();
    if (raw.isEmpty()) {
        state.SkipWithError("the frames could not be dumped");
        return;
    }
    Scene& scene = TheScene();
    const QString ours = scene.dir.filePath(QStringLiteral("ours.avi"));
    const QString theirs = scene.dir.filePath(QStringLiteral("ffmpeg.avi"));
    double us = 0, them = 0;
    for (auto _ : state) {
        us = OurEncodeSeconds(raw, ours, codec);
        them = FfmpegEncodeSeconds(raw, theirs, ffmpegArgs);
        if (us < 0 || them < 0) state.SkipWithError("an encode failed");
    }
    state.counters["ours_s"] = us;
    state.counters["ffmpeg_s"] = them;
    state.counters["ratio"] = them > 0 ? us / them : 0;
    state.counters["fps"] = us > 0 ? double(kFrames) / us : 0;
    QFile::remove(ours);
    QFile::remove(theirs);
}

QStringList Args(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

// One run each: a run is 1000 frames, and repeating them is minutes.
#define VIDEO_BENCH(name, ...)                                                         \
    BENCHMARK_CAPTURE(name, __VA_ARGS__)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1)

VIDEO_BENCH(EndToEnd, avi_pal8, "e.avi", VideoCodec::Pal8);
VIDEO_BENCH(EndToEnd, avi_bgr24, "e.avi", VideoCodec::Bgr24);
VIDEO_BENCH(EndToEnd, avi_ffv1, "e.avi", VideoCodec::Ffv1);
VIDEO_BENCH(EndToEnd, avi_mjpeg, "e.avi", VideoCodec::Mjpeg);
VIDEO_BENCH(EndToEnd, avi_mpeg4, "e.avi", VideoCodec::Mpeg4);
VIDEO_BENCH(EndToEnd, avi_h264, "e.avi", VideoCodec::H264);
VIDEO_BENCH(EndToEnd, mp4_h264, "e.mp4", VideoCodec::H264);
VIDEO_BENCH(EndToEnd, webm_vp9, "e.webm", VideoCodec::Vp9);
VIDEO_BENCH(EndToEnd, gif, "e.gif", VideoCodec::Gif);

VIDEO_BENCH(EncodeRatio, bgr24, VideoCodec::Bgr24, Args("-c:v rawvideo -pix_fmt bgr24"));
VIDEO_BENCH(EncodeRatio, ffv1, VideoCodec::Ffv1, Args("-c:v ffv1 -pix_fmt bgr0"));
VIDEO_BENCH(EncodeRatio, mjpeg, VideoCodec::Mjpeg, Args("-c:v mjpeg -q:v 3 -pix_fmt yuvj420p"));
VIDEO_BENCH(EncodeRatio, mpeg4, VideoCodec::Mpeg4, Args("-c:v mpeg4 -q:v 3 -pix_fmt yuv420p"));
VIDEO_BENCH(EncodeRatio, h264, VideoCodec::H264, Args("-c:v libx264 -bf 0 -pix_fmt yuv420p"));

}  // namespace
