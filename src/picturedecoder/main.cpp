// zorvane-picture-decoder: decodes one picture file for the program importing it and
// writes the picture, or why there is none, on standard output (the reply format is
// in layers/PictureReply.h). A new one is started for every import, under limits it
// sets on itself first, so whatever a file does to the decoders stays in here.
//
//   zorvane-picture-decoder [--bitmap] --cpu-seconds N --memory-mb N -- FILE
//
// --bitmap reads FILE as a BMP file directly; otherwise the picture loader decodes
// whatever type the data is.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "layers/Picture.h"
#include "layers/PictureReply.h"
#include "picturedecoder/ResourceLimits.h"

using namespace zv;

namespace {

struct Options {
    bool bitmap = false;
    int cpuSeconds = 0;
    int memoryMb = 0;
    const char* file = nullptr;
};

bool ToInt(const char* text, int& out) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < 1 || v > 1000000) return false;
    out = static_cast<int>(v);
    return true;
}

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--bitmap") == 0) {
            o.bitmap = true;
        } else if (std::strcmp(a, "--cpu-seconds") == 0 && i + 1 < argc) {
            if (!ToInt(argv[++i], o.cpuSeconds)) return false;
        } else if (std::strcmp(a, "--memory-mb") == 0 && i + 1 < argc) {
            if (!ToInt(argv[++i], o.memoryMb)) return false;
        } else if (std::strcmp(a, "--") == 0 && i + 2 == argc) {
            o.file = argv[++i];
        } else {
            return false;
        }
    }
    return o.file && o.cpuSeconds > 0 && o.memoryMb > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, o)) {
        static const char usage[] =
            "usage: zorvane-picture-decoder [--bitmap] --cpu-seconds N --memory-mb N -- FILE\n";
        (void)!::write(STDERR_FILENO, usage, sizeof usage - 1);
        return kDecoderExitUsage;
    }
    LimitCpuTime(o.cpuSeconds);
    WatchResidentMemory(o.memoryMb);

    // Drawing text needs Qt's fonts, hence an application; it never shows a window.
    // Qt sees no command-line words of ours.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    LimitAddressSpace(o.memoryMb);

    const QString path = QString::fromLocal8Bit(o.file);
    PictureFailure failure = PictureFailure::None;
    QString message;
    QImage image;
    std::int32_t dataSize = 0;
    if (o.bitmap) {
        image = ReadBitmapFile(path, &failure, &message);
        dataSize = static_cast<std::int32_t>(std::min<qint64>(QFileInfo(path).size(), INT32_MAX));
    } else {
        CPicture loader;
        loader.OpenFile(path);
        image = loader.Image();
        failure = loader.Failure();
        message = loader.Message();
        dataSize = loader.dataSize;
    }
    if (failure == PictureFailure::None && image.isNull()) failure = PictureFailure::NotAPicture;
    const bool sent = PictureReply::Send(STDOUT_FILENO, failure, image, dataSize, message);
    // Nothing is left to do: tearing Qt down would only keep the importer waiting.
    ::_exit(sent ? 0 : 1);
}
