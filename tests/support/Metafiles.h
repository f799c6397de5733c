#pragma once
// Metafiles written with libUEMF for the picture tests and the fuzzer's seeds: a
// placeable WMF and an EMF, record by record, plus the small DIBs their bitmap
// records carry. A record that cannot be written spoils the file: `ok` turns false
// and Finish() gives nothing.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <uemf.h>
#include <uwmf.h>

namespace zv::test {

inline U_COLORREF Ref(QRgb c) {
    return colorref3_set(static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)),
                         static_cast<uint8_t>(qBlue(c)));
}
inline U_POINT16 P16(int x, int y) {
    return U_POINT16{static_cast<int16_t>(x), static_cast<int16_t>(y)};
}
inline U_RECT16 R16(int l, int t, int r, int b) {
    return U_RECT16{static_cast<int16_t>(l), static_cast<int16_t>(t), static_cast<int16_t>(r),
                    static_cast<int16_t>(b)};
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A 24-bit BI_RGB DIB of `image`: its information header and its rows, bottom-up,
// each padded to 4 bytes.
struct Dib {
    explicit Dib(const QImage& image) {
        const int w = image.width(), h = image.height();
        const int stride = (w * 3 + 3) & ~3;
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row(stride, '\0');
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y);
                row[3 * x] = static_cast<char>(qBlue(c));
                row[3 * x + 1] = static_cast<char>(qGreen(c));
                row[3 * x + 2] = static_cast<char>(qRed(c));
            }
            pixels += row;
        }
        info =
            bitmapinfo_set(bitmapinfoheader_set(w, h, 1, 24, U_BI_RGB,
                                                static_cast<uint32_t>(pixels.size()), 0, 0, 0, 0),
                           nullptr);
    }
    ~Dib() { std::free(info); }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;
    uint32_t Size() const { return static_cast<uint32_t>(pixels.size()); }
    const char* Bits() const { return pixels.constData(); }

    PU_BITMAPINFO info = nullptr;
    QByteArray pixels;
};

// A placeable WMF `w` x `h` units large whose window is set to those units, so that
// drawn at w x h pixels one unit is one pixel.
class WmfWriter {
public:
    WmfWriter(const QString& path, int w = 100, int h = 100, unsigned dpi = 96) : path(path) {
        const QByteArray name = QFile::encodeName(path);
        ok = wmf_start(name.constData(), 4096, 4096, &wt) == 0 &&
             wmf_htable_create(128, 128, &wht) == 0;
        if (!ok) return;
        U_PAIRF* size = U_PAIRF_set(static_cast<float>(w) / dpi, static_cast<float>(h) / dpi);
        wmf_header_append(reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(size, dpi)), wt,
                          U_REC_FREE);
        std::free(size);
        Add(U_WMRSETWINDOWORG_set(P16(0, 0)));
        Add(U_WMRSETWINDOWEXT_set(P16(w, h)));
    }
    ~WmfWriter() {
        if (wt) wmf_free(&wt);
        if (wht) wmf_htable_free(&wht);
    }
    WmfWriter(const WmfWriter&) = delete;
    WmfWriter& operator=(const WmfWriter&) = delete;

    void Add(char* record) {
        if (!ok || !record) {
            std::free(record);
            ok = false;
        } else if (wmf_append(reinterpret_cast<U_METARECORD*>(record), wt, U_REC_FREE) != 0) {
            ok = false;
        }
    }
    void Select(uint32_t handle) { Add(wselectobject_set(handle, wht)); }
    void Delete(uint32_t& handle) { Add(wdeleteobject_set(&handle, wht)); }
    // Each of these makes the object and selects it.
    uint32_t Pen(uint16_t style, int width, QRgb colour) {
        uint32_t h = 0;
        Add(wcreatepenindirect_set(&h, wht,
                                   U_PEN_set(style, static_cast<uint16_t>(width), Ref(colour))));
        Select(h);
        return h;
    }
    uint32_t NullPen() { return Pen(U_PS_NULL, 1, 0); }
    uint32_t Brush(uint16_t style, QRgb colour, uint16_t hatch = 0) {
        uint32_t h = 0;
        Add(wcreatebrushindirect_set(&h, wht, U_WLOGBRUSH_set(style, Ref(colour), hatch)));
        Select(h);
        return h;
    }
    uint32_t Font(int height, int escapement = 0, uint8_t charset = 0,
                  const char* face = "DejaVu Sans") {
        U_FONT* font = U_FONT_set(static_cast<int16_t>(height), 0, static_cast<int16_t>(escapement),
                                  0, 400, 0, 0, 0, charset, 0, 0, 0, 0, const_cast<char*>(face));
        uint32_t h = 0;
        Add(wcreatefontindirect_set(&h, wht, font));
        std::free(font);
        Select(h);
        return h;
    }
    uint32_t PatternBrush(const Dib& dib) {
        uint32_t h = 0;
        Add(wcreatedibpatternbrush_srcdib_set(&h, wht, U_DIB_RGB_COLORS, dib.info, dib.Size(),
                                              dib.Bits()));
        Select(h);
        return h;
    }
    WMFHANDLES* Handles() { return wht; }

    // The file with its end record, as bytes.
    QByteArray Finish() {
        Add(U_WMREOF_set());
        return ok && wmf_finish(wt) == 0 ? ReadAll(path) : QByteArray();
    }

    bool ok = false;

private:
    QString path;
    WMFTRACK* wt = nullptr;
    WMFHANDLES* wht = nullptr;
};

// An EMF on a 96-dpi device whose frame is `frame` (0.01 mm) and whose drawing lies in
// `bounds` (device pixels).
class EmfWriter {
public:
    EmfWriter(const QString& path, U_RECTL bounds, U_RECTL frame) : path(path) {
        const QByteArray name = QFile::encodeName(path);
        ok = emf_start(name.constData(), 4096, 4096, &et) == 0 &&
             emf_htable_create(128, 128, &eht) == 0;
        if (!ok) return;
        Add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(960, 540),
                            sizel_set(254, 143), 0));
    }
    ~EmfWriter() {
        if (et) emf_free(&et);
        if (eht) emf_htable_free(&eht);
    }
    EmfWriter(const EmfWriter&) = delete;
    EmfWriter& operator=(const EmfWriter&) = delete;

    void Add(char* record) {
        if (!ok || !record) {
            std::free(record);
            ok = false;
        } else if (emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et, U_REC_FREE) != 0) {
            ok = false;
        }
    }
    uint32_t Brush(QRgb colour) {
        uint32_t h = 0;
        Add(createbrushindirect_set(&h, eht, logbrush_set(U_BS_SOLID, Ref(colour), 0)));
        Add(selectobject_set(h, eht));
        return h;
    }
    void NullPen() { Add(selectobject_set(U_NULL_PEN, eht)); }
    EMFHANDLES* Handles() { return eht; }
    EMFTRACK* Track() { return et; }

    QByteArray Finish() {
        Add(U_EMREOF_set(0, nullptr, et));
        return ok && emf_finish(et, eht) == 0 ? ReadAll(path) : QByteArray();
    }

    bool ok = false;

private:
    QString path;
    EMFTRACK* et = nullptr;
    EMFHANDLES* eht = nullptr;
};

inline U_RECTL RectL(int l, int t, int r, int b) {
    return rectl_set(pointl_set(l, t), pointl_set(r, b));
}

// An EMF whose frame is 52.92 x 26.46 mm (200 x 100 pixels) on a 96-dpi device; the
// drawing, a red square (20..60, 10..50) and a blue circle (100..160, 20..80) without
// outlines, covers only part of it. Its bytes, empty when it could not be written.
inline QByteArray TwoShapeEmf(const QString& path) {
    EmfWriter e(path, RectL(20, 10, 160, 80), RectL(0, 0, 5292, 2646));
    e.NullPen();
    e.Brush(qRgb(255, 0, 0));
    e.Add(U_EMRRECTANGLE_set(RectL(20, 10, 60, 50)));
    e.Brush(qRgb(0, 0, 255));
    e.Add(U_EMRELLIPSE_set(RectL(100, 20, 160, 80)));
    return e.Finish();
}

}  // namespace zv::test
