// The file, background and picture-in-hand commands of the editor, driven headless
// through a window stand-in that answers the file choices and records the messages.

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

#include "editor/CommandTable.h"
#include "editor/Document.h"
#include "gdi/BmpImage.h"
#include "layers/NeonBkg.h"
#include "layers/NeonImg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"
#include "support/Bytes.h"
#include "support/FileSizeLimit.h"

namespace zv {
namespace {

class FileUi : public EditorUi {
public:
    FileUi() : screen(200, 120, QImage::Format_RGB32) { screen.fill(Qt::black); }
    QImage& Screen() override { return screen; }
    QString ChooseFile(FileChoice kind) override {
        asked.push_back(kind);
        if (answers.empty()) return {};
        const QString a = answers.front();
        answers.pop_front();
        return a;
    }
    int DisplayDepth() const override { return depth; }
    void ShowMessage(const QString& text, const QString&, MessageIcon) override {
        messages.push_back(text);
    }

    QImage screen;
    std::deque<QString> answers;
    std::vector<FileChoice> asked;
    std::vector<QString> messages;
    int depth = 32;
};

class NoApp : public AppCommands {
public:
    void Exit() override {}
    void About() override {}
    void Help() override {}
    void ToggleBar(int) override {}
    bool BarVisible(int) const override { return false; }
};

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        doc.SetUi(&ui);
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    std::int32_t FramesIn(const QString& path) {
        CNeonAv av;
        CNeonBkg bkg;
        return av.LoadSchemeFile(path, bkg) ? av.frameCount : -1;
    }
    QString LastMessage() const { return ui.messages.empty() ? QString() : ui.messages.back(); }

    QTemporaryDir dir;
    FileUi ui;
    Document doc;
    NoApp app;
};

TEST(FileChoiceTest, DialogsAndDefaultExtension) {
    const FileDialogSetup& open = DialogSetupOf(FileChoice::OpenScheme);
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.defaultName, QString());
    EXPECT_EQ(open.filter, QStringLiteral("ZRX Files (*.zrx);;All Files (*)"));
    const FileDialogSetup& save = DialogSetupOf(FileChoice::SaveScheme);
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.defaultName, QStringLiteral("Zorvane1"));
    EXPECT_EQ(save.defaultExtension, QStringLiteral(".zrx"));
    const FileDialogSetup& picture = DialogSetupOf(FileChoice::SavePicture);
    EXPECT_TRUE(picture.save);
    EXPECT_EQ(picture.defaultName, QStringLiteral("ZRFrame1"));
    EXPECT_EQ(picture.defaultExtension, QStringLiteral(".bmp"));
    EXPECT_EQ(picture.filter, QStringLiteral("BMP Files (*.bmp);;All Files (*)"));
    const FileDialogSetup& bkg = DialogSetupOf(FileChoice::Background);
    EXPECT_FALSE(bkg.save);
    EXPECT_TRUE(bkg.filter.startsWith(QStringLiteral("位图文件(*.bmp);;Picture Files (*.bmp ")));

    const struct {
        const char* path;
        const char* want;
    } cases[] = {
        {"/a/b/x", "/a/b/x.zrx"},
        {"/a/b/x.zrx", "/a/b/x.zrx"},
        {"/a/b/x.old", "/a/b/x.old"},
        {"/a.d/b/x", "/a.d/b/x.zrx"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithDefaultExtension(QString::fromUtf8(c.path), QStringLiteral(".zrx")),
                  QString::fromUtf8(c.want))
            << c.path;
}

TEST_F(FileCommands, SavingThreeTimesKeepsTwoBackups) {
    const QString x = Path(QStringLiteral("x"));
    for (int i = 1; i <= 3; ++i) {
        if (i > 1) doc.AddFrame();
        ui.answers.push_back(x);  // no extension typed: ".zrx" is added
        doc.SaveScheme();
        EXPECT_EQ(LastMessage(), kFileSaved);
    }
    EXPECT_EQ(ui.asked, std::vector<FileChoice>(3, FileChoice::SaveScheme));
    // The newest version under the name, the older ones one step further each.
    EXPECT_EQ(FramesIn(x + ".zrx"), 3);
    EXPECT_EQ(FramesIn(x + ".zrx.bak"), 2);
    EXPECT_EQ(FramesIn(x + ".zrx.bak.bak"), 1);
    EXPECT_FALSE(QFileInfo::exists(x + ".zrx.bak.bak.bak"));
}

TEST_F(FileCommands, CancelledDialogsDoNothing) {
    doc.SaveScheme();
    doc.OpenScheme();
    doc.SavePicture();
    doc.ChooseBackground();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.Animation()->frameCount, 1);
}

TEST_F(FileCommands, AFailedBackupRenameWritesNothing) {
    // A name the file system takes, but not with ".bak" after it: the backup rename
    // fails even for the administrator.
    const QString x = Path(QString(250, QLatin1Char('n')) + ".zrx");
    ASSERT_TRUE(doc.SaveSchemeTo(x));
    const QByteArray before = [&] {
        QFile f(x);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(before.isEmpty());
    doc.AddFrame();
    EXPECT_FALSE(doc.SaveSchemeTo(x));
    EXPECT_TRUE(LastMessage().startsWith(kFileSaveFailed)) << LastMessage().toStdString();
    QFile f(x);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

using test::FileSizeLimit;

TEST_F(FileCommands, AFullDiskSaysSoAndTheSavedFileStaysWhole) {
    const QString x = Path(QStringLiteral("full.zrx"));
    ASSERT_TRUE(doc.SaveSchemeTo(x));
    doc.AddFrame();
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(doc.SaveSchemeTo(x));
    }
    EXPECT_TRUE(LastMessage().startsWith(kFileSaveFailed)) << LastMessage().toStdString();
    // The version saved before is under its own name again, whole, and no half file
    // or stray backup is left.
    EXPECT_EQ(FramesIn(x), 1);
    EXPECT_FALSE(QFileInfo::exists(x + ".bak"));

    // A first save that fails leaves no file at all.
    const QString y = Path(QStringLiteral("new.zrx"));
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(doc.SaveSchemeTo(y));
    }
    EXPECT_FALSE(QFileInfo::exists(y));

    // A picture that cannot be written leaves the previous picture.
    const QString bmp = Path(QStringLiteral("p.bmp"));
    ASSERT_TRUE(doc.SavePictureTo(bmp));
    const qint64 size = QFileInfo(bmp).size();
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(doc.SavePictureTo(bmp));
    }
    EXPECT_TRUE(LastMessage().startsWith(kFileSaveFailed));
    EXPECT_EQ(QFileInfo(bmp).size(), size);
}

TEST_F(FileCommands, OpenReplacesTheAnimationAndABadFileLeavesItAlone) {
    const QString good = Path(QStringLiteral("good.zrx"));
    doc.AddFrame();
    doc.AddFrame();
    ASSERT_TRUE(doc.SaveSchemeTo(good));
    doc.NewDocument();
    ASSERT_EQ(doc.Animation()->frameCount, 1);

    ui.answers.push_back(good);
    doc.OpenScheme();
    EXPECT_EQ(ui.asked.back(), FileChoice::OpenScheme);
    EXPECT_EQ(doc.Animation()->frameCount, 3);
    EXPECT_EQ(doc.Animation()->currentIndex, 1);
    EXPECT_EQ(doc.CurrentFrame(), doc.Animation()->First());

    const QString bad = Path(QStringLiteral("bad.zrx"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ZRX\0 not a scheme", 17);
    f.close();
    CNeonFrame* frame = doc.CurrentFrame();
    ui.answers.push_back(bad);
    doc.OpenScheme();
    EXPECT_EQ(LastMessage(), kFileFormatError);
    EXPECT_EQ(doc.Animation()->frameCount, 3);
    EXPECT_EQ(doc.CurrentFrame(), frame);
}

TEST_F(FileCommands, AFileWithoutFramesOpensAsOneEmptyFrame) {
    const QString empty = Path(QStringLiteral("empty.zrx"));
    QFile f(empty);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("ZRX\0", 4) + Ints({4}) + "PERO" + QByteArray("DAS\0", 4) + "MILU" +
            Ints({0}) + Ints({1, 24, 100}) + Ints({6, 0, 0, 0}) + Ints({1, 0, 1, 0}));
    f.close();
    doc.AddFrame();
    ASSERT_TRUE(doc.OpenSchemeFile(empty));
    EXPECT_EQ(doc.Animation()->frameCount, 1);
    ASSERT_NE(doc.CurrentFrame(), nullptr);
    EXPECT_EQ(doc.CurrentFrame(), doc.Animation()->First());
}

// The 54 bytes before the pixels of a saved frame picture, read field by field.
struct BmpHeader {
    QByteArray magic;
    std::uint32_t fileSize, offset, infoSize;
    std::int32_t width, height;
    std::uint16_t planes, bits;
    std::uint32_t compression;
};
BmpHeader ReadHeader(const QByteArray& b) {
    auto u32 = [&](int at) {
        return std::uint32_t(quint8(b[at])) | std::uint32_t(quint8(b[at + 1])) << 8 |
               std::uint32_t(quint8(b[at + 2])) << 16 | std::uint32_t(quint8(b[at + 3])) << 24;
    };
    auto u16 = [&](int at) { return std::uint16_t(quint8(b[at]) | quint8(b[at + 1]) << 8); };
    return {b.left(2), u32(2),  u32(10), u32(14), std::int32_t(u32(18)), std::int32_t(u32(22)),
            u16(26),   u16(28), u32(30)};
}

TEST_F(FileCommands, SavePictureWritesTheViewAtTheDisplayDepth) {
    CNeonFrame* f = doc.CurrentFrame();
    f->AddRectRegion(4, 2, 1.0f, Rect{10, 10, 90, 50});
    f->selectedRegion->FillAll(RGB(0, 200, 50));
    doc.DrawCurrentFrame(1);
    const QImage shown = ui.screen.copy();

    const QString path = Path(QStringLiteral("frame"));
    ui.answers.push_back(path);
    doc.SavePicture();
    EXPECT_EQ(LastMessage(), kFileSaved);
    QFile file(path + ".bmp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    const BmpHeader h = ReadHeader(bytes);
    // 200 pixels of 3 bytes make rows of 600 bytes, already a multiple of 4.
    EXPECT_EQ(h.magic, QByteArray("BM"));
    EXPECT_EQ(h.offset, 54u);
    EXPECT_EQ(h.fileSize, 54u + 600u * 120u);
    EXPECT_EQ(bytes.size(), 54 + 600 * 120);
    EXPECT_EQ(h.infoSize, 40u);
    EXPECT_EQ(h.width, 200);
    EXPECT_EQ(h.height, 120);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bits, 24);
    EXPECT_EQ(h.compression, 0u);
    // The pixels are the view's, bottom row first.
    const QImage saved = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(saved.size(), shown.size());
    EXPECT_EQ(saved, shown.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(quint8(bytes[54 + 2]), 0);  // bottom-left pixel (0, 119) is black
    const int row = 119 - 20;             // (20, 20) lies in a lit cell
    const int at = 54 + row * 600 + 20 * 3;
    const QRgb c = shown.pixel(20, 20);
    EXPECT_EQ(quint8(bytes[at]), qBlue(c));
    EXPECT_EQ(quint8(bytes[at + 1]), qGreen(c));
    EXPECT_EQ(quint8(bytes[at + 2]), qRed(c));
}

TEST_F(FileCommands, PictureDepthFollowsTheDisplay) {
    const struct {
        int display;
        int bits;
        std::uint32_t offset;
    } cases[] = {
        {1, 1, 54 + 8}, {2, 4, 54 + 64}, {4, 4, 54 + 64}, {5, 8, 54 + 1024}, {8, 8, 54 + 1024},
        {9, 24, 54},    {16, 24, 54},    {24, 24, 54},    {32, 24, 54},
    };
    for (const auto& c : cases) {
        ui.depth = c.display;
        const QString path = Path(QStringLiteral("d%1.bmp").arg(c.display));
        ASSERT_TRUE(doc.SavePictureTo(path));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const BmpHeader h = ReadHeader(f.read(54));
        EXPECT_EQ(h.bits, c.bits) << c.display;
        EXPECT_EQ(h.offset, c.offset) << c.display;
    }
}

QImage Solid(QColor c, int w = 8, int h = 6) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

TEST_F(FileCommands, BackgroundThatDoesNotLoadKeepsThePreviousOne) {
    const QString first = Path(QStringLiteral("first.bmp"));
    ASSERT_TRUE(Solid(Qt::blue).save(first, "BMP"));
    ui.answers.push_back(first);
    doc.ChooseBackground();
    EXPECT_EQ(ui.asked.back(), FileChoice::Background);
    CNeonBkg& bkg = *doc.Background();
    ASSERT_EQ(bkg.hasBitmap, 1);
    EXPECT_EQ(bkg.bitmap.pixel(0, 0), QColor(Qt::blue).rgb());
    // The background shows under the frame.
    EXPECT_EQ(ui.screen.pixel(100, 60), QColor(Qt::blue).rgb());

    const QString broken = Path(QStringLiteral("broken.bmp"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BM not really");
    f.close();
    ui.messages.clear();
    EXPECT_FALSE(doc.SetBackgroundFile(broken));
    EXPECT_FALSE(doc.SetBackgroundFile(Path(QStringLiteral("missing.bmp"))));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].contains(broken));
    EXPECT_EQ(bkg.hasBitmap, 1);
    EXPECT_EQ(bkg.bitmap.pixel(0, 0), QColor(Qt::blue).rgb());

    // Every picture type of the picture tool loads through the same loader.
    const QString ico = Path(QStringLiteral("g.ico"));
    ASSERT_TRUE(Solid(Qt::green, 5, 4).save(ico, "ICO"));
    EXPECT_TRUE(doc.SetBackgroundFile(ico));
    EXPECT_EQ(bkg.bitmap.size(), QSize(5, 4));
    EXPECT_EQ(bkg.bitmap.pixel(0, 0), QColor(Qt::green).rgb());

    doc.CancelBackground();
    EXPECT_EQ(bkg.hasBitmap, 0);
    EXPECT_EQ(ui.screen.pixel(100, 60), QColor(Qt::black).rgb());
}

TEST_F(FileCommands, PictureZoomCommandsScaleThePictureInHand) {
    CommandTable table(doc, app);
    const struct {
        int id;
        int w, h;
    } cases[] = {
        {32867, 120, 60}, {32868, 150, 75}, {32869, 200, 100}, {32870, 300, 150}, {32871, 400, 200},
        {32872, 90, 45},  {32873, 75, 37},  {32874, 50, 25},   {32875, 30, 15},   {32876, 10, 5},
    };
    CNeonFrame* f = doc.CurrentFrame();
    for (const auto& c : cases) {
        f->movingPicture = std::make_unique<CNeonImg>();
        f->movingPicture->SetBitmap(Solid(Qt::red, 100, 50));
        f->movingPicture->width = 100;
        f->movingPicture->height = 50;
        ASSERT_TRUE(table.Run(c.id));
        EXPECT_EQ(f->movingPicture->width, c.w) << c.id;
        EXPECT_EQ(f->movingPicture->height, c.h) << c.id;
        const Command* cmd = table.Find(c.id);
        EXPECT_TRUE(cmd->menu.startsWith(QStringLiteral("图片(&I)/")));
    }
    EXPECT_EQ(table.Find(32867)->menu, QStringLiteral("图片(&I)/放大"));
    EXPECT_EQ(table.Find(32867)->text, QStringLiteral("120%"));
    EXPECT_EQ(table.Find(32876)->menu, QStringLiteral("图片(&I)/缩小"));
    EXPECT_EQ(table.Find(32876)->text, QStringLiteral("10%"));
    // Without a picture in hand nothing happens.
    f->movingPicture.reset();
    EXPECT_TRUE(table.Run(32869));
}

TEST_F(FileCommands, TransparentDisplayUsesTheMainColourAndPutsThePictureDown) {
    CNeonFrame* f = doc.CurrentFrame();
    QImage img = Solid(Qt::white, 4, 2);
    img.setPixel(1, 0, qRgb(0, 0, 255));
    img.setPixel(2, 1, qRgb(0, 0, 255));
    f->movingPicture = std::make_unique<CNeonImg>();
    f->movingPicture->SetBitmap(img);
    doc.SetMainColour(RGB(0, 0, 255));

    doc.TransparentDisplay();  // no picture edit under way: nothing
    ASSERT_TRUE(f->movingPicture);

    doc.pictureEditState = 1;
    doc.TransparentDisplay();
    EXPECT_FALSE(f->movingPicture);
    EXPECT_EQ(doc.pictureEditState, 0);
    CNeonImg* placed = f->pictures->next;
    ASSERT_NE(placed, f->pictures.get());
    EXPECT_EQ(placed->bitmap.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(placed->bitmap.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(placed->bitmap.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(placed->bitmap.pixel(3, 1), qRgb(255, 255, 255));
}

TEST_F(FileCommands, TheCommandsStandInTheTable) {
    CommandTable table(doc, app);
    const struct {
        int id;
        const char* menu;
        const char* text;
        int guard;
    } cases[] = {
        {57601, "文件(&F)", "打开(&O)...\tCtrl+O", -1},
        {57603, "文件(&F)", "保存方案(&S)\tCtrl+S", 2},
        {32864, "文件(&F)", "保存图片(&P)\tCtrl+P", 2},
        {32771, "设置(&S)", "背景方格(&G)", 2},
        {32772, "设置(&S)", "背景缩放(&S)", 2},
        {32877, "设置(&S)", "背景图片(&B)", kNoGuard},
        {32936, "设置(&S)", "取消背景(&C)", kNoGuard},
        {32921, "设置(&S)", "属性显示(&P)", kNoGuard},
        {32856, "图片(&I)", "透明显示(&T)", 2},
    };
    for (const auto& c : cases) {
        const Command* cmd = table.Find(c.id);
        ASSERT_NE(cmd, nullptr) << c.id;
        EXPECT_EQ(cmd->menu, QString::fromUtf8(c.menu)) << c.id;
        EXPECT_EQ(cmd->text, QString::fromUtf8(c.text)) << c.id;
        EXPECT_EQ(cmd->guard, c.guard) << c.id;
    }
    EXPECT_EQ(table.Find(57601)->icon, QStringLiteral("document-open"));
    EXPECT_EQ(table.Find(57603)->icon, QStringLiteral("document-save"));
    // New, open and save lead the standard tool bar; the text bar has its toggles.
    for (const ToolBarLayout& bar : table.ToolBars()) {
        if (bar.bar == ToolBarId::Standard) {
            EXPECT_EQ(std::vector<int>(bar.ids.begin(), bar.ids.begin() + 4),
                      (std::vector<int>{57600, 57601, 57603, 0}));
        }
        if (bar.bar == ToolBarId::Text) {
            EXPECT_EQ(bar.ids, (std::vector<int>{32848, 32849, 32850}));
        }
    }
    // Exit still closes the file menu.
    std::vector<int> file;
    for (const Command& c : table.Commands())
        if (c.menu == QStringLiteral("文件(&F)")) file.push_back(c.id);
    EXPECT_EQ(file.front(), 57600);
    EXPECT_EQ(file.back(), 57665);
}

}  // namespace
}  // namespace zv
