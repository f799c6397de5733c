#include "layers/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zv {

QString ProgramDir() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // Before the application object exists (or in a program without one) the system
    // still knows where the program lies.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

QString FindProgramFile(const QStringList& besideProgram, const QStringList& built,
                        bool executable) {
    const QDir dir(ProgramDir());
    QStringList candidates;
    for (const QString& relative : besideProgram)
        candidates << QDir::cleanPath(dir.filePath(relative));
    candidates << built;
    for (const QString& c : candidates) {
        const QFileInfo info(c);
        if (info.isFile() && (!executable || info.isExecutable())) return info.absoluteFilePath();
    }
    return {};
}

}  // namespace zv
