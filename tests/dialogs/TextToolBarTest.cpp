// The text tool bar: its lists, and the font description each choice builds.

#include <QAction>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogs/TextToolBar.h"
#include "editor/Document.h"
#include "gdi/LogFont.h"

namespace zv {
namespace {

class TextBar : public ::testing::Test {
protected:
    TextBar() : bar(doc, Toggles()) {}
    QList<QAction*> Toggles() {
        bold.setCheckable(true);
        QObject::connect(&bold, &QAction::triggered, [this] { doc.ToggleTextBold(); });
        return {&bold};
    }
    void Choose(QComboBox* list, const QString& text) {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        list->setCurrentIndex(i);
        emit list->activated(i);
        emit list->textActivated(text);
    }
    LogFont Current() const { return doc.textFont.Description(); }

    Document doc;
    QAction bold;
    CTextToolBar bar;
};

TEST_F(TextBar, ListsAndTheirFirstChoice) {
    EXPECT_EQ(bar.windowTitle(), QStringLiteral("文字工具条"));
    EXPECT_EQ(bar.FaceList()->objectName(), QStringLiteral("32853"));
    EXPECT_EQ(bar.SizeList()->objectName(), QStringLiteral("32854"));
    QStringList sizes;
    for (int i = 0; i < bar.SizeList()->count(); ++i) sizes << bar.SizeList()->itemText(i);
    EXPECT_EQ(sizes,
              QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 14 16 18 20 22 24 26 28 32 36 48 72")
                  .split(QLatin1Char(' ')));
    EXPECT_EQ(bar.SizeList()->currentText(), QStringLiteral("12"));
    EXPECT_EQ(bar.SizeList()->currentIndex(), 11);
    EXPECT_EQ(bar.FaceList()->currentText(), QStringLiteral("Arial"));
    // The system's scalable families are offered.
    EXPECT_GE(bar.FaceList()->findText(QStringLiteral("DejaVu Sans")), 0);
    const LogFont d = Current();
    EXPECT_EQ(d.FaceName(), QStringLiteral("Arial"));
    EXPECT_EQ(d.lfHeight, 60);
    EXPECT_EQ(d.lfWeight, 400);
    EXPECT_EQ(d.lfItalic, 0);
    EXPECT_EQ(d.lfUnderline, 0);
}

TEST_F(TextBar, ChoicesBuildTheDescription) {
    Choose(bar.SizeList(), QStringLiteral("72"));
    EXPECT_EQ(Current().lfHeight, 360);
    Choose(bar.SizeList(), QStringLiteral("1"));
    EXPECT_EQ(Current().lfHeight, 5);
    Choose(bar.FaceList(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(Current().FaceName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(Current().lfHeight, 5);
    bold.trigger();
    EXPECT_EQ(Current().lfWeight, 700);
    bold.trigger();
    EXPECT_EQ(Current().lfWeight, 400);
}

TEST_F(TextBar, ATextFromAFileShowsItsOwnFaceAndSize) {
    LogFont lf = TextFont::StoredDescription(QStringLiteral("宋体"));
    lf.lfHeight = 65;  // size 13, not in the list
    doc.SetTextFont(lf);
    bar.Sync();
    EXPECT_EQ(bar.FaceList()->currentText(), QStringLiteral("宋体"));
    EXPECT_EQ(bar.SizeList()->currentText(), QStringLiteral("13"));
    EXPECT_EQ(Current().FaceName(), QStringLiteral("宋体"));
    EXPECT_EQ(Current().lfHeight, 65);
}

}  // namespace
}  // namespace zv
