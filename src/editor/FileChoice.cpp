#include "editor/FileChoice.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "video/VideoCodec.h"

namespace zv {

QString PictureImportFilter() {
    return QStringLiteral("Picture Files (*.bmp *.dib *.emf *.gif *.ico *.jpg *.jpeg *.wmf)");
}

namespace {

// Built on first use, after the interface's language is chosen.
QString Tr(const char* source) {
    return QCoreApplication::translate("FileChoice", source);
}

}  // namespace

const FileDialogSetup& DialogSetupOf(FileChoice choice) {
    static const QString kSchemeFilter = QStringLiteral("ZRX Files (*.zrx);;All Files (*)");
    static const FileDialogSetup kSetups[] = {
        {false, Tr(QT_TRANSLATE_NOOP("FileChoice", "打开")), QString(), QStringLiteral(".zrx"),
         kSchemeFilter},
        {true, Tr(QT_TRANSLATE_NOOP("FileChoice", "保存方案")), QStringLiteral("Zorvane1"),
         QStringLiteral(".zrx"), kSchemeFilter},
        {true, Tr(QT_TRANSLATE_NOOP("FileChoice", "保存图片")), QStringLiteral("ZRFrame1"),
         QStringLiteral(".bmp"), QStringLiteral("BMP Files (*.bmp);;All Files (*)")},
        // Bitmaps first, as the command has always offered them; every other picture
        // type the picture tool reads loads as well.
        {false, Tr(QT_TRANSLATE_NOOP("FileChoice", "背景图片")), QString(), QString(),
         Tr(QT_TRANSLATE_NOOP("FileChoice", "位图文件(*.bmp)")) + QStringLiteral(";;") +
             PictureImportFilter() + QStringLiteral(";;All Files (*)")},
        // AVI first, as the command has always written it; the files people share after.
        {true, Tr(QT_TRANSLATE_NOOP("FileChoice", "输出视频文件")), QStringLiteral("ZR1"),
         QStringLiteral(".avi"),
         QStringLiteral("AVI Files (*.avi);;MP4 Files (*.mp4);;WebM Files (*.webm);;"
                        "GIF Files (*.gif);;All Files (*)")},
    };
    return kSetups[static_cast<int>(choice)];
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty()) return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.'))) return path;
    return path + extension;
}

QString VideoPathForFilter(const QString& path, const QString& filter) {
    if (path.isEmpty() || ContainerOfPath(path)) return path;
    // The name ends in a dot when the user typed one: it keeps it, without another.
    const QString stem = path.endsWith(QLatin1Char('.')) ? path.chopped(1) : path;
    for (const VideoContainer c :
         {VideoContainer::Avi, VideoContainer::Mp4, VideoContainer::WebM, VideoContainer::Gif})
        if (filter.contains(QLatin1Char('*') + ContainerExtension(c)))
            return stem + ContainerExtension(c);
    return stem + ContainerExtension(VideoContainer::Avi);
}

}  // namespace zv
