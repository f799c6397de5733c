// The commands that move the scheme, the frame picture or the background in and out
// of files, and those that act on the picture in hand as a whole.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "editor/Document.h"
#include "editor/EditHistory.h"
#include "editor/FileChoice.h"
#include "editor/NumberText.h"
#include "editor/Player.h"
#include "editor/RecentFiles.h"
#include "gdi/BmpImage.h"
#include "layers/NeonBkg.h"
#include "layers/NeonImg.h"
#include "model/NeonAv.h"
#include "video/VideoExport.h"

namespace zv {

namespace {

// The depth a saved frame picture takes from the display: planes x bits per pixel
// below 2 gives 1, below 5 gives 4, up to 8 gives 8, and anything deeper 24.
int PictureDepthForDisplay(int displayBits) {
    if (displayBits < 2) return 1;
    if (displayBits < 5) return 4;
    if (displayBits <= 8) return 8;
    return 24;
}

const QString kSavedCaption = QStringLiteral("Zorvane");

// A message with the system's reason below it, when there is one.
QString WithReason(const QString& text, const QString& reason) {
    return reason.trimmed().isEmpty() ? text : text + QStringLiteral("\n\n") + reason.trimmed();
}

QString ChosenFile(EditorUi& ui, FileChoice kind) {
    const QString path = ui.ChooseFile(kind);
    const FileDialogSetup& setup = DialogSetupOf(kind);
    return setup.save ? WithDefaultExtension(path, setup.defaultExtension) : path;
}

}  // namespace

void Document::OpenScheme() {
    if (CanOperate(-1)) return;
    if (!MayDiscardChanges()) return;
    const QString path = ChosenFile(*ui_, FileChoice::OpenScheme);
    if (path.isEmpty()) return;
    OpenSchemeFile(path);
}

void Document::OpenRecentFile(int i) {
    if (CanOperate(-1)) return;
    const QStringList files = RecentFiles::Files();
    if (i < 0 || i >= files.size()) return;
    const QString path = files[i];
    if (!QFileInfo::exists(path)) {
        RecentFiles::Remove(path);
        emit RecentFilesChanged();
        ui_->ShowMessage(tr("文件不存在: %1").arg(path), QStringLiteral("Error"),
                         MessageIcon::Warning);
        return;
    }
    if (!MayDiscardChanges()) return;
    OpenSchemeFile(path);
}

bool Document::WriteRecoveryFile(const QString& path) const {
    if (path.isEmpty() || !animation_ || !background_) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && animation_->SaveScheme(file, *background_) &&
           file.commit();
}

void Document::SaveScheme() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    const QString path = ChosenFile(*ui_, FileChoice::SaveScheme);
    if (path.isEmpty()) return;
    SaveSchemeTo(path);
}

bool Document::SaveSchemeTo(const QString& path) {
    if (CanOperate(2)) return false;
    // A playing effect frame shows borrowed colours: its own are what is stored.
    LeaveEffectFrame();
    // What is saved is the state the history marks as saved.
    Checkpoint();
    QString error;
    if (!animation_->SaveSchemeFile(path, *background_, &error)) {
        ui_->ShowMessage(WithReason(tr(qPrintable(kFileSaveFailed)), error),
                         QStringLiteral("Error"), MessageIcon::Warning);
        return false;
    }
    history_->MarkSaved();
    SetFilePath(path);
    RecentFiles::Add(path);
    emit RecentFilesChanged();
    emit FileUsed(path);
    ui_->ShowMessage(tr(qPrintable(kFileSaved)), kSavedCaption, MessageIcon::Information);
    return true;
}

void Document::SavePicture() {
    if (CanOperate(2)) return;
    const QString path = ChosenFile(*ui_, FileChoice::SavePicture);
    if (path.isEmpty()) return;
    SavePictureTo(path);
}

QImage Document::ViewPicture() const {
    QImage picture(ClientSize(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (const CNeonFrame* frame = CurrentFrame()) frame->Render(picture, true, background_.get());
    return picture;
}

bool Document::SavePictureTo(const QString& path) {
    if (CanOperate(2)) return false;
    const QByteArray bytes = EncodeBmpImage(
        ViewPicture(), PictureDepthForDisplay(ui_->DisplayDepth()), BmpHeaderStyle::Export);
    // The picture replaces the file whole: a write that fails leaves the old file.
    QSaveFile file(path);
    const bool saved = !bytes.isEmpty() && file.open(QIODevice::WriteOnly) &&
                       file.write(bytes) == bytes.size() && file.commit();
    if (saved)
        ui_->ShowMessage(tr(qPrintable(kFileSaved)), kSavedCaption, MessageIcon::Information);
    else
        ui_->ShowMessage(WithReason(tr(qPrintable(kFileSaveFailed)), file.errorString()),
                         QStringLiteral("Error"), MessageIcon::Warning);
    InvalidateView();
    return saved;
}

void Document::ChooseBackground() {
    const QString path = ChosenFile(*ui_, FileChoice::Background);
    if (path.isEmpty()) return;
    SetBackgroundFile(path);
}

bool Document::SetBackgroundFile(const QString& path) {
    if (!background_) return false;
    const PictureResult imported = ui_->ImportPicture(path);
    if (!imported.Ok()) {
        if (imported.failure != PictureFailure::Cancelled)
            ui_->ShowMessage(WithReason(tr("无法读取背景图片: %1").arg(path), imported.message),
                             QStringLiteral("Error"), MessageIcon::Warning);
        return false;
    }
    background_->SetBitmap(imported.image);
    InvalidateView();
    Checkpoint(tr("背景图片"));
    return true;
}

void Document::CancelBackground() {
    if (!background_) return;
    background_->Clear();
    InvalidateView();
    Checkpoint(tr("取消背景"));
}

void Document::ZoomPicture(double factor) {
    CNeonFrame* frame = CurrentFrame();
    if (!frame || !frame->movingPicture) return;
    frame->movingPicture->Zoom(factor);
    DrawCurrentFrame(1);
}

void Document::TransparentDisplay() {
    if (CanOperate(2)) return;
    CNeonFrame* frame = CurrentFrame();
    if (pictureEditState <= 0 || !frame->movingPicture) return;
    frame->movingPicture->MakeTransparent(mainColour);
    FinishEdit(kKeyEnter);
    DrawCurrentFrame(1);
}

void Document::ExportVideo() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    player_->StopTimer();
    LeaveEffectFrame();
    // File and codec first: nothing on disk changes until both are chosen.
    const QString path = ChosenFile(*ui_, FileChoice::SaveVideo);
    if (path.isEmpty()) return;
    const auto container = ContainerOfPath(path);
    if (!container) {
        ui_->ShowMessage(
            WithReason(kFileSaveFailed,
                       QCoreApplication::translate(
                           "zv::Document", "视频文件的扩展名应为 .avi, .mp4, .webm 或 .gif")),
            QStringLiteral("Error"), MessageIcon::Warning);
        return;
    }
    VideoExportOptions options;
    options.path = path;
    options.size = ClientSize();
    options.rate = TextToNumber(rateText);
    if (*container == VideoContainer::Avi) {
        const std::vector<VideoCodec> offered = AviCodecs();
        if (offered.empty()) {  // no encoder module, or an FFmpeg without these encoders
            ui_->ShowMessage(WithReason(kFileSaveFailed, WhyCannotEncode(VideoCodec::Pal8)),
                             QStringLiteral("Error"), MessageIcon::Warning);
            return;
        }
        options.codec = ui_->AskVideoCodec(offered);
        if (!options.codec) return;
    }
    bool clamped = false;
    if (*container == VideoContainer::Avi) AviFrameDuration(options.rate, &clamped);
    if (clamped)
        ui_->ShowStatus(QCoreApplication::translate(
                            "zv::Document", "帧率 %1 超出 AVI 能显示的范围, 每帧按 1/15 秒输出")
                            .arg(options.rate));

    VideoExport job(*animation_, background_.get(), options);
    if (job.Start()) ui_->RunVideoExport(job);
    if (job.GetState() == VideoExport::State::Writing ||
        job.GetState() == VideoExport::State::Counting)
        job.Cancel();

    animation_->currentFrame = animation_->First();
    animation_->currentIndex = animation_->currentFrame ? 1 : 0;
    UpdateFrameCounter();
    DrawCurrentFrame(1);
    switch (job.GetState()) {
        case VideoExport::State::Saved:
            ui_->ShowMessage(kFileSaved, kSavedCaption, MessageIcon::Information);
            break;
        case VideoExport::State::Cancelled:
            ui_->ShowStatus(tr("视频输出已取消"));
            break;
        default:
            ui_->ShowMessage(WithReason(kFileSaveFailed, job.Error()), QStringLiteral("Error"),
                             MessageIcon::Warning);
            break;
    }
}

}  // namespace zv
