#pragma once
// Playback: one frame of the animation per timer tick at the rate typed in the
// parameter bar. An effect frame shows its sub-frames one per tick, made one at a
// time by the effect stepper, and the list moves on one tick after the last.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>

namespace zv {

class CEffectStepper;
class CNeonFrame;
class Document;

class Player : public QObject {
    Q_OBJECT
public:
    explicit Player(Document& doc);
    ~Player() override;

    // Does nothing while running or for rate 0; period 1000 / rate ms.
    void StartTimer(std::int32_t rate);
    void StopTimer();
    void Advance();

    void Play();
    void Pause();
    void Stop();
    // One timer tick.
    void Tick();

    // A command is about to change the current frame or the list: a frame whose
    // effect is being played gets its own colours back and its steps go.
    void LeaveEffectFrame();

    bool TimerRunning() const { return timerRunning_; }
    bool RewindPending() const { return rewind_.isActive(); }
    int Period() const { return timer_.interval(); }
    // The effect frame being stepped, if any, and the sub-frame it shows next.
    const CNeonFrame* SteppedFrame() const { return steppedFrame_; }
    std::int64_t SubFrameIndex() const;

    static constexpr int kTimerId = 2;

signals:
    void StateChanged();
    // A tick was shown.
    void Ticked();

private:
    void TickOnce();

    Document& doc_;
    QTimer timer_;
    bool timerRunning_ = false;
    // The end of a run without loop: the last frame stays on screen for one period,
    // then the animation rewinds.
    QTimer rewind_;
    std::unique_ptr<CEffectStepper> stepper_;
    CNeonFrame* steppedFrame_ = nullptr;
    bool stepperAtEnd_ = false;
};

}  // namespace zv
