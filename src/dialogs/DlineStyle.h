#pragma once
// "风格设定", the style page of the property sheet: pen style and width, brush style,
// hatch pattern and background mode of new shapes, with a sample line and a sample
// fill drawn as the shapes will draw them.

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>

#include "gdi/Geometry.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QSpinBox;

namespace zv {

class CDLineColor;

class CDlineStyle : public QWidget {
    Q_OBJECT
public:
    // `colours` is the colour page whose pen, brush and background colours the
    // previews use.
    CDlineStyle(const CDLineColor& colours, QWidget* parent = nullptr);

    // Radio button id -> pen style; index -> hatch style.
    static constexpr std::array<std::pair<int, std::uint32_t>, 7> kPenStyles = {
        {{1045, 0}, {1046, 1}, {1047, 2}, {1048, 3}, {1049, 4}, {1050, 6}, {1051, 5}}};
    static constexpr std::array<std::int32_t, 6> kHatchOfIndex = {3, 5, 2, 4, 1, 0};
    // The sample line never gets wider than this, whatever the width.
    static constexpr std::int32_t kMaxPreviewWidth = 10;

    std::int32_t backMode = 2;
    std::int32_t penWidth = 1;
    std::int32_t hatchIndex = 0;
    std::uint32_t penStyle = 0;
    std::uint32_t brushStyle = 1;
    std::int32_t hatchStyle = 3;
    COLORREF brushColour = 0x585858;
    COLORREF penColour = 0x585858;

    // Both samples again, with the colour page's colours as they are now.
    void Redraw();
    const QImage& PenSample() const { return penSample_; }
    const QImage& BrushSample() const { return brushSample_; }
    QButtonGroup* PenGroup() const { return penGroup_; }
    QButtonGroup* BrushGroup() const { return brushGroup_; }
    QButtonGroup* HatchGroup() const { return hatchGroup_; }
    QSpinBox* WidthEdit() const { return width_; }
    QComboBox* BackModeBox() const { return backModeBox_; }

signals:
    // A value changed: the drawing tool takes the style.
    void StyleChanged();

private:
    void TakeValues();
    void ValuesChanged();

    const CDLineColor& colours_;
    QButtonGroup* penGroup_;
    QButtonGroup* brushGroup_;
    QButtonGroup* hatchGroup_;
    QSpinBox* width_;
    QComboBox* backModeBox_;
    QLabel* penFrame_;
    QLabel* brushFrame_;
    QImage penSample_;
    QImage brushSample_;
};

}  // namespace zv
