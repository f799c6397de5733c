#pragma once
// Exports a whole animation as a video: every frame, and every sub-frame of an
// effect frame (stepped one at a time, drawn under the frame's own shapes, pictures
// and texts), rendered by CNeonFrame::Render at the view's size.
//
// Palettised codecs take two passes: the first renders every frame and only counts
// its colours, the second writes. An existing file is kept as its backup; a failure
// or a cancel removes what was written and puts that file back.
//
// It runs in steps (one video frame each) so a window can keep its event loop going:
//
//     VideoExport job(av, &background, options);
//     if (job.Start()) while (job.Step()) { progress(job.Done(), job.Total()); }
//
// or whole through Run().

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "video/VideoCodec.h"

namespace zv {

class AnimationFrames;
class CAVIFile;
class CNeonAv;
class CNeonBkg;
class ColourCount;

struct VideoExportOptions {
    QString path;
    QSize size{1024, 768};
    // The playback rate in frames per second, as typed.
    int rate = 10;
    // Nothing: the container's own (256 colours for an AVI).
    std::optional<VideoCodec> codec;
    bool showGrid = true;
};

class VideoExport {
public:
    enum class State { Ready, Counting, Writing, Saved, Failed, Cancelled };

    VideoExport(CNeonAv& av, const CNeonBkg* background, VideoExportOptions options);
    // An export left unfinished is cancelled.
    ~VideoExport();
    VideoExport(const VideoExport&) = delete;
    VideoExport& operator=(const VideoExport&) = delete;

    // Checks the options, keeps an existing file as its backup and prepares the writer.
    // False (state Failed) when the export cannot start.
    bool Start();
    // Renders the next video frame and counts or writes it. True while more is to do.
    bool Step();
    // Stops, removes what was written and puts back the file it replaced.
    void Cancel();
    // Start and every step; `progress` (done, total) after each, false from it cancels.
    // True when the file was saved.
    bool Run(const std::function<bool(std::int64_t, std::int64_t)>& progress = {});

    State GetState() const { return state_; }
    std::int64_t Done() const { return done_; }
    // Steps in all: the video frames, twice for a palettised codec.
    std::int64_t Total() const { return total_; }
    // The frames the video gets.
    std::int64_t VideoFrames() const { return frames_; }
    VideoCodec Codec() const { return codec_; }
    // An AVI's samples per frame, and whether the rate asked for less than 1.
    int FrameDuration() const { return duration_; }
    bool DurationClamped() const { return clamped_; }
    QString Error() const { return error_; }

private:
    bool Fail(const QString& why, State state = State::Failed);

    CNeonAv& av_;
    const CNeonBkg* background_;
    VideoExportOptions options_;
    State state_ = State::Ready;
    VideoContainer container_ = VideoContainer::Avi;
    VideoCodec codec_ = VideoCodec::Pal8;
    int duration_ = 1;
    bool clamped_ = false;
    std::int64_t frames_ = 0;
    std::int64_t total_ = 0;
    std::int64_t done_ = 0;
    bool hadFile_ = false;
    QString error_;
    QImage image_;
    std::unique_ptr<CAVIFile> writer_;
    std::unique_ptr<ColourCount> colours_;
    std::unique_ptr<AnimationFrames> walk_;
};

}  // namespace zv
