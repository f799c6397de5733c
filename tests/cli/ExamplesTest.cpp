#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// The committed examples are exactly what the example builder makes today, and every
// one of them opens.
TEST(Examples, CommittedFilesMatchTheBuilder) {
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral(ZORVANE_MAKE_EXAMPLES), {dir.path()});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    const QStringList names = QDir(dir.path()).entryList({"*.zrx"}, QDir::Files);
    ASSERT_GE(names.size(), 2);
    for (const QString& name : names) {
        const QByteArray made = Read(dir.filePath(name));
        EXPECT_FALSE(made.isEmpty()) << name.toStdString();
        EXPECT_EQ(made, Read(QStringLiteral(ZORVANE_EXAMPLES_DIR "/") + name))
            << name.toStdString() << ": run make-examples examples/ and commit the result";
        QProcess info;
        info.start(QStringLiteral(ZORVANE_CLI), {"info", dir.filePath(name)});
        ASSERT_TRUE(info.waitForFinished(60000));
        EXPECT_EQ(info.exitCode(), 0) << name.toStdString();
    }
}
