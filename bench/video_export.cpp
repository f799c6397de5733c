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
#include <sys/resource.h>

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

// Processor seconds of this process (every thread) or of its waited-for children.
double CpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Where the videos and the raw dump (2.8 GB) go; removed at exit.
QTemporaryDir& WorkDir() {
    static QTemporaryDir dir;
    return dir;
}

struct Scene {
    CNeonAv av;
    CNeonBkg background;
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
    const QString path = WorkDir().filePath(QString::fromLatin1(file));
    double cpu = 0;
    for (auto _ : state) {
        QFile::remove(path);
        const double cpuStart = CpuSeconds(RUSAGE_SELF);
        VideoExportOptions options;
        options.path = path;
        options.size = QSize(kWidth, kHeight);
        options.codec = codec;
        VideoExport job(scene.av, &scene.background, options);
        if (!job.Run()) state.SkipWithError(job.Error().toUtf8().constData());
        cpu = CpuSeconds(RUSAGE_SELF) - cpuStart;
    }
    // Frames per second of wall time (the real time column) and of this process's
    // processor time, every thread (the machine may be shared).
    state.counters["fps"] =
        benchmark::Counter(double(kFrames), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["cpu_fps"] = cpu > 0 ? double(kFrames) / cpu : 0;
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
    QFile::remove(path);
}

// The scene's frames rendered once into a raw BGR24 file.
const QString& RawFrames() {
    Scene& scene = TheScene();
    if (!scene.rawPath.isEmpty()) return scene.rawPath;
    const QString path = WorkDir().filePath(QStringLiteral("frames.bgr24"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return scene.rawPath;
    AnimationFrames frames(scene.av, &scene.background, true);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    while (frames.RenderNext(image)) {
        const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
        for (int y = 0; y < kHeight; ++y)
            out.write(reinterpret_cast<const char*>(bgr.constScanLine(y)), kWidth * 3);
    }
    scene.rawPath = path;
    return scene.rawPath;
}

struct Cost {
    double wall = -1;
    double cpu = -1;
};

// Our writer over the dumped frames: reading and encoding timed, the conversion of a
// frame back to the 32-bit image the renderer gives untimed (processor time too).
Cost OurEncode(const QString& raw, const QString& out, VideoCodec codec) {
    QFile in(raw);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const double cpuStart = CpuSeconds(RUSAGE_SELF);
    double conversionCpu = 0;
    CAVIFile avi(out, -1, -1, codec);
    avi.SetFrameDuration(5);
    QImage bgr(kWidth, kHeight, QImage::Format_BGR888);
    double seconds = 0;
    QElapsedTimer timer;
    for (std::int64_t k = 0; k < kFrames; ++k) {
        timer.start();
        // 1280 x 3 bytes: the image's rows lie end to end, as in the file.
        if (in.read(reinterpret_cast<char*>(bgr.bits()), bgr.sizeInBytes()) != bgr.sizeInBytes())
            return {};
        seconds += double(timer.nsecsElapsed()) / 1e9;
        const double before = CpuSeconds(RUSAGE_THREAD);
        const QImage rendered = bgr.convertToFormat(QImage::Format_RGB32);
        conversionCpu += CpuSeconds(RUSAGE_THREAD) - before;
        timer.start();
        if (!avi.AddFrame(rendered)) return {};
        seconds += double(timer.nsecsElapsed()) / 1e9;
    }
    timer.start();
    if (!avi.Close()) return {};
    seconds += double(timer.nsecsElapsed()) / 1e9;
    return {seconds, CpuSeconds(RUSAGE_SELF) - cpuStart - conversionCpu};
}

Cost FfmpegEncode(const QString& raw, const QString& out, const QStringList& codecArgs) {
    QProcess p;
    const QStringList args = QStringList{QStringLiteral("-v"),
                                         QStringLiteral("error"),
                                         QStringLiteral("-y"),
                                         QStringLiteral("-f"),
                                         QStringLiteral("rawvideo"),
                                         QStringLiteral("-pix_fmt"),
                                         QStringLiteral("bgr24"),
                                         QStringLiteral("-s"),
                                         QStringLiteral("1280x720"),
                                         QStringLiteral("-r"),
                                         QStringLiteral("3"),
                                         QStringLiteral("-i"),
                                         raw} +
                             codecArgs + QStringList{out};
    const double cpuStart = CpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral("ffmpeg"), args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0) return {};
    return {double(timer.nsecsElapsed()) / 1e9, CpuSeconds(RUSAGE_CHILDREN) - cpuStart};
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
    const QString ours = WorkDir().filePath(QStringLiteral("ours.avi"));
    const QString theirs = WorkDir().filePath(QStringLiteral("ffmpeg.avi"));
    Cost us, them;
    for (auto _ : state) {
        us = OurEncode(raw, ours, codec);
        them = FfmpegEncode(raw, theirs, ffmpegArgs);
        if (us.wall < 0 || them.wall < 0) state.SkipWithError("an encode failed");
    }
    // Wall time and processor time (all threads): the machine may be shared.
    state.counters["ours_s"] = us.wall;
    state.counters["ffmpeg_s"] = them.wall;
    state.counters["ratio"] = them.wall > 0 ? us.wall / them.wall : 0;
    state.counters["ours_cpu"] = us.cpu;
    state.counters["ffmpeg_cpu"] = them.cpu;
    state.counters["cpu_ratio"] = them.cpu > 0 ? us.cpu / them.cpu : 0;
    QFile::remove(ours);
    QFile::remove(theirs);
}

QStringList Args(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

// One run each: a run is 1000 frames, and repeating them is minutes.
#define VIDEO_BENCH(name, ...)           \
    BENCHMARK_CAPTURE(name, __VA_ARGS__) \
        ->Unit(benchmark::kSecond)       \
        ->UseRealTime()                  \
        ->Iterations(1)                  \
        ->Repetitions(1)

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
