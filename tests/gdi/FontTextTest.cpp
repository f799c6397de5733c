// The LOGFONTA record and GBK text.
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include "gdi/GbkText.h"
#include "gdi/LogFont.h"

using namespace zv;

TEST(GbkText, DoubleByteTextRoundTrips) {
    const QString text = QString::fromUtf8("霓虹灯ABC中文");
    const QByteArray bytes = EncodeGbk(text);
    // 中 is D6 D0 and 文 is CE C4 in GBK.
    EXPECT_TRUE(bytes.endsWith(QByteArray("\xD6\xD0\xCE\xC4", 4)));
    EXPECT_EQ(bytes.size(), 3 * 2 + 3 + 2 * 2);
    EXPECT_EQ(DecodeGbk(bytes), text);
}

TEST(GbkText, StoredBytesDecodeAndCharactersOutsideGbkSurvive) {
    EXPECT_EQ(DecodeGbk(QByteArray("\xC4\xE3\xBA\xC3", 4)), QString::fromUtf8("你好"));
    // Not in GBK: GB18030 writes four bytes instead of losing the character.
    const QString outside = QString::fromUtf8("€😀");
    const QByteArray bytes = EncodeGbk(outside);
    EXPECT_FALSE(bytes.contains('?'));
    EXPECT_EQ(DecodeGbk(bytes), outside);
    EXPECT_TRUE(EncodeGbk(QString()).isEmpty());
}

TEST(LogFont, BytesFollowTheRecordLayout) {
    LogFont lf;
    lf.lfHeight = -16;
    lf.lfWidth = 7;
    lf.lfEscapement = 900;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfCharSet = 134;
    lf.lfPitchAndFamily = 0x22;
    lf.SetFaceName(QString::fromUtf8("宋体"));
    QByteArray want;
    want.append("\xF0\xFF\xFF\xFF", 4).append("\x07\0\0\0", 4).append("\x84\x03\0\0", 4);
    want.append("\0\0\0\0", 4).append("\xBC\x02\0\0", 4);
    want.append("\x01\0\0\x86\0\0\0\x22", 8);
    want.append("\xCB\xCE\xCC\xE5", 4).append(QByteArray(28, '\0'));
    EXPECT_EQ(lf.ToBytes(), want);
    EXPECT_EQ(LogFont::FromBytes(want), lf);
    EXPECT_EQ(LogFont::FromBytes(want).FaceName(), QString::fromUtf8("宋体"));
}

TEST(LogFont, LongFaceNameIsCutWithoutSplittingACharacter) {
    LogFont lf;
    lf.SetFaceName(QString(20, QChar(0x4E2D)));  // 40 bytes of 中
    EXPECT_EQ(lf.FaceName(), QString(15, QChar(0x4E2D)));
    EXPECT_EQ(lf.lfFaceName[30], '\0');
    EXPECT_EQ(lf.lfFaceName[31], '\0');
}

TEST(LogFont, FontTakesSizeWeightAndStyle) {
    LogFont lf;
    lf.lfHeight = -20;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    lf.lfStrikeOut = 1;
    lf.SetFaceName("DejaVu Sans");
    const QFont f = MakeFont(lf);
    EXPECT_EQ(f.pixelSize(), 20);
    EXPECT_EQ(f.weight(), QFont::Bold);
    EXPECT_TRUE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_TRUE(f.strikeOut());

    LogFont plain;
    plain.lfWeight = 0;
    EXPECT_EQ(MakeFont(plain).weight(), QFont::Normal);
    EXPECT_FALSE(MakeFont(plain).italic());
}

TEST(LogFont, PositiveHeightIsTheCellHeight) {
    for (int cell : {16, 60, 120}) {
        LogFont lf;
        lf.lfHeight = cell;
        lf.SetFaceName("DejaVu Sans");
        EXPECT_NEAR(QFontMetricsF(MakeFont(lf)).height(), cell, 2.0) << cell;
    }
}

TEST(LogFont, GivenWidthStretchesTheFace) {
    LogFont lf;
    lf.lfHeight = -20;
    lf.SetFaceName("DejaVu Sans");
    const qreal natural = QFontMetricsF(MakeFont(lf)).averageCharWidth();
    lf.lfWidth = static_cast<std::int32_t>(natural * 2);
    const QFont wide = MakeFont(lf);
    EXPECT_NEAR(wide.stretch(), 200, 10);
}
