#pragma once
// One 256-colour palette for a whole video. ColourCount sees every frame once and
// keeps only colour counts: every colour exactly up to 32768 of them, a
// 32-level-per-channel histogram after that, so its memory stays the same however
// long the animation is. Its palette is every colour when there are at most 256 (the
// usual sign), else made by median cut; ColourMap maps pixels to the nearest entry.

#include <QImage>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace zv {

class ColourCount {
public:
    ColourCount();
    ~ColourCount();
    ColourCount(const ColourCount&) = delete;
    ColourCount& operator=(const ColourCount&) = delete;

    // Counts the pixels of a 32-bit image (the alpha byte is ignored).
    void Add(const QImage& image);
    // True while the palette holds every colour seen (at most 256 of them).
    bool Exact() const { return !histogram_ && used_ <= 256; }
    // Distinct colours seen, as far as they are counted one by one.
    int Distinct() const { return int(used_); }
    // The palette, at most 256 entries as 0xffRRGGBB: every colour when exact (in the
    // order first seen), else the median-cut reduction of the histogram.
    std::vector<QRgb> Palette() const;

private:
    struct Bin {
        std::uint64_t n = 0, r = 0, g = 0, b = 0;
    };
    void AddColour(QRgb c, std::uint64_t n);
    void ToHistogram();

    // Open addressing, twice as many slots as colours: colour | 0xff000000 marks a
    // used slot.
    std::vector<std::uint32_t> keys_;
    std::vector<std::uint64_t> counts_;
    std::array<std::uint32_t, 256> order_{};  // the first 256 colours, as first seen
    std::uint32_t used_ = 0;
    std::unique_ptr<Bin[]> histogram_;  // 32768 bins once more than 256 colours
};

class ColourMap {
public:
    explicit ColourMap(std::vector<QRgb> palette);
    const std::vector<QRgb>& Palette() const { return palette_; }
    // The index of the entry nearest to `c` (exact when the palette holds it).
    std::uint8_t IndexOf(QRgb c);
    // Row `y` of a 32-bit image as palette indices.
    void MapRow(const QImage& image, int y, std::uint8_t* out);

private:
    std::uint8_t Nearest(QRgb c) const;

    std::vector<QRgb> palette_;
    // Direct-mapped cache colour -> index; 0 keys mark empty slots (colours are
    // stored with their alpha byte set).
    std::vector<std::uint32_t> cacheKeys_;
    std::vector<std::uint8_t> cacheIndex_;
};

}  // namespace zv
