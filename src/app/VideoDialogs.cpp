#include "app/VideoDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

#include "video/VideoExport.h"

namespace zv {

namespace {

const QString kCodecKey = QStringLiteral("video/aviCodec");

}  // namespace

std::optional<VideoCodec> AskVideoCodec(QWidget* parent, const std::vector<VideoCodec>& offered) {
    if (offered.empty()) return std::nullopt;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("videoCodecDialog"));
    dialog.setWindowTitle(QCoreApplication::translate("zv::VideoDialogs", "视频压缩"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel(QCoreApplication::translate("zv::VideoDialogs", "压缩程序:"), &dialog));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("codecList"));
    const QString last = QSettings().value(kCodecKey).toString();
    int selected = 0;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        auto* item = new QListWidgetItem(CodecLabel(offered[i]), list);
        item->setData(Qt::UserRole, CodecName(offered[i]));
        if (CodecName(offered[i]) == last) selected = int(i);
    }
    list->setCurrentRow(selected);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return std::nullopt;
    const QString name = list->currentItem()->data(Qt::UserRole).toString();
    QSettings().setValue(kCodecKey, name);
    return CodecFromName(name);
}

void RunVideoExport(QWidget* parent, VideoExport& job) {
    QProgressDialog progress(QCoreApplication::translate("zv::VideoDialogs", "正在输出视频..."),
                             QCoreApplication::translate("zv::VideoDialogs", "取消"), 0,
                             int(std::min<std::int64_t>(job.Total(), 1 << 30)), parent);
    progress.setObjectName(QStringLiteral("videoProgress"));
    progress.setWindowTitle(QCoreApplication::translate("zv::VideoDialogs", "输出视频"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setValue(0);

    // One video frame per turn of the event loop: paints, input and Cancel get through
    // between frames.
    QEventLoop loop;
    QTimer step;
    step.setInterval(0);
    QObject::connect(&step, &QTimer::timeout, &loop, [&] {
        if (progress.wasCanceled()) {
            job.Cancel();
        } else if (job.Step()) {
            progress.setValue(int(std::min<std::int64_t>(job.Done(), 1 << 30)));
            return;
        }
        step.stop();
        loop.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        step.stop();
        job.Cancel();
        loop.quit();
    });
    step.start();
    loop.exec();
}

}  // namespace zv
