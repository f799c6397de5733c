#pragma once
// One frame of the animation: a ring of lit regions (and, for an effect frame, a
// private list of generated sub-frames), drawn in a fixed layer order.

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <span>

#include "gdi/Geometry.h"
#include "layers/NeonRegion.h"

class QPainter;

namespace zv {

class CNeonFrame {
public:
    CNeonFrame();
    virtual ~CNeonFrame();
    CNeonFrame(const CNeonFrame&) = delete;
    CNeonFrame& operator=(const CNeonFrame&) = delete;

    // Region copy modes of CopyRegionsFrom.
    enum RegionCopy : int {
        CopyLayout = 0,       // same regions, every cell off
        CopyColoursOnly = 1,  // colours into corresponding regions
        CopyMerge = 2,        // create missing regions, then take colours
        CopySelected = 3,     // the selected region's colours only
    };

    void CopyRegionsFrom(const CNeonFrame& src, int mode);
    void CopyFrom(const CNeonFrame& src, bool withLayers, int regionMode);
    // Links a new frame right after this one in whatever list holds this frame.
    CNeonFrame* InsertFrameAfter(bool copy);
    CNeonFrame* AppendSubFrame(bool withLayers);
    // Empties the sub-frame list; its anchor stays.
    void ClearSubFrames();
    void RestoreRegions();

    bool HasRegion(const CNeonRegion& r) const { return FindRegion(r) != nullptr; }
    CNeonRegion* FindRegion(const CNeonRegion& r) const;
    void ClearRegions();
    void RemoveRegion(CNeonRegion* r);
    int CountRegionsAt(std::int32_t x, std::int32_t y) const;
    CNeonRegion* PickRegionAt(std::int32_t x, std::int32_t y);
    CNeonRegion* PickRegionIn(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
    void AddRectRegion(std::int32_t cols, std::int32_t rows, float zoom, const Rect& bounds);
    void AddPolygonRegion(std::int32_t cols, std::int32_t rows, float zoom,
                          std::span<const Point> vertices);

    void DrawRegions(QPainter& p, bool show) const;
    // Draws the frame onto the view's screen image. That image is the back buffer the
    // window shows once a draw is complete, so drawing into it is already double
    // buffered; `flag` does not change what is drawn.
    void Draw(QImage& target, bool flag, bool show) const;
    // The frame's content in its layer order onto any surface of the view's size; the
    // one place the draw order lives (screen, picture export and video use it).
    void Render(QPainter& p, QSize view, bool show) const;
    // A new image of the view's size holding the frame, for export.
    QImage RenderImage(QSize view, bool show) const;

    std::int32_t pickCounter = 0;
    CNeonFrame* prev;
    CNeonFrame* next;
    std::unique_ptr<CNeonFrame> subFrames;  // anchor of the generated sub-frames
    CNeonFrame* subCursor = nullptr;
    CNeonRegion* selectedRegion = nullptr;
    std::unique_ptr<CNeonRegion> regions;  // anchor of the region ring
    std::int32_t category = 0;
    std::int32_t frameTag = 1;
    std::int32_t stepCount = 1;
};

}  // namespace zv
