// Every button of the window's bars has an icon that draws, and our own drawings tell
// the tools apart.

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "editor/CommandTable.h"
#include "editor/Document.h"
#include "res/Resources.h"

namespace {

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

class NoApp : public zv::AppCommands {
public:
    void Exit() override {}
    void About() override {}
    void Help() override {}
    void ToggleBar(int) override {}
    bool BarVisible(int) const override { return true; }
};

// Theme state is process-wide: every test leaves it as it found it.
class CommandIcons : public testing::Test {
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
    static void WithoutTheme() {
        QIcon::setFallbackThemeName(QStringLiteral("zorvane-test-no-such-theme"));
        QIcon::setThemeName(QStringLiteral("zorvane-test-no-such-theme"));
    }
    QIcon Icon(int id) const {
        const zv::Command* c = table.Find(id);
        return c ? zv::NamedIcon(c->icon) : QIcon();
    }
    // Every button of the tool bars.
    QList<int> Buttons() const {
        QList<int> ids;
        for (const zv::ToolBarLayout& bar : table.ToolBars())
            for (int id : bar.ids)
                if (id != 0) ids.append(id);
        return ids;
    }

    zv::Document doc;
    NoApp app;
    zv::CommandTable table{doc, app};

private:
    QString theme_, fallback_;
    QStringList paths_;
};

TEST_F(CommandIcons, EveryButtonHasAnIconThatDrawsAt24And16Pixels) {
    for (bool themed : {true, false}) {
        if (!themed) WithoutTheme();
        for (int id : Buttons()) {
            SCOPED_TRACE(testing::Message() << "command " << id << (themed ? "" : ", no theme"));
            const QIcon icon = Icon(id);
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

TEST_F(CommandIcons, ToolIconsAreAllDifferent) {
    QList<int> ids;
    for (const zv::Command& c : table.Commands())
        if (c.icon.contains(QLatin1Char('/')) && !ids.contains(c.id) && c.id != 32857)
            ids.append(c.id);
    ASSERT_GE(ids.size(), 33);
    QList<QImage> images;
    for (int id : ids) images.append(Render(Icon(id), 24));
    for (int i = 0; i < ids.size(); ++i)
        for (int j = i + 1; j < ids.size(); ++j)
            EXPECT_NE(images[i], images[j]) << ids[i] << " and " << ids[j];
}

TEST_F(CommandIcons, RegionToolsShowTheirDirection) {
    struct Case {
        int id;
        bool horizontal;
    };
    for (const Case& c :
         {Case{32923, true}, Case{32930, true}, Case{32924, false}, Case{32929, false}}) {
        const QRect box = InkBox(Render(Icon(c.id), 24));
        EXPECT_EQ(box.width() > box.height(), c.horizontal) << c.id;
    }
}

// The move commands draw the object (orange) and an arrow (dark) on its far side in
// the direction of the move.
TEST_F(CommandIcons, MoveIconsPointTheirWay) {
    struct Case {
        int id;
        int dx;
        int dy;
    };
    for (const Case& c :
         {Case{32835, 0, -1}, Case{32837, 0, 1}, Case{32833, -1, 0}, Case{32834, 1, 0}}) {
        const QImage image = Render(Icon(c.id), 24);
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

}  // namespace
