#include "dialogs/ScaleDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zv {

ScaleDialog::ScaleDialog(int percent, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("139"));
    setWindowTitle(tr("背景缩放"));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("1009"));
    slider_->setAccessibleName(tr("缩放"));
    slider_->setRange(0, 100);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(10);
    slider_->setValue(percent);
    auto* scale =
        new QLabel(QStringLiteral("0   10   20   30   40   50   60   70   80   90  100 "), this);
    value_ = new QLabel(this);
    value_->setObjectName(QStringLiteral("value"));
    value_->setAlignment(Qt::AlignCenter);
    auto showValue = [this](int v) { value_->setText(QStringLiteral("%1%").arg(v)); };
    showValue(slider_->value());
    connect(slider_, &QSlider::valueChanged, this, showValue);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(value_);
    column->addWidget(slider_);
    column->addWidget(scale);
    column->addWidget(buttons);
    setMinimumWidth(320);
}

int ScaleDialog::Percent() const {
    return slider_->value();
}

}  // namespace zv
