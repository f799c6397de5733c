#include "gdi/WriteBehind.h"

#include <QFileDevice>

#include <utility>

namespace zv {

WriteBehind::WriteBehind(QIODevice& device)
    : device_(device), behind_(qobject_cast<QFileDevice*>(&device) != nullptr) {}

WriteBehind::~WriteBehind() {
    Finish();
}

QByteArray WriteBehind::Buffer() {
    std::lock_guard lock(mutex_);
    if (spare_.empty()) return {};
    QByteArray b = std::move(spare_.back());
    spare_.pop_back();
    b.resize(0);  // keeps its memory
    return b;
}

void WriteBehind::Write(QByteArray bytes) {
    if (!behind_) {
        if (!failed_ && device_.write(bytes) != bytes.size()) failed_ = true;
        spare_.assign(1, std::move(bytes));
        return;
    }
    {
        std::unique_lock lock(mutex_);
        // Started with the first piece, so nothing is written from here before.
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
        changed_.wait(lock, [&] { return waiting_.size() < kWaiting; });
        waiting_.push_back(std::move(bytes));
    }
    changed_.notify_all();
}

bool WriteBehind::Finish() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
        stop_ = false;
    }
    return !failed_;
}

void WriteBehind::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stop_ || !waiting_.empty(); });
        if (waiting_.empty()) return;  // stopped with everything written
        QByteArray piece = std::move(waiting_.front());
        waiting_.pop_front();
        const bool write = !failed_;
        lock.unlock();
        changed_.notify_all();
        const bool ok = !write || device_.write(piece) == piece.size();
        lock.lock();
        if (!ok) failed_ = true;
        if (spare_.size() < kWaiting + 1) spare_.push_back(std::move(piece));
    }
}

}  // namespace zv
