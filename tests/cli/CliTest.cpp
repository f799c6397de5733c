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

namespace {

const QString kWelcome = QStringLiteral(ZORVANE_TESTDATA_DIR "/welcome-sign.zrx");

// The scheme written by another program lies beside the project, not in it.
#define SKIP_WITHOUT_WELCOME_SIGN()                                                    \
    if (!QFile::exists(kWelcome))                                                      \
    GTEST_SKIP() << "outside test data not found: " << kWelcome.toStdString()

struct CliRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

CliRun Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ZORVANE_CLI), args);
    p.waitForFinished(60000);
    CliRun r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QJsonObject Json(const CliRun& r) {
    return QJsonDocument::fromJson(r.out).object();
}

}  // namespace

TEST(Cli, InfoDescribesTheWholeScheme) {
    SKIP_WITHOUT_WELCOME_SIGN();
    const CliRun r = Cli({"info", kWelcome});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonObject info = Json(r);
    EXPECT_EQ(info["version"].toInt(), 4);
    EXPECT_EQ(info["defaultCols"].toInt(), 28);
    EXPECT_TRUE(info["background"].toObject()["present"].toBool());
    const QJsonArray frames = info["frames"].toArray();
    ASSERT_EQ(frames.size(), 3);
    const QJsonObject f1 = frames[0].toObject();
    EXPECT_EQ(f1["regions"].toArray().size(), 2);
    EXPECT_EQ(f1["regions"].toArray()[1].toObject()["zoom"].toDouble(), 0.9);
    EXPECT_EQ(f1["texts"].toArray()[0].toObject()["text"].toString(),
              QString::fromUtf8("欢迎光临"));
    EXPECT_EQ(f1["pictures"].toArray()[0].toObject()["width"].toInt(), 30);
    EXPECT_EQ(f1["shapes"].toArray().size(), 3);
    EXPECT_EQ(f1["shapes"].toArray()[0].toObject()["class"].toString(), "CDLine");
    const QJsonObject f2 = frames[1].toObject();
    EXPECT_EQ(f2["category"].toInt(), 57);
    EXPECT_EQ(f2["categoryName"].toString(), QString::fromUtf8("特效帧"));
    EXPECT_EQ(f2["stepCount"].toInt(), 28);
    EXPECT_TRUE(frames[2].toObject()["regions"].toArray()[0].toObject()["polygon"].toBool());
}

TEST(Cli, CellsListSubFramesOfEffectFrames) {
    SKIP_WITHOUT_WELCOME_SIGN();
    const CliRun r = Cli({"cells", kWelcome, "--frame", "2"});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonArray frames = Json(r)["frames"].toArray();
    ASSERT_EQ(frames.size(), 1);
    const QJsonObject f = frames[0].toObject();
    EXPECT_EQ(f["index"].toInt(), 2);
    const QJsonArray subs = f["subFrames"].toArray();
    ASSERT_EQ(subs.size(), 29);  // sub-frames 0 to the step count
    // "平移--右" on a strip lit in columns 0-5: one step later columns 1-6 are lit.
    const QJsonArray first =
        subs[0].toObject()["regions"].toArray()[0].toObject()["colours"].toArray();
    const QJsonArray next =
        subs[1].toObject()["regions"].toArray()[0].toObject()["colours"].toArray();
    EXPECT_EQ(first[0].toInt(), 255);
    EXPECT_EQ(next[0].toInt(), 0);
    EXPECT_EQ(next[6].toInt(), 255);
    EXPECT_EQ(Json(Cli({"cells", kWelcome}))["frames"].toArray().size(), 3);
}

TEST(Cli, RenderWritesPngAndBmp) {
    SKIP_WITHOUT_WELCOME_SIGN();
    QTemporaryDir dir;
    const QString png = dir.filePath("f.png"), bmp = dir.filePath("f.bmp");
    ASSERT_EQ(Cli({"render", kWelcome, "-o", png, "--size", "320x200"}).code, 0);
    QImage image(png);
    EXPECT_EQ(image.size(), QSize(320, 200));
    ASSERT_EQ(Cli({"render", kWelcome, "-o", bmp, "--frame", "2", "--step", "3"}).code, 0);
    QFile f(bmp);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(bytes.size(), 54 + 1024 * 3 * 768);
    EXPECT_EQ(QImage::fromData(bytes).size(), QSize(1024, 768));
}

TEST(Cli, ConvertAndApplyEffectKeepBackups) {
    SKIP_WITHOUT_WELCOME_SIGN();
    QTemporaryDir dir;
    const QString out = dir.filePath("out.zrx");
    ASSERT_EQ(Cli({"convert", kWelcome, out}).code, 0);
    ASSERT_EQ(
        Cli({"apply-effect", out, out, "--frame", "1", "--effect", "4", "--region", "1"}).code, 0);
    EXPECT_TRUE(QFile::exists(out + ".bak"));
    const QJsonObject f1 = Json(Cli({"info", out}))["frames"].toArray()[0].toObject();
    EXPECT_EQ(f1["category"].toInt(), 57);
    // Every save writes the rings last first, so region 1 of out.zrx is now region 2.
    EXPECT_EQ(f1["regions"].toArray()[1].toObject()["effect"].toInt(), 4);
    EXPECT_EQ(f1["regions"].toArray()[0].toObject()["effect"].toInt(), 0);
    // Expanded from the last frame: the six steps and the starting picture land on
    // seven frames appended after it.
    ASSERT_EQ(Cli({"apply-effect", out, out, "--frame", "3", "--effect", "1", "--expand"}).code, 0);
    const QJsonObject expanded = Json(Cli({"info", out}));
    EXPECT_EQ(expanded["frames"].toArray().size(), 3 + 7);
    EXPECT_EQ(expanded["frames"].toArray()[2].toObject()["category"].toInt(), 0);
}

TEST(Cli, ExitCodesForBadFilesAndWrongUsage) {
    SKIP_WITHOUT_WELCOME_SIGN();
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.zrx");
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a scheme at all");
    }
    const CliRun bad = Cli({"info", junk});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains("文件格式错误，读取失败!"));
    EXPECT_EQ(Cli({"info", dir.filePath("missing.zrx")}).code, 1);
    EXPECT_EQ(Cli({}).code, 2);
    EXPECT_EQ(Cli({"frobnicate"}).code, 2);
    EXPECT_EQ(Cli({"info"}).code, 2);
    EXPECT_EQ(Cli({"render", kWelcome, "-o", dir.filePath("x.gif")}).code, 2);
    EXPECT_EQ(Cli({"render", kWelcome, "-o", dir.filePath("x.png"), "--frame", "9"}).code, 2);
    EXPECT_EQ(Cli({"render", kWelcome, "-o", dir.filePath("x.png"), "--step", "2"}).code, 2);
    EXPECT_EQ(
        Cli({"apply-effect", kWelcome, dir.filePath("o.zrx"), "--frame", "1", "--effect", "57"})
            .code,
        2);
    EXPECT_EQ(Cli({"cells", kWelcome, "--frame", "x"}).code, 2);
    // A small file whose effect has millions of steps is refused, not listed.
    const QString wide = dir.filePath("wide.zrx");
    ASSERT_EQ(Cli({"convert", kWelcome, wide}).code, 0);
    ASSERT_EQ(Cli({"apply-effect", wide, wide, "--frame", "3", "--effect", "4"}).code, 0);
    ASSERT_EQ(Cli({"cells", wide, "--frame", "3"}).code, 0);  // 6 x 2: a few steps
    EXPECT_EQ(Cli({"cells", dir.filePath("missing.zrx")}).code, 1);
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("apply-effect"));
}

TEST(Cli, CellsRefusesListingsThatCannotFit) {
    // 84 KB on disk, but converging 3000 columns takes 4,498,500 steps.
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.zrx");
    zv::CNeonAv av;
    av.CreateFirstFrame();
    av.currentFrame->AddRectRegion(3000, 1, 1.0f, zv::Rect{0, 0, 3001, 11});
    av.currentFrame->ApplyEffect(*av.anchor, 4, 1, false);
    ASSERT_TRUE(av.SaveSchemeFile(path, zv::CNeonBkg()));
    const CliRun r = Cli({"cells", path});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("colours to list"));
}
