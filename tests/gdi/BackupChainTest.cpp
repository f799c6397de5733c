#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gdi/BackupChain.h"

using namespace zv;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(BackupChain, ThreeSavesKeepTwoBackupsNewestNearest) {
    QTemporaryDir dir;
    const QString x = dir.filePath("x.zrx");
    EXPECT_TRUE(KeepBackup(x));  // nothing to keep yet
    for (const char* version : {"one", "two", "three"}) {
        ASSERT_TRUE(KeepBackup(x));
        Write(x, version);
    }
    EXPECT_EQ(Read(x), "three");
    EXPECT_EQ(Read(x + ".bak"), "two");
    EXPECT_EQ(Read(x + ".bak.bak"), "one");
    EXPECT_FALSE(QFile::exists(x + ".bak.bak.bak"));
}

TEST(BackupChain, FailedRenameLeavesTheFilesAsTheyWereAndSaysSo) {
    QTemporaryDir dir;
    // A name at the file system's limit has no room for ".bak".
    const QString x = dir.filePath(QString(252, QChar('x')));
    Write(x, "current");
    QString error;
    EXPECT_FALSE(KeepBackup(x, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(x), "current");
}

TEST(BackupChain, ThroughALinkTheTargetIsKept) {
    QTemporaryDir dir;
    const QString target = dir.filePath("real.zrx"), link = dir.filePath("link.zrx");
    Write(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(KeepBackup(link));
    EXPECT_EQ(Read(target + ".bak"), "old");
    EXPECT_FALSE(QFile::exists(target));
    // A link pointing at itself has nothing to keep and does not loop.
    const QString loop = dir.filePath("loop.zrx");
    ASSERT_TRUE(QFile::link(loop, loop));
    EXPECT_TRUE(KeepBackup(loop));
}
