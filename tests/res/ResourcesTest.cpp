#include "res/Resources.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// The buttons of the three tool bars, in the order the main window lays them out.
const QList<int> kStandardBar{57600, 57601, 57603, 32792, 32794, 32793, 32784, 32777,
                              32778, 32785, 32786, 32787, 32795, 32909, 32935, 32835,
                              32837, 32833, 32834, 32879, 32934, 32863};
const QList<int> kToolsBar{32796, 32780, 32855, 32914, 32923, 32924, 32930, 32929,
                           32798, 32789, 32790, 32791, 32880, 32916, 32910, 32912,
                           32913, 32911, 32918, 32919, 32917, 32920, 32915, 32881};
const QList<int> kTextBar{32848, 32849, 32850};

QList<int> AllButtons() {
    return kStandardBar + kToolsBar + kTextBar;
}

const QList<int> kCursors{104, 188, 190, 197, 200, 213, 217, 218, 219, 239};

QImage Render(const QIcon& icon, int size) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 128;
    return n;
}

// Bounding box of the clearly visible pixels.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128) box |= QRect(x, y, 1, 1);
    return box;
}

// Theme state is process-wide: every test leaves it as it found it.
class Resources : public testing::Test {
protected:
    void SetUp() override {
        theme_ = QIcon::themeName();
        fallback_ = QIcon::fallbackThemeName();
        paths_ = QIcon::themeSearchPaths();
        zv::InitIcons();
    }
    void TearDown() override {
        QIcon::setThemeSearchPaths(paths_);
        QIcon::setFallbackThemeName(fallback_);
        QIcon::setThemeName(theme_);
    }
    // No theme at all: what a machine without the fallback theme shows.
    static void WithoutTheme() {
        QIcon::setFallbackThemeName(QStringLiteral("zorvane-test-no-such-theme"));
        QIcon::setThemeName(QStringLiteral("zorvane-test-no-such-theme"));
    }

private:
    QString theme_, fallback_;
    QStringList paths_;
};

TEST_F(Resources, EveryButtonHasAnIconThatDrawsAt24And16Pixels) {
    for (bool themed : {true, false}) {
        if (!themed) WithoutTheme();
        for (int id : AllButtons()) {
            SCOPED_TRACE(testing::Message() << "command " << id << (themed ? "" : ", no theme"));
            const QIcon icon = zv::CommandIcon(id);
            ASSERT_FALSE(icon.isNull());
            for (int size : {24, 16}) {
                const QImage image = Render(icon, size);
                EXPECT_LE(image.width(), size);
                EXPECT_GE(image.width(), size - 2);  // a theme may offer 22 for 24
                EXPECT_GE(OpaquePixels(image), size);
            }
        }
    }
}

TEST_F(Resources, ToolIconsAreAllDifferent) {
    const QList<int> ids = kToolsBar + QList<int>{32795, 32909, 32935, 32835, 32837,
                                                  32833, 32834, 32879, 32934, 32925};
    QList<QImage> images;
    for (int id : ids) images.append(Render(zv::CommandIcon(id), 24));
    for (int i = 0; i < ids.size(); ++i)
        for (int j = i + 1; j < ids.size(); ++j)
            EXPECT_NE(images[i], images[j]) << ids[i] << " and " << ids[j];
}

TEST_F(Resources, RegionToolsShowTheirDirection) {
    struct Case {
        int id;
        bool horizontal;
    };
    for (const Case& c :
         {Case{32923, true}, Case{32930, true}, Case{32924, false}, Case{32929, false}}) {
        const QRect box = InkBox(Render(zv::CommandIcon(c.id), 24));
        EXPECT_EQ(box.width() > box.height(), c.horizontal) << c.id;
    }
}

// The move commands draw the object (orange) and an arrow (dark) on its far side in
// the direction of the move.
TEST_F(Resources, MoveIconsPointTheirWay) {
    struct Case {
        int id;
        int dx;
        int dy;
    };
    for (const Case& c :
         {Case{32835, 0, -1}, Case{32837, 0, 1}, Case{32833, -1, 0}, Case{32834, 1, 0}}) {
        const QImage image = Render(zv::CommandIcon(c.id), 24);
        QPointF dark, orange;
        int darkCount = 0, orangeCount = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) < 250) continue;
                if (qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80) {
                    dark += QPointF(x, y);
                    ++darkCount;
                } else if (qRed(p) > 200 && qGreen(p) > 120 && qGreen(p) < 200 && qBlue(p) < 100) {
                    orange += QPointF(x, y);
                    ++orangeCount;
                }
            }
        ASSERT_GT(darkCount, 10) << c.id;
        ASSERT_GT(orangeCount, 10) << c.id;
        const QPointF shift = dark / darkCount - orange / orangeCount;
        EXPECT_GT(shift.x() * c.dx + shift.y() * c.dy, 4.0) << c.id;
    }
}

TEST_F(Resources, CommandsWithoutIconsAndUnknownNamesGiveNull) {
    EXPECT_TRUE(zv::CommandIcon(0).isNull());
    EXPECT_TRUE(zv::CommandIcon(32803).isNull());  // an effect: menu text only
    EXPECT_TRUE(zv::ThemeIcon(QStringLiteral("zorvane-no-such-icon")).isNull());
    WithoutTheme();
    EXPECT_FALSE(zv::ThemeIcon(QStringLiteral("edit-undo")).isNull());
    EXPECT_FALSE(zv::ThemeIcon(QStringLiteral("edit-redo")).isNull());
    for (const QIcon& icon : {zv::AppIcon(), zv::EffectsIcon()}) {
        ASSERT_FALSE(icon.isNull());
        EXPECT_GE(OpaquePixels(Render(icon, 16)), 60);
        EXPECT_GE(OpaquePixels(Render(icon, 48)), 600);
    }
}

TEST_F(Resources, InitIconsKeepsTheDesktopThemeAndNamesTheFallback) {
    QIcon::setThemeName(QStringLiteral("SomeDesktopTheme"));
    zv::InitIcons();
    EXPECT_EQ(QIcon::themeName(), QStringLiteral("SomeDesktopTheme"));
    EXPECT_EQ(QIcon::fallbackThemeName(), QLatin1String(zv::kFallbackIconTheme));

    QIcon::setThemeName(QString());
    zv::InitIcons();
    EXPECT_EQ(QIcon::themeName(), QLatin1String(zv::kFallbackIconTheme));
    const QStringList paths = QIcon::themeSearchPaths();
    EXPECT_EQ(paths.size(), QSet<QString>(paths.begin(), paths.end()).size()) << "no repeats";
    if (QDir(QStringLiteral("/usr/share/icons")).exists()) {
        EXPECT_TRUE(paths.contains(QStringLiteral("/usr/share/icons")));
    }
}

// The theme scripts/bootstrap installs must hold every standard name the bars and menus
// use, as full-colour icons.
TEST_F(Resources, FallbackThemeHasEveryStandardName) {
    bool installed = false;
    for (const QString& dir : QIcon::themeSearchPaths())
        installed |= QFile::exists(dir + '/' + zv::kFallbackIconTheme + "/index.theme");
    if (!installed) GTEST_SKIP() << "icon theme " << zv::kFallbackIconTheme << " not installed";
    QIcon::setThemeName(QLatin1String(zv::kFallbackIconTheme));
    for (const char* name : {"document-new",
                             "document-open",
                             "document-save",
                             "media-playback-start",
                             "media-playback-pause",
                             "media-playback-stop",
                             "go-first",
                             "go-previous",
                             "go-next",
                             "go-last",
                             "list-add",
                             "list-remove",
                             "view-refresh",
                             "format-text-bold",
                             "format-text-italic",
                             "format-text-underline",
                             "edit-undo",
                             "edit-redo",
                             "help-contents",
                             "help-about",
                             "application-exit"}) {
        const QIcon icon = QIcon::fromTheme(QLatin1String(name));
        ASSERT_FALSE(icon.isNull()) << name;
        // Shaded, not a one-colour symbolic glyph: several distinct solid colours.
        const QImage image = Render(icon, 24);
        QSet<QRgb> solid;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) == 255) solid.insert(image.pixel(x, y));
        EXPECT_GE(solid.size(), 4) << name;
    }
}

TEST_F(Resources, EveryCursorIsA32PixelPictureWithItsHotSpotOnInk) {
    QList<QImage> seen;
    for (int id : kCursors) {
        SCOPED_TRACE(testing::Message() << "cursor " << id);
        const QCursor cursor = zv::ToolCursor(id);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(32, 32));
        const QPoint hot = cursor.hotSpot();
        ASSERT_TRUE(image.rect().contains(hot)) << hot.x() << "," << hot.y();
        // The pointing pixel itself or one next to it is drawn: the hot spot is on the
        // tip, the centre or the drip, not off in an empty corner.
        int ink = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.rect().contains(hot + QPoint(dx, dy)))
                    ink += qAlpha(image.pixel(hot + QPoint(dx, dy))) > 128;
        EXPECT_GT(ink, 0);
        EXPECT_FALSE(seen.contains(image)) << "same picture as another cursor";
        seen.append(image);
    }
}

TEST_F(Resources, UnknownCursorNumbersGiveTheArrow) {
    const QCursor arrow = zv::ToolCursor(104);
    for (int id : {0, -1, 105, 220, 32796}) {
        const QCursor cursor = zv::ToolCursor(id);
        EXPECT_EQ(cursor.hotSpot(), arrow.hotSpot()) << id;
        EXPECT_EQ(cursor.pixmap().toImage(), arrow.pixmap().toImage()) << id;
    }
}

}  // namespace
