#include "dialogs/TextToolBar.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QSignalBlocker>

#include "editor/Document.h"
#include "gdi/LogFont.h"

namespace zv {

namespace {

// The faces offered: the Windows faces that schemes name and that draw here with a
// substitute, then every scalable family of the system.
QStringList OfferedFaces() {
    QStringList faces = SubstitutedWindowsFaces();
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family) &&
            !faces.contains(family, Qt::CaseInsensitive))
            faces << family;
    return faces;
}

}  // namespace

CTextToolBar::CTextToolBar(Document& doc, const QList<QAction*>& toggles, QWidget* parent)
    : QToolBar(tr("文字工具条"), parent), doc_(doc) {
    setObjectName(QStringLiteral("文字工具条"));
    setAccessibleName(tr("文字工具条"));
    setIconSize(QSize(16, 16));
    addActions(toggles);
    addSeparator();

    faces_ = new QComboBox(this);
    faces_->setObjectName(QStringLiteral("32853"));
    faces_->setAccessibleName(tr("字体"));
    faces_->setMaxVisibleItems(16);
    faces_->setMinimumContentsLength(32);
    faces_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    faces_->addItems(OfferedFaces());
    addWidget(faces_);
    addSeparator();

    sizes_ = new QComboBox(this);
    sizes_->setObjectName(QStringLiteral("32854"));
    sizes_->setAccessibleName(tr("字号"));
    sizes_->setMaxVisibleItems(14);
    sizes_->setMinimumContentsLength(4);
    for (int size : kSizes) sizes_->addItem(QString::number(size), size);
    addWidget(sizes_);

    connect(faces_, &QComboBox::textActivated, this,
            [this](const QString& face) { doc_.SetTextFace(face); });
    connect(sizes_, &QComboBox::activated, this,
            [this](int index) { doc_.SetTextSize(sizes_->itemData(index).toInt()); });
    Sync();
}

void CTextToolBar::SelectEntry(QComboBox* list, const QString& text) {
    const QSignalBlocker block(list);
    int index = list->findText(text);
    if (index < 0) {
        // A text from a file may name a face or size the list does not offer: it is
        // shown as it is, so that the file keeps it.
        list->insertItem(0, text, text.toInt());
        index = 0;
    }
    list->setCurrentIndex(index);
}

void CTextToolBar::Sync() {
    SelectEntry(faces_, doc_.textFont.Face());
    SelectEntry(sizes_, QString::number(doc_.textFont.Size()));
}

}  // namespace zv
