#pragma once
// The palette bar: the main colour, which the brush, the paint bucket, new texts and
// transparent display use, and a second colour, shown as two overlapping boxes.
// Clicking the box in front opens the colour dialog; clicking the visible part of
// the box behind brings it to the front.

#include <QRect>
#include <QWidget>

namespace zv {

class Document;

class CPaletteBar : public QWidget {
    Q_OBJECT
public:
    explicit CPaletteBar(Document& doc, QWidget* parent = nullptr);

    QRect MainBox() const;
    QRect SecondBox() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void ChooseColour(bool main);

    Document& doc_;
};

}  // namespace zv
