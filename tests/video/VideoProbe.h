#pragma once
// Reads a video file back: with FFmpeg's libraries (stream, timing, decoded frames as
// 32-bit images) and with the ffprobe program (frames counted by decoding).

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <cstdint>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace zv::test {

struct Decoded {
    bool opened = false;
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    AVRational timeBase{0, 1};
    AVRational frameRate{0, 1};
    int width = 0;
    int height = 0;
    QString codec;
    QString pixelFormat;
    double duration = -1;  // seconds, when the container says
    std::vector<std::int64_t> pts;
    std::vector<QImage> frames;
};

inline Decoded DecodeVideo(const QString& path) {
    Decoded d;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.toUtf8().constData(), nullptr, nullptr) < 0) return d;
    if (avformat_find_stream_info(format, nullptr) < 0) {
        avformat_close_input(&format);
        return d;
    }
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index < 0 || !codec) {
        avformat_close_input(&format);
        return d;
    }
    AVStream* stream = format->streams[index];
    d.opened = true;
    d.type = stream->codecpar->codec_type;
    d.timeBase = stream->time_base;
    d.frameRate = stream->r_frame_rate;
    d.width = stream->codecpar->width;
    d.height = stream->codecpar->height;
    d.codec = QString::fromLatin1(avcodec_get_name(stream->codecpar->codec_id));
    if (const char* name = av_get_pix_fmt_name(AVPixelFormat(stream->codecpar->format)))
        d.pixelFormat = QString::fromLatin1(name);
    if (format->duration > 0) d.duration = double(format->duration) / AV_TIME_BASE;
    AVCodecContext* decoder = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoder, stream->codecpar);
    avcodec_open2(decoder, codec, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const auto drain = [&] {
        while (avcodec_receive_frame(decoder, frame) == 0) {
            d.pts.push_back(frame->best_effort_timestamp);
            QImage image(frame->width, frame->height, QImage::Format_RGB32);
            SwsContext* sws = sws_getContext(
                frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                frame->height, AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr);
            std::uint8_t* rows[1] = {image.bits()};
            int strides[1] = {int(image.bytesPerLine())};
            sws_scale(sws, frame->data, frame->linesize, 0, frame->height, rows, strides);
            sws_freeContext(sws);
            d.frames.push_back(image);
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        // An AVI marks the stream positions between frames with empty chunks.
        if (packet->stream_index == index && packet->size > 0) {
            avcodec_send_packet(decoder, packet);
            drain();
        }
        av_packet_unref(packet);
    }
    avcodec_send_packet(decoder, nullptr);
    drain();
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return d;
}

inline bool HaveFfprobe() {
    return !QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty();
}

// ffprobe's count of the frames it decodes in the first video stream, and the stream's
// codec type.
struct Probe {
    QString codecType;
    int frames = -1;
    QString frameRate;
};

inline Probe FfProbe(const QString& path) {
    QProcess p;
    p.start(
        QStringLiteral("ffprobe"),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
         QStringLiteral("-select_streams"), QStringLiteral("v:0"), QStringLiteral("-show_entries"),
         QStringLiteral("stream=codec_type,nb_read_frames,r_frame_rate"), QStringLiteral("-of"),
         QStringLiteral("default=noprint_wrappers=1"), path});
    p.waitForFinished(60000);
    Probe probe;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const QString key = line.section('=', 0, 0), value = line.section('=', 1);
        if (key == QLatin1String("codec_type")) probe.codecType = value;
        if (key == QLatin1String("nb_read_frames")) probe.frames = value.toInt();
        if (key == QLatin1String("r_frame_rate")) probe.frameRate = value;
    }
    return probe;
}

// Pixels of two images that differ, ignoring the alpha byte.
inline int DifferentPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int r = 0; r < x.height(); ++r) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(r));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(r));
        for (int c = 0; c < x.width(); ++c) n += (p[c] & 0xffffff) != (q[c] & 0xffffff);
    }
    return n;
}

}  // namespace zv::test
