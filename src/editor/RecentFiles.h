#pragma once
// The schemes used last, most recent first, kept in the user's settings, and the
// place of the automatic copy of unsaved work.

#include <QString>
#include <QStringList>

namespace zv {

class RecentFiles {
public:
    static constexpr int kLimit = 4;

    // The stored list, at most kLimit absolute paths.
    static QStringList Files();
    // `path` goes to the front; an older mention of it and any beyond the limit go.
    static void Add(const QString& path);
    static void Remove(const QString& path);
};

// The recovery copy in the application's data folder (never next to the user's
// file); empty when the platform names no such folder.
QString RecoveryFilePath();

}  // namespace zv
