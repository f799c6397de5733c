#pragma once
// zorvane-cli add-picture: a picture file imported into a frame of a scheme.

#include <QStringList>

namespace zv {

// add-picture IN.zrx PICTURE OUT.zrx [--frame N] [--at X,Y], the words after the
// command. Exit status 0, 1 (a file that cannot be read, imported or written) or 2
// (wrong usage).
int AddPicture(const QStringList& words);

}  // namespace zv
