#pragma once
// The video export's dialogs: the codec choice for an AVI (the last choice is
// remembered) and the progress of a running export, which steps it from the event
// loop so the window keeps painting, with Cancel.

#include <optional>
#include <vector>

#include "video/VideoCodec.h"

class QWidget;

namespace zv {

class VideoExport;

// The codec among `offered`, the one chosen last time (or the first) selected at
// first; nothing when cancelled.
std::optional<VideoCodec> AskVideoCodec(QWidget* parent, const std::vector<VideoCodec>& offered);

// Runs a started export to its end under a modal progress dialog; Cancel stops it
// (VideoExport::Cancel), which puts back the file it replaced.
void RunVideoExport(QWidget* parent, VideoExport& job);

}  // namespace zv
