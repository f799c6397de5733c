#include "video/VideoExport.h"

#include <QFile>
#include <QFileInfo>

#include "gdi/BackupChain.h"
#include "model/NeonAv.h"
#include "video/AVIFile.h"
#include "video/AnimationFrames.h"
#include "video/ColourPalette.h"

namespace zv {

VideoExport::VideoExport(CNeonAv& av, const CNeonBkg* background, VideoExportOptions options)
    : av_(av), background_(background), options_(std::move(options)) {}

VideoExport::~VideoExport() {
    if (state_ == State::Counting || state_ == State::Writing) Cancel();
}

bool VideoExport::Start() {
    if (state_ != State::Ready) return false;
    const auto container = ContainerOfPath(options_.path);
    if (!container)
        return Fail(QStringLiteral("the file name ends in none of .avi, .mp4, .webm, .gif"));
    container_ = *container;
    codec_ = options_.codec.value_or(DefaultCodec(container_));
    if (!Carries(container_, codec_))
        return Fail(QStringLiteral("a %1 file cannot hold %2")
                        .arg(ContainerExtension(container_), CodecName(codec_)));
    if (!CanEncode(codec_))
        return Fail(WhyCannotEncode(codec_));
    const QSize size = options_.size;
    if (size.width() < 1 || size.height() < 1 || size.width() > 16384 || size.height() > 16384)
        return Fail(QStringLiteral("a video of %1x%2 pixels").arg(size.width()).arg(size.height()));
    frames_ = AnimationFrames::Count(av_);
    if (frames_ == 0) return Fail(QStringLiteral("the animation has no frames"));
    total_ = UsesPalette(codec_) ? 2 * frames_ : frames_;
    image_ = QImage(size, QImage::Format_RGB32);
    if (image_.isNull()) return Fail(QStringLiteral("not enough memory for a frame"));

    QString why;
    hadFile_ = QFileInfo::exists(options_.path);
    if (!KeepBackup(options_.path, &why)) return Fail(why);
    writer_ = std::make_unique<CAVIFile>(options_.path, -1, -1, codec_, container_);
    if (container_ == VideoContainer::Avi) {
        duration_ = AviFrameDuration(options_.rate, &clamped_);
        writer_->SetTimeBase(1, 15);
    } else {
        duration_ = 1;
        writer_->SetTimeBase(1, PlaybackRate(options_.rate));
    }
    writer_->SetFrameDuration(duration_);
    state_ = State::Writing;
    if (!writer_->IsOK()) return Fail(writer_->Error());
    if (UsesPalette(codec_)) {
        colours_ = std::make_unique<ColourCount>();
        state_ = State::Counting;
    }
    walk_ = std::make_unique<AnimationFrames>(av_, background_, options_.showGrid);
    return true;
}

bool VideoExport::Step() {
    if (state_ == State::Counting) {
        if (walk_->RenderNext(image_)) {
            colours_->Add(image_);
            ++done_;
            return true;
        }
        writer_->SetPalette(colours_->Palette());
        colours_.reset();
        walk_->Rewind();
        state_ = State::Writing;
        return true;
    }
    if (state_ != State::Writing) return false;
    if (walk_->RenderNext(image_)) {
        if (!writer_->AddFrame(image_) && !writer_->IsOK()) return Fail(writer_->Error());
        ++done_;
        return true;
    }
    if (!writer_->Close()) return Fail(writer_->Error());
    writer_.reset();
    walk_.reset();
    state_ = State::Saved;
    return false;
}

bool VideoExport::Fail(const QString& why, State state) {
    const bool started = state_ == State::Counting || state_ == State::Writing;
    error_ = why;
    state_ = state;
    if (!started) return false;
    walk_.reset();  // an effect frame left mid-way gets its colours back
    colours_.reset();
    writer_.reset();  // closes the file
    // What was written goes; the file it replaced comes back.
    if (hadFile_) {
        QString restoreError;
        if (!RestoreBackup(options_.path, &restoreError))
            error_ += QStringLiteral("; the previous file could not be put back: ") + restoreError;
    } else {
        QFile::remove(options_.path);
    }
    return false;
}

void VideoExport::Cancel() {
    if (state_ == State::Counting || state_ == State::Writing)
        Fail(QStringLiteral("cancelled"), State::Cancelled);
}

bool VideoExport::Run(const std::function<bool(std::int64_t, std::int64_t)>& progress) {
    if (!Start()) return false;
    while (Step()) {
        if (progress && !progress(done_, total_)) {
            Cancel();
            return false;
        }
    }
    return state_ == State::Saved;
}

}  // namespace zv
