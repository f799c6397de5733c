#pragma once
// The about box: the application icon, "Zorvane 4.0" and an OK button.

#include <QDialog>

namespace zv {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace zv
