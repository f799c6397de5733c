#pragma once
// The video writer: frames in, one video stream out, through FFmpeg's libraries (in
// the encoder module, see VideoEncoder.h).
//
// By default it writes what a Windows player expects of an uncompressed AVI: a "vids"
// stream at rate 15 and scale 1, 8 bits per pixel with one 256-colour palette, rows
// bottom-up under a positive height, frame k at stream position k x duration. Other
// codecs (24-bit, FFV1, Motion JPEG, MPEG-4, H.264) and containers (MP4, WebM, GIF)
// go through the same calls.
//
//     CAVIFile avi(path, -1, -1);           // size from the first frame
//     avi.SetFrameDuration(5);
//     for (...) if (!avi.AddFrame(image) && !avi.IsOK()) break;
//     avi.Close();                           // or let the destructor close it
//
// Once a call fails in a way that spoils the file, IsOK() turns false and every later
// call fails; a frame of the wrong size is refused without that.

#include <QImage>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "video/ColourPalette.h"
#include "video/VideoCodec.h"
#include "video/VideoEncoder.h"

namespace zv {

class CAVIFile {
public:
    CAVIFile(const QString& path, int width, int height, VideoCodec codec = VideoCodec::Pal8,
             VideoContainer container = VideoContainer::Avi);
    ~CAVIFile();
    CAVIFile(const CAVIFile&) = delete;
    CAVIFile& operator=(const CAVIFile&) = delete;

    // Stream samples each frame lasts (1 at first). Set before the first frame.
    void SetFrameDuration(int duration);
    // Seconds per stream sample as num / den (1 / 15 at first). Set before the first frame.
    void SetTimeBase(int num, int den);
    // The palette of a palettised codec (at most 256 colours), for the whole file. Without
    // one, the first frame's colours make it. Set before the first frame.
    void SetPalette(std::vector<QRgb> palette);

    bool IsOK() const { return ok_; }
    // Appends one frame (any QImage format; converted to 32 bits when needed). The file
    // is created on the first frame.
    bool AddFrame(const QImage& bitmap);
    // Finishes the file (remaining packets, index, trailer). False, with IsOK() false,
    // when that failed. Closing a writer that never got a frame creates no file.
    bool Close();

    int FramesWritten() const { return written_; }
    int Width() const { return stream_.width; }
    int Height() const { return stream_.height; }
    // Why the last failure happened, for the user.
    QString Error() const { return error_; }

private:
    bool Open();
    bool Fail(const QString& why);

    // What the encoder is opened with; a size below 0 is taken from the first frame.
    VideoStreamSettings stream_;
    std::vector<QRgb> palette_;
    int written_ = 0;
    bool ok_ = true;
    bool closed_ = false;
    QString error_;
    std::unique_ptr<VideoEncoder> encoder_;
    std::optional<ColourMap> colours_;
};

}  // namespace zv
