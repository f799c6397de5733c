#pragma once
// "指定拷贝帧": asks for the number of the frame to copy into the current one.

#include <QDialog>

class QLineEdit;

namespace zv {

class CopyFrameDialog : public QDialog {
    Q_OBJECT
public:
    explicit CopyFrameDialog(QWidget* parent = nullptr);
    QString FrameText() const;
    QLineEdit* Edit() const { return edit_; }

private:
    QLineEdit* edit_;
};

}  // namespace zv
