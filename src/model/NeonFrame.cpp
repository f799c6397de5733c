#include "model/NeonFrame.h"

#include <QPainter>

#include "gdi/GdiDc.h"
#include "layers/NeonBkg.h"
#include "layers/Ring.h"

namespace zv {

using Regions = Ring<CNeonRegion>;
using Frames = Ring<CNeonFrame>;

CNeonFrame::CNeonFrame()
    : prev(this),
      next(this),
      pictures(std::make_unique<CNeonImg>()),
      texts(std::make_unique<CNeonChar>()),
      regions(std::make_unique<CNeonRegion>(24, 1, 1.0f)) {}

CNeonFrame::~CNeonFrame() {
    shapes.reset();
    movingPicture.reset();
    movingPictureCopy.reset();
    selectedRegion = nullptr;
    Regions::DestroyAll(regions.get());
    regions.reset();
    Ring<CNeonImg>::DestroyAll(pictures.get());
    pictures.reset();
    selectedText = nullptr;
    Ring<CNeonChar>::DestroyAll(texts.get());
    texts.reset();
    if (subFrames) {
        Frames::DestroyAll(subFrames.get());
        subFrames.reset();
    }
}

void CNeonFrame::AddRectRegion(std::int32_t cols, std::int32_t rows, float zoom,
                               const Rect& bounds) {
    CNeonRegion* r = regions->AppendRegion();
    r->Init(cols, rows, zoom, bounds);
    selectedRegion = r;
}

void CNeonFrame::AddPolygonRegion(std::int32_t cols, std::int32_t rows, float zoom,
                                  std::span<const Point> vertices) {
    CNeonRegion* r = regions->AppendRegion();
    Rect box;
    r->SetPolygon(vertices, &box);
    r->Init(cols, rows, zoom, box);
    selectedRegion = r;
}

CNeonRegion* CNeonFrame::FindRegion(const CNeonRegion& r) const {
    for (CNeonRegion* mine : Regions::Items(regions.get()))
        if (mine->SameBounds(r)) return mine;
    return nullptr;
}

void CNeonFrame::CopyRegionsFrom(const CNeonFrame& src, int mode) {
    // Copying a frame onto itself would walk a ring while growing it.
    if (&src == this) return;
    auto addLike = [this](const CNeonRegion& s) {
        if (s.isPolygon)
            AddPolygonRegion(s.cols, s.rows, s.zoom, s.points);
        else
            AddRectRegion(s.cols, s.rows, s.zoom, s.bounds);
        return selectedRegion;
    };
    switch (mode) {
        case CopyLayout:
            for (const CNeonRegion* s : Regions::Items(src.regions.get())) addLike(*s);
            break;
        case CopyColoursOnly:
            if (Regions::IsEmpty(regions.get())) {
                CopyRegionsFrom(src, CopyMerge);
                break;
            }
            for (CNeonRegion* d : Regions::Items(regions.get()))
                if (const CNeonRegion* s = src.FindRegion(*d)) d->CopyColours(*s);
            break;
        case CopyMerge:
            for (const CNeonRegion* s : Regions::Items(src.regions.get())) {
                CNeonRegion* d = FindRegion(*s);
                if (!d) d = addLike(*s);
                d->CopyColours(*s);
            }
            break;
        case CopySelected:
            if (selectedRegion)
                if (const CNeonRegion* s = src.FindRegion(*selectedRegion))
                    selectedRegion->CopyColours(*s);
            break;
        default:
            break;
    }
}

void CNeonFrame::CopyFrom(const CNeonFrame& src, bool withLayers, int regionMode) {
    CopyRegionsFrom(src, regionMode);
    if (!withLayers || &src == this) return;
    // Visiting the source from its last item makes the copies stand in reverse order.
    for (const CNeonChar* t : Ring<CNeonChar>::ItemsBackward(src.texts.get())) {
        auto copy = std::make_unique<CNeonChar>();
        t->CopyTo(*copy);
        Ring<CNeonChar>::Append(texts.get(), std::move(copy));
    }
    for (const CNeonImg* img : Ring<CNeonImg>::ItemsBackward(src.pictures.get())) {
        auto copy = std::make_unique<CNeonImg>();
        img->CopyTo(*copy);
        Ring<CNeonImg>::Append(pictures.get(), std::move(copy));
    }
    if (src.shapes) {
        if (!shapes) shapes = std::make_unique<CNeonGraph>();
        shapes->CopyFrom(*src.shapes);
    }
}

namespace {

// Copies the items of the ring at `from` onto the end of the ring at `to`, in order;
// the copy of `mark` (an item of `from`) comes back.
template <class T, class Copy>
T* CopyRing(const T* from, T* to, const T* mark, Copy copy) {
    T* mapped = nullptr;
    for (const T* item : Ring<T>::Items(from)) {
        T* c = Ring<T>::Append(to, copy(*item));
        if (item == mark) mapped = c;
    }
    return mapped;
}

}  // namespace

std::unique_ptr<CNeonFrame> CNeonFrame::Clone() const {
    auto c = std::make_unique<CNeonFrame>();
    c->pickCounter = pickCounter;
    c->shapeOffset = shapeOffset;
    if (subFrames) {
        c->subFrames = std::make_unique<CNeonFrame>();
        c->subCursor = CopyRing<CNeonFrame>(subFrames.get(), c->subFrames.get(), subCursor,
                                            [](const CNeonFrame& f) { return f.Clone(); });
    }
    c->selectedRegion = CopyRing<CNeonRegion>(regions.get(), c->regions.get(), selectedRegion,
                                              [](const CNeonRegion& r) { return r.Clone(); });
    CopyRing<CNeonImg>(pictures.get(), c->pictures.get(), nullptr,
                       [](const CNeonImg& p) { return p.Clone(); });
    c->selectedText = CopyRing<CNeonChar>(texts.get(), c->texts.get(), selectedText,
                                          [](const CNeonChar& t) { return t.Clone(); });
    if (movingPictureCopy) c->movingPictureCopy = movingPictureCopy->Clone();
    if (movingPicture) c->movingPicture = movingPicture->Clone();
    c->category = category;
    c->frameTag = frameTag;
    c->stepCount = stepCount;
    if (shapes) {
        c->shapes = std::make_unique<CNeonGraph>();
        c->shapes->CopyFrom(*shapes);
    }
    return c;
}

CNeonFrame* CNeonFrame::InsertFrameAfter(bool copy) {
    CNeonFrame* f = Frames::InsertAfter(this, std::make_unique<CNeonFrame>());
    if (copy) {
        f->CopyRegionsFrom(*this, CopyLayout);
        f->CopyFrom(*this, true, CopyColoursOnly);
    }
    return f;
}

CNeonFrame* CNeonFrame::AppendSubFrame(bool withLayers) {
    if (!subFrames) subFrames = std::make_unique<CNeonFrame>();
    const CNeonFrame* source = Frames::IsEmpty(subFrames.get()) ? this : subFrames->prev;
    CNeonFrame* f = Frames::Append(subFrames.get(), std::make_unique<CNeonFrame>());
    f->CopyFrom(*source, withLayers, CopyMerge);
    return f;
}

void CNeonFrame::ClearSubFrames() {
    subCursor = nullptr;
    if (subFrames) Frames::DestroyAll(subFrames.get());
}

void CNeonFrame::RestoreRegions() {
    for (CNeonRegion* r : Regions::Items(regions.get()))
        if (r->backup) r->CopyColours(*r->backup);
}

void CNeonFrame::ClearRegions() {
    for (CNeonRegion* r : Regions::Items(regions.get())) r->ClearCells();
}

void CNeonFrame::RemoveRegion(CNeonRegion* r) {
    if (!r || r == regions.get()) return;
    if (r == selectedRegion) selectedRegion = nullptr;
    Regions::Unlink(r).reset();
}

int CNeonFrame::CountRegionsAt(std::int32_t x, std::int32_t y) const {
    int n = 0;
    for (const CNeonRegion* r : Regions::Items(regions.get())) n += r->bounds.Contains(x, y);
    return n;
}

CNeonRegion* CNeonFrame::PickRegionAt(std::int32_t x, std::int32_t y) {
    const int n = CountRegionsAt(x, y);
    if (n == 0) return nullptr;
    int k = 0;
    if (n > 1) {
        k = static_cast<int>(static_cast<unsigned>(pickCounter) % static_cast<unsigned>(n));
        ++pickCounter;
    }
    for (CNeonRegion* r : Regions::ItemsBackward(regions.get())) {
        if (!r->bounds.Contains(x, y)) continue;
        if (k-- == 0) return r;
    }
    return nullptr;
}

CNeonRegion* CNeonFrame::PickRegionIn(std::int32_t x0, std::int32_t y0, std::int32_t x1,
                                      std::int32_t y1) {
    for (std::int32_t x = x0; x < x1; ++x)
        for (std::int32_t y = y0; y < y1; ++y)
            if (CNeonRegion* r = PickRegionAt(x, y)) return r;
    return nullptr;
}

void CNeonFrame::DrawRegions(QPainter& p, bool show) const {
    for (const CNeonRegion* r : Regions::Items(regions.get())) {
        r->DrawGrid(p, show, r == selectedRegion);
        r->DrawCells(p);
    }
}

void CNeonFrame::DrawPictures(QPainter& p) const {
    for (const CNeonImg* img : Ring<CNeonImg>::ItemsBackward(pictures.get())) img->Draw(p, false);
    if (movingPicture) movingPicture->Draw(p, true);
}

void CNeonFrame::DrawTexts(QPainter& p, const Rect& view) const {
    for (const CNeonChar* t : Ring<CNeonChar>::ItemsBackward(texts.get())) t->Draw(p, view);
}

void CNeonFrame::Render(QImage& target, bool show, const CNeonBkg* background,
                        const CNeonFrame* regionsFrom) const {
    const Rect client{0, 0, target.width(), target.height()};
    {
        QPainter p(&target);
        if (background) background->Draw(p, client);
        (regionsFrom ? regionsFrom : this)->DrawRegions(p, show);
    }
    DrawShapes(target);
    QPainter p(&target);
    DrawPictures(p);
    DrawTexts(p, client);
}

void CNeonFrame::DrawShapes(QImage& target) const {
    if (!shapes || shapes->IsEmpty()) return;
    // Shapes are kept in the drawing tool's logical coordinates: the viewport origin
    // at the container's origin maps them onto the view.
    GdiDc dc(target);
    dc.SetViewportOrg(shapes->origin);
    shapes->DrawAll(dc);
}

void CNeonFrame::Draw(QImage& target, bool flag, bool show, const CNeonBkg* background) const {
    (void)flag;
    Render(target, show, background);
}

QImage CNeonFrame::RenderImage(QSize view, bool show, const CNeonBkg* background,
                               const CNeonFrame* regionsFrom) const {
    QImage image(view, QImage::Format_RGB32);
    image.fill(Qt::black);
    Render(image, show, background, regionsFrom);
    return image;
}

}  // namespace zv
