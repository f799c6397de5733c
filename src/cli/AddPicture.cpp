// Imports PICTURE as the picture tool does (the decoder helper, its limits and its
// messages), keeps it in frame N at (X, Y) at its own size, last in the frame's
// picture list, and saves OUT with the backup chain.
#include "cli/AddPicture.h"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "layers/NeonBkg.h"
#include "layers/PictureImport.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"

namespace zv {

namespace {

void Err(const QString& s) {
    std::fprintf(stderr, "%s\n", s.toUtf8().constData());
}

int Usage(const QString& why) {
    Err(QStringLiteral("zorvane-cli: add-picture: ") + why);
    Err(QStringLiteral("Try 'zorvane-cli --help'."));
    return 2;
}

std::optional<std::int32_t> Int(const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::optional<std::int32_t>(v) : std::nullopt;
}

struct Request {
    QStringList files;  // IN, PICTURE, OUT
    std::int32_t frame = 1;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The request, or the usage error that stops it.
std::optional<QString> Read(const QStringList& words, Request& r) {
    for (int i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w == QStringLiteral("--frame") || w == QStringLiteral("--at")) {
            if (i + 1 >= words.size()) return w + QStringLiteral(" needs a value");
            const QString value = words[++i];
            if (w == QStringLiteral("--frame")) {
                const auto n = Int(value);
                if (!n || *n < 1) return QStringLiteral("--frame takes a frame number from 1");
                r.frame = *n;
            } else {
                const QStringList xy = value.split(QLatin1Char(','));
                const auto x = xy.size() == 2 ? Int(xy[0]) : std::nullopt;
                const auto y = xy.size() == 2 ? Int(xy[1]) : std::nullopt;
                if (!x || !y) return QStringLiteral("--at takes X,Y");
                r.x = *x;
                r.y = *y;
            }
        } else if (w.startsWith(QLatin1Char('-')) && w.size() > 1) {
            return QStringLiteral("unknown option ") + w;
        } else {
            r.files << w;
        }
    }
    if (r.files.size() != 3) return QStringLiteral("takes IN, PICTURE and OUT");
    return std::nullopt;
}

// The far corner of a rectangle `size` wide from `from`, on whichever side keeps it
// inside 32 bits: the picture tool's fit then leaves the picture its own size.
std::int32_t FarCorner(std::int32_t from, int size) {
    return from > 0 ? from - size : from + size;
}

}  // namespace

int AddPicture(const QStringList& words) {
    Request r;
    if (const auto error = Read(words, r)) return Usage(*error);
    const QString& in = r.files[0];
    const QString& picture = r.files[1];
    const QString& out = r.files[2];

    CNeonAv av;
    CNeonBkg background;
    QString why;
    if (!av.LoadSchemeFile(in, background, nullptr, &why)) {
        Err(why == kFileFormatError ? why : in + QStringLiteral(": ") + why);
        return 1;
    }
    CNeonFrame* frame = av.GetFrameAt(r.frame);
    if (!frame) return Usage(QStringLiteral("no such frame"));

    PictureResult imported = PictureImport::Run(picture);
    if (!imported.Ok()) {
        Err(QStringLiteral("zorvane-cli: ") + picture + QStringLiteral(": ") +
            imported.message.trimmed());
        return 1;
    }
    const QImage& image = imported.image;
    Ring<CNeonImg>::Append(frame->pictures.get(),
                           CNeonImg::FromImport(image, r.x, r.y, FarCorner(r.x, image.width()),
                                                FarCorner(r.y, image.height())));
    if (!av.SaveSchemeFile(out, background, &why)) {
        Err(QStringLiteral("文件保存失败! (") + why + QStringLiteral(")"));
        return 1;
    }
    return 0;
}

}  // namespace zv
