#include "video/AVIFile.h"

#include <QFile>

#include <cstring>
#include <optional>

#include "video/ColourPalette.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace zv {

namespace {

QString AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

const char* MuxerName(VideoContainer container) {
    switch (container) {
        case VideoContainer::Avi:
            return "avi";
        case VideoContainer::Mp4:
            return "mp4";
        case VideoContainer::WebM:
            return "webm";
        case VideoContainer::Gif:
            return "gif";
    }
    return "avi";
}

AVPixelFormat PixelFormatOf(VideoCodec codec) {
    switch (codec) {
        case VideoCodec::Pal8:
        case VideoCodec::Gif:
            return AV_PIX_FMT_PAL8;
        case VideoCodec::Bgr24:
            return AV_PIX_FMT_BGR24;
        case VideoCodec::Ffv1:
            return AV_PIX_FMT_BGR0;
        case VideoCodec::Mjpeg:
            return AV_PIX_FMT_YUVJ420P;
        case VideoCodec::Mpeg4:
        case VideoCodec::H264:
        case VideoCodec::Vp9:
            return AV_PIX_FMT_YUV420P;
    }
    return AV_PIX_FMT_PAL8;
}

bool IsRaw(VideoCodec codec) {
    return codec == VideoCodec::Pal8 || codec == VideoCodec::Bgr24;
}

// 4:2:0 chroma needs even sizes: such frames get a black column or row added.
bool NeedsEvenSize(VideoCodec codec) {
    return PixelFormatOf(codec) == AV_PIX_FMT_YUV420P ||
           PixelFormatOf(codec) == AV_PIX_FMT_YUVJ420P;
}

}  // namespace

struct CAVIFile::Av {
    AVFormatContext* format = nullptr;
    AVCodecContext* encoder = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scale = nullptr;
    // 4:2:0 frames go through 24 bits first: libswscale's direct converter from BGR24
    // to YUV 4:2:0 is several times faster than its general path from 32 bits.
    SwsContext* toBgr24 = nullptr;
    AVFrame* bgr24 = nullptr;
    std::optional<ColourMap> colours;
    bool headerWritten = false;

    ~Av() {
        sws_freeContext(scale);
        sws_freeContext(toBgr24);
        av_frame_free(&bgr24);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

CAVIFile::CAVIFile(const QString& path, int width, int height, VideoCodec codec,
                   VideoContainer container)
    : path_(path), width_(width), height_(height), codec_(codec), container_(container) {
    // The libraries' chatter (encoder statistics) is not for our users; errors come back
    // through Error().
    static const bool quiet = [] {
        av_log_set_level(AV_LOG_ERROR);
        return true;
    }();
    (void)quiet;
    if (!Carries(container, codec))
        Fail(QStringLiteral("%1 cannot hold %2").arg(MuxerName(container), CodecName(codec)));
    else if (!CanEncode(codec))
        Fail(QStringLiteral("this FFmpeg has no %1 encoder").arg(EncoderName(codec)));
}

CAVIFile::~CAVIFile() {
    Close();
}

void CAVIFile::SetFrameDuration(int duration) {
    duration_ = duration < 1 ? 1 : duration;
}

void CAVIFile::SetTimeBase(int num, int den) {
    if (num > 0 && den > 0) timeNum_ = num, timeDen_ = den;
}

void CAVIFile::SetPalette(std::vector<QRgb> palette) {
    palette_ = std::move(palette);
}

bool CAVIFile::Fail(const QString& why) {
    ok_ = false;
    error_ = why;
    return false;
}

bool CAVIFile::Open() {
    av_ = std::make_unique<Av>();
    Av& a = *av_;
    const bool even = NeedsEvenSize(codec_);
    const int w = even ? (width_ + 1) & ~1 : width_;
    const int h = even ? (height_ + 1) & ~1 : height_;
    const QByteArray fileName = QFile::encodeName(path_);

    int err = avformat_alloc_output_context2(&a.format, nullptr, MuxerName(container_),
                                             fileName.constData());
    if (err < 0 || !a.format) return Fail(AvError(err));
    const AVCodec* codec = avcodec_find_encoder_by_name(EncoderName(codec_));
    if (!codec) return Fail(QStringLiteral("no %1 encoder").arg(EncoderName(codec_)));
    a.stream = avformat_new_stream(a.format, nullptr);
    a.encoder = avcodec_alloc_context3(codec);
    a.frame = av_frame_alloc();
    a.packet = av_packet_alloc();
    if (!a.stream || !a.encoder || !a.frame || !a.packet) return Fail(AvError(AVERROR(ENOMEM)));

    AVCodecContext& e = *a.encoder;
    e.width = w;
    e.height = h;
    e.pix_fmt = PixelFormatOf(codec_);
    e.time_base = AVRational{timeNum_, timeDen_};
    e.framerate = AVRational{timeDen_, timeNum_ * duration_};
    e.sample_aspect_ratio = AVRational{1, 1};
    e.thread_count = 0;  // as many as the machine has, as the ffmpeg program does
    if (a.format->oformat->flags & AVFMT_GLOBALHEADER) e.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    switch (codec_) {
        case VideoCodec::Mjpeg:
        case VideoCodec::Mpeg4:
            e.flags |= AV_CODEC_FLAG_QSCALE;
            e.global_quality = FF_QP2LAMBDA * 3;
            break;
        case VideoCodec::H264:
            // An AVI stores no presentation times, so its frames come in display order.
            if (container_ == VideoContainer::Avi) e.max_b_frames = 0;
            break;
        case VideoCodec::Vp9:
            e.bit_rate = 0;
            av_dict_set(&options, "crf", "32", 0);
            av_dict_set(&options, "deadline", "good", 0);
            av_dict_set(&options, "cpu-used", "4", 0);
            av_dict_set(&options, "row-mt", "1", 0);
            break;
        default:
            break;
    }
    err = avcodec_open2(a.encoder, codec, &options);
    av_dict_free(&options);
    if (err < 0) return Fail(AvError(err));
    err = avcodec_parameters_from_context(a.stream->codecpar, a.encoder);
    if (err < 0) return Fail(AvError(err));
    a.stream->time_base = e.time_base;
    a.stream->avg_frame_rate = e.framerate;

    a.frame->format = e.pix_fmt;
    a.frame->width = w;
    a.frame->height = h;
    err = av_frame_get_buffer(a.frame, 0);
    if (err < 0) return Fail(AvError(err));

    if (UsesPalette(codec_)) {
        a.colours.emplace(palette_);
    } else {
        AVPixelFormat from = AV_PIX_FMT_BGRA;
        if (e.pix_fmt == AV_PIX_FMT_YUV420P) {
            a.bgr24 = av_frame_alloc();
            if (!a.bgr24) return Fail(AvError(AVERROR(ENOMEM)));
            a.bgr24->format = AV_PIX_FMT_BGR24;
            a.bgr24->width = w;
            a.bgr24->height = h;
            err = av_frame_get_buffer(a.bgr24, 0);
            if (err < 0) return Fail(AvError(err));
            a.toBgr24 = sws_getContext(w, h, AV_PIX_FMT_BGRA, w, h, AV_PIX_FMT_BGR24, SWS_POINT,
                                       nullptr, nullptr, nullptr);
            from = AV_PIX_FMT_BGR24;
        }
        a.scale =
            sws_getContext(w, h, from, w, h, e.pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
        if (!a.scale || (a.bgr24 && !a.toBgr24))
            return Fail(QStringLiteral("no conversion to the codec's pixels"));
    }

    err = avio_open(&a.format->pb, fileName.constData(), AVIO_FLAG_WRITE);
    if (err < 0) return Fail(AvError(err));
    AVDictionary* muxOptions = nullptr;
    // Raw rows go bottom-up under a positive height, as a Windows bitmap does.
    if (container_ == VideoContainer::Avi && IsRaw(codec_))
        av_dict_set(&muxOptions, "flipped_raw_rgb", "1", 0);
    if (container_ == VideoContainer::Gif) av_dict_set(&muxOptions, "loop", "0", 0);
    err = avformat_write_header(a.format, &muxOptions);
    av_dict_free(&muxOptions);
    if (err < 0) return Fail(AvError(err));
    a.headerWritten = true;
    return true;
}

bool CAVIFile::AddFrame(const QImage& bitmap) {
    if (!ok_ || closed_) return false;
    if (bitmap.isNull()) {
        error_ = QStringLiteral("empty frame");
        return false;
    }
    if ((width_ >= 0 && bitmap.width() != width_) || (height_ >= 0 && bitmap.height() != height_)) {
        error_ = QStringLiteral("frame of %1x%2 in a video of %3x%4")
                     .arg(bitmap.width())
                     .arg(bitmap.height())
                     .arg(width_)
                     .arg(height_);
        return false;
    }
    width_ = bitmap.width();
    height_ = bitmap.height();
    const bool is32 =
        bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32;
    const QImage converted = is32 ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
    const QImage& image = is32 ? bitmap : converted;

    if (written_ == 0) {
        if (UsesPalette(codec_) && palette_.empty()) {
            ColourCount count;
            count.Add(image);
            palette_ = count.Palette();
        }
        if (!Open()) return false;
    }
    Av& a = *av_;
    int err = av_frame_make_writable(a.frame);
    if (err < 0) return Fail(AvError(err));
    if (a.colours) {
        auto* pal = reinterpret_cast<std::uint32_t*>(a.frame->data[1]);
        const std::vector<QRgb>& colours = a.colours->Palette();
        for (int i = 0; i < 256; ++i)
            pal[i] = i < int(colours.size()) ? (colours[i] | 0xff000000u) : 0xff000000u;
        const bool bottomUp = container_ == VideoContainer::Avi;
        for (int y = 0; y < height_; ++y) {
            const int row = bottomUp ? height_ - 1 - y : y;
            a.colours->MapRow(image, y,
                              a.frame->data[0] + std::ptrdiff_t(row) * a.frame->linesize[0]);
        }
    } else {
        const QImage padded = (a.frame->width != width_ || a.frame->height != height_)
                                  ? image.copy(0, 0, a.frame->width, a.frame->height)
                                  : QImage();
        const QImage& source = padded.isNull() ? image : padded;
        const std::uint8_t* rows[1] = {source.constBits()};
        int strides[1] = {int(source.bytesPerLine())};
        if (container_ == VideoContainer::Avi && IsRaw(codec_)) {
            rows[0] = source.constScanLine(source.height() - 1);
            strides[0] = -strides[0];
        }
        if (a.toBgr24) {
            sws_scale(a.toBgr24, rows, strides, 0, source.height(), a.bgr24->data,
                      a.bgr24->linesize);
            sws_scale(a.scale, a.bgr24->data, a.bgr24->linesize, 0, source.height(), a.frame->data,
                      a.frame->linesize);
        } else {
            sws_scale(a.scale, rows, strides, 0, source.height(), a.frame->data, a.frame->linesize);
        }
    }
    a.frame->pts = std::int64_t(written_) * duration_;
    if (!Encode(false)) return false;
    ++written_;
    return true;
}

bool CAVIFile::Encode(bool flush) {
    Av& a = *av_;
    int err = avcodec_send_frame(a.encoder, flush ? nullptr : a.frame);
    if (err < 0) return Fail(AvError(err));
    for (;;) {
        err = avcodec_receive_packet(a.encoder, a.packet);
        if (err == AVERROR(EAGAIN) || err == AVERROR_EOF) return true;
        if (err < 0) return Fail(AvError(err));
        av_packet_rescale_ts(a.packet, a.encoder->time_base, a.stream->time_base);
        a.packet->stream_index = a.stream->index;
        err = av_interleaved_write_frame(a.format, a.packet);
        if (err < 0) return Fail(AvError(err));
    }
}

bool CAVIFile::Close() {
    if (closed_) return ok_;
    closed_ = true;
    if (!av_ || !av_->headerWritten) {
        av_.reset();
        return ok_ && written_ > 0;
    }
    if (ok_) Encode(true);
    if (ok_) {
        const int err = av_write_trailer(av_->format);
        if (err < 0) Fail(AvError(err));
    }
    if (ok_ && av_->format->pb->error < 0) Fail(AvError(av_->format->pb->error));
    if (av_->format->pb) {
        const int err = avio_closep(&av_->format->pb);
        if (ok_ && err < 0) Fail(AvError(err));
    }
    av_.reset();
    return ok_;
}

}  // namespace zv
