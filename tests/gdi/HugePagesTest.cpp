#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "gdi/HugePages.h"

using namespace zv;

namespace {

QImage Noise(QSize size, QImage::Format format, quint32 seed) {
    QImage image(size, format);
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] = random.generate();
    }
    // Premultiplied pixels never have a colour above their alpha.
    return format == QImage::Format_ARGB32_Premultiplied
               ? image.convertToFormat(QImage::Format_ARGB32)
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied)
               : image;
}

}  // namespace

TEST(HugePages, MappingsAreAlignedWholeAndZeroed) {
    for (std::size_t bytes : {std::size_t(1), kHugePageBytes - 1, kHugePageBytes,
                              kHugePageBytes + 1, 5 * kHugePageBytes + 4096}) {
        auto* p = static_cast<unsigned char*>(MapHugePages(bytes));
        ASSERT_NE(p, nullptr) << bytes;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % kHugePageBytes, 0u) << bytes;
        // Every byte up to the end of the last huge page is there, and zero.
        const std::size_t whole = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
        EXPECT_EQ(p[0], 0);
        EXPECT_EQ(p[whole - 1], 0);
        p[whole - 1] = 7;
        UnmapHugePages(p, bytes);
    }
    EXPECT_EQ(MapHugePages(0), nullptr);
    EXPECT_EQ(MapHugePages(SIZE_MAX), nullptr);
}

// Memory aligned to a huge page on ordinary pages: only what is touched is present.
// Populating makes the whole pages inside a range present, leaves the partial pages
// at its ends alone and changes no byte.
TEST(HugePages, AlignedPagesArePopulatedWithoutChange) {
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    const std::size_t bytes = 40 * page + 100;
    auto* p = static_cast<unsigned char*>(MapAlignedToHugePage(bytes));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % kHugePageBytes, 0u);
    const auto resident = [&] {
        std::vector<unsigned char> v(41);
        EXPECT_EQ(mincore(p, bytes, v.data()), 0);
        for (unsigned char& r : v) r &= 1;
        return v;
    };
    p[5 * page + 3] = 42;
    std::vector<unsigned char> expected(41, 0);
    expected[5] = 1;
    EXPECT_EQ(resident(), expected);
    // From the middle of page 2 to the middle of page 30: pages 3 to 29 come in.
    if (!PopulatePages(p + 2 * page + 10, 28 * page)) {
        UnmapPages(p, bytes);
        GTEST_SKIP() << "this system cannot populate pages ahead";
    }
    for (std::size_t i = 3; i < 30; ++i) expected[i] = 1;
    EXPECT_EQ(resident(), expected);
    EXPECT_EQ(p[5 * page + 3], 42);
    EXPECT_EQ(p[20 * page], 0);
    EXPECT_FALSE(PopulatePages(nullptr, page));
    EXPECT_TRUE(PopulatePages(p, page - 1));  // no whole page: nothing to do
    EXPECT_EQ(resident()[0], 0);
    UnmapPages(p, bytes);
    EXPECT_EQ(MapAlignedToHugePage(0), nullptr);
}

TEST(HugePages, LargeImagesAreOrdinaryImages) {
    // 1920 x 1080 at 32 bits: on huge pages.
    QImage big = LargeImage(QSize(1920, 1080), QImage::Format_RGB32);
    ASSERT_FALSE(big.isNull());
    EXPECT_EQ(big.size(), QSize(1920, 1080));
    EXPECT_EQ(big.format(), QImage::Format_RGB32);
    EXPECT_EQ(big.bytesPerLine(), 1920 * 4);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(big.constBits()) % kHugePageBytes, 0u);
    big.fill(qRgb(1, 2, 3));
    big.setPixel(1919, 1079, qRgb(9, 8, 7));
    // A copy shares until written, then goes its own way.
    QImage copy = big;
    copy.setPixel(0, 0, qRgb(4, 5, 6));
    EXPECT_EQ(big.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(copy.pixel(1919, 1079), qRgb(9, 8, 7));

    // Odd widths of 24-bit rows are padded to 32 bits, as QImage pads them.
    const QImage odd = LargeImage(QSize(1001, 800), QImage::Format_RGB888);
    EXPECT_EQ(odd.bytesPerLine(), QImage(QSize(1001, 800), QImage::Format_RGB888).bytesPerLine());

    // Small images, and sizes that make none, are what QImage makes.
    const QImage small = LargeImage(QSize(100, 100), QImage::Format_RGB32);
    EXPECT_EQ(small.size(), QSize(100, 100));
    EXPECT_TRUE(LargeImage(QSize(0, 10), QImage::Format_RGB32).isNull());
    EXPECT_TRUE(LargeImage(QSize(-5, 10), QImage::Format_RGB32).isNull());
}

// The stretched background must not move a pixel from what QImage::scaled gives.
TEST(HugePages, FastScaledMatchesQImageScaled) {
    struct Case {
        QSize from, to;
    } cases[] = {{{1600, 900}, {1440, 810}}, {{1600, 900}, {1920, 1080}},
                 {{37, 23}, {1301, 977}},    {{3000, 2000}, {1440, 810}},
                 {{1, 1}, {1900, 1100}},     {{1919, 1081}, {1920, 1080}},
                 {{640, 480}, {7, 5}}};
    for (QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
          QImage::Format_RGB888, QImage::Format_Indexed8}) {
        for (const Case& c : cases) {
            QImage source = Noise(c.from, QImage::Format_RGB32, quint32(c.to.width()));
            if (format == QImage::Format_Indexed8)
                source = source.convertToFormat(format, Qt::ThresholdDither);
            else if (format != QImage::Format_RGB32)
                source =
                    Noise(c.from, format == QImage::Format_RGB888 ? QImage::Format_RGB32 : format,
                          quint32(c.to.height()))
                        .convertToFormat(format);
            const QImage expected =
                source.scaled(c.to, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            const QImage got = FastScaled(source, c.to);
            EXPECT_EQ(got.format(), expected.format());
            EXPECT_TRUE(got == expected)
                << "format " << format << " from " << c.from.width() << "x" << c.from.height()
                << " to " << c.to.width() << "x" << c.to.height();
        }
    }
}
