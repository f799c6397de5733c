// Opening the encoder module: on first use, once per process.
#include <QLibrary>

#include <mutex>

#include "layers/ProgramFiles.h"
#include "video/VideoEncoder.h"

namespace zv {

namespace {

const char kModuleName[] = "zorvane-video-ffmpeg.so";

struct Loaded {
    const VideoEncoderModule* module = nullptr;
    QString error;
};

Loaded Load() {
    const QString name = QLatin1String(kModuleName);
    QString path = qEnvironmentVariable("ZORVANE_VIDEO_MODULE");
    if (path.isEmpty())
        path = FindProgramFile({name, QStringLiteral(ZORVANE_VIDEO_MODULE_DIR "/") + name},
                               {QStringLiteral(ZORVANE_VIDEO_MODULE_BUILT_AT)});
    if (path.isEmpty())
        return {nullptr, QStringLiteral("the video encoder (%1) is not installed").arg(name)};
    // Never unloaded: encoders it made may live until the program ends.
    QLibrary library(path);
    if (!library.load())
        return {nullptr, QStringLiteral("the video encoder could not be loaded: %1")
                             .arg(library.errorString())};
    const auto entry =
        reinterpret_cast<VideoEncoderEntry>(library.resolve(ZORVANE_VIDEO_ENCODER_ENTRY));
    const VideoEncoderModule* module = entry ? entry() : nullptr;
    if (!module || module->version != kVideoEncoderModuleVersion)
        return {nullptr,
                QStringLiteral("%1 belongs to another version of the program").arg(path)};
    return {module, {}};
}

}  // namespace

const VideoEncoderModule* EncoderModule(QString* error) {
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = Load(); });
    if (!loaded.module && error) *error = loaded.error;
    return loaded.module;
}

}  // namespace zv
