#pragma once
// The video files we write: the container, chosen by the file's extension, and the
// codec inside it. Only codecs this build of FFmpeg can encode are offered.

#include <QString>

#include <optional>
#include <vector>

namespace zv {

enum class VideoContainer { Avi, Mp4, WebM, Gif };

enum class VideoCodec {
    Pal8,   // uncompressed, 8 bits per pixel with one 256-colour palette
    Bgr24,  // uncompressed, 24 bits per pixel
    Ffv1,   // lossless
    Mjpeg,
    Mpeg4,
    H264,
    Vp9,
    Gif,
};

// The codec's short name on the command line ("pal8", "h264", ...).
QString CodecName(VideoCodec codec);
std::optional<VideoCodec> CodecFromName(const QString& name);
// What the codec choice shows.
QString CodecLabel(VideoCodec codec);
// FFmpeg's name of the encoder we use for it.
const char* EncoderName(VideoCodec codec);
// True when this FFmpeg build has an encoder for the codec. The first call opens the
// encoder module.
bool CanEncode(VideoCodec codec);
// Why CanEncode(codec) is false, for the user: the module is missing or FFmpeg lacks
// the encoder.
QString WhyCannotEncode(VideoCodec codec);

// The container for a file name by its extension (.avi, .mp4, .webm, .gif, any case).
std::optional<VideoContainer> ContainerOfPath(const QString& path);
QString ContainerExtension(VideoContainer container);
VideoCodec DefaultCodec(VideoContainer container);
// Whether the container carries the codec.
bool Carries(VideoContainer container, VideoCodec codec);
// The codecs offered for an AVI file, in the order the choice shows them, only those
// this build can encode.
std::vector<VideoCodec> AviCodecs();
// Codecs with a palette: the export counts colours in a first pass.
bool UsesPalette(VideoCodec codec);

// Stream samples per frame in an AVI (15 samples per second): 6 - rate / 10. A rate
// of 60 or more would give 0 or less; the fastest the stream shows, 1, is used and
// `clamped` says so.
int AviFrameDuration(int rate, bool* clamped = nullptr);
// Frames per second of the other containers: the playback rate, 0 counting as 10.
int PlaybackRate(int rate);

}  // namespace zv
