#include "dialogs/CopyFrameDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zv {

CopyFrameDialog::CopyFrameDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("219"));
    setWindowTitle(tr("指定拷贝帧"));
    edit_ = new QLineEdit(QStringLiteral("1"), this);
    edit_->setObjectName(QStringLiteral("1042"));
    edit_->setAccessibleName(tr("帧序号"));
    edit_->selectAll();
    auto* form = new QFormLayout;
    auto* label = new QLabel(tr("帧序号："), this);
    label->setBuddy(edit_);
    form->addRow(label, edit_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

QString CopyFrameDialog::FrameText() const {
    return edit_->text();
}

}  // namespace zv
