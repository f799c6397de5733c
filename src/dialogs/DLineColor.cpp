#include "dialogs/DLineColor.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace zv {

namespace {

QColor ToColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

QFrame* MakePreview(QWidget* parent, const QString& id, QSize size) {
    auto* f = new QFrame(parent);
    f->setObjectName(id);
    f->setFrameShape(QFrame::Box);
    f->setFixedSize(size);
    f->setAutoFillBackground(true);
    return f;
}

void Fill(QFrame* f, COLORREF c) {
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, ToColor(c));
    f->setPalette(pal);
}

}  // namespace

const std::array<CDLineColor::Swatch, 16>& CDLineColor::Swatches() {
    static const std::array<Swatch, 16> kSwatches = {{
        {1067, 0x000000},
        {1068, 0x505050},
        {1070, 0xB4B4B4},
        {1069, 0xFFFFFF},
        {1071, 0x800000},
        {1072, 0xFF0000},
        {1073, 0x00FF00},
        {1074, 0xFFFF00},
        {1075, 0xAAAA00},
        {1076, 0x008000},
        {1077, 0x008080},
        {1078, 0x00FFFF},
        {1080, 0x000080},
        {1081, 0x800080},
        {1082, 0xFF00FF},
        {1079, 0x0000FF},
    }};
    return kSwatches;
}

CDLineColor::CDLineColor(ColourChooser chooser, QWidget* parent)
    : QWidget(parent), chooser_(std::move(chooser)) {
    setObjectName(QStringLiteral("221"));
    setWindowTitle(tr("颜色设定"));

    auto* swatchGrid = new QGridLayout;
    swatchGrid->setSpacing(2);
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        const Swatch& s = Swatches()[i];
        auto* b = new QToolButton(this);
        b->setObjectName(QString::number(s.id));
        b->setAccessibleName(ToColor(s.colour).name());
        QPixmap chip(18, 18);
        chip.fill(ToColor(s.colour));
        b->setIcon(QIcon(chip));
        b->setAutoRaise(true);
        const COLORREF colour = s.colour;
        connect(b, &QToolButton::clicked, this, [this, colour] { SetCurrentColour(colour); });
        swatches_[i] = b;
        swatchGrid->addWidget(b, int(i / 4), int(i % 4));
    }
    previews_[0] = MakePreview(this, QStringLiteral("1083"), {48, 48});
    auto* top = new QHBoxLayout;
    top->addLayout(swatchGrid);
    top->addWidget(previews_[0]);
    top->addStretch();

    static const char* kChannels[3] = {QT_TR_NOOP("红"), QT_TR_NOOP("绿"), QT_TR_NOOP("蓝")};
    auto* sliderGrid = new QGridLayout;
    for (int ch = 0; ch < 3; ++ch) {
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setObjectName(QString::number(1090 + ch));
        s->setAccessibleName(tr(kChannels[ch]));
        s->setRange(0, 255);
        s->setTickInterval(26);
        s->setTickPosition(QSlider::TicksBelow);
        auto* e = new QSpinBox(this);
        e->setObjectName(QString::number(1093 + ch));
        e->setAccessibleName(tr(kChannels[ch]));
        e->setRange(0, 255);
        // The box and its slider move together; either one changes the colour.
        connect(s, &QSlider::valueChanged, e, &QSpinBox::setValue);
        connect(e, &QSpinBox::valueChanged, s, &QSlider::setValue);
        connect(s, &QSlider::valueChanged, this, &CDLineColor::SlidersMoved);
        sliders_[std::size_t(ch)] = s;
        edits_[std::size_t(ch)] = e;
        sliderGrid->addWidget(new QLabel(tr(kChannels[ch]), this), ch, 0);
        sliderGrid->addWidget(s, ch, 1);
        sliderGrid->addWidget(e, ch, 2);
    }

    pick_ = new QPushButton(tr("拾取"), this);
    pick_->setObjectName(QStringLiteral("1096"));
    palette_ = new QPushButton(tr("调色板"), this);
    palette_->setObjectName(QStringLiteral("1097"));
    update_ = new QPushButton(tr("更新"), this);
    update_->setObjectName(QStringLiteral("1104"));
    connect(pick_, &QPushButton::clicked, this, &CDLineColor::PickRequested);
    connect(palette_, &QPushButton::clicked, this, &CDLineColor::ChoosePaletteColour);
    connect(update_, &QPushButton::clicked, this, &CDLineColor::UpdateRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pick_);
    buttons->addWidget(palette_);
    buttons->addWidget(update_);

    static const char* kFollow[3] = {QT_TR_NOOP("画笔"), QT_TR_NOOP("画刷"), QT_TR_NOOP("背景")};
    auto* followBox = new QGroupBox(this);
    auto* followGrid = new QGridLayout(followBox);
    for (int i = 0; i < 3; ++i) {
        auto* c = new QCheckBox(tr(kFollow[i]), this);
        c->setObjectName(QString::number(1098 + 2 * i));
        connect(c, &QCheckBox::clicked, this, [this, i] { Follow(i); });
        follow_[std::size_t(i)] = c;
        previews_[std::size_t(i) + 1] = MakePreview(this, QString::number(1099 + 2 * i), {40, 20});
        followGrid->addWidget(c, 0, i);
        followGrid->addWidget(previews_[std::size_t(i) + 1], 1, i);
    }

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(sliderGrid);
    column->addLayout(buttons);
    column->addWidget(followBox);
    column->addStretch();
    ShowColours();
}

void CDLineColor::SetCurrentColour(COLORREF colour) {
    TakeColour(colour, true);
}

void CDLineColor::TakeColour(COLORREF colour, bool moveSliders) {
    currentColour = colour & 0xFFFFFF;
    bool changed = false;
    COLORREF* styleColours[3] = {&penColour, &brushColour, &backColour};
    for (int i = 0; i < 3; ++i) {
        if (!follow_[std::size_t(i)]->isChecked()) continue;
        changed = changed || *styleColours[i] != currentColour;
        *styleColours[i] = currentColour;
    }
    if (moveSliders) {
        syncing_ = true;
        const int parts[3] = {GetRValue(currentColour), GetGValue(currentColour),
                              GetBValue(currentColour)};
        for (int ch = 0; ch < 3; ++ch) sliders_[std::size_t(ch)]->setValue(parts[ch]);
        syncing_ = false;
    }
    ShowColours();
    if (changed) emit ColoursChanged();
}

void CDLineColor::SlidersMoved() {
    if (syncing_) return;
    TakeColour(RGB(sliders_[0]->value(), sliders_[1]->value(), sliders_[2]->value()), false);
}

void CDLineColor::Follow(int which) {
    // A click copies the current colour whether the box turns on or off.
    COLORREF* styleColours[3] = {&penColour, &brushColour, &backColour};
    *styleColours[which] = currentColour;
    ShowColours();
    emit ColoursChanged();
}

void CDLineColor::ShowColours() {
    Fill(previews_[0], currentColour);
    Fill(previews_[1], penColour);
    Fill(previews_[2], brushColour);
    Fill(previews_[3], backColour);
}

COLORREF CDLineColor::Shown(const QFrame* preview) const {
    return FromColor(preview->palette().color(QPalette::Window));
}

void CDLineColor::ChoosePaletteColour() {
    if (!chooser_) return;
    const std::optional<QColor> chosen = chooser_(this, ToColor(currentColour));
    if (chosen && chosen->isValid()) SetCurrentColour(FromColor(*chosen));
}

}  // namespace zv
