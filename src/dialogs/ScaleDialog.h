#pragma once
// "背景缩放": how much of a region's rectangle its grid fills, in percent, for new
// lit regions and the current one.

#include <QDialog>

class QLabel;
class QSlider;

namespace zv {

class ScaleDialog : public QDialog {
    Q_OBJECT
public:
    ScaleDialog(int percent, QWidget* parent = nullptr);

    int Percent() const;
    QSlider* Slider() const { return slider_; }

private:
    QSlider* slider_;
    QLabel* value_;
};

}  // namespace zv
