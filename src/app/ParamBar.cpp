#include "app/ParamBar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "editor/Document.h"
#include "editor/NumberText.h"

namespace zv {

RateSpin::RateSpin(QWidget* parent) : QAbstractSpinBox(parent) {
    setObjectName(QStringLiteral("1029"));
    lineEdit()->setText(QString::number(kMin));
    setWrapping(true);
    setAccessibleName(tr("Frame rate"));
    setMinimumWidth(64);
}

QValidator::State RateSpin::validate(QString&, int&) const {
    // Any text is accepted; the rate is read with the digits-only rule when played.
    return QValidator::Acceptable;
}

void RateSpin::stepBy(int steps) {
    const int typed = TextToNumber(text());
    const int from = typed >= kMin && typed <= kMax ? typed : position_;
    int to = from + steps * kStep;
    if (to > kMax) to = kMin;
    if (to < kMin) to = kMax;
    position_ = to;
    lineEdit()->setText(QString::number(to));
    emit editingFinished();
}

CDlgParamSet::CDlgParamSet(Document& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("param"));
    setAccessibleName(tr("参数栏"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);

    auto* posLabel = new QLabel(tr("当前位置："), this);
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setObjectName(QStringLiteral("1014"));
    scroll_->setAccessibleName(tr("当前位置"));
    scroll_->setRange(1, 1);
    scroll_->setMinimumWidth(160);
    posLabel->setBuddy(scroll_);
    counter_ = new QLabel(QStringLiteral("(1/1)"), this);
    counter_->setObjectName(QStringLiteral("1022"));
    counter_->setAccessibleName(tr("Frame counter"));
    counter_->setMinimumWidth(70);

    auto* rateLabel = new QLabel(tr("频率："), this);
    rate_ = new RateSpin(this);
    rateLabel->setBuddy(rate_);
    auto* perSecond = new QLabel(tr("(帧/秒)"), this);
    loop_ = new QCheckBox(tr("循环播放 "), this);
    loop_->setObjectName(QStringLiteral("1016"));
    category_ = new QLabel(tr("帧类别:普通帧"), this);
    category_->setObjectName(QStringLiteral("1030"));
    category_->setAccessibleName(tr("Frame category"));
    category_->setMinimumWidth(200);

    layers_ = new QButtonGroup(this);
    const char* names[] = {QT_TR_NOOP("背景"), QT_TR_NOOP("文字"), QT_TR_NOOP("图片"),
                           QT_TR_NOOP("图形")};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(tr(names[i]), this);
        b->setObjectName(QString::number(1032 + i));
        layers_->addButton(b, i);
    }
    layers_->button(0)->setChecked(true);

    row->addWidget(posLabel);
    row->addWidget(scroll_, 1);
    row->addWidget(counter_);
    row->addSpacing(8);
    row->addWidget(rateLabel);
    row->addWidget(rate_);
    row->addWidget(perSecond);
    row->addSpacing(8);
    row->addWidget(loop_);
    row->addWidget(category_);
    for (QAbstractButton* b : layers_->buttons()) row->addWidget(b);

    connect(rate_->Edit(), &QLineEdit::textChanged, this,
            [this](const QString& t) { doc_.rateText = t; });
    connect(loop_, &QCheckBox::toggled, this, [this](bool on) { doc_.loopPlayback = on; });
    connect(layers_, &QButtonGroup::idClicked, this, [this](int id) { doc_.ChooseEditLayer(id); });
    // Dragging the position moves to that frame, as the navigation commands do.
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        if (updating_) return;
        doc_.GoToFrame(v);
    });
}

void CDlgParamSet::SetCounter(int count, int index) {
    updating_ = true;
    scroll_->setRange(1, std::max(count, 1));
    scroll_->setValue(index);
    updating_ = false;
    counter_->setText(QStringLiteral("(%1/%2)").arg(index).arg(count));
}

void CDlgParamSet::SetCategoryText(const QString& text) {
    category_->setText(text);
}

void CDlgParamSet::SyncLayer() {
    if (QAbstractButton* b = layers_->button(doc_.editLayer)) {
        if (!b->isChecked()) b->setChecked(true);
    }
}

}  // namespace zv
