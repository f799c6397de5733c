#pragma once
// What the WMF player tests share: colours, records libUEMF has no writer for, small
// bitmaps, and playing a file written with libUEMF (100 x 100 units drawn at
// 100 x 100 pixels, over black) to look at its pixels.
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>

#include <gtest/gtest.h>

#include "layers/Metafile.h"
#include "support/Metafiles.h"

namespace zv::test {

inline constexpr QRgb R = qRgb(255, 0, 0), G = qRgb(0, 255, 0), B = qRgb(0, 0, 255),
                      W = qRgb(255, 255, 255), K = qRgb(0, 0, 0), Y = qRgb(255, 255, 0),
                      C = qRgb(0, 255, 255), M = qRgb(255, 0, 255);

// A record libUEMF has no writer for: its function and parameter words.
inline char* Raw(uint16_t function, std::initializer_list<uint16_t> params) {
    const uint32_t words = 3 + static_cast<uint32_t>(params.size());
    auto* r = static_cast<char*>(std::malloc(2 * words));
    std::memcpy(r, &words, 4);
    std::memcpy(r + 4, &function, 2);
    int at = 6;
    for (uint16_t p : params) {
        std::memcpy(r + at, &p, 2);
        at += 2;
    }
    return r;
}

// A 2 x 2 bitmap: red, green on top; blue, white below.
inline QImage Quad() {
    QImage q(2, 2, QImage::Format_RGB32);
    q.setPixel(0, 0, R);
    q.setPixel(1, 0, G);
    q.setPixel(0, 1, B);
    q.setPixel(1, 1, W);
    return q;
}

inline QImage Solid(QRgb c) {
    QImage q(1, 1, QImage::Format_RGB32);
    q.fill(c);
    return q;
}

// A filled rectangle without outline.
inline void Fill(WmfWriter& w, QRgb c, int l, int t, int r, int b) {
    w.NullPen();
    w.Brush(U_BS_SOLID, c);
    w.Add(U_WMRRECTANGLE_set(R16(l, t, r, b)));
}

inline void Text(WmfWriter& w, int x, int y, const char* text, QRgb colour = R) {
    w.Add(U_WMRSETTEXTCOLOR_set(Ref(colour)));
    w.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
    w.Add(U_WMRTEXTOUT_set(P16(x, y), const_cast<char*>(text)));
}

using Build = std::function<void(WmfWriter&)>;

inline QImage Play(const Build& build, std::int64_t budget = kWmfWorkBudget,
                   PictureFailure* failure = nullptr) {
    QTemporaryDir dir;
    WmfWriter w(dir.filePath("t.wmf"));
    EXPECT_TRUE(w.ok);
    build(w);
    const MetafileImage m = RenderWmf(w.Finish(), 100, 100, budget);
    if (failure) *failure = m.failure;
    return m.image;
}

// The box holding every pixel of `colour`; empty when there is none.
inline QRect Box(const QImage& img, QRgb colour) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
    return box;
}

inline int Count(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == colour;
    return n;
}

}  // namespace zv::test
