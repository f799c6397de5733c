#pragma once
// Files the program reads at run time that are not compiled in: the translations
// and the user guide. Installed under PREFIX/share/zorvane/, and laid out the same
// way under share/zorvane/ of the build tree, so a program run from the build tree
// finds what it built.

#include <QString>

namespace zv {

// The existing file `relative` below share/zorvane/, beside the running program
// first (../share/zorvane/), then in the build tree; empty when neither has it.
QString DataFile(const QString& relative);

}  // namespace zv
