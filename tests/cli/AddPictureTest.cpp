// zorvane-cli add-picture: where the picture lands (read back with info), the backup
// chain, and the exit status and message of every way it can fail.
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "layers/NeonBkg.h"
#include "model/NeonAv.h"
#include "support/Metafiles.h"

using namespace zv;
using namespace zv::test;

namespace {

struct CliRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// zorvane-cli with `args`; `helper` replaces the picture decoder when given.
CliRun Cli(const QStringList& args, const QString& helper = QString()) {
    QProcess p;
    if (!helper.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZORVANE_PICTURE_DECODER"), helper);
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(ZORVANE_CLI), args);
    p.waitForFinished(60000);
    return CliRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                  p.readAllStandardOutput(), p.readAllStandardError()};
}

QJsonArray Pictures(const QString& scheme, int frame) {
    const CliRun r = Cli({"info", scheme});
    const QJsonArray frames = QJsonDocument::fromJson(r.out)["frames"].toArray();
    return frames[frame - 1].toObject()["pictures"].toArray();
}

// A scheme of two empty frames.
QString TwoFrames(const QTemporaryDir& dir) {
    CNeonAv av;
    av.CreateFirstFrame();
    av.InsertAfter(av.currentFrame, false);
    const QString path = dir.filePath("in.zrx");
    return av.SaveSchemeFile(path, CNeonBkg()) ? path : QString();
}

QString RedBmp(const QTemporaryDir& dir, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 0));
    const QString path = dir.filePath("red.bmp");
    return img.save(path, "BMP") ? path : QString();
}

}  // namespace

TEST(AddPicture, PlacesThePictureAtItsOwnSizeWhereAsked) {
    QTemporaryDir dir;
    const QString in = TwoFrames(dir);
    ASSERT_FALSE(in.isEmpty());
    const QString out = dir.filePath("out.zrx");
    const CliRun r =
        Cli({"add-picture", in, RedBmp(dir, 40, 20), out, "--frame", "2", "--at", "-5,7"});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(Pictures(out, 1).isEmpty());
    const QJsonArray second = Pictures(out, 2);
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(second[0].toObject(), (QJsonObject{{"x", -5},
                                                 {"y", 7},
                                                 {"width", 40},
                                                 {"height", 20},
                                                 {"srcWidth", 40},
                                                 {"srcHeight", 20}}));

    // Defaults: frame 1 at 0,0. A metafile comes out at its extent (60 x 40 units at
    // 96 per inch), and a second picture joins the first.
    WmfWriter w(dir.filePath("p.wmf"), 60, 40);
    w.NullPen();
    w.Brush(U_BS_SOLID, qRgb(0, 0, 255));
    w.Add(U_WMRRECTANGLE_set(R16(0, 0, 30, 40)));
    ASSERT_FALSE(w.Finish().isEmpty());
    ASSERT_EQ(Cli({"add-picture", out, dir.filePath("p.wmf"), out}).code, 0);
    ASSERT_EQ(
        Cli({"add-picture", out, RedBmp(dir, 3, 2), out, "--at", "2147483647,-2147483648"}).code,
        0);
    const QJsonArray first = Pictures(out, 1);
    ASSERT_EQ(first.size(), 2);
    const auto at = [&](int x) {
        for (const QJsonValue& v : first)
            if (v["x"].toInt() == x) return v.toObject();
        return QJsonObject();
    };
    EXPECT_EQ(at(0)["y"].toInt(), 0);
    EXPECT_EQ(at(0)["width"].toInt(), 60);
    EXPECT_EQ(at(0)["height"].toInt(), 40);
    EXPECT_EQ(at(2147483647)["y"].toInt(), -2147483648);
    EXPECT_EQ(at(2147483647)["width"].toInt(), 3);
    EXPECT_EQ(at(2147483647)["height"].toInt(), 2);
    EXPECT_EQ(Pictures(out, 2).size(), 1);
    // The scheme it was written over is kept as its backup.
    EXPECT_TRUE(QFile::exists(out + ".bak"));
    EXPECT_TRUE(QFile::exists(out + ".bak.bak"));
}

TEST(AddPicture, ExitStatusAndMessageOfEachFailure) {
    QTemporaryDir dir;
    const QString in = TwoFrames(dir);
    const QString bmp = RedBmp(dir, 4, 4);
    const QString out = dir.filePath("out.zrx");
    QFile junk(dir.filePath("junk.zrx"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a scheme");
    junk.close();
    EmfWriter e(dir.filePath("open.emf"), RectL(0, 0, 10, 10), RectL(0, 0, 264, 264));
    const QByteArray emf = e.Finish();
    QFile cut(dir.filePath("cut.emf"));  // its end record missing
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    QByteArray noEnd = emf.first(emf.size() - 20);
    noEnd[48] = static_cast<char>(noEnd.size());
    cut.write(noEnd);
    cut.close();
    QImage(4, 4, QImage::Format_RGB32).save(dir.filePath("p.png"), "PNG");

    const struct {
        QStringList args;
        int code;
        const char* saying;
    } cases[] = {
        {{"add-picture"}, 2, "takes IN, PICTURE and OUT"},
        {{"add-picture", in, bmp}, 2, "takes IN, PICTURE and OUT"},
        {{"add-picture", in, bmp, out, "--frame", "0"}, 2, "--frame takes"},
        {{"add-picture", in, bmp, out, "--frame", "x"}, 2, "--frame takes"},
        {{"add-picture", in, bmp, out, "--frame"}, 2, "needs a value"},
        {{"add-picture", in, bmp, out, "--frame", "3"}, 2, "no such frame"},
        {{"add-picture", in, bmp, out, "--at", "5"}, 2, "--at takes X,Y"},
        {{"add-picture", in, bmp, out, "--at", "1,y"}, 2, "--at takes X,Y"},
        {{"add-picture", in, bmp, out, "--size", "9"}, 2, "unknown option --size"},
        {{"add-picture", dir.filePath("none.zrx"), bmp, out}, 1, "none.zrx"},
        {{"add-picture", junk.fileName(), bmp, out}, 1, "文件格式错误"},
        {{"add-picture", in, dir.filePath("none.gif"), out}, 1, "none.gif: "},
        {{"add-picture", in, cut.fileName(), out}, 1, "no end record"},
        {{"add-picture", in, dir.filePath("p.png"), out}, 1, "BMP, DIB, EMF"},
        {{"add-picture", in, bmp, dir.filePath("no/such/dir/out.zrx")}, 1, "文件保存失败"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.code, c.code) << what;
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(QString::fromUtf8(c.saying)))
            << what << ": " << r.err.constData();
        EXPECT_FALSE(QFile::exists(out)) << what;
    }
    EXPECT_TRUE(Cli({"--help"}).out.contains("add-picture IN PICTURE OUT"));
}

TEST(AddPicture, ADecoderThatCrashesLeavesTheSchemeAlone) {
    QTemporaryDir dir;
    const QString in = TwoFrames(dir);
    QFile script(dir.filePath("crash"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nkill -SEGV $$\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray before = ReadAll(in);
    const CliRun r = Cli({"add-picture", in, RedBmp(dir, 4, 4), in}, script.fileName());
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("crashed")) << r.err.constData();
    EXPECT_EQ(ReadAll(in), before);
    EXPECT_FALSE(QFile::exists(in + ".bak"));
}
