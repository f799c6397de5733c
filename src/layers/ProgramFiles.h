#pragma once
// Files that come with the program and are found when it runs: the picture decoder
// helper, the video encoder module, the translations and the user guide. They are
// installed relative to the program (../libexec/zorvane/, ../lib/zorvane/,
// ../share/zorvane/ from bin/) and are also looked for where this build tree made
// them, so a program run from the build tree finds what it built.

#include <QString>
#include <QStringList>

namespace zv {

// The folder of the running program, with or without a QCoreApplication.
QString ProgramDir();

// The first existing file of `besideProgram` (paths relative to the program's folder)
// and then `built` (absolute paths); with `executable`, only an executable one. Empty
// when there is none.
QString FindProgramFile(const QStringList& besideProgram, const QStringList& built,
                        bool executable = false);

}  // namespace zv
