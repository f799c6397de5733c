#include "res/Resources.h"

#include <QDir>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <optional>

namespace zv {
namespace {

struct CursorEntry {
    int id;
    const char* drawing;
    int hotX;
    int hotY;
};

// Hot spots are where each drawing's working point lies (see the comment in each file).
constexpr std::array kCursors{
    CursorEntry{104, "arrow", 1, 1},       CursorEntry{188, "region-select", 1, 1},
    CursorEntry{190, "brush", 3, 28},      CursorEntry{197, "paint-bucket", 6, 28},
    CursorEntry{200, "picture", 8, 8},     CursorEntry{213, "text", 16, 16},
    CursorEntry{217, "crosshair", 16, 16}, CursorEntry{218, "move", 16, 16},
    CursorEntry{219, "idle-arrow", 1, 1},  CursorEntry{239, "colour-pick", 3, 28},
};
constexpr int kDefaultCursor = 104;
constexpr int kCursorSize = 32;

QString DrawingPath(const QString& drawing) {
    return QStringLiteral(":/zorvane/icons/%1.svg").arg(drawing);
}

QString FallbackPath(const QString& themeName) {
    return QStringLiteral(":/zorvane/icons/fallback/%1.svg").arg(themeName);
}

const CursorEntry& FindCursor(int resourceId) {
    auto it = std::find_if(kCursors.begin(), kCursors.end(),
                           [resourceId](const auto& e) { return e.id == resourceId; });
    if (it == kCursors.end())
        it = std::find_if(kCursors.begin(), kCursors.end(),
                          [](const auto& e) { return e.id == kDefaultCursor; });
    return *it;
}

QIcon LookUpThemeIcon(const QString& name) {
    // Our drawing is read only when the theme lacks the name.
    QIcon themed = QIcon::fromTheme(name);
    if (!themed.isNull() && !themed.availableSizes().isEmpty()) return themed;
    const QString ours = FallbackPath(name);
    return QFile::exists(ours) ? QIcon(ours) : QIcon();
}

// Our drawing for a name: the fallback of a theme name, or a drawing of our own.
QString OwnDrawing(const QString& name) {
    return name.contains(QLatin1Char('/')) ? DrawingPath(name) : FallbackPath(name);
}

QIcon LookUpNamedIcon(const QString& name) {
    if (!name.contains(QLatin1Char('/'))) return LookUpThemeIcon(name);
    const QString path = DrawingPath(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

// Finding an icon in the themes and parsing its drawing costs more than everything
// else the window does at start-up, and most icons only show in menus that may never
// open: an icon is looked up the first time something asks for its pictures.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QString name, QIcon (*lookUp)(const QString&))
        : name_(std::move(name)), lookUp_(lookUp) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    // Tool buttons ask this while laying out; when our own drawing stands behind the
    // name the answer is known without looking anything up.
    bool isNull() override {
        if (!icon_ && QFile::exists(OwnDrawing(name_))) return false;
        return Icon().isNull();
    }
    QString iconName() override { return Icon().name(); }
    QString key() const override { return QStringLiteral("zorvane-deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& Icon() {
        if (!icon_) icon_ = lookUp_(name_);
        return *icon_;
    }

    QString name_;
    QIcon (*lookUp_)(const QString&);
    std::optional<QIcon> icon_;
};

}  // namespace

void InitIcons() {
    // Platforms without a desktop theme (offscreen, minimal) search only the resource
    // folder; the system's icon folders must be there for any theme to be found.
    QStringList paths = QIcon::themeSearchPaths();
    QStringList system{QDir::homePath() + QStringLiteral("/.icons")};
    system += QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                        QStringLiteral("icons"), QStandardPaths::LocateDirectory);
    for (const QString& dir : system)
        if (!paths.contains(dir) && QDir(dir).exists()) paths.append(dir);
    QIcon::setThemeSearchPaths(paths);

    const QString fallback = QString::fromLatin1(kFallbackIconTheme);
    QIcon::setFallbackThemeName(fallback);
    // With no theme named, Qt never reaches the fallback; a desktop's own choice is kept.
    if (QIcon::themeName().isEmpty()) QIcon::setThemeName(fallback);
}

QIcon ThemeIcon(const QString& name) {
    return name.isEmpty() ? QIcon() : QIcon(new DeferredIconEngine(name, LookUpThemeIcon));
}

QIcon NamedIcon(const QString& name) {
    return name.isEmpty() ? QIcon() : QIcon(new DeferredIconEngine(name, LookUpNamedIcon));
}

QIcon AppIcon() {
    return QIcon(QStringLiteral(":/zorvane/zorvane.svg"));
}

QCursor ToolCursor(int resourceId) {
    const CursorEntry& entry = FindCursor(resourceId);
    // Drawn at one device pixel per unit: the hot spot then names a pixel on every
    // platform, whatever it does with scaled cursor pictures.
    QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(
        QStringLiteral(":/zorvane/cursors/%1.svg").arg(QLatin1String(entry.drawing)));
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, kCursorSize, kCursorSize));
    painter.end();
    return QCursor(QPixmap::fromImage(image), entry.hotX, entry.hotY);
}

QList<int> CursorIds() {
    QList<int> ids;
    for (const auto& e : kCursors) ids.append(e.id);
    return ids;
}

}  // namespace zv
