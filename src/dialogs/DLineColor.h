#pragma once
// "颜色设定", the colour page of the property sheet: the current colour, chosen from
// sixteen swatches, three sliders with their edit boxes, the colour dialog or a pick
// in the view, and the pen, brush and background colours of the drawing style, which
// follow the current colour while their check box is on.

#include <QColor>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

#include "gdi/Geometry.h"

class QCheckBox;
class QFrame;
class QPushButton;
class QSlider;
class QSpinBox;
class QToolButton;

namespace zv {

// (parent, initial colour) -> the colour chosen, nothing when cancelled.
using ColourChooser = std::function<std::optional<QColor>(QWidget*, const QColor&)>;

class CDLineColor : public QWidget {
    Q_OBJECT
public:
    CDLineColor(ColourChooser chooser, QWidget* parent = nullptr);

    // Control id and colour of each swatch, four rows of four.
    struct Swatch {
        int id;
        COLORREF colour;
    };
    static const std::array<Swatch, 16>& Swatches();

    // The current colour; the checked style colours follow it, and the sliders and
    // edit boxes show it.
    void SetCurrentColour(COLORREF colour);

    COLORREF currentColour = 0;
    COLORREF penColour = 0x585858;
    COLORREF brushColour = 0x585858;
    COLORREF backColour = 0xFFFFFF;

    QSlider* Slider(int channel) const { return sliders_[std::size_t(channel)]; }  // 0 r, 1 g, 2 b
    QSpinBox* Edit(int channel) const { return edits_[std::size_t(channel)]; }
    QCheckBox* PenCheck() const { return follow_[0]; }
    QCheckBox* BrushCheck() const { return follow_[1]; }
    QCheckBox* BackCheck() const { return follow_[2]; }
    QToolButton* SwatchButton(int index) const { return swatches_[std::size_t(index)]; }
    QPushButton* PickButton() const { return pick_; }
    QPushButton* PaletteButton() const { return palette_; }
    QPushButton* UpdateButton() const { return update_; }
    // The colour shown by a preview: the current colour and the three style colours.
    COLORREF Shown(const QFrame* preview) const;
    QFrame* CurrentPreview() const { return previews_[0]; }
    QFrame* PenPreview() const { return previews_[1]; }
    QFrame* BrushPreview() const { return previews_[2]; }
    QFrame* BackPreview() const { return previews_[3]; }

signals:
    // A style colour changed.
    void ColoursChanged();
    void PickRequested();
    void UpdateRequested();

private:
    void SlidersMoved();
    void Follow(int which);
    // The common step: current colour, followers, previews; the sliders and edits
    // when `moveSliders`.
    void TakeColour(COLORREF colour, bool moveSliders);
    void ShowColours();
    void ChoosePaletteColour();

    ColourChooser chooser_;
    std::array<QToolButton*, 16> swatches_{};
    std::array<QSlider*, 3> sliders_{};
    std::array<QSpinBox*, 3> edits_{};
    std::array<QCheckBox*, 3> follow_{};
    std::array<QFrame*, 4> previews_{};
    QPushButton* pick_ = nullptr;
    QPushButton* palette_ = nullptr;
    QPushButton* update_ = nullptr;
    bool syncing_ = false;
};

}  // namespace zv
