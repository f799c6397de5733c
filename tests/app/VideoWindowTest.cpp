// Exporting a video from the window: the file dialog, the codec choice (remembered),
// the progress dialog that keeps the event loop going, Cancel, and the messages.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include "WindowFixture.h"

namespace zv {
namespace {

class VideoWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QSettings().remove(QStringLiteral("video"));
        path = dir.filePath(QStringLiteral("ZR1.avi"));
        AppChoosers().saveFileWithFilter = [this](QWidget*, const QString& caption,
                                                  const QString& name, const QString& filter,
                                                  QString* selected) {
            dialogs.push_back(caption + QLatin1Char('|') + name + QLatin1Char('|') + filter +
                              QLatin1Char('|') + *selected);
            *selected = chosenFilter;
            return chosenName;
        };
        // Every modal the export opens is handled here, in the order they come.
        auto* poll = new QTimer(frame.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, poll, [this] { HandleModal(); });
        poll->start();
    }
    void TearDown() override {
        QSettings().remove(QStringLiteral("video"));
        WindowTest::TearDown();
    }

    void HandleModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (modal->objectName() == QLatin1String("videoCodecDialog")) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("codecList"));
            preselected = list->currentItem()->data(Qt::UserRole).toString();
            modals.push_back(QStringLiteral("codec"));
            if (codecAnswer.isEmpty()) {
                static_cast<QDialog*>(modal)->reject();
                return;
            }
            for (int i = 0; i < list->count(); ++i)
                if (list->item(i)->data(Qt::UserRole).toString() == codecAnswer)
                    list->setCurrentRow(i);
            static_cast<QDialog*>(modal)->accept();
        } else if (auto* progress = qobject_cast<QProgressDialog*>(modal)) {
            if (modals.empty() || modals.back() != QLatin1String("progress"))
                modals.push_back(QStringLiteral("progress"));
            progressSeen = std::max(progressSeen, progress->value());
            progressMax = progress->maximum();
            if (cancel) {
                auto* button = progress->findChild<QPushButton*>();
                ASSERT_NE(button, nullptr);
                EXPECT_EQ(button->text(), QStringLiteral("取消"));
                button->click();
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            modals.push_back(QStringLiteral("message|") + box->text());
            box->accept();
        }
    }

    QByteArray Contents(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
    QString chosenName;
    QString chosenFilter = QStringLiteral("AVI Files (*.avi)");
    QString codecAnswer = QStringLiteral("pal8");
    bool cancel = false;
    std::vector<QString> dialogs;
    std::vector<QString> modals;
    QString preselected;
    int progressSeen = -1;
    int progressMax = -1;
};

TEST_F(VideoWindowTest, ExportsWithTheChosenCodecAndRemembersIt) {
    for (int i = 0; i < 3; ++i) doc->AddFrame();
    chosenName = dir.filePath(QStringLiteral("ZR1"));  // no extension: the filter's
    codecAnswer = QStringLiteral("bgr24");
    Trigger(32925);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0], QStringLiteral("输出视频文件|ZR1|AVI Files (*.avi);;MP4 Files "
                                         "(*.mp4);;WebM Files (*.webm);;GIF Files (*.gif);;All "
                                         "Files (*)|AVI Files (*.avi)"));
    EXPECT_EQ(preselected, QStringLiteral("pal8"));
    ASSERT_GE(modals.size(), 3u);
    EXPECT_EQ(modals.front(), QStringLiteral("codec"));
    EXPECT_EQ(modals.back(), QStringLiteral("message|") + kFileSaved);
    EXPECT_EQ(progressMax, 4);  // four frames, one pass for 24 bits
    // A 24-bit AVI of four frames of the view's size.
    const QSize view = frame->Screen().size();
    EXPECT_GT(QFileInfo(path).size(), 4LL * view.width() * view.height() * 3);
    EXPECT_EQ(Av().currentIndex, 1);

    // The next export offers the last choice first.
    modals.clear();
    codecAnswer = QStringLiteral("pal8");
    Trigger(32925);
    EXPECT_EQ(preselected, QStringLiteral("bgr24"));
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".bak")));
}

TEST_F(VideoWindowTest, TheGifFilterMakesAGifWithoutAskingACodec) {
    chosenName = dir.filePath(QStringLiteral("clip"));
    chosenFilter = QStringLiteral("GIF Files (*.gif)");
    Trigger(32925);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("clip.gif"))));
    ASSERT_FALSE(modals.empty());
    EXPECT_NE(modals.front(), QStringLiteral("codec"));
    EXPECT_EQ(modals.back(), QStringLiteral("message|") + kFileSaved);
}

TEST_F(VideoWindowTest, CancellingTheCodecLeavesTheOldFileAlone) {
    chosenName = path;
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    codecAnswer.clear();
    Trigger(32925);
    EXPECT_EQ(modals, std::vector<QString>{QStringLiteral("codec")});
    EXPECT_EQ(Contents(path), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(VideoWindowTest, CancelInTheProgressDialogPutsThePreviousFileBack) {
    for (int i = 0; i < 40; ++i) doc->AddFrame();
    chosenName = path;
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    cancel = true;
    Trigger(32925);
    EXPECT_NE(std::find(modals.begin(), modals.end(), QStringLiteral("progress")), modals.end());
    EXPECT_LT(progressSeen, progressMax);  // cancelled before the end
    EXPECT_EQ(Contents(path), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_FALSE(frame->statusBar()->currentMessage().isEmpty());
    // No failure message for a cancel.
    for (const QString& m : modals) EXPECT_FALSE(m.startsWith(QStringLiteral("message|")));
}

TEST_F(VideoWindowTest, AFastRateIsNotedInTheStatusBar) {
    chosenName = path;
    frame->Doc().rateText = QStringLiteral("60");
    Trigger(32925);
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("1/15")))
        << frame->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(modals.back(), QStringLiteral("message|") + kFileSaved);
}

}  // namespace
}  // namespace zv
