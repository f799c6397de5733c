#include "editor/FileChoice.h"

#include <QCoreApplication>
#include <QFileInfo>

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

const FileDialogSpec& DialogSpecOf(FileChoice choice) {
    static const QString kSchemeFilter = QStringLiteral("ZRX Files (*.zrx);;All Files (*)");
    static const FileDialogSpec kSpecs[] = {
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
    };
    return kSpecs[static_cast<int>(choice)];
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty()) return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.'))) return path;
    return path + extension;
}

}  // namespace zv
