#include "video/VideoCodec.h"

#include <QFileInfo>

#include "video/VideoEncoder.h"

namespace zv {

namespace {

struct CodecEntry {
    VideoCodec codec;
    const char* name;
    const char* encoder;
    const char* label;
};

constexpr CodecEntry kCodecs[] = {
    {VideoCodec::Pal8, "pal8", "rawvideo", "未压缩 256 色 (Uncompressed, 256 colours)"},
    {VideoCodec::Bgr24, "bgr24", "rawvideo", "未压缩 24 位 (Uncompressed, 24-bit)"},
    {VideoCodec::Ffv1, "ffv1", "ffv1", "无损 FFV1 (Lossless)"},
    {VideoCodec::Mjpeg, "mjpeg", "mjpeg", "Motion JPEG"},
    {VideoCodec::Mpeg4, "mpeg4", "mpeg4", "MPEG-4"},
    {VideoCodec::H264, "h264", "libx264", "H.264"},
    {VideoCodec::Vp9, "vp9", "libvpx-vp9", "VP9"},
    {VideoCodec::Gif, "gif", "gif", "GIF"},
};

const CodecEntry& EntryOf(VideoCodec codec) {
    for (const CodecEntry& e : kCodecs)
        if (e.codec == codec) return e;
    return kCodecs[0];
}

}  // namespace

QString CodecName(VideoCodec codec) {
    return QString::fromLatin1(EntryOf(codec).name);
}

std::optional<VideoCodec> CodecFromName(const QString& name) {
    for (const CodecEntry& e : kCodecs)
        if (name == QLatin1String(e.name)) return e.codec;
    return std::nullopt;
}

QString CodecLabel(VideoCodec codec) {
    return QString::fromUtf8(EntryOf(codec).label);
}

const char* EncoderName(VideoCodec codec) {
    return EntryOf(codec).encoder;
}

bool CanEncode(VideoCodec codec) {
    const VideoEncoderModule* module = EncoderModule();
    return module && module->canEncode(EncoderName(codec));
}

QString WhyCannotEncode(VideoCodec codec) {
    QString why;
    if (!EncoderModule(&why)) return why;
    return QStringLiteral("this FFmpeg has no %1 encoder").arg(EncoderName(codec));
}

std::optional<VideoContainer> ContainerOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("avi")) return VideoContainer::Avi;
    if (suffix == QLatin1String("mp4")) return VideoContainer::Mp4;
    if (suffix == QLatin1String("webm")) return VideoContainer::WebM;
    if (suffix == QLatin1String("gif")) return VideoContainer::Gif;
    return std::nullopt;
}

QString ContainerExtension(VideoContainer container) {
    switch (container) {
        case VideoContainer::Avi:
            return QStringLiteral(".avi");
        case VideoContainer::Mp4:
            return QStringLiteral(".mp4");
        case VideoContainer::WebM:
            return QStringLiteral(".webm");
        case VideoContainer::Gif:
            return QStringLiteral(".gif");
    }
    return {};
}

VideoCodec DefaultCodec(VideoContainer container) {
    switch (container) {
        case VideoContainer::Avi:
            return VideoCodec::Pal8;
        case VideoContainer::Mp4:
            return VideoCodec::H264;
        case VideoContainer::WebM:
            return VideoCodec::Vp9;
        case VideoContainer::Gif:
            return VideoCodec::Gif;
    }
    return VideoCodec::Pal8;
}

bool Carries(VideoContainer container, VideoCodec codec) {
    switch (container) {
        case VideoContainer::Avi:
            return codec != VideoCodec::Vp9 && codec != VideoCodec::Gif;
        case VideoContainer::Mp4:
            return codec == VideoCodec::H264 || codec == VideoCodec::Mpeg4;
        case VideoContainer::WebM:
            return codec == VideoCodec::Vp9;
        case VideoContainer::Gif:
            return codec == VideoCodec::Gif;
    }
    return false;
}

std::vector<VideoCodec> AviCodecs() {
    std::vector<VideoCodec> codecs;
    for (const CodecEntry& e : kCodecs)
        if (Carries(VideoContainer::Avi, e.codec) && CanEncode(e.codec)) codecs.push_back(e.codec);
    return codecs;
}

bool UsesPalette(VideoCodec codec) {
    return codec == VideoCodec::Pal8 || codec == VideoCodec::Gif;
}

int AviFrameDuration(int rate, bool* clamped) {
    const int duration = 6 - rate / 10;
    if (clamped) *clamped = duration < 1;
    return duration < 1 ? 1 : duration;
}

int PlaybackRate(int rate) {
    return rate <= 0 ? 10 : rate;
}

}  // namespace zv
