#include "dialogs/GridDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zv {

namespace {
constexpr int kMaxText = 100;
}

GridDialog::GridDialog(const GridCounts& current, QWidget* parent)
    : QDialog(parent), counts_(current) {
    setObjectName(QStringLiteral("137"));
    setWindowTitle(tr("背景方格"));
    auto makeEdit = [this](std::int32_t value, const QString& id, const QString& name) {
        auto* e = new QLineEdit(QString::number(value), this);
        e->setObjectName(id);
        e->setAccessibleName(name);
        e->setMaxLength(kMaxText);
        return e;
    };
    rows_ = makeEdit(current.rows, QStringLiteral("1040"), tr("行数"));
    cols_ = makeEdit(current.cols, QStringLiteral("1039"), tr("列数"));
    auto* form = new QFormLayout;
    form->addRow(tr("行数:"), rows_);
    form->addRow(tr("列数:"), cols_);
    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("error"));
    error_->setStyleSheet(QStringLiteral("color: #c00000"));
    error_->setWordWrap(true);
    error_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &GridDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(error_);
    column->addWidget(buttons);
    rows_->selectAll();
}

void GridDialog::accept() {
    const GridReading reading = ReadGridCounts(rows_->text(), cols_->text());
    if (!reading.counts) {
        error_->setText(reading.error);
        error_->show();
        rows_->setFocus(Qt::OtherFocusReason);
        return;
    }
    counts_ = *reading.counts;
    QDialog::accept();
}

}  // namespace zv
