#pragma once
// What the picture decoder helper writes on its standard output, and its reader on
// the importing side. Little-endian, in this order:
//
//   "ZVPD"                      4 bytes
//   failure                     int32 (PictureFailure)
//   width, height               int32 each; 0 with a failure
//   data size                   int32, the length of the file decoded
//   message length              int32, bytes of UTF-8, at most kMaxReplyMessage
//   message                     the failure's text
//   pixels                      width x height x 4 bytes, rows top to bottom, each
//                               pixel 0xFFRRGGBB (QImage::Format_RGB32)
//
// The reader checks every field before it allocates, so a helper that has gone
// wrong can cost the importer no more than the largest picture allowed.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

#include "layers/PictureFailure.h"

class QIODevice;

namespace zv {

// The helper's exit status when it was stopped by a limit instead of answering.
constexpr int kDecoderExitUsage = 64;
constexpr int kDecoderExitMemory = 70;
constexpr int kDecoderExitCpu = 71;

constexpr int kMaxReplyMessage = 4096;

class PictureReply {
public:
    // The helper's side: writes the whole reply to file descriptor `fd`. False when
    // the reader has gone away.
    static bool Send(int fd, PictureFailure failure, const QImage& image, std::int32_t dataSize,
                     const QString& message);

    // Takes whatever `device` has to read. False as soon as the reply is known to be
    // wrong (Problem() says how); the rest of the device is then left unread.
    bool ReadFrom(QIODevice& device);
    // The whole reply has arrived and nothing was wrong with it.
    bool Complete() const { return stage == Stage::Done; }
    const QString& Problem() const { return problem; }

    PictureFailure Failure() const { return failure; }
    const QString& Message() const { return message; }
    std::int32_t DataSize() const { return dataSize; }
    // The picture, once Complete() with no failure. Moves it out.
    QImage TakeImage() { return std::move(image); }

private:
    enum class Stage { Header, Message, Pixels, Done, Bad };
    bool Reject(const QString& why);
    bool TakeHeader();

    Stage stage = Stage::Header;
    QByteArray pending;  // header or message bytes gathered so far
    qsizetype wanted = 0;
    PictureFailure failure = PictureFailure::None;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t dataSize = 0;
    QString message;
    QString problem;
    QImage image;
    qint64 pixelBytesRead = 0;
};

}  // namespace zv
