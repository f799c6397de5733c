#include "editor/EditHistory.h"

#include <QDataStream>

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_set>

#include "gdi/BinaryIO.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"

namespace zv {

using Frames = Ring<CNeonFrame>;

namespace {

void WriteCells(QDataStream& out, const CNeonRegion& r) {
    out.writeRawData(reinterpret_cast<const char*>(r.cells.data()),
                     int(r.cells.size() * sizeof(NeonCell)));
}

void WritePicture(QDataStream& out, const CNeonImg* img) {
    if (!img) {
        WriteInt32s(out, std::array<std::int32_t, 1>{0});
        return;
    }
    const std::int32_t values[] = {1,
                                   img->x,
                                   img->y,
                                   img->width,
                                   img->height,
                                   img->srcWidth,
                                   img->srcHeight,
                                   img->grabCode,
                                   img->dragMode,
                                   img->dragPoint.x,
                                   img->dragPoint.y};
    WriteInt32s(out, values);
    out.writeRawData(reinterpret_cast<const char*>(img->bitmap.constBits()),
                     int(img->bitmap.sizeInBytes()));
}

bool SameBackground(const CNeonBkg& a, const CNeonBkg& b) {
    return a.hasBitmap == b.hasBitmap && a.bkWidth == b.bkWidth && a.bkHeight == b.bkHeight &&
           (a.bitmap.cacheKey() == b.bitmap.cacheKey() || a.bitmap == b.bitmap);
}

}  // namespace

QByteArray FrameKey(const CNeonFrame& frame) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    frame.WriteFrame(out, true);
    // The record holds no picture in hand and no effect state beyond the effect's
    // number. An effect region's live colours are playback's (the record keeps its
    // starting colours), and a selection alone is no change either: the copies keep
    // both exactly, but they make no step.
    for (const CNeonRegion* r : Ring<CNeonRegion>::Items(frame.regions.get())) {
        const std::int32_t state[] = {r->effect, r->loop, r->effectFrames, r->backup ? 1 : 0};
        WriteInt32s(out, state);
        if (r->effect == 0) WriteCells(out, *r);
        if (r->backup) WriteCells(out, *r->backup);
    }
    WriteInt32s(out, std::array<std::int32_t, 1>{frame.stepCount});
    WritePicture(out, frame.movingPicture.get());
    WritePicture(out, frame.movingPictureCopy.get());
    return bytes;
}

std::int64_t FrameBytes(const CNeonFrame& frame) {
    std::int64_t n = sizeof(CNeonFrame);
    for (const CNeonRegion* r : Ring<CNeonRegion>::Items(frame.regions.get())) {
        n += sizeof(CNeonRegion) + std::int64_t(r->cells.size() * sizeof(NeonCell));
        if (r->backup) n += std::int64_t(r->backup->cells.size() * sizeof(NeonCell));
    }
    for (const CNeonImg* p : Ring<CNeonImg>::Items(frame.pictures.get()))
        n += sizeof(CNeonImg) + p->bitmap.sizeInBytes();
    for (const CNeonChar* t : Ring<CNeonChar>::Items(frame.texts.get()))
        n += sizeof(CNeonChar) + t->TextBytes().size();
    if (frame.movingPicture) n += frame.movingPicture->bitmap.sizeInBytes();
    if (frame.shapes) n += frame.shapes->StoreStream().size();
    if (frame.subFrames)
        for (const CNeonFrame* s : Frames::Items(frame.subFrames.get())) n += FrameBytes(*s);
    return n;
}

// One edit: the frames it replaced at `position` in the list (or, once undone, the
// frames it had put there), the background and the defaults of the other side.
class EditHistory::Step : public QUndoCommand {
public:
    Step(EditHistory& h, const QString& text, std::size_t position,
         std::vector<std::unique_ptr<CNeonFrame>> frames, std::size_t onRing,
         std::int32_t indexBefore, std::int32_t indexAfter, std::optional<CNeonBkg> background,
         std::optional<DocumentDefaults> defaults)
        : QUndoCommand(text),
          h_(h),
          position_(position),
          offRing_(std::move(frames)),
          onRing_(onRing),
          indexBefore_(indexBefore),
          indexAfter_(indexAfter),
          background_(std::move(background)),
          defaults_(defaults) {
        Count();
    }
    // The data of `other`, which is left empty.
    explicit Step(Step& other)
        : QUndoCommand(other.text()),
          h_(other.h_),
          position_(other.position_),
          offRing_(std::move(other.offRing_)),
          onRing_(other.onRing_),
          indexBefore_(other.indexBefore_),
          indexAfter_(other.indexAfter_),
          background_(std::move(other.background_)),
          defaults_(other.defaults_) {
        other.offRing_.clear();
        other.background_.reset();
        other.Count();
        Count();
    }
    ~Step() override { h_.heldBytes_ -= bytes_; }

    void undo() override {
        Swap();
        h_.Applied(indexBefore_);
    }
    void redo() override {
        // Pushed after the edit was made: the first redo has nothing to do.
        if (applied_) {
            applied_ = false;
            return;
        }
        Swap();
        h_.Applied(indexAfter_);
    }

    std::int64_t Bytes() const { return bytes_; }

private:
    void Count() {
        h_.heldBytes_ -= bytes_;
        bytes_ = 0;
        for (const auto& f : offRing_) bytes_ += FrameBytes(*f);
        if (background_) bytes_ += background_->bitmap.sizeInBytes();
        h_.heldBytes_ += bytes_;
    }

    void Swap() {
        CNeonAv& av = h_.animation_;
        CNeonFrame* at = av.anchor.get();
        for (std::size_t i = 0; i < position_ && at->next != av.anchor.get(); ++i) at = at->next;
        std::vector<std::unique_ptr<CNeonFrame>> taken;
        taken.reserve(onRing_);
        for (std::size_t i = 0; i < onRing_ && at->next != av.anchor.get(); ++i)
            taken.push_back(Frames::Unlink(at->next));
        for (auto& f : offRing_) at = Frames::InsertAfter(at, std::move(f));
        onRing_ = offRing_.size();
        offRing_ = std::move(taken);
        av.Recount();
        if (background_) std::swap(*background_, h_.background_);
        if (defaults_) {
            const DocumentDefaults live = h_.LiveDefaults();
            av.defaultZoom = defaults_->zoom;
            av.defaultRows = defaults_->rows;
            av.defaultCols = defaults_->cols;
            defaults_ = live;
        }
        Count();
    }

    EditHistory& h_;
    std::size_t position_;
    std::vector<std::unique_ptr<CNeonFrame>> offRing_;
    std::size_t onRing_;
    std::int32_t indexBefore_;
    std::int32_t indexAfter_;
    std::optional<CNeonBkg> background_;
    std::optional<DocumentDefaults> defaults_;
    std::int64_t bytes_ = 0;
    bool applied_ = true;
};

EditHistory::EditHistory(CNeonAv& animation, CNeonBkg& background, QObject* parent)
    : QObject(parent), animation_(animation), background_(background) {
    stack_.setUndoLimit(kDefaultStepLimit);
    TakeBaseline(nullptr);
}

EditHistory::~EditHistory() {
    // The steps count their bytes off as they go.
    stack_.clear();
}

void EditHistory::SetLimits(int steps, std::int64_t bytes) {
    stack_.clear();
    stack_.setUndoLimit(std::max(steps, 1));
    byteLimit_ = bytes;
    TakeBaseline(nullptr);
}

void EditHistory::Reset() {
    stack_.clear();
    stack_.setClean();
    TakeBaseline(nullptr);
}

std::vector<CNeonFrame*> EditHistory::LiveOrder() const {
    std::vector<CNeonFrame*> order;
    order.reserve(std::size_t(std::max(animation_.frameCount, 0)));
    for (CNeonFrame* f : Frames::Items(animation_.anchor.get())) order.push_back(f);
    return order;
}

DocumentDefaults EditHistory::LiveDefaults() const {
    return {animation_.defaultZoom, animation_.defaultRows, animation_.defaultCols};
}

void EditHistory::TakeBaseline(const QByteArray* currentKey) {
    base_.order = LiveOrder();
    CNeonFrame* current = animation_.currentFrame;
    auto kept = base_.copies.end();
    if (current && !currentKey) kept = base_.copies.find(current);
    if (kept != base_.copies.end()) {
        // The current frame's copy still holds it as it is.
        Baseline::Copy copy = std::move(kept->second);
        base_.copies.clear();
        base_.copies.emplace(current, std::move(copy));
    } else {
        base_.copies.clear();
        if (current && current != animation_.anchor.get()) {
            Baseline::Copy copy;
            copy.frame = current->Clone();
            copy.key = currentKey ? *currentKey : FrameKey(*current);
            base_.copies.emplace(current, std::move(copy));
        }
    }
    base_.background = background_;
    base_.defaults = LiveDefaults();
    base_.index = animation_.currentIndex;
}

void EditHistory::Touch(CNeonFrame* first, int count) {
    for (CNeonFrame* f = first; f && f != animation_.anchor.get() && count > 0;
         f = f->next, --count) {
        if (base_.copies.contains(f)) continue;
        Baseline::Copy copy;
        copy.frame = f->Clone();
        copy.key = FrameKey(*f);
        base_.copies.emplace(f, std::move(copy));
    }
}

bool EditHistory::Checkpoint(const QString& text) {
    const std::vector<CNeonFrame*> live = LiveOrder();
    const std::unordered_set<const CNeonFrame*> liveSet(live.begin(), live.end());
    std::unordered_set<const CNeonFrame*> changed;
    std::optional<QByteArray> currentKey;
    for (const auto& [frame, copy] : base_.copies) {
        if (!liveSet.contains(frame)) continue;
        QByteArray key = FrameKey(*frame);
        if (key != copy.key) changed.insert(frame);
        if (frame == animation_.currentFrame) currentKey = std::move(key);
    }
    const std::vector<CNeonFrame*>& was = base_.order;
    const std::size_t nb = was.size(), na = live.size();
    std::size_t a = 0;
    while (a < nb && a < na && was[a] == live[a] && !changed.contains(live[a])) ++a;
    std::size_t b = 0;
    while (b < nb - a && b < na - a && was[nb - 1 - b] == live[na - 1 - b] &&
           !changed.contains(live[na - 1 - b]))
        ++b;
    const bool framesChanged = !(a == nb && a == na);
    const bool backgroundChanged = !SameBackground(base_.background, background_);
    const bool defaultsChanged = !(base_.defaults == LiveDefaults());
    if (!framesChanged && !backgroundChanged && !defaultsChanged) {
        TakeBaseline(nullptr);
        return false;
    }

    std::vector<std::unique_ptr<CNeonFrame>> before;
    for (std::size_t i = a; i < nb - b; ++i) {
        CNeonFrame* f = was[i];
        if (auto it = base_.copies.find(f); it != base_.copies.end()) {
            before.push_back(std::move(it->second.frame));
            base_.copies.erase(it);
        } else if (liveSet.contains(f) && !changed.contains(f)) {
            before.push_back(f->Clone());
        } else {
            // A frame went that no copy holds: this change cannot be taken back. The
            // history starts again from here, and the document stays modified.
            stack_.clear();
            stack_.resetClean();
            TakeBaseline(nullptr);
            return true;
        }
    }
    std::optional<CNeonBkg> background;
    if (backgroundChanged) background = base_.background;
    std::optional<DocumentDefaults> defaults;
    if (defaultsChanged) defaults = base_.defaults;
    stack_.push(new Step(*this, text, a, std::move(before), na - b - a, base_.index,
                         animation_.currentIndex, std::move(background), defaults));
    Evict();
    // A copy of the current frame is needed for the next step; its key is known when
    // it was compared and did not change since.
    TakeBaseline(currentKey ? &*currentKey : nullptr);
    return true;
}

void EditHistory::Applied(std::int32_t index) {
    if (onApplied) onApplied(index);
    TakeBaseline(nullptr);
}

void EditHistory::Evict() {
    if (heldBytes_ <= byteLimit_) return;
    const int count = stack_.count();
    int drop = 0;
    std::int64_t bytes = heldBytes_;
    while (drop < count && bytes > byteLimit_) {
        bytes -= static_cast<const Step*>(stack_.command(drop))->Bytes();
        ++drop;
    }
    // QUndoStack drops its oldest steps only by count: the newer ones are moved into
    // fresh steps and pushed again onto an emptied stack, keeping the saved state.
    std::vector<std::unique_ptr<Step>> keep;
    for (int i = drop; i < count; ++i)
        keep.push_back(std::make_unique<Step>(
            *const_cast<Step*>(static_cast<const Step*>(stack_.command(i)))));
    const int clean = stack_.cleanIndex() - drop;
    stack_.clear();
    for (std::size_t j = 0; j < keep.size(); ++j) {
        if (int(j) == clean) stack_.setClean();
        stack_.push(keep[j].release());
    }
    if (clean == int(keep.size()))
        stack_.setClean();
    else if (clean < 0)
        // The saved state was among the dropped steps.
        stack_.resetClean();
}

}  // namespace zv
