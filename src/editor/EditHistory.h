#pragma once
// Undo and redo of every edit. The history does not rely on each command telling it
// what it changed: it keeps a baseline, an exact copy of the current frame (and of
// any frames a command announces it will touch), the order of the frame list, the
// background and the region defaults, and at each checkpoint compares the live
// animation with it. Whatever differs becomes one step holding the frames as they
// were; undo and redo swap those frames with the live ones in the list, so a step
// costs memory for the frames it touched only.

#include <QByteArray>
#include <QObject>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "layers/NeonBkg.h"

namespace zv {

class CNeonAv;
class CNeonFrame;

// What a step brings back besides frames.
struct DocumentDefaults {
    float zoom = 1.0f;
    std::int32_t rows = 1;
    std::int32_t cols = 24;
    bool operator==(const DocumentDefaults&) const = default;
};

// The bytes that tell whether a frame changed: its scheme record and what the record
// leaves out that is the user's (effect state, backup colours, the picture in hand).
QByteArray FrameKey(const CNeonFrame& frame);
// Roughly what a frame holds in memory.
std::int64_t FrameBytes(const CNeonFrame& frame);

class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultStepLimit = 100;
    static constexpr std::int64_t kDefaultByteLimit = std::int64_t(256) << 20;

    EditHistory(CNeonAv& animation, CNeonBkg& background, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& Stack() { return stack_; }
    // At most `steps` steps and `bytes` of held frames; the oldest go first. Clears
    // the history.
    void SetLimits(int steps, std::int64_t bytes);
    std::int64_t HeldBytes() const { return heldBytes_; }

    // Forgets every step: the document as it is now is the saved state.
    void Reset();
    // The frame list will change in ways a baseline of the current frame does not
    // see: `count` frames from `first` on are copied into the baseline now.
    void Touch(CNeonFrame* first, int count);
    // Records what changed since the last checkpoint as one step named `text`. False
    // when nothing changed.
    bool Checkpoint(const QString& text);
    bool Modified() const { return !stack_.isClean(); }
    void MarkSaved() { stack_.setClean(); }

    // Called after a step was put back or done again, with the frame index to make
    // current.
    std::function<void(std::int32_t index)> onApplied;

private:
    class Step;
    friend class Step;

    struct Baseline {
        std::vector<CNeonFrame*> order;
        // Copies of frames as they were, with their keys.
        struct Copy {
            std::unique_ptr<CNeonFrame> frame;
            QByteArray key;
        };
        std::unordered_map<const CNeonFrame*, Copy> copies;
        CNeonBkg background;
        DocumentDefaults defaults;
        std::int32_t index = 0;
    };

    std::vector<CNeonFrame*> LiveOrder() const;
    DocumentDefaults LiveDefaults() const;
    void TakeBaseline(const QByteArray* currentKey);
    void Applied(std::int32_t index);
    void Evict();

    CNeonAv& animation_;
    CNeonBkg& background_;
    QUndoStack stack_;
    Baseline base_;
    std::int64_t heldBytes_ = 0;
    std::int64_t byteLimit_ = kDefaultByteLimit;
};

}  // namespace zv
