#include "app/PaletteBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "app/Choosers.h"
#include "editor/Document.h"

namespace zv {

namespace {
// The boxes' places in dialog units, and the size of a dialog unit here.
constexpr int kUnitX = 2;
constexpr int kUnitY = 2;

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
COLORREF ToColorRef(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}
}  // namespace

CPaletteBar::CPaletteBar(Document& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("palette"));
    setAccessibleName(tr("调色板"));
    setAccessibleDescription(
        tr("Click the front colour to change it; click the back colour to "
           "bring it to the front"));
    setToolTip(tr("Current colour"));
    setFixedSize(sizeHint());
}

QRect CPaletteBar::MainBox() const {
    return {5 * kUnitX, 4 * kUnitY, 14 * kUnitX, 13 * kUnitY};
}

QRect CPaletteBar::SecondBox() const {
    return {13 * kUnitX, 10 * kUnitY, 13 * kUnitX, 13 * kUnitY};
}

QSize CPaletteBar::sizeHint() const {
    return {30 * kUnitX, 27 * kUnitY};
}

void CPaletteBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool mainFront = doc_.mainInFront;
    const QRect back = mainFront ? SecondBox() : MainBox();
    const QRect front = mainFront ? MainBox() : SecondBox();
    const COLORREF backColour = mainFront ? doc_.secondColour : doc_.mainColour;
    const COLORREF frontColour = mainFront ? doc_.mainColour : doc_.secondColour;
    p.setPen(palette().color(QPalette::WindowText));
    p.setBrush(ToQColor(backColour));
    p.drawRect(back.adjusted(0, 0, -1, -1));
    p.setBrush(ToQColor(frontColour));
    p.drawRect(front.adjusted(0, 0, -1, -1));
}

void CPaletteBar::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint pt = e->position().toPoint();
    const bool mainFront = doc_.mainInFront;
    const QRect front = mainFront ? MainBox() : SecondBox();
    const QRect back = mainFront ? SecondBox() : MainBox();
    if (front.contains(pt)) {
        ChooseColour(mainFront);
    } else if (QRegion(back).subtracted(QRegion(front)).contains(pt)) {
        doc_.BringColourToFront(!mainFront);
    }
    update();
}

void CPaletteBar::ChooseColour(bool main) {
    const COLORREF now = main ? doc_.mainColour : doc_.secondColour;
    const std::optional<QColor> chosen = AppChoosers().colour(this, ToQColor(now));
    if (!chosen) return;
    if (main)
        doc_.SetMainColour(ToColorRef(*chosen));
    else
        doc_.SetSecondColour(ToColorRef(*chosen));
}

}  // namespace zv
