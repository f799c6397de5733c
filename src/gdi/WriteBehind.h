#pragma once
// Writes a file a few buffers behind the code that fills them: a writer that puts a
// large file together piece by piece (a scheme, frame by frame) fills the next piece
// while the system copies the last one into the file, on a thread of its own. The
// device is written only from that thread between the first Write and Finish; other
// devices than files are written at once, in turn.
//
// Every piece is written in order, or none after the first that fails.

#include <QByteArray>
#include <QIODevice>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace zv {

class WriteBehind {
public:
    // `device` must be open for writing and outlive this; it is written from where it
    // stands.
    explicit WriteBehind(QIODevice& device);
    // Waits for what was handed over (Finish).
    ~WriteBehind();
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // An empty buffer to fill, one written before where there is one, so that its
    // memory is used again.
    QByteArray Buffer();
    // Hands `bytes` over to be written after everything handed over before; waits
    // while a few pieces are still waiting.
    void Write(QByteArray bytes);
    // Waits until everything handed over is written; false when a write failed (the
    // device's error tells why). The device may be used again from the caller's
    // thread afterwards.
    bool Finish();

private:
    void Run();
    bool WriteNow(const QByteArray& bytes);

    static constexpr std::size_t kWaiting = 3;

    QIODevice& device_;
    const bool behind_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QByteArray> waiting_;
    std::vector<QByteArray> spare_;
    bool failed_ = false;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace zv
