#include "video/ColourPalette.h"

#include <algorithm>
#include <limits>

namespace zv {

namespace {

constexpr int kHistogramBins = 1 << 15;
constexpr int kExactBits = 16;
constexpr std::uint32_t kExactLimit = 1u << (kExactBits - 1);
constexpr int kCacheBits = 16;

std::uint32_t HashSlot(std::uint32_t key, int bits) {
    return (key * 2654435761u) >> (32 - bits);
}

int BinOf(QRgb c) {
    return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
}

}  // namespace

ColourCount::ColourCount()
    : keys_(std::size_t(1) << kExactBits, 0), counts_(std::size_t(1) << kExactBits, 0) {}
ColourCount::~ColourCount() = default;

void ColourCount::Add(const QImage& image) {
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb run = row[0] | 0xff000000u;
        std::uint64_t n = 0;
        for (int x = 0; x < w; ++x) {
            const QRgb c = row[x] | 0xff000000u;
            if (c == run) {
                ++n;
                continue;
            }
            AddColour(run, n);
            run = c;
            n = 1;
        }
        AddColour(run, n);
    }
}

void ColourCount::AddColour(QRgb c, std::uint64_t n) {
    if (!histogram_) {
        const std::uint32_t mask = (1u << kExactBits) - 1;
        std::uint32_t slot = HashSlot(c, kExactBits);
        while (keys_[slot] != 0 && keys_[slot] != c) slot = (slot + 1) & mask;
        if (keys_[slot] == c) {
            counts_[slot] += n;
            return;
        }
        if (used_ < kExactLimit) {
            keys_[slot] = c;
            counts_[slot] = n;
            if (used_ < order_.size()) order_[used_] = c;
            ++used_;
            return;
        }
        ToHistogram();
    }
    Bin& bin = histogram_[BinOf(c)];
    bin.n += n;
    bin.r += n * qRed(c);
    bin.g += n * qGreen(c);
    bin.b += n * qBlue(c);
}

void ColourCount::ToHistogram() {
    histogram_ = std::make_unique<Bin[]>(kHistogramBins);
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == 0) continue;
        const QRgb c = keys_[i];
        const std::uint64_t n = counts_[i];
        Bin& bin = histogram_[BinOf(c)];
        bin.n += n;
        bin.r += n * qRed(c);
        bin.g += n * qGreen(c);
        bin.b += n * qBlue(c);
    }
    keys_ = {};
    counts_ = {};
}

std::vector<QRgb> ColourCount::Palette() const {
    if (Exact()) return {order_.begin(), order_.begin() + used_};

    // Median cut over the colours, or the histogram's bins each at its mean colour.
    struct Item {
        int c[3];
        std::uint64_t n;
    };
    std::vector<Item> items;
    if (histogram_) {
        for (int i = 0; i < kHistogramBins; ++i) {
            const Bin& b = histogram_[i];
            if (b.n == 0) continue;
            items.push_back({{int(b.r / b.n), int(b.g / b.n), int(b.b / b.n)}, b.n});
        }
    } else {
        for (std::size_t i = 0; i < keys_.size(); ++i)
            if (keys_[i] != 0)
                items.push_back({{qRed(keys_[i]), qGreen(keys_[i]), qBlue(keys_[i])}, counts_[i]});
    }
    struct Box {
        std::size_t begin, end;
        int axis = 0, span = 0;
    };
    const auto measure = [&items](Box& box) {
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (std::size_t i = box.begin; i < box.end; ++i)
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], items[i].c[k]);
                hi[k] = std::max(hi[k], items[i].c[k]);
            }
        box.axis = 0;
        for (int k = 1; k < 3; ++k)
            if (hi[k] - lo[k] > hi[box.axis] - lo[box.axis]) box.axis = k;
        box.span = hi[box.axis] - lo[box.axis];
    };
    std::vector<Box> boxes{{0, items.size()}};
    boxes.reserve(256);
    measure(boxes[0]);
    while (boxes.size() < 256) {
        // The widest box of more than one colour is cut at its weighted median.
        Box* widest = nullptr;
        for (Box& b : boxes)
            if (b.end - b.begin > 1 && (!widest || b.span > widest->span)) widest = &b;
        if (!widest) break;
        const int axis = widest->axis;
        std::sort(items.begin() + long(widest->begin), items.begin() + long(widest->end),
                  [axis](const Item& a, const Item& b) { return a.c[axis] < b.c[axis]; });
        std::uint64_t total = 0;
        for (std::size_t i = widest->begin; i < widest->end; ++i) total += items[i].n;
        std::uint64_t sum = 0;
        std::size_t cut = widest->begin + 1;
        for (std::size_t i = widest->begin; i + 1 < widest->end; ++i) {
            sum += items[i].n;
            cut = i + 1;
            if (2 * sum >= total) break;
        }
        Box upper{cut, widest->end};
        widest->end = cut;
        measure(*widest);
        measure(upper);
        boxes.push_back(upper);
    }
    std::vector<QRgb> palette;
    for (const Box& b : boxes) {
        std::uint64_t n = 0, s[3] = {0, 0, 0};
        for (std::size_t i = b.begin; i < b.end; ++i) {
            n += items[i].n;
            for (int k = 0; k < 3; ++k) s[k] += items[i].n * std::uint64_t(items[i].c[k]);
        }
        palette.push_back(qRgb(int(s[0] / n), int(s[1] / n), int(s[2] / n)));
    }
    return palette;
}

ColourMap::ColourMap(std::vector<QRgb> palette)
    : palette_(std::move(palette)),
      cacheKeys_(std::size_t(1) << kCacheBits, 0),
      cacheIndex_(std::size_t(1) << kCacheBits, 0) {
    if (palette_.empty()) palette_.push_back(qRgb(0, 0, 0));
    if (palette_.size() > 256) palette_.resize(256);
}

std::uint8_t ColourMap::Nearest(QRgb c) const {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const int dr = qRed(c) - qRed(palette_[i]);
        const int dg = qGreen(c) - qGreen(palette_[i]);
        const int db = qBlue(c) - qBlue(palette_[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
            if (d == 0) break;
        }
    }
    return std::uint8_t(best);
}

std::uint8_t ColourMap::IndexOf(QRgb c) {
    c |= 0xff000000u;
    const std::uint32_t slot = HashSlot(c, kCacheBits);
    if (cacheKeys_[slot] != c) {
        cacheKeys_[slot] = c;
        cacheIndex_[slot] = Nearest(c);
    }
    return cacheIndex_[slot];
}

void ColourMap::MapRow(const QImage& image, int y, std::uint8_t* out) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    QRgb last = row[0] | 0xff000000u;
    std::uint8_t index = IndexOf(last);
    for (int x = 0, w = image.width(); x < w; ++x) {
        const QRgb c = row[x] | 0xff000000u;
        if (c != last) {
            last = c;
            index = IndexOf(c);
        }
        out[x] = index;
    }
}

}  // namespace zv
