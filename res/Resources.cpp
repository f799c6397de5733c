#include "res/Resources.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <algorithm>
#include <array>

namespace zv {
namespace {

// Each command with an icon: either one of our drawings (a path under :/zorvane/icons)
// or a freedesktop action name looked up in the icon theme.
struct CommandIconEntry {
    int id;
    const char* drawing;
    const char* themeName;
};

constexpr std::array kCommandIcons{
    // Tools bar.
    CommandIconEntry{32796, "tools/arrow-select", nullptr},
    CommandIconEntry{32780, "tools/region-select", nullptr},
    CommandIconEntry{32855, "tools/colour-pick", nullptr},
    CommandIconEntry{32914, "tools/no-operation", nullptr},
    CommandIconEntry{32923, "tools/rect-region-h", nullptr},
    CommandIconEntry{32924, "tools/rect-region-v", nullptr},
    CommandIconEntry{32930, "tools/polygon-region-h", nullptr},
    CommandIconEntry{32929, "tools/polygon-region-v", nullptr},
    CommandIconEntry{32798, "tools/brush", nullptr},
    CommandIconEntry{32789, "tools/paint-bucket", nullptr},
    CommandIconEntry{32790, "tools/picture", nullptr},
    CommandIconEntry{32857, "tools/picture", nullptr},  // picture import: the same tool
    CommandIconEntry{32791, "tools/text", nullptr},
    CommandIconEntry{32880, "tools/shape-rectangle", nullptr},
    CommandIconEntry{32916, "tools/shape-round-rectangle", nullptr},
    CommandIconEntry{32910, "tools/shape-polygon", nullptr},
    CommandIconEntry{32912, "tools/shape-circle", nullptr},
    CommandIconEntry{32913, "tools/shape-ellipse", nullptr},
    CommandIconEntry{32911, "tools/shape-slanted-ellipse", nullptr},
    CommandIconEntry{32918, "tools/shape-arc", nullptr},
    CommandIconEntry{32919, "tools/shape-elliptical-arc", nullptr},
    CommandIconEntry{32917, "tools/shape-curve", nullptr},
    CommandIconEntry{32920, "tools/shape-smooth-curve", nullptr},
    CommandIconEntry{32915, "tools/shape-line", nullptr},
    CommandIconEntry{32881, "tools/select-drag", nullptr},
    // Standard tool bar and the menus.
    CommandIconEntry{57600, nullptr, "document-new"},
    CommandIconEntry{57601, nullptr, "document-open"},
    CommandIconEntry{57603, nullptr, "document-save"},
    CommandIconEntry{32792, nullptr, "media-playback-start"},
    CommandIconEntry{32794, nullptr, "media-playback-pause"},
    CommandIconEntry{32793, nullptr, "media-playback-stop"},
    CommandIconEntry{32784, nullptr, "go-first"},
    CommandIconEntry{32777, nullptr, "go-previous"},
    CommandIconEntry{32778, nullptr, "go-next"},
    CommandIconEntry{32785, nullptr, "go-last"},
    CommandIconEntry{32786, nullptr, "list-add"},
    CommandIconEntry{32787, nullptr, "list-remove"},
    CommandIconEntry{32795, "commands/copy-previous-frame", nullptr},
    CommandIconEntry{32909, "commands/copy-frame-n", nullptr},
    CommandIconEntry{32935, "commands/blacken-regions", nullptr},
    CommandIconEntry{32835, "commands/move-up", nullptr},
    CommandIconEntry{32837, "commands/move-down", nullptr},
    CommandIconEntry{32833, "commands/move-left", nullptr},
    CommandIconEntry{32834, "commands/move-right", nullptr},
    CommandIconEntry{32879, "commands/move-to", nullptr},
    CommandIconEntry{32934, "commands/rotate", nullptr},
    CommandIconEntry{32863, nullptr, "view-refresh"},
    CommandIconEntry{32925, "commands/export-video", nullptr},
    CommandIconEntry{32862, nullptr, "help-contents"},
    CommandIconEntry{57664, nullptr, "help-about"},
    CommandIconEntry{57665, nullptr, "application-exit"},
    // Text tool bar.
    CommandIconEntry{32848, nullptr, "format-text-bold"},
    CommandIconEntry{32849, nullptr, "format-text-italic"},
    CommandIconEntry{32850, nullptr, "format-text-underline"},
};

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

QString DrawingPath(const char* drawing) {
    return QStringLiteral(":/zorvane/icons/%1.svg").arg(QLatin1String(drawing));
}

QString FallbackPath(const QString& themeName) {
    return QStringLiteral(":/zorvane/icons/fallback/%1.svg").arg(themeName);
}

const CommandIconEntry* FindCommand(int commandId) {
    const auto it = std::find_if(kCommandIcons.begin(), kCommandIcons.end(),
                                 [commandId](const auto& e) { return e.id == commandId; });
    return it == kCommandIcons.end() ? nullptr : &*it;
}

const CursorEntry& FindCursor(int resourceId) {
    auto it = std::find_if(kCursors.begin(), kCursors.end(),
                           [resourceId](const auto& e) { return e.id == resourceId; });
    if (it == kCursors.end())
        it = std::find_if(kCursors.begin(), kCursors.end(),
                          [](const auto& e) { return e.id == kDefaultCursor; });
    return *it;
}

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
    const QString ours = FallbackPath(name);
    const QIcon drawn = QFile::exists(ours) ? QIcon(ours) : QIcon();
    return QIcon::fromTheme(name, drawn);
}

QIcon CommandIcon(int commandId) {
    const CommandIconEntry* entry = FindCommand(commandId);
    if (!entry) return {};
    if (entry->drawing) return QIcon(DrawingPath(entry->drawing));
    return ThemeIcon(QString::fromLatin1(entry->themeName));
}

QIcon EffectsIcon() {
    return QIcon(DrawingPath("commands/effects"));
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

QList<int> IconCommandIds() {
    QList<int> ids;
    for (const auto& e : kCommandIcons) ids.append(e.id);
    return ids;
}

QList<int> CursorIds() {
    QList<int> ids;
    for (const auto& e : kCursors) ids.append(e.id);
    return ids;
}

}  // namespace zv
