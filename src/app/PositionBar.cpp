#include "app/PositionBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "editor/Document.h"

namespace zv {

CLocDlg::CLocDlg(Document& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("Position"));
    setAccessibleName(QStringLiteral("Position"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(tr("输入:"), this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("1040"));
    edit_->setAccessibleName(tr("输入"));
    edit_->setToolTip(tr("1 x,y: click; 2 x,y: double click; 3 x,y: move to; 4 x,y,a: rotate"));
    edit_->setMinimumWidth(160);
    label->setBuddy(edit_);
    row->addWidget(label);
    row->addWidget(edit_, 1);
    edit_->installEventFilter(this);
}

bool CLocDlg::eventFilter(QObject* watched, QEvent* e) {
    if (watched == edit_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            doc_.PositionKey(key, edit_->text());
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace zv
