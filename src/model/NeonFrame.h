#pragma once
// One frame of the animation: a ring of lit regions (and, for an effect frame, a
// private list of generated sub-frames), drawn in a fixed layer order.

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <span>

#include "gdi/Geometry.h"
#include "layers/NeonChar.h"
#include "layers/NeonGraph.h"
#include "layers/NeonImg.h"
#include "layers/NeonRegion.h"

class QPainter;

namespace zv {

class CNeonBkg;

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
    // An exact copy standing alone: the rings in their order, the selected region and
    // text, the effect state with live and backup colours, the picture in hand, the
    // shapes and any sub-frames.
    std::unique_ptr<CNeonFrame> Clone() const;
    // Links a new frame right after this one in whatever list holds this frame.
    CNeonFrame* InsertFrameAfter(bool copy);
    CNeonFrame* AppendSubFrame(bool withLayers);
    // Empties the sub-frame list; its anchor stays.
    void ClearSubFrames();
    void RestoreRegions();

    // ---- Effect engine (EffectEngine.cpp) ----
    // Assigns effect 1..56 to the selected region (other numbers are ignored). With
    // expand the steps are written at once into the frames after this one, frames
    // being appended before `anchor` (the animation's anchor) where the list ends;
    // otherwise this frame becomes an effect frame.
    void ApplyEffect(const CNeonFrame& anchor, std::int32_t effect, std::int32_t loop, bool expand);
    // Generates every sub-frame into `subFrames`, replacing any earlier ones, and sets
    // `subCursor` to the first. CEffectStepper walks the same sub-frames one by one.
    void BuildSubFrames();
    void ExpandEffect(const CNeonFrame& anchor);
    // The starting picture and one sub-frame per step.
    std::int64_t SubFrameCount() const;
    // Step s of every region's effect onto `sub`, a sub-frame built from this frame's
    // ring holding the previous picture. This frame's own regions are reset to their
    // starting colours at step 0 and follow the colour sweeps.
    void ApplyEffectStep(CNeonFrame& sub, std::int32_t s);
    // ---- end of effect engine ----

    // ---- Scheme file records (SchemeFile.cpp) ----
    // The frame header and, with `content`, the frame's records.
    void WriteFrame(QDataStream& out, bool content) const;
    // The records after a frame header. False at the first thing that is not a good
    // record; the frame is then to be thrown away.
    bool ReadFrame(const CNeonFrame& anchor, QDataStream& in);
    // ---- end of scheme file records ----

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
    // The frame's shapes where the drawing tool shows them.
    void DrawShapes(QImage& target) const;
    // Placed pictures newest first, then the floating picture on top with its handles.
    void DrawPictures(QPainter& p) const;
    // Texts newest first, so the oldest lies on top, clipped to the view.
    void DrawTexts(QPainter& p, const Rect& view) const;
    // Draws the frame onto the view's screen image. That image is the back buffer the
    // window shows once a draw is complete, so drawing into it is already double
    // buffered; `flag` does not change what is drawn.
    void Draw(QImage& target, bool flag, bool show, const CNeonBkg* background = nullptr) const;
    // The frame's content in its layer order onto an image of the view's size: the
    // one place the draw order lives (screen, picture export and video use it). An
    // effect frame shows a sub-frame by passing it as `regionsFrom`: its regions are
    // drawn in place of the frame's own, under the frame's shapes, pictures and texts.
    void Render(QImage& target, bool show, const CNeonBkg* background = nullptr,
                const CNeonFrame* regionsFrom = nullptr) const;
    // A new image of the view's size holding the frame, for export.
    QImage RenderImage(QSize view, bool show, const CNeonBkg* background = nullptr,
                       const CNeonFrame* regionsFrom = nullptr) const;

    std::int32_t pickCounter = 0;
    Point shapeOffset;
    CNeonFrame* prev;
    CNeonFrame* next;
    std::unique_ptr<CNeonFrame> subFrames;  // anchor of the generated sub-frames
    CNeonFrame* subCursor = nullptr;
    CNeonRegion* selectedRegion = nullptr;
    std::unique_ptr<CNeonImg> pictures;  // anchor of the picture ring
    std::unique_ptr<CNeonChar> texts;    // anchor of the text ring
    CNeonChar* selectedText = nullptr;
    std::unique_ptr<CNeonImg> movingPictureCopy;
    std::unique_ptr<CNeonImg> movingPicture;  // the floating picture
    std::unique_ptr<CNeonRegion> regions;     // anchor of the region ring
    std::int32_t category = 0;
    std::int32_t frameTag = 1;
    std::int32_t stepCount = 1;
    std::unique_ptr<CNeonGraph> shapes;  // made when the frame first keeps shapes
};

}  // namespace zv
