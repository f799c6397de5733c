#pragma once
// The parameter bar: where the animation stands (scroll bar and counter), the
// playback rate with its spin buttons, loop playback, the frame category and the
// edit-layer radio buttons.

#include <QAbstractSpinBox>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QScrollBar;

namespace zv {

class Document;

// The rate edit and its spin buttons: any text may be typed; the buttons step
// 10, 20, 30, 40, 50 and wrap around.
class RateSpin : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit RateSpin(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    QLineEdit* Edit() const { return lineEdit(); }
    QValidator::State validate(QString& input, int& pos) const override;
    static constexpr int kMin = 10;
    static constexpr int kMax = 50;
    static constexpr int kStep = 10;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    int position_ = kMin;
};

class CDlgParamSet : public QWidget {
    Q_OBJECT
public:
    explicit CDlgParamSet(Document& doc, QWidget* parent = nullptr);

    void SetCounter(int count, int index);
    void SetCategoryText(const QString& text);
    // The radio buttons follow the document's edit layer.
    void SyncLayer();

    QScrollBar* PositionBar() const { return scroll_; }
    QLabel* CounterLabel() const { return counter_; }
    RateSpin* Rate() const { return rate_; }
    QCheckBox* LoopCheck() const { return loop_; }
    QLabel* CategoryLabel() const { return category_; }
    QButtonGroup* Layers() const { return layers_; }

private:
    Document& doc_;
    QScrollBar* scroll_;
    QLabel* counter_;
    RateSpin* rate_;
    QCheckBox* loop_;
    QLabel* category_;
    QButtonGroup* layers_;
    bool updating_ = false;
};

}  // namespace zv
