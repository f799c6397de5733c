// icon-sheet OUT.png [ZOOM]: draws every icon and cursor of the program at 16, 24 and
// 32 pixels onto one sheet, so their look can be judged side by side; ZOOM (1 to 8)
// enlarges the sheet pixel by pixel for a close look.
#include "res/Resources.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr int kColumns = 8;
constexpr int kCellWidth = 104;
constexpr int kCellHeight = 58;
constexpr int kTitleHeight = 22;
const QColor kToolbarGrey(239, 240, 241);

struct Item {
    QString label;
    std::function<void(QPainter&, QPoint)> draw;  // draws into a kCellWidth x 36 box
};

struct Section {
    QString title;
    QList<Item> items;
};

Item IconItem(const QString& label, const QIcon& icon) {
    return {label, [icon](QPainter& p, QPoint at) {
                int x = at.x() + 4;
                for (int size : {16, 24, 32}) {
                    p.drawPixmap(x, at.y() + 34 - size, icon.pixmap(size, size));
                    x += size + 6;
                }
            }};
}

// A cursor on a light and on a dark patch, its hot spot marked by a red dot.
Item CursorItem(int id) {
    return {QString::number(id), [id](QPainter& p, QPoint at) {
                const QCursor cursor = zv::ToolCursor(id);
                for (int i = 0; i < 2; ++i) {
                    const QPoint origin(at.x() + 8 + i * 44, at.y() + 2);
                    p.fillRect(QRect(origin, QSize(32, 32)), i == 0 ? Qt::white : Qt::black);
                    p.drawPixmap(origin, cursor.pixmap());
                    p.fillRect(QRect(origin + cursor.hotSpot(), QSize(1, 1)), Qt::red);
                }
            }};
}

int SectionHeight(const Section& s) {
    return kTitleHeight + ((s.items.size() + kColumns - 1) / kColumns) * kCellHeight;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const int zoom = argc == 3 ? std::atoi(argv[2]) : 1;
    if (argc < 2 || argc > 3 || zoom < 1 || zoom > 8) {
        std::fprintf(stderr, "usage: icon-sheet OUT.png [ZOOM 1-8]\n");
        return 2;
    }
    zv::InitIcons();

    QList<Section> sections;
    Section commands{QStringLiteral("Our drawings"), {}};
    for (const QString& folder : {QStringLiteral("tools"), QStringLiteral("commands")}) {
        const QDir dir(QStringLiteral(":/zorvane/icons/") + folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QString name = folder + QLatin1Char('/') + QFileInfo(file).baseName();
            commands.items.append(IconItem(name, zv::NamedIcon(name)));
        }
    }
    sections.append(commands);

    Section themed{QStringLiteral("Standard actions (theme: %1)").arg(QIcon::themeName()), {}};
    Section fallback{QStringLiteral("Our drawings of the standard actions (used without a theme)"),
                     {}};
    const QDir drawings(QStringLiteral(":/zorvane/icons/fallback"));
    for (const QString& file : drawings.entryList(QDir::Files)) {
        const QString name = QFileInfo(file).baseName();
        themed.items.append(IconItem(name, zv::NamedIcon(name)));
        fallback.items.append(IconItem(name, QIcon(drawings.filePath(file))));
    }
    sections.append(themed);
    sections.append(fallback);

    Section cursors{QStringLiteral("Cursors (red dot: hot spot)"), {}};
    for (int id : zv::CursorIds()) cursors.items.append(CursorItem(id));
    sections.append(cursors);

    Section app_icon{QStringLiteral("Application icon"), {}};
    app_icon.items.append(IconItem(QStringLiteral("16 24 32"), zv::AppIcon()));
    app_icon.items.append({QStringLiteral("48"), [](QPainter& p, QPoint at) {
                               p.drawPixmap(at.x() + 4, at.y() - 12, zv::AppIcon().pixmap(48));
                           }});
    sections.append(app_icon);

    int height = 8;
    for (const Section& s : sections) height += SectionHeight(s);
    QImage sheet(kColumns * kCellWidth + 16, height, QImage::Format_RGB32);
    sheet.fill(kToolbarGrey);
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    int y = 8;
    for (const Section& s : sections) {
        p.setPen(Qt::black);
        p.drawText(QPoint(8, y + 14), s.title);
        y += kTitleHeight;
        for (int i = 0; i < s.items.size(); ++i) {
            const QPoint at(8 + (i % kColumns) * kCellWidth, y + (i / kColumns) * kCellHeight);
            s.items[i].draw(p, at);
            p.setPen(QColor(80, 80, 80));
            p.drawText(
                QRect(at.x(), at.y() + 38, kCellWidth, 16), Qt::AlignLeft,
                p.fontMetrics().elidedText(s.items[i].label, Qt::ElideMiddle, kCellWidth - 4));
        }
        y += SectionHeight(s) - kTitleHeight;
    }
    p.end();
    if (zoom > 1) sheet = sheet.scaled(sheet.size() * zoom);  // nearest pixel: edges stay sharp
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "icon-sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
