#include "video/AVIFile.h"

namespace zv {

CAVIFile::CAVIFile(const QString& path, int width, int height, VideoCodec codec,
                   VideoContainer container)
    : stream_{path, width, height, codec, EncoderName(codec), container} {
    if (!Carries(container, codec))
        Fail(QStringLiteral("%1 cannot hold %2")
                 .arg(ContainerExtension(container).mid(1), CodecName(codec)));
    else if (!CanEncode(codec))
        Fail(WhyCannotEncode(codec));
}

CAVIFile::~CAVIFile() {
    Close();
}

void CAVIFile::SetFrameDuration(int duration) {
    stream_.duration = duration < 1 ? 1 : duration;
}

void CAVIFile::SetTimeBase(int num, int den) {
    if (num > 0 && den > 0) stream_.timeNum = num, stream_.timeDen = den;
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
    QString why;
    const VideoEncoderModule* module = EncoderModule(&why);
    if (!module) return Fail(why);
    encoder_.reset(module->open(stream_, &why));
    if (!encoder_) return Fail(why);
    if (UsesPalette(stream_.codec)) colours_.emplace(palette_);
    return true;
}

bool CAVIFile::AddFrame(const QImage& bitmap) {
    if (!ok_ || closed_) return false;
    if (bitmap.isNull()) {
        error_ = QStringLiteral("empty frame");
        return false;
    }
    if ((stream_.width >= 0 && bitmap.width() != stream_.width) ||
        (stream_.height >= 0 && bitmap.height() != stream_.height)) {
        error_ = QStringLiteral("frame of %1x%2 in a video of %3x%4")
                     .arg(bitmap.width())
                     .arg(bitmap.height())
                     .arg(stream_.width)
                     .arg(stream_.height);
        return false;
    }
    stream_.width = bitmap.width();
    stream_.height = bitmap.height();
    const bool is32 =
        bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32;
    const QImage converted = is32 ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
    const QImage& image = is32 ? bitmap : converted;

    if (written_ == 0) {
        if (UsesPalette(stream_.codec) && palette_.empty()) {
            ColourCount count;
            count.Add(image);
            palette_ = count.Palette();
        }
        if (!Open()) return false;
    }
    if (colours_) {
        std::uint8_t* pixels = nullptr;
        std::ptrdiff_t stride = 0;
        std::uint32_t* pal = nullptr;
        if (!encoder_->IndexedFrame(&pixels, &stride, &pal)) return Fail(encoder_->Error());
        const std::vector<QRgb>& colours = colours_->Palette();
        for (int i = 0; i < 256; ++i)
            pal[i] = i < int(colours.size()) ? (colours[i] | 0xff000000u) : 0xff000000u;
        // An AVI keeps its rows bottom-up, as a Windows bitmap does.
        const bool bottomUp = stream_.container == VideoContainer::Avi;
        for (int y = 0; y < stream_.height; ++y) {
            const int row = bottomUp ? stream_.height - 1 - y : y;
            colours_->MapRow(image, y, pixels + std::ptrdiff_t(row) * stride);
        }
    } else if (!encoder_->ConvertFrame(image)) {
        return Fail(encoder_->Error());
    }
    if (!encoder_->EncodeFrame(std::int64_t(written_) * stream_.duration))
        return Fail(encoder_->Error());
    ++written_;
    return true;
}

bool CAVIFile::Close() {
    if (closed_) return ok_;
    closed_ = true;
    if (!encoder_) return ok_ && written_ > 0;
    // After a failure the file is only closed, as it stands.
    if (ok_ && !encoder_->Finish()) Fail(encoder_->Error());
    encoder_.reset();
    return ok_;
}

}  // namespace zv
