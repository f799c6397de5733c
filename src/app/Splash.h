#pragma once
// The splash window: "logo.bmp" from the start-up folder, shown for 1400 ms or until
// the first key or mouse click anywhere in the application, which it swallows.

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace zv {

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Shows the splash when `picturePath` loads; returns null (and shows nothing)
    // when it does not.
    static CSplashWnd* ShowSplash(const QString& picturePath, QWidget* over = nullptr);
    static constexpr int kDuration = 1400;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    explicit CSplashWnd(const QPixmap& picture);
    void HideSplash();

    QPixmap picture_;
    QTimer timer_;
};

}  // namespace zv
