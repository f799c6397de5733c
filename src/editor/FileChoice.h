#pragma once
// The files the editor asks the window to choose, each with the caption, default
// name, default extension and filter its dialog shows.

#include <QString>

namespace zv {

enum class FileChoice { OpenScheme, SaveScheme, SavePicture, Background, SaveVideo };

struct FileDialogSetup {
    bool save = false;
    QString caption;
    // The name the dialog offers at first; empty for none.
    QString defaultName;
    // Added to a chosen name that has no extension of its own; empty for none.
    QString defaultExtension;
    // Qt's filter syntax: entries separated by ";;".
    QString filter;
};

const FileDialogSetup& DialogSetupOf(FileChoice choice);

// The filter entry that lists every picture type the picture tool imports.
QString PictureImportFilter();

// `path` with `extension` (".zrx") added when its file name has no extension; a name
// ending in a dot keeps it as typed, without one.
QString WithDefaultExtension(const QString& path, const QString& extension);

// A video file name as chosen under `filter` (an entry of the video dialog's filter):
// a name without a video extension (.avi, .mp4, .webm, .gif) gets the filter's, or
// ".avi" under "All Files".
QString VideoPathForFilter(const QString& path, const QString& filter);

}  // namespace zv
