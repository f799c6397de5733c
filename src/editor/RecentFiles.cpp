#include "editor/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace zv {

namespace {

const QString kRecentKey = QStringLiteral("recentFiles");

void Store(QStringList files) {
    while (files.size() > RecentFiles::kLimit) files.removeLast();
    QSettings().setValue(kRecentKey, files);
}

}  // namespace

QStringList RecentFiles::Files() {
    QStringList files = QSettings().value(kRecentKey).toStringList();
    files.removeAll(QString());
    while (files.size() > kLimit) files.removeLast();
    return files;
}

void RecentFiles::Add(const QString& path) {
    if (path.isEmpty()) return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(absolute);
    files.prepend(absolute);
    Store(files);
}

void RecentFiles::Remove(const QString& path) {
    QStringList files = Files();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    Store(files);
}

QString RecoveryFilePath() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty()) return {};
    return QDir(dir).filePath(QStringLiteral("recovery.zrx"));
}

}  // namespace zv
