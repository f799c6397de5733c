#include <gtest/gtest.h>

#include "editor/NumberText.h"
#include "editor/PositionInput.h"
#include "gdi/WindowMessages.h"

namespace zv {
namespace {

TEST(NumberTextTest, DigitsOnlyRule) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"", 0},           {"0", 0},
        {"7", 7},          {"30", 30},
        {"007", 7},        {"12a", 0},
        {"-3", 0},         {" 5", 0},
        {"5 ", 0},         {"1.5", 0},
        {"+4", 0},         {"2147483647", 2147483647},
        {"2147483648", 0}, {"99999999999999999999", 0},
        {"１２", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToNumber(QString::fromUtf8(c.text)), c.value) << c.text;
    EXPECT_EQ(NumberToText(142), QStringLiteral("142"));
    EXPECT_EQ(NumberToText(-5), QStringLiteral("-5"));
}

TEST(PositionInputTest, GrammarTable) {
    const struct {
        const char* text;
        int code;
        std::int32_t x, y, a;
    } cases[] = {
        {"1 120,80", 1, 120, 80, 0},
        {"1 120 80", 1, 120, 80, 0},
        {"1,120,80", 1, 120, 80, 0},
        {"1 -5,3", 1, 0, 3, 0},
        {"1 120, 80", 1, 120, 0, 0},
        {"2 10,20", 3, 10, 20, 0},
        {"3 7,8", 5, 7, 8, 0},
        {"4 100,50,30", 7, 100, 50, 30},
        {"4 100 50 30", 7, 100, 50, 30},
        {"1 120", 2, 0, 0, 0},
        {"2 5", 4, 0, 0, 0},
        {"3 9", 6, 0, 0, 0},
        {"4 100,50", 8, 100, 0, 0},
        {"5 1,2", 0, 0, 0, 0},
        {"1x1,2", 0, 0, 0, 0},
        {"1", 0, 0, 0, 0},
        {"", 0, 0, 0, 0},
        {"0 1,2", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const ParsedPosition p = ParsePositionText(QString::fromUtf8(c.text));
        EXPECT_EQ(p.code, c.code) << c.text;
        if (p.code % 2 == 1) {
            EXPECT_EQ(p.x, c.x) << c.text;
            EXPECT_EQ(p.y, c.y) << c.text;
            EXPECT_EQ(p.a, c.a) << c.text;
        }
    }
}

TEST(PositionInputTest, MessagesByKindAndKey) {
    using K = PositionKind;
    const auto msg = [](K kind, int key, const char* text) {
        return PositionKeyMessage(kind, key, QString::fromUtf8(text));
    };
    auto m = msg(K::Points, Qt::Key_Return, "1 120,80");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->message, UM_SIM_CLICK);
    EXPECT_EQ(m->wParam, 120);
    EXPECT_EQ(m->lParam, 80);
    m = msg(K::Points, Qt::Key_Enter, "2 3,4");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->message, UM_SIM_DOUBLE_CLICK);
    m = msg(K::Points, Qt::Key_Escape, "garbage");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->message, UM_SIM_FINISH);
    m = msg(K::MoveTo, Qt::Key_Return, "3 40,50");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->message, UM_SIM_MOVE_TO);
    EXPECT_EQ(m->lParam, 50);
    EXPECT_EQ(msg(K::MoveTo, Qt::Key_Escape, "")->message, UM_SIM_MOVE_CANCEL);
    m = msg(K::Rotate, Qt::Key_Return, "4 100,50,30");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->message, UM_SIM_ROTATE);
    EXPECT_EQ(m->wParam, 30);
    EXPECT_EQ(m->lParam, 100 * 65536 + 50);
    EXPECT_EQ(msg(K::Rotate, Qt::Key_Escape, "")->message, UM_SIM_ROTATE_CANCEL);

    // A prefix that does not fit the kind, a missing separator, other keys or no
    // kind send nothing.
    EXPECT_FALSE(msg(K::Points, Qt::Key_Return, "3 1,2"));
    EXPECT_FALSE(msg(K::MoveTo, Qt::Key_Return, "1 1,2"));
    EXPECT_FALSE(msg(K::Rotate, Qt::Key_Return, "4 1,2"));
    EXPECT_FALSE(msg(K::Points, Qt::Key_Return, "1 12"));
    EXPECT_FALSE(msg(K::Points, Qt::Key_A, "1 1,2"));
    EXPECT_FALSE(msg(K::None, Qt::Key_Return, "1 1,2"));
    EXPECT_FALSE(msg(K::Off, Qt::Key_Escape, ""));
}

}  // namespace
}  // namespace zv
