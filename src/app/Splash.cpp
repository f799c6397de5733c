#include "app/Splash.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

namespace zv {

CSplashWnd* CSplashWnd::ShowSplash(const QString& picturePath, QWidget* over) {
    QPixmap picture;
    if (!picture.load(picturePath, "BMP") || picture.isNull()) return nullptr;
    auto* splash = new CSplashWnd(picture);
    const QScreen* screen =
        over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect r(QPoint(), picture.size());
        r.moveCenter(screen->geometry().center());
        splash->setGeometry(r);
    }
    splash->show();
    splash->raise();
    return splash;
}

CSplashWnd::CSplashWnd(const QPixmap& picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(picture) {
    setObjectName(QStringLiteral("splash"));
    setAccessibleName(QStringLiteral("Zorvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture.size());
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CSplashWnd::HideSplash);
    timer_.start(kDuration);
    qApp->installEventFilter(this);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject*, QEvent* e) {
    switch (e->type()) {
        case QEvent::ShortcutOverride:
            // Taken as an ordinary key, so no shortcut fires; the key press that
            // follows closes the splash.
            e->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            HideSplash();
            return true;
        default:
            return false;
    }
}

void CSplashWnd::HideSplash() {
    qApp->removeEventFilter(this);
    timer_.stop();
    close();
    if (QWidget* w = QApplication::activeWindow()) w->update();
}

}  // namespace zv
