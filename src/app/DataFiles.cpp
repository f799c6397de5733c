#include "app/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zv {

QString DataFile(const QString& relative) {
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("../share/zorvane/") + relative);
    if (QFileInfo(installed).isFile()) return QDir::cleanPath(installed);
    const QString built = QStringLiteral(ZORVANE_BUILD_DATA_DIR "/") + relative;
    if (QFileInfo(built).isFile()) return built;
    return {};
}

}  // namespace zv
