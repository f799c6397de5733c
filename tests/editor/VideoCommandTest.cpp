// The export-video command: its place in the table, the dialogs in their order, and
// what cancelling, a fast rate and a failing write do.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestUi.h"
#include "editor/FileChoice.h"
#include "model/NeonAv.h"
#include "support/FileSizeLimit.h"
#include "video/VideoExport.h"

namespace zv {
namespace {

class VideoUi : public TestUi {
public:
    QString ChooseFile(FileChoice kind) override {
        asked.push_back(QStringLiteral("file"));
        EXPECT_EQ(kind, FileChoice::SaveVideo);
        return file;
    }
    std::optional<VideoCodec> AskVideoCodec(const std::vector<VideoCodec>& codecs) override {
        asked.push_back(QStringLiteral("codec"));
        offered = codecs;
        // Nothing is written while the choice is open.
        filesWhileAsked = QDir(QFileInfo(file).path()).entryList(QDir::Files);
        return codec;
    }
    void RunVideoExport(VideoExport& job) override {
        asked.push_back(QStringLiteral("run"));
        total = job.Total();
        while (job.Step())
            if (cancelAfter >= 0 && job.Done() >= cancelAfter) job.Cancel();
    }
    void ShowStatus(const QString& text) override { status.push_back(text); }

    QString file;
    std::optional<VideoCodec> codec = VideoCodec::Pal8;
    int cancelAfter = -1;
    std::vector<QString> asked;
    std::vector<VideoCodec> offered;
    QStringList filesWhileAsked;
    std::int64_t total = 0;
    std::vector<QString> status;
};

class VideoCommand : public ::testing::Test {
protected:
    VideoCommand() {
        doc.SetUi(&ui);
        ui.image = QImage(64, 48, QImage::Format_RGB32);
        doc.AddFrame();
        doc.AddFrame();  // three frames, the third current
        ui.file = dir.filePath(QStringLiteral("ZR1.avi"));
    }
    ~VideoCommand() override { doc.SetUi(nullptr); }
    void Previous(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("previous");
    }
    QByteArray Contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString LastMessage() const { return ui.messages.empty() ? QString() : ui.messages.back(); }

    QTemporaryDir dir;
    VideoUi ui;
    TestApp app;
    Document doc;
    CommandTable table{doc, app};
};

TEST(VideoFileChoice, DialogAndExtensionByFilter) {
    const FileDialogSetup& setup = DialogSetupOf(FileChoice::SaveVideo);
    EXPECT_TRUE(setup.save);
    EXPECT_EQ(setup.defaultName, QStringLiteral("ZR1"));
    EXPECT_EQ(setup.defaultExtension, QStringLiteral(".avi"));
    EXPECT_EQ(setup.filter, QStringLiteral("AVI Files (*.avi);;MP4 Files (*.mp4);;WebM Files "
                                           "(*.webm);;GIF Files (*.gif);;All Files (*)"));
    const struct {
        const char* path;
        const char* filter;
        const char* expected;
    } cases[] = {
        {"/t/ZR1", "AVI Files (*.avi)", "/t/ZR1.avi"},
        {"/t/ZR1", "MP4 Files (*.mp4)", "/t/ZR1.mp4"},
        {"/t/ZR1", "WebM Files (*.webm)", "/t/ZR1.webm"},
        {"/t/ZR1", "GIF Files (*.gif)", "/t/ZR1.gif"},
        {"/t/ZR1", "All Files (*)", "/t/ZR1.avi"},
        {"/t/clip.GIF", "AVI Files (*.avi)", "/t/clip.GIF"},  // the typed extension wins
        {"/t/clip.mp4", "All Files (*)", "/t/clip.mp4"},
        {"/t/clip.", "WebM Files (*.webm)", "/t/clip.webm"},
        {"/t/v1.0", "GIF Files (*.gif)", "/t/v1.0.gif"},
        {"", "AVI Files (*.avi)", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VideoPathForFilter(QString::fromLatin1(c.path), QString::fromLatin1(c.filter)),
                  QString::fromLatin1(c.expected))
            << c.path << " " << c.filter;
}

TEST_F(VideoCommand, StandsInTheFileMenu) {
    const Command* c = table.Find(32925);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->MenuText(), QStringLiteral("输出AVI文件(&V)"));
    EXPECT_EQ(c->Shortcut(), QStringLiteral("Ctrl+V"));
    EXPECT_EQ(c->guard, 2);
    EXPECT_FALSE(c->StatusTip().isEmpty());
    EXPECT_EQ(c->menu, table.Find(32864)->menu);
}

TEST_F(VideoCommand, ExportsEveryFrameAndMakesTheFirstCurrent) {
    ASSERT_EQ(doc.Animation()->currentIndex, 3);
    doc.ExportVideo();
    EXPECT_EQ(ui.asked, (std::vector<QString>{"file", "codec", "run"}));
    EXPECT_EQ(ui.offered, AviCodecs());
    EXPECT_EQ(ui.total, 6);  // three frames, counted then written
    EXPECT_EQ(LastMessage(), QStringLiteral("Zorvane|") + kFileSaved);
    EXPECT_GT(QFileInfo(ui.file).size(), 3 * 64 * 48);
    EXPECT_EQ(doc.Animation()->currentIndex, 1);
    EXPECT_EQ(doc.Animation()->currentFrame, doc.Animation()->First());
    EXPECT_EQ(ui.counterText, QStringLiteral("(1/3)"));
    EXPECT_TRUE(ui.status.empty());
}

TEST_F(VideoCommand, OtherContainersAskNoCodec) {
    ui.file = dir.filePath(QStringLiteral("clip.gif"));
    doc.ExportVideo();
    EXPECT_EQ(ui.asked, (std::vector<QString>{"file", "run"}));
    EXPECT_EQ(LastMessage(), QStringLiteral("Zorvane|") + kFileSaved);
}

TEST_F(VideoCommand, CancellingTheFileOrTheCodecTouchesNothing) {
    Previous(ui.file);
    ui.codec = std::nullopt;
    doc.ExportVideo();
    EXPECT_EQ(ui.asked, (std::vector<QString>{"file", "codec"}));
    EXPECT_EQ(ui.filesWhileAsked, QStringList{QStringLiteral("ZR1.avi")});
    EXPECT_EQ(Contents(ui.file), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.Animation()->currentIndex, 3);  // nothing happened

    ui.asked.clear();
    ui.file.clear();
    doc.ExportVideo();
    EXPECT_EQ(ui.asked, (std::vector<QString>{"file"}));
}

TEST_F(VideoCommand, ARateOf60OrMoreExportsAtTheFastestAndSaysSo) {
    doc.rateText = QStringLiteral("70");
    doc.ExportVideo();
    EXPECT_EQ(LastMessage(), QStringLiteral("Zorvane|") + kFileSaved);
    ASSERT_EQ(ui.status.size(), 1u);
    EXPECT_TRUE(ui.status[0].contains(QStringLiteral("70"))) << ui.status[0].toStdString();
    EXPECT_TRUE(ui.status[0].contains(QStringLiteral("1/15"))) << ui.status[0].toStdString();
    ui.status.clear();
    doc.rateText = QStringLiteral("50");
    doc.ExportVideo();
    EXPECT_TRUE(ui.status.empty());
}

TEST_F(VideoCommand, CancelMidwayPutsThePreviousFileBack) {
    Previous(ui.file);
    ui.cancelAfter = 4;  // in the second pass
    doc.ExportVideo();
    EXPECT_EQ(Contents(ui.file), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_FALSE(ui.status.empty());
    EXPECT_EQ(doc.Animation()->currentIndex, 1);
}

TEST_F(VideoCommand, AFailedWriteSaysSoAndPutsThePreviousFileBack) {
    ui.image = QImage(320, 240, QImage::Format_RGB32);
    ui.codec = VideoCodec::Bgr24;
    Previous(ui.file);
    {
        test::FileSizeLimit limit(300 * 1024);  // the first frame of 230 KB, not the second
        doc.ExportVideo();
    }
    EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("Error|") + kFileSaveFailed))
        << LastMessage().toStdString();
    EXPECT_EQ(Contents(ui.file), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

}  // namespace
}  // namespace zv
