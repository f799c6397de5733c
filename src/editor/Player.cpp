#include "editor/Player.h"

#include "editor/Document.h"
#include "editor/NumberText.h"
#include "model/EffectStepper.h"
#include "model/NeonAv.h"

namespace zv {

namespace {
// The shortest period the platform's window timers keep.
constexpr int kMinimumPeriod = 10;
}  // namespace

Player::Player(Document& doc) : doc_(doc) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Player::Tick);
    rewind_.setSingleShot(true);
    connect(&rewind_, &QTimer::timeout, this, [this] {
        doc_.paused = false;
        doc_.FirstFrame();
    });
}

Player::~Player() {
    timer_.stop();
}

std::int64_t Player::SubFrameIndex() const {
    return stepper_ ? stepper_->Index() : -1;
}

void Player::StartTimer(std::int32_t rate) {
    if (timerRunning_ || rate <= 0) return;
    timer_.start(std::max(1000 / rate, kMinimumPeriod));
    if (!timer_.isActive()) {
        doc_.Ui().ShowMessage(QStringLiteral("Could not SetTimer()!"), QStringLiteral("Error"),
                              MessageIcon::Warning);
        return;
    }
    timerRunning_ = true;
    emit StateChanged();
}

void Player::StopTimer() {
    if (!timerRunning_) return;
    if (!doc_.paused) LeaveEffectFrame();
    timer_.stop();
    timerRunning_ = false;
    emit StateChanged();
}

void Player::LeaveEffectFrame() {
    rewind_.stop();
    if (!steppedFrame_) return;
    steppedFrame_->RestoreRegions();
    stepper_.reset();
    steppedFrame_ = nullptr;
    stepperAtEnd_ = false;
}

void Player::Advance() {
    CNeonAv* av = doc_.Animation();
    if (!av || !av->currentFrame) return;
    if (av->currentFrame == av->Last()) {
        if (!doc_.loopPlayback) {
            // The run is over, but the last frame was only just drawn: it keeps the
            // screen for one period before the animation rewinds to its first frame.
            const int period = timer_.interval();
            doc_.paused = false;
            StopTimer();
            rewind_.start(period);
        } else {
            av->currentFrame = av->First();
        }
        return;
    }
    av->currentFrame = av->currentFrame->next;
}

void Player::Play() {
    if (doc_.CanOperate(2)) return;
    doc_.FinishEdit(kKeyEnter);
    doc_.ResetToolsForPlayback();
    CNeonAv* av = doc_.Animation();
    if (!doc_.paused) {
        LeaveEffectFrame();
        av->currentFrame = av->First();
        av->currentIndex = 1;
        doc_.UpdateFrameCounter();
    }
    doc_.paused = false;
    StartTimer(TextToNumber(doc_.rateText));
}

void Player::Pause() {
    doc_.paused = true;
    StopTimer();
}

void Player::Stop() {
    doc_.paused = false;
    StopTimer();
    LeaveEffectFrame();
    doc_.FirstFrame();
}

void Player::Tick() {
    TickOnce();
    emit Ticked();
}

void Player::TickOnce() {
    CNeonAv* av = doc_.Animation();
    if (!av || !av->currentFrame || av->frameCount == 0) {
        StopTimer();
        return;
    }
    CNeonFrame* frame = av->currentFrame;
    const auto nextIndex = [av] {
        if (++av->currentIndex > av->frameCount) av->currentIndex = 1;
    };
    if (frame->category == 0) {
        LeaveEffectFrame();
        doc_.DrawCurrentFrame(0);
        nextIndex();
        doc_.UpdateFrameCounter();
        Advance();
        return;
    }
    if (steppedFrame_ != frame) {
        LeaveEffectFrame();
        stepper_ = std::make_unique<CEffectStepper>(*frame);
        steppedFrame_ = frame;
        stepperAtEnd_ = false;
        doc_.UpdateFrameCounter();
    }
    if (!stepperAtEnd_) {
        doc_.DrawSubFrame(stepper_->SubFrame());
        if (!stepper_->Advance()) stepperAtEnd_ = true;
        return;
    }
    LeaveEffectFrame();
    nextIndex();
    Advance();
}

}  // namespace zv
