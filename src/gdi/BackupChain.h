#pragma once
// Before a file is written over, the existing file is kept as a backup: "x" becomes
// "x.bak", an existing "x.bak" first becomes "x.bak.bak", and so on. Nothing is
// deleted. Every writer of user files (schemes, videos) goes through this.

#include <QString>

namespace zv {

// Moves `path` (when it is an existing regular file) to the end of its backup chain. False when a
// rename failed; the files are then as they were before the call, as far as the renames that did
// succeed can be undone.
bool KeepBackup(const QString& path, QString* error = nullptr);

// Undoes KeepBackup after a write to `path` failed: the file at `path` goes and every link of
// the chain moves one step back up ("x.bak" becomes "x" again). False when a rename failed.
bool RestoreBackup(const QString& path, QString* error = nullptr);

// Opens nothing: the file names of the chain, nearest first ("x.bak", "x.bak.bak").
QString BackupName(const QString& path, int depth);

}  // namespace zv
