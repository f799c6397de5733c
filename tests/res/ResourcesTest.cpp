#include "res/Resources.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSet>

#include <gtest/gtest.h>

namespace {

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

TEST_F(Resources, EmptyAndUnknownNamesGiveNull) {
    EXPECT_TRUE(zv::NamedIcon(QString()).isNull());
    EXPECT_TRUE(zv::NamedIcon(QStringLiteral("tools/no-such-drawing")).isNull());
    EXPECT_TRUE(zv::NamedIcon(QStringLiteral("zorvane-no-such-icon")).isNull());
    EXPECT_TRUE(zv::ThemeIcon(QStringLiteral("zorvane-no-such-icon")).isNull());
    EXPECT_FALSE(zv::NamedIcon(QStringLiteral("tools/brush")).isNull());
    WithoutTheme();
    EXPECT_FALSE(zv::ThemeIcon(QStringLiteral("edit-undo")).isNull());
    EXPECT_FALSE(zv::ThemeIcon(QStringLiteral("edit-redo")).isNull());
    for (const QIcon& icon : {zv::AppIcon()}) {
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
