#include "gdi/WriteBehind.h"

#include <QFileDevice>

#include <utility>

namespace zv {

WriteBehind::WriteBehind(QIODevice& device)
    : device_(device), behind_(qobject_cast<QFileDevice*>(&device) != nullptr) {
    spare_.reserve(kWaiting + 2);
}

bool WriteBehind::WriteNow(const QByteArray& bytes) {
    // A write that throws (no memory for the device's buffer) is a failed write, not
    // the end of the program with the file half written.
    try {
        return device_.write(bytes) == bytes.size();
    } catch (...) {
        return false;
    }
}

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
    std::unique_lock lock(mutex_);
    if (behind_ && !thread_.joinable()) {
        // Started with the first piece, so nothing is written from here before. A
        // system that gives no thread gets the pieces written in turn.
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (...) {
        }
    }
    if (!thread_.joinable()) {
        if (!failed_ && !WriteNow(bytes)) failed_ = true;
        spare_.assign(1, std::move(bytes));
        return;
    }
    changed_.wait(lock, [&] { return waiting_.size() < kWaiting; });
    waiting_.push_back(std::move(bytes));
    lock.unlock();
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
        const bool ok = !write || WriteNow(piece);
        lock.lock();
        if (!ok) failed_ = true;
        if (spare_.size() < spare_.capacity()) spare_.push_back(std::move(piece));
    }
}

}  // namespace zv
