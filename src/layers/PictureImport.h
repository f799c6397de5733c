#pragma once
// Importing a picture file: decoded by the picture decoder helper, a small program
// started for each import with a processor-time limit, a memory limit and a
// wall-clock timeout. Whatever the file does to the decoders (a crash, an endless
// loop, gigabytes of memory), the importing program gets a failure with its reason
// and never grows by more than the picture it gets back.
//
// Two forms over the same helper and limits: PictureImport::Run waits for the
// picture (the command-line tool, CNeonImg::ImportPicture); a PictureImport object
// runs it while the event loop goes on and can be cancelled (the window).

#include <QImage>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "layers/PictureFailure.h"

class QProcess;
class QTimer;

namespace zv {

class PictureReply;

struct PictureLimits {
    int cpuSeconds = 5;
    // Resident memory of the helper. Builds with AddressSanitizer count its shadow
    // memory and quarantine as well, so the helper allows itself 512 MB more there.
    int memoryMb = 512;
    int wallMilliseconds = 10000;
};

// How a file is decoded: a BMP file is read as a bitmap directly, everything else
// goes through the picture loader.
enum class PictureKind { Bitmap, Picture };

struct PictureResult {
    QImage image;  // Format_RGB32; null unless Ok()
    PictureFailure failure = PictureFailure::None;
    QString message;            // why it failed, to show the user; empty on success
    std::int32_t dataSize = 0;  // length of the file
    bool Ok() const { return failure == PictureFailure::None; }
};

class PictureImport : public QObject {
    Q_OBJECT

public:
    explicit PictureImport(QObject* parent = nullptr);
    ~PictureImport() override;  // stops a running helper without a signal

    // Starts importing `path`; finished() follows from the event loop, also for a
    // file of an unsupported type. An import still running is cancelled first.
    void Start(const QString& path, const PictureLimits& limits = {});
    // Kills the helper of a running import; finished() reports Cancelled before this
    // returns. Nothing happens when no import runs.
    void Cancel();
    bool IsRunning() const { return process != nullptr; }

    // The same import, waiting for its end.
    static PictureResult Run(const QString& path, const PictureLimits& limits = {});

    // Which way a file name's type is decoded; none for a type pictures are not
    // imported from (BMP, DIB, EMF, GIF, ICO, JPG and WMF are, by extension).
    static std::optional<PictureKind> KindFor(const QString& path);
    // The helper program: $ZORVANE_PICTURE_DECODER when set, else the first of
    // zorvane-picture-decoder beside the running program, in ../libexec/zorvane/
    // from it, and where this build tree made it. Empty when there is none.
    static QString HelperPath();

signals:
    void finished(const zv::PictureResult& result);

private:
    void OnReadyRead();
    void OnFinished();
    void OnTimeout();
    void Finish(PictureResult result);
    void StopProcess();

    std::unique_ptr<QProcess> process;
    std::unique_ptr<QTimer> timer;
    std::unique_ptr<PictureReply> reply;
    PictureLimits running;
    quint64 runs = 0;  // imports started, to tell a late signal of an earlier one
};

}  // namespace zv

Q_DECLARE_METATYPE(zv::PictureResult)
