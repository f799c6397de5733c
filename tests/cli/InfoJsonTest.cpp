// zorvane-cli info on the committed examples, compared whole with what the example
// builder put in them, written down here from its source: frame numbers from 1,
// every region's bounds, grid, zoom and effect, polygon points, text fonts, shapes
// and the background.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "layers/NeonBkg.h"
#include "model/NeonAv.h"

namespace {

QJsonObject InfoOf(const QString& path) {
    QProcess p;
    p.start(QStringLiteral(ZORVANE_CLI), {QStringLiteral("info"), path});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

QJsonObject Info(const char* example) {
    return InfoOf(QStringLiteral(ZORVANE_EXAMPLES_DIR "/") + example);
}

QJsonObject Parse(const char* json) {
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray(json), &e);
    EXPECT_EQ(e.error, QJsonParseError::NoError) << e.errorString().toStdString();
    return d.object();
}

// On failure, both sides frame by frame, so that the difference can be found.
void ExpectSame(const QJsonObject& got, const QJsonObject& want) {
    if (got == want) return;
    ADD_FAILURE() << "info output differs";
    QStringList keys = want.keys() + got.keys();
    keys.removeDuplicates();
    for (const QString& key : keys)
        if (got[key] != want[key] && key != QLatin1String("frames"))
            ADD_FAILURE() << key.toStdString();
    const QJsonArray g = got["frames"].toArray(), w = want["frames"].toArray();
    EXPECT_EQ(g.size(), w.size());
    for (qsizetype i = 0; i < std::min(g.size(), w.size()); ++i)
        EXPECT_EQ(QJsonDocument(g[i].toObject()).toJson(QJsonDocument::Compact).toStdString(),
                  QJsonDocument(w[i].toObject()).toJson(QJsonDocument::Compact).toStdString())
            << "frame " << i + 1;
}

// Regions come out in the reverse of the order they were drawn in: a frame record
// stores its ring from the last region to the first.
const char* kOpenSign = R"({
 "version": 4, "background": {"present": true, "width": 160, "height": 120},
 "defaultCols": 24, "defaultRows": 1, "defaultZoom": 1,
 "frames": [
  {"index": 1, "tag": 1, "category": 57, "categoryName": "特效帧", "stepCount": 40,
   "regions": [
    {"bounds": [260, 330, 761, 371], "cols": 24, "rows": 2, "zoom": 0.9, "polygon": false,
     "points": [], "effect": 50, "effectFrames": 24, "loop": 1},
    {"bounds": [920, 121, 941, 400], "cols": 1, "rows": 13, "zoom": 1, "polygon": false,
     "points": [], "effect": 25, "effectFrames": 13, "loop": 1},
    {"bounds": [80, 121, 101, 400], "cols": 1, "rows": 13, "zoom": 1, "polygon": false,
     "points": [], "effect": 24, "effectFrames": 13, "loop": 1},
    {"bounds": [100, 400, 921, 421], "cols": 40, "rows": 1, "zoom": 1, "polygon": false,
     "points": [], "effect": 1, "effectFrames": 40, "loop": 1},
    {"bounds": [100, 100, 921, 121], "cols": 40, "rows": 1, "zoom": 1, "polygon": false,
     "points": [], "effect": 2, "effectFrames": 40, "loop": 1}],
   "shapes": [
    {"class": "CDLine", "start": [1300, 1310], "end": [1720, 1310], "penColour": 16762880,
     "penStyle": 0, "penWidth": 2},
    {"class": "CRectangle", "start": [1070, 1090], "end": [1952, 1432], "penColour": 11812095,
     "penStyle": 0, "penWidth": 3}],
   "texts": [
    {"text": "OPEN", "x": 330, "y": 160, "colour": 11812095, "face": "DejaVu Sans",
     "height": -140, "weight": 700, "italic": false, "underline": false}],
   "pictures": []},
  {"index": 2, "tag": 1, "category": 0, "categoryName": "普通帧", "stepCount": 1,
   "regions": [
    {"bounds": [260, 330, 761, 371], "cols": 24, "rows": 2, "zoom": 0.9, "polygon": false,
     "points": [], "effect": 0, "effectFrames": 0, "loop": 1},
    {"bounds": [920, 121, 941, 400], "cols": 1, "rows": 13, "zoom": 1, "polygon": false,
     "points": [], "effect": 0, "effectFrames": 0, "loop": 1},
    {"bounds": [80, 121, 101, 400], "cols": 1, "rows": 13, "zoom": 1, "polygon": false,
     "points": [], "effect": 0, "effectFrames": 0, "loop": 1},
    {"bounds": [100, 400, 921, 421], "cols": 40, "rows": 1, "zoom": 1, "polygon": false,
     "points": [], "effect": 0, "effectFrames": 0, "loop": 1},
    {"bounds": [100, 100, 921, 121], "cols": 40, "rows": 1, "zoom": 1, "polygon": false,
     "points": [], "effect": 0, "effectFrames": 0, "loop": 1}],
   "shapes": [
    {"class": "CDLine", "start": [1300, 1310], "end": [1720, 1310], "penColour": 16762880,
     "penStyle": 0, "penWidth": 2},
    {"class": "CRectangle", "start": [1070, 1090], "end": [1952, 1432], "penColour": 11812095,
     "penStyle": 0, "penWidth": 3}],
   "texts": [
    {"text": "OPEN", "x": 330, "y": 160, "colour": 16777215, "face": "DejaVu Sans",
     "height": -140, "weight": 700, "italic": false, "underline": false}],
   "pictures": []}
 ]})";

TEST(InfoJson, OpenSignWhole) {
    ExpectSame(Info("open-sign.zrx"), Parse(kOpenSign));
}

// The panel faded out over twelve steps written into the frames after it (fourteen
// plain frames in all), then the star that disperses from its centre: (12 + 2) x 12 / 8
// = 21 steps.
const char* kWelcomeFrame = R"({
 "tag": 1, "category": 0, "categoryName": "普通帧", "stepCount": 1,
 "regions": [{"bounds": [160, 300, 861, 461], "cols": 16, "rows": 4, "zoom": 1,
   "polygon": false, "points": [], "effect": 0, "effectFrames": 0, "loop": 1}],
 "shapes": [],
 "texts": [{"text": "欢迎光临", "x": 250, "y": 120, "colour": 46335, "face": "DejaVu Sans",
   "height": -110, "weight": 700, "italic": false, "underline": false}],
 "pictures": []})";

const char* kStarFrame = R"({
 "index": 15, "tag": 1, "category": 57, "categoryName": "特效帧", "stepCount": 21,
 "regions": [{"bounds": [404, 500, 620, 705], "cols": 12, "rows": 6, "zoom": 1,
   "polygon": true, "effect": 10, "effectFrames": 21, "loop": 1,
   "points": [[512, 500], [540, 580], [620, 580], [555, 625], [580, 705], [512, 655],
              [444, 705], [469, 625], [404, 580], [484, 580]]}],
 "shapes": [], "texts": [], "pictures": []})";

TEST(InfoJson, WelcomeWhole) {
    QJsonObject want = Parse(R"({"version": 4,
                                 "background": {"present": true, "width": 160, "height": 120},
                                 "defaultCols": 16, "defaultRows": 4, "defaultZoom": 1})");
    QJsonArray frames;
    for (int i = 1; i <= 14; ++i) {
        QJsonObject f = Parse(kWelcomeFrame);
        f["index"] = i;
        frames.append(f);
    }
    frames.append(Parse(kStarFrame));
    want["frames"] = frames;
    ExpectSame(Info("welcome.zrx"), want);
}

// The examples have neither italic nor underlined text: a scheme made here has one
// of each, in a GBK face.
TEST(InfoJson, ItalicAndUnderlineAreToldApart) {
    zv::CNeonAv av;
    av.CreateFirstFrame();
    auto addText = [&](const QString& text, int x, bool italic, bool underline) {
        zv::CNeonChar* t = av.currentFrame->texts->AppendText();
        zv::LogFont lf;
        lf.lfHeight = 60;
        lf.lfWeight = 400;
        lf.lfItalic = italic ? 1 : 0;
        lf.lfUnderline = underline ? 1 : 0;
        lf.SetFaceName(QStringLiteral("宋体"));
        t->SetLogFont(lf);
        t->SetText(text);
        t->x = x;
        t->y = 7;
        t->textColour = 0x0000FF;
    };
    addText(QStringLiteral("斜"), 10, true, false);
    addText(QStringLiteral("下"), 90, false, true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fonts.zrx"));
    QSaveFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(av.SaveScheme(f, zv::CNeonBkg()));
    ASSERT_TRUE(f.commit());
    const QJsonArray texts = InfoOf(path)["frames"].toArray()[0].toObject()["texts"].toArray();
    ASSERT_EQ(texts.size(), 2);
    auto compact = [](const QJsonObject& o) {
        return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
    };
    // Stored last first, like the regions.
    EXPECT_EQ(compact(texts[1].toObject()),
              compact(Parse(R"({"text": "斜", "x": 10, "y": 7, "colour": 255, "face": "宋体",
                  "height": 60, "weight": 400, "italic": true, "underline": false})")));
    EXPECT_EQ(compact(texts[0].toObject()),
              compact(Parse(R"({"text": "下", "x": 90, "y": 7, "colour": 255, "face": "宋体",
                  "height": 60, "weight": 400, "italic": false, "underline": true})")));
}

}  // namespace
