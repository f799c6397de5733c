#include "video/VideoExport.h"

#include <QFile>
#include <QFileInfo>

#include "gdi/BackupChain.h"
#include "model/EffectStepper.h"
#include "model/NeonAv.h"
#include "video/AVIFile.h"
#include "video/ColourPalette.h"

namespace zv {

namespace {

bool IsEffectFrame(const CNeonFrame& frame) {
    return frame.category != 0;
}

}  // namespace

VideoExport::VideoExport(CNeonAv& av, const CNeonBkg* background, VideoExportOptions options)
    : av_(av), background_(background), options_(std::move(options)) {}

VideoExport::~VideoExport() {
    if (state_ == State::Counting || state_ == State::Writing) Cancel();
}

std::int64_t VideoExport::CountVideoFrames(const CNeonAv& av) {
    std::int64_t n = 0;
    for (const CNeonFrame* f = av.First(); f && f != av.anchor.get(); f = f->next)
        n += IsEffectFrame(*f) ? f->SubFrameCount() : 1;
    return n;
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
        return Fail(QStringLiteral("this FFmpeg has no %1 encoder").arg(EncoderName(codec_)));
    const QSize size = options_.size;
    if (size.width() < 1 || size.height() < 1 || size.width() > 16384 || size.height() > 16384)
        return Fail(QStringLiteral("a video of %1x%2 pixels").arg(size.width()).arg(size.height()));
    frames_ = CountVideoFrames(av_);
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
    frame_ = av_.First();
    return true;
}

bool VideoExport::RenderNext() {
    if (!frame_ || frame_ == av_.anchor.get()) return false;
    image_.fill(Qt::black);
    if (IsEffectFrame(*frame_)) {
        if (!steps_) {
            // Its sub-frames start from the frame's own colours.
            frame_->RestoreRegions();
            steps_ = std::make_unique<CEffectStepper>(*frame_);
        }
        frame_->Render(image_, options_.showGrid, background_, &steps_->SubFrame());
        if (!steps_->Advance()) EndWalk();
    } else {
        frame_->Render(image_, options_.showGrid, background_);
        frame_ = frame_->next;
    }
    return true;
}

// Leaves the frame being stepped with its own colours and goes on to the next.
void VideoExport::EndWalk() {
    if (steps_) {
        steps_.reset();
        frame_->RestoreRegions();
    }
    if (frame_) frame_ = frame_->next;
}

bool VideoExport::Step() {
    if (state_ == State::Counting) {
        if (RenderNext()) {
            colours_->Add(image_);
            ++done_;
            return true;
        }
        writer_->SetPalette(colours_->Palette());
        colours_.reset();
        frame_ = av_.First();
        state_ = State::Writing;
        return true;
    }
    if (state_ != State::Writing) return false;
    if (RenderNext()) {
        if (!writer_->AddFrame(image_) && !writer_->IsOK()) return Fail(writer_->Error());
        ++done_;
        return true;
    }
    if (!writer_->Close()) return Fail(writer_->Error());
    writer_.reset();
    state_ = State::Saved;
    return false;
}

bool VideoExport::Fail(const QString& why, State state) {
    const bool started = state_ == State::Counting || state_ == State::Writing;
    error_ = why;
    state_ = state;
    if (!started) return false;
    if (steps_) {
        steps_.reset();
        frame_->RestoreRegions();
    }
    frame_ = nullptr;
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
