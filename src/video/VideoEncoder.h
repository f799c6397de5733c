#pragma once
// What CAVIFile asks of the FFmpeg side. FFmpeg and the hundred libraries behind it are
// not linked into the programs: they sit in a module (zorvane-video-ffmpeg.so) opened
// the first time a video is written or the codecs are asked about, so the editor
// starts without loading them. This header is all the two sides share.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>

#include "video/VideoCodec.h"

namespace zv {

// One video file to write.
struct VideoStreamSettings {
    QString path;
    int width = 0;  // of the frames; the encoder pads odd sizes where it must
    int height = 0;
    VideoCodec codec = VideoCodec::Pal8;
    QByteArray encoder;  // FFmpeg's name of the encoder for the codec
    VideoContainer container = VideoContainer::Avi;
    int timeNum = 1;  // seconds per stream sample, timeNum / timeDen
    int timeDen = 15;
    int duration = 1;  // stream samples per frame
};

// An open video file. Made by the module's open(); deleted through this interface.
class VideoEncoder {
public:
    virtual ~VideoEncoder() = default;
    // The next frame of a palettised codec, to fill: its 8-bit rows as the file stores
    // them (row r at pixels + r * stride) and its 256 palette entries. False when the
    // frame cannot be had.
    virtual bool IndexedFrame(std::uint8_t** pixels, std::ptrdiff_t* stride,
                              std::uint32_t** palette) = 0;
    // The next frame of any other codec, from a 32-bit image of the stream's size.
    virtual bool ConvertFrame(const QImage& image) = 0;
    // Encodes the frame filled or converted last, at stream position pts.
    virtual bool EncodeFrame(std::int64_t pts) = 0;
    // Remaining packets, index and trailer; the file is closed either way.
    virtual bool Finish() = 0;
    // Why the last call failed.
    virtual QString Error() const = 0;
};

// What the module hands out.
struct VideoEncoderModule {
    int version;  // kVideoEncoderModuleVersion of the module's build
    // Whether FFmpeg has the named encoder ("rawvideo", "libx264", ...).
    bool (*canEncode)(const char* encoder);
    // Creates the file and writes its header; null with *error set when that fails,
    // having cleaned up after itself.
    VideoEncoder* (*open)(const VideoStreamSettings& settings, QString* error);
};

// Changes whenever this header changes in a way the two sides must agree on.
constexpr int kVideoEncoderModuleVersion = 1;

// The module's one exported function.
#define ZORVANE_VIDEO_ENCODER_ENTRY "zorvane_video_encoder_module"
using VideoEncoderEntry = const VideoEncoderModule* (*)();

// The module, opened on the first call: $ZORVANE_VIDEO_MODULE when set, else the first
// of zorvane-video-ffmpeg.so beside the running program, in its installed place
// (../lib/zorvane/ or as the prefix lays it out) and where this build tree made it.
// Null when it cannot be opened, with the reason in *error. Thread-safe.
const VideoEncoderModule* EncoderModule(QString* error = nullptr);

}  // namespace zv
