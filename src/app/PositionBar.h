#pragma once
// The Position bar: typed points in place of mouse clicks ("1 x,y" click, "2 x,y"
// double click, "3 x,y" move to, "4 x,y,a" rotate), sent to the editor on Enter.

#include <QWidget>

class QLineEdit;

namespace zv {

class Document;

class CLocDlg : public QWidget {
    Q_OBJECT
public:
    explicit CLocDlg(Document& doc, QWidget* parent = nullptr);
    QLineEdit* Edit() const { return edit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    Document& doc_;
    QLineEdit* edit_;
};

}  // namespace zv
