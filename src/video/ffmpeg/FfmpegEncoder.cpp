// The FFmpeg side of the video writer, built as the module zorvane-video-ffmpeg.so.
#include <QFile>

#include <memory>

#include "video/VideoEncoder.h"

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

class FfmpegEncoder final : public VideoEncoder {
public:
    explicit FfmpegEncoder(const VideoStreamSettings& settings) : settings_(settings) {}

    ~FfmpegEncoder() override {
        sws_freeContext(scale_);
        sws_freeContext(toBgr24_);
        av_frame_free(&bgr24_);
        av_packet_free(&packet_);
        av_frame_free(&frame_);
        avcodec_free_context(&encoder_);
        if (format_) {
            if (format_->pb) avio_closep(&format_->pb);
            avformat_free_context(format_);
        }
    }

    bool Open();

    bool IndexedFrame(std::uint8_t** pixels, std::ptrdiff_t* stride,
                      std::uint32_t** palette) override {
        const int err = av_frame_make_writable(frame_);
        if (err < 0) return Fail(AvError(err));
        *pixels = frame_->data[0];
        *stride = frame_->linesize[0];
        *palette = reinterpret_cast<std::uint32_t*>(frame_->data[1]);
        return true;
    }

    bool ConvertFrame(const QImage& image) override;

    bool EncodeFrame(std::int64_t pts) override {
        frame_->pts = pts;
        return Encode(false);
    }

    bool Finish() override;

    QString Error() const override { return error_; }

private:
    bool Fail(const QString& why) {
        error_ = why;
        return false;
    }
    bool Encode(bool flush);

    VideoStreamSettings settings_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* encoder_ = nullptr;
    AVStream* stream_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scale_ = nullptr;
    // 4:2:0 frames go through 24 bits first: libswscale's direct converter from BGR24
    // to YUV 4:2:0 is several times faster than its general path from 32 bits.
    SwsContext* toBgr24_ = nullptr;
    AVFrame* bgr24_ = nullptr;
    QString error_;
};

bool FfmpegEncoder::Open() {
    const VideoCodec codecId = settings_.codec;
    const bool even = NeedsEvenSize(codecId);
    const int w = even ? (settings_.width + 1) & ~1 : settings_.width;
    const int h = even ? (settings_.height + 1) & ~1 : settings_.height;
    const QByteArray fileName = QFile::encodeName(settings_.path);

    int err = avformat_alloc_output_context2(&format_, nullptr, MuxerName(settings_.container),
                                             fileName.constData());
    if (err < 0 || !format_) return Fail(AvError(err));
    const AVCodec* codec = avcodec_find_encoder_by_name(settings_.encoder.constData());
    if (!codec) return Fail(QStringLiteral("no %1 encoder").arg(QLatin1String(settings_.encoder)));
    stream_ = avformat_new_stream(format_, nullptr);
    encoder_ = avcodec_alloc_context3(codec);
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!stream_ || !encoder_ || !frame_ || !packet_) return Fail(AvError(AVERROR(ENOMEM)));

    AVCodecContext& e = *encoder_;
    e.width = w;
    e.height = h;
    e.pix_fmt = PixelFormatOf(codecId);
    e.time_base = AVRational{settings_.timeNum, settings_.timeDen};
    e.framerate = AVRational{settings_.timeDen, settings_.timeNum * settings_.duration};
    e.sample_aspect_ratio = AVRational{1, 1};
    e.thread_count = 0;  // as many as the machine has, as the ffmpeg program does
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) e.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    switch (codecId) {
        case VideoCodec::Mjpeg:
        case VideoCodec::Mpeg4:
            e.flags |= AV_CODEC_FLAG_QSCALE;
            e.global_quality = FF_QP2LAMBDA * 3;
            break;
        case VideoCodec::H264:
            // An AVI stores no presentation times, so its frames come in display order.
            if (settings_.container == VideoContainer::Avi) e.max_b_frames = 0;
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
    err = avcodec_open2(encoder_, codec, &options);
    av_dict_free(&options);
    if (err < 0) return Fail(AvError(err));
    err = avcodec_parameters_from_context(stream_->codecpar, encoder_);
    if (err < 0) return Fail(AvError(err));
    stream_->time_base = e.time_base;
    stream_->avg_frame_rate = e.framerate;

    frame_->format = e.pix_fmt;
    frame_->width = w;
    frame_->height = h;
    err = av_frame_get_buffer(frame_, 0);
    if (err < 0) return Fail(AvError(err));

    if (e.pix_fmt != AV_PIX_FMT_PAL8) {
        AVPixelFormat from = AV_PIX_FMT_BGRA;
        if (e.pix_fmt == AV_PIX_FMT_YUV420P) {
            bgr24_ = av_frame_alloc();
            if (!bgr24_) return Fail(AvError(AVERROR(ENOMEM)));
            bgr24_->format = AV_PIX_FMT_BGR24;
            bgr24_->width = w;
            bgr24_->height = h;
            err = av_frame_get_buffer(bgr24_, 0);
            if (err < 0) return Fail(AvError(err));
            toBgr24_ = sws_getContext(w, h, AV_PIX_FMT_BGRA, w, h, AV_PIX_FMT_BGR24, SWS_POINT,
                                      nullptr, nullptr, nullptr);
            from = AV_PIX_FMT_BGR24;
        }
        scale_ =
            sws_getContext(w, h, from, w, h, e.pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
        if (!scale_ || (bgr24_ && !toBgr24_))
            return Fail(QStringLiteral("no conversion to the codec's pixels"));
    }

    err = avio_open(&format_->pb, fileName.constData(), AVIO_FLAG_WRITE);
    if (err < 0) return Fail(AvError(err));
    AVDictionary* muxOptions = nullptr;
    // Raw rows go bottom-up under a positive height, as a Windows bitmap does.
    if (settings_.container == VideoContainer::Avi && IsRaw(codecId))
        av_dict_set(&muxOptions, "flipped_raw_rgb", "1", 0);
    if (settings_.container == VideoContainer::Gif) av_dict_set(&muxOptions, "loop", "0", 0);
    err = avformat_write_header(format_, &muxOptions);
    av_dict_free(&muxOptions);
    if (err < 0) return Fail(AvError(err));
    return true;
}

bool FfmpegEncoder::ConvertFrame(const QImage& image) {
    const int err = av_frame_make_writable(frame_);
    if (err < 0) return Fail(AvError(err));
    const QImage padded = (frame_->width != image.width() || frame_->height != image.height())
                              ? image.copy(0, 0, frame_->width, frame_->height)
                              : QImage();
    const QImage& source = padded.isNull() ? image : padded;
    const std::uint8_t* rows[1] = {source.constBits()};
    int strides[1] = {int(source.bytesPerLine())};
    if (settings_.container == VideoContainer::Avi && IsRaw(settings_.codec)) {
        rows[0] = source.constScanLine(source.height() - 1);
        strides[0] = -strides[0];
    }
    if (toBgr24_) {
        sws_scale(toBgr24_, rows, strides, 0, source.height(), bgr24_->data, bgr24_->linesize);
        sws_scale(scale_, bgr24_->data, bgr24_->linesize, 0, source.height(), frame_->data,
                  frame_->linesize);
    } else {
        sws_scale(scale_, rows, strides, 0, source.height(), frame_->data, frame_->linesize);
    }
    return true;
}

bool FfmpegEncoder::Encode(bool flush) {
    int err = avcodec_send_frame(encoder_, flush ? nullptr : frame_);
    if (err < 0) return Fail(AvError(err));
    for (;;) {
        err = avcodec_receive_packet(encoder_, packet_);
        if (err == AVERROR(EAGAIN) || err == AVERROR_EOF) return true;
        if (err < 0) return Fail(AvError(err));
        av_packet_rescale_ts(packet_, encoder_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        err = av_interleaved_write_frame(format_, packet_);
        if (err < 0) return Fail(AvError(err));
    }
}

bool FfmpegEncoder::Finish() {
    bool ok = Encode(true);
    if (ok) {
        const int err = av_write_trailer(format_);
        if (err < 0) ok = Fail(AvError(err));
    }
    if (ok && format_->pb->error < 0) ok = Fail(AvError(format_->pb->error));
    if (format_->pb) {
        const int err = avio_closep(&format_->pb);
        if (ok && err < 0) ok = Fail(AvError(err));
    }
    return ok;
}

bool CanEncodeWith(const char* encoder) {
    return avcodec_find_encoder_by_name(encoder) != nullptr;
}

VideoEncoder* OpenEncoder(const VideoStreamSettings& settings, QString* error) {
    auto encoder = std::make_unique<FfmpegEncoder>(settings);
    if (encoder->Open()) return encoder.release();
    if (error) *error = encoder->Error();
    return nullptr;
}

}  // namespace

}  // namespace zv

extern "C" __attribute__((visibility("default"))) const zv::VideoEncoderModule*
zorvane_video_encoder_module() {
    // The libraries' chatter (encoder statistics) is not for our users; errors come back
    // through Error().
    static const zv::VideoEncoderModule module = [] {
        av_log_set_level(AV_LOG_ERROR);
        return zv::VideoEncoderModule{zv::kVideoEncoderModuleVersion, zv::CanEncodeWith,
                                      zv::OpenEncoder};
    }();
    return &module;
}
