#include "dialogs/DlineStyle.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/DLineColor.h"
#include "gdi/GdiDc.h"

namespace zv {

namespace {

constexpr QSize kPenSampleSize{180, 40};
constexpr QSize kBrushSampleSize{180, 60};
constexpr int kLineInset = 5;

QRadioButton* AddRadio(QWidget* parent, QButtonGroup* group, QLayout* layout, int id,
                       const char* text) {
    auto* b = new QRadioButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::number(id));
    group->addButton(b, id);
    layout->addWidget(b);
    return b;
}

QLabel* MakeFrame(QWidget* parent, const QString& id, QSize size) {
    auto* l = new QLabel(parent);
    l->setObjectName(id);
    l->setFixedSize(size);
    l->setFrameShape(QFrame::Box);
    return l;
}

}  // namespace

CDlineStyle::CDlineStyle(const CDLineColor& colours, QWidget* parent)
    : QWidget(parent),
      colours_(colours),
      penSample_(kPenSampleSize, QImage::Format_RGB32),
      brushSample_(kBrushSampleSize, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("220"));
    setWindowTitle(tr("风格设定"));

    auto* penBox = new QGroupBox(tr("画笔"), this);
    auto* penColumn = new QVBoxLayout(penBox);
    penGroup_ = new QButtonGroup(this);
    static const char* kPenNames[7] = {"Solid",      "Dash",           "Dot", "Dashdot",
                                       "Dashdotdot", "Insideframe   ", "Null"};
    for (std::size_t i = 0; i < kPenStyles.size(); ++i)
        AddRadio(this, penGroup_, penColumn, kPenStyles[i].first, kPenNames[i]);

    auto* widthBox = new QGroupBox(tr("线宽"), this);
    auto* widthRow = new QHBoxLayout(widthBox);
    width_ = new QSpinBox(this);
    width_->setObjectName(QStringLiteral("1053"));
    width_->setAccessibleName(tr("线宽"));
    width_->setRange(1, 1000);
    width_->setValue(1);
    widthRow->addWidget(width_);

    auto* brushBox = new QGroupBox(tr("画刷"), this);
    auto* brushColumn = new QVBoxLayout(brushBox);
    brushGroup_ = new QButtonGroup(this);
    AddRadio(this, brushGroup_, brushColumn, 1056, "Hollow");
    AddRadio(this, brushGroup_, brushColumn, 1057, "Solid");
    AddRadio(this, brushGroup_, brushColumn, 1058, "Hatched");

    auto* hatchBox = new QGroupBox(tr("填充阴影"), this);
    auto* hatchColumn = new QVBoxLayout(hatchBox);
    hatchGroup_ = new QButtonGroup(this);
    static const char* kHatchNames[6] = {"Bdiagoanl", "Digcross", "Fdiagonal",
                                         "Cross",     "Vertical", "Horizontal"};
    for (int i = 0; i < 6; ++i) AddRadio(this, hatchGroup_, hatchColumn, 1059 + i, kHatchNames[i]);

    auto* modeBox = new QGroupBox(tr("背景模式"), this);
    auto* modeRow = new QHBoxLayout(modeBox);
    backModeBox_ = new QComboBox(this);
    backModeBox_->setObjectName(QStringLiteral("1066"));
    backModeBox_->addItems({tr("不透明"), tr("透明")});
    modeRow->addWidget(backModeBox_);

    penFrame_ = MakeFrame(this, QStringLiteral("1052"), kPenSampleSize);
    brushFrame_ = MakeFrame(this, QStringLiteral("1065"), kBrushSampleSize);

    auto* grid = new QGridLayout(this);
    grid->addWidget(penBox, 0, 0, 2, 1);
    grid->addWidget(widthBox, 0, 1);
    grid->addWidget(penFrame_, 1, 1);
    grid->addWidget(brushBox, 2, 0);
    grid->addWidget(hatchBox, 2, 1);
    grid->addWidget(modeBox, 3, 0);
    grid->addWidget(brushFrame_, 3, 1);

    // The page opens on these values.
    penGroup_->button(1045)->setChecked(true);
    brushGroup_->button(1056)->setChecked(true);
    hatchGroup_->button(1059)->setChecked(true);
    backModeBox_->setCurrentIndex(0);
    hatchStyle = kHatchOfIndex[0];

    // Every choice redraws both samples: each shows the pen and the brush together.
    connect(penGroup_, &QButtonGroup::idClicked, this, &CDlineStyle::ValuesChanged);
    connect(width_, &QSpinBox::valueChanged, this, &CDlineStyle::ValuesChanged);
    connect(brushGroup_, &QButtonGroup::idClicked, this, &CDlineStyle::ValuesChanged);
    connect(hatchGroup_, &QButtonGroup::idClicked, this, &CDlineStyle::ValuesChanged);
    connect(backModeBox_, &QComboBox::currentIndexChanged, this, &CDlineStyle::ValuesChanged);
    TakeValues();
    Redraw();
}

void CDlineStyle::TakeValues() {
    for (const auto& [id, style] : kPenStyles)
        if (penGroup_->checkedId() == id) penStyle = style;
    penWidth = width_->value();
    switch (brushGroup_->checkedId()) {
        case 1056:
            brushStyle = BS_HOLLOW;
            break;
        case 1057:
            brushStyle = BS_SOLID;
            break;
        case 1058:
            brushStyle = BS_HATCHED;
            break;
        default:
            break;
    }
    if (const int h = hatchGroup_->checkedId(); h >= 1059 && h <= 1064) {
        hatchIndex = h - 1059;
        hatchStyle = kHatchOfIndex[std::size_t(hatchIndex)];
    }
    backMode = backModeBox_->currentIndex() == 0 ? OPAQUE : TRANSPARENT;
}

void CDlineStyle::Redraw() {
    TakeValues();
    penColour = colours_.penColour;
    brushColour = colours_.brushColour;

    penSample_.fill(Qt::white);
    {
        GdiDc dc(penSample_);
        dc.SelectPen(GdiPen{penStyle, std::min(penWidth, kMaxPreviewWidth), penColour});
        dc.SelectBrush(GdiBrush{brushStyle, brushColour, hatchStyle});
        dc.SetBkMode(backMode);
        dc.SetBkColor(colours_.backColour);
        const int mid = penSample_.height() / 2;
        dc.MoveTo({kLineInset, mid});
        dc.LineTo({penSample_.width() - kLineInset, mid});
    }
    penFrame_->setPixmap(QPixmap::fromImage(penSample_));

    brushSample_.fill(Qt::white);
    {
        GdiDc dc(brushSample_);
        dc.SelectBrush(GdiBrush{brushStyle, brushColour, hatchStyle});
        dc.SetBkMode(backMode);
        dc.SetBkColor(colours_.backColour);
        dc.Rectangle({0, 0, brushSample_.width(), brushSample_.height()});
    }
    brushFrame_->setPixmap(QPixmap::fromImage(brushSample_));
}

void CDlineStyle::ValuesChanged() {
    Redraw();
    emit StyleChanged();
}

}  // namespace zv
