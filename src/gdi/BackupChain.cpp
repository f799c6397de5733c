#include "gdi/BackupChain.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace zv {

QString BackupName(const QString& path, int depth) {
    QString name = path;
    for (int i = 0; i < depth; ++i) name += QStringLiteral(".bak");
    return name;
}

bool KeepBackup(const QString& given, QString* error) {
    // Through a link, the file that would be written over is the link's target
    // (none for a dangling link or a loop).
    const QString path =
        QFileInfo(given).isSymLink() ? QFileInfo(given).canonicalFilePath() : given;
    // Only a regular file is a version of the user's work; a device or a pipe given
    // as the output is written to, never renamed.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile() || info.isSymLink()) return true;
    // Find the first free link of the chain, then move every link one step down,
    // oldest first, so that no rename lands on an existing file.
    int depth = 1;
    while (QFileInfo::exists(BackupName(path, depth))) ++depth;
    std::vector<int> moved;
    for (int d = depth; d >= 1; --d) {
        QFile from(BackupName(path, d - 1));
        if (!from.rename(BackupName(path, d))) {
            if (error) *error = from.errorString();
            for (int done : moved)
                QFile::rename(BackupName(path, done), BackupName(path, done - 1));
            return false;
        }
        moved.insert(moved.begin(), d);
    }
    return true;
}

bool RestoreBackup(const QString& path, QString* error) {
    if (!QFileInfo::exists(BackupName(path, 1))) return true;
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        if (error) *error = QFile(path).errorString();
        return false;
    }
    for (int d = 1; QFileInfo::exists(BackupName(path, d)); ++d) {
        QFile from(BackupName(path, d));
        if (!from.rename(BackupName(path, d - 1))) {
            if (error) *error = from.errorString();
            return false;
        }
    }
    return true;
}

}  // namespace zv
