// The grid and scale dialogs: what they show, what OK gives and what they refuse.

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogs/GridDialog.h"
#include "dialogs/ScaleDialog.h"

namespace zv {
namespace {

void PressOk(QDialog& d) {
    d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void Type(QLineEdit* e, const QString& text) {
    e->clear();
    QTest::keyClicks(e, text);
}

TEST(GridDialogTest, ShowsTheDefaultsAndReadsTheTexts) {
    GridDialog d({1, 24});
    EXPECT_EQ(d.RowsEdit()->objectName(), QStringLiteral("1040"));
    EXPECT_EQ(d.ColsEdit()->objectName(), QStringLiteral("1039"));
    EXPECT_EQ(d.RowsEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(d.ColsEdit()->text(), QStringLiteral("24"));
    EXPECT_EQ(d.RowsEdit()->maxLength(), 100);
    EXPECT_EQ(d.ColsEdit()->maxLength(), 100);

    const struct {
        const char* rows;
        const char* cols;
        std::int32_t r, c;
    } accepted[] = {{"3", "12", 3, 12}, {"", "", 1, 50}, {"2", "", 2, 50}, {"", "9", 1, 9}};
    for (const auto& a : accepted) {
        GridDialog g({1, 24});
        Type(g.RowsEdit(), QString::fromUtf8(a.rows));
        Type(g.ColsEdit(), QString::fromUtf8(a.cols));
        PressOk(g);
        EXPECT_EQ(g.result(), QDialog::Accepted) << a.rows << "/" << a.cols;
        EXPECT_EQ(g.Counts(), (GridCounts{a.r, a.c})) << a.rows << "/" << a.cols;
    }
}

TEST(GridDialogTest, RefusesCountsNoRegionCanHaveAndStaysOpen) {
    for (const char* rows : {"1a", "0", "-3", "1001"}) {
        GridDialog d({4, 5});
        d.show();
        Type(d.RowsEdit(), QString::fromUtf8(rows));
        PressOk(d);
        EXPECT_NE(d.result(), QDialog::Accepted) << rows;
        EXPECT_TRUE(d.isVisible()) << rows;
        EXPECT_FALSE(d.ErrorLabel()->isHidden()) << rows;
        EXPECT_FALSE(d.ErrorLabel()->text().isEmpty()) << rows;
        // The previous counts stand until good ones are given.
        EXPECT_EQ(d.Counts(), (GridCounts{4, 5})) << rows;
        Type(d.RowsEdit(), QStringLiteral("6"));
        PressOk(d);
        EXPECT_EQ(d.result(), QDialog::Accepted) << rows;
        EXPECT_EQ(d.Counts(), (GridCounts{6, 5})) << rows;
    }
    GridDialog cancelled({4, 5});
    Type(cancelled.RowsEdit(), QStringLiteral("8"));
    cancelled.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(cancelled.Counts(), (GridCounts{4, 5}));
}

TEST(ScaleDialogTest, SliderFromZeroToAHundred) {
    ScaleDialog d(29);
    QSlider* s = d.Slider();
    EXPECT_EQ(s->objectName(), QStringLiteral("1009"));
    EXPECT_EQ(s->minimum(), 0);
    EXPECT_EQ(s->maximum(), 100);
    EXPECT_EQ(d.Percent(), 29);
    EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("value"))->text(), QStringLiteral("29%"));
    s->setFocus();
    QTest::keyClick(s, Qt::Key_Right);
    EXPECT_EQ(d.Percent(), 30);
    s->setValue(35);
    EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("value"))->text(), QStringLiteral("35%"));
    PressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Percent(), 35);
    ScaleDialog out(250);
    EXPECT_EQ(out.Percent(), 100);
}

}  // namespace
}  // namespace zv
