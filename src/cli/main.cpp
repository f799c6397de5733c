// zorvane-cli: open, inspect, render and convert schemes without a window.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QSaveFile>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cli/AddPicture.h"
#include "cli/SchemeJson.h"
#include "gdi/BmpImage.h"
#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/EffectStepper.h"
#include "model/FrameCategoryNames.h"
#include "model/NeonAv.h"
#include "video/VideoCodec.h"
#include "video/VideoExport.h"

using namespace zv;

namespace {

constexpr int kOk = 0;
constexpr int kBadFile = 1;
constexpr int kUsage = 2;

const char kHelp[] =
    "Usage: zorvane-cli COMMAND ...\n"
    "\n"
    "  info FILE                      what the scheme holds, as JSON\n"
    "  cells FILE [--frame N]         cell colours of the frames (and of the\n"
    "                                 sub-frames of effect frames), as JSON\n"
    "  render FILE -o OUT.png|OUT.bmp [--frame N] [--step K] [--size WxH] [--no-grid]\n"
    "                                 draws frame N (default 1), or sub-frame K of\n"
    "                                 an effect frame, at WxH (default 1024x768)\n"
    "  convert IN OUT                 loads IN and saves it as OUT\n"
    "  apply-effect IN OUT --frame N --effect E [--region K] [--no-loop] [--expand]\n"
    "                                 applies effect E (1-56) to region K of frame N\n"
    "                                 (default: the frame's selected region)\n"
    "  add-picture IN PICTURE OUT [--frame N] [--at X,Y]\n"
    "                                 imports PICTURE (BMP, DIB, EMF, GIF, ICO, JPG,\n"
    "                                 WMF) into frame N (default 1) at X,Y (default\n"
    "                                 0,0), at its own size\n"
    "  export-video IN OUT [--rate R] [--size WxH] [--codec C] [--no-grid]\n"
    "                                 writes every frame, and every sub-frame of\n"
    "                                 effect frames, as a video; the format by OUT's\n"
    "                                 extension: .avi, .mp4, .webm, .gif (OUT may also\n"
    "                                 be given as -o OUT); rate R (default 10) times\n"
    "                                 it, WxH (default 1024x768) sizes it; codec C\n"
    "                                 pal8 (default), bgr24, ffv1, mjpeg, mpeg4 or\n"
    "                                 h264 in an AVI, h264 or mpeg4 in an MP4, vp9 in\n"
    "                                 WebM, gif in a GIF\n"
    "\n"
    "An existing OUT scheme or video is kept as OUT.bak (an older OUT.bak as OUT.bak.bak, ...).\n"
    "Exit status: 0 success, 1 a file that cannot be read or written, 2 wrong usage.\n";

void Print(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
}
void Err(const QString& s) {
    std::fprintf(stderr, "%s\n", s.toUtf8().constData());
}

int Usage(const QString& why) {
    Err(QStringLiteral("zorvane-cli: ") + why);
    Err(QStringLiteral("Try 'zorvane-cli --help'."));
    return kUsage;
}

// Command-line words after the command: positional arguments and --options.
struct Args {
    std::vector<QString> positional;
    std::vector<std::pair<QString, QString>> options;  // flag options get an empty value
    QString error;

    std::optional<QString> Value(const QString& name) const {
        for (const auto& [n, v] : options)
            if (n == name) return v;
        return std::nullopt;
    }
    bool Has(const QString& name) const { return Value(name).has_value(); }
};

Args Parse(const QStringList& words, const QStringList& valued, const QStringList& flags) {
    Args a;
    for (int i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (valued.contains(w)) {
            if (i + 1 >= words.size()) {
                a.error = w + QStringLiteral(" needs a value");
                return a;
            }
            a.options.push_back({w, words[++i]});
        } else if (flags.contains(w)) {
            a.options.push_back({w, QString()});
        } else if (w.startsWith(QStringLiteral("--")) || (w.startsWith('-') && w.size() > 1)) {
            a.error = QStringLiteral("unknown option ") + w;
            return a;
        } else {
            a.positional.push_back(w);
        }
    }
    return a;
}

// Whole positive numbers only: anything else is a usage error.
std::optional<int> Number(const std::optional<QString>& text, int fallback) {
    if (!text) return fallback;
    bool ok = false;
    const int n = text->toInt(&ok);
    if (!ok || n < 0) return std::nullopt;
    return n;
}

struct Scheme {
    CNeonAv av;
    CNeonBkg background;
    std::int32_t version = 0;
};

bool LoadFile(const QString& path, Scheme& s) {
    QString why;
    if (!s.av.LoadSchemeFile(path, s.background, &s.version, &why)) {
        Err(why == kFileFormatError ? why : path + QStringLiteral(": ") + why);
        return false;
    }
    s.av.currentIndex = s.av.frameCount > 0 ? 1 : 0;
    return true;
}

bool SaveFile(const QString& path, const Scheme& s) {
    QString why;
    if (!s.av.SaveSchemeFile(path, s.background, &why)) {
        Err(QStringLiteral("文件保存失败! (") + why + QStringLiteral(")"));
        return false;
    }
    return true;
}

int Info(const QStringList& words) {
    const Args a = Parse(words, {}, {});
    if (!a.error.isEmpty()) return Usage(a.error);
    if (a.positional.size() != 1) return Usage(QStringLiteral("info takes one FILE"));
    Scheme s;
    if (!LoadFile(a.positional[0], s)) return kBadFile;
    Print(QJsonDocument(SchemeInfo(s.av, s.background, s.version)).toJson(QJsonDocument::Compact));
    Print("\n");
    return kOk;
}

int Cells(const QStringList& words) {
    const Args a = Parse(words, {QStringLiteral("--frame")}, {});
    if (!a.error.isEmpty()) return Usage(a.error);
    if (a.positional.size() != 1) return Usage(QStringLiteral("cells takes one FILE"));
    const auto frame = Number(a.Value(QStringLiteral("--frame")), 0);
    if (!frame || (a.Has(QStringLiteral("--frame")) && *frame < 1))
        return Usage(QStringLiteral("--frame takes a frame number from 1"));
    Scheme s;
    if (!LoadFile(a.positional[0], s)) return kBadFile;
    if (*frame > s.av.frameCount) return Usage(QStringLiteral("no such frame"));
    std::int64_t total = 0;
    const std::optional<QJsonObject> cells = SchemeCells(s.av, *frame, &total);
    if (!cells) {
        Err(QStringLiteral("zorvane-cli: more than %1 colours to list; ask for fewer frames")
                .arg(kMaxListedColours));
        return kBadFile;
    }
    Print(QJsonDocument(*cells).toJson(QJsonDocument::Compact));
    Print("\n");
    return kOk;
}

bool WriteImage(const QImage& image, const QString& path) {
    if (path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)) {
        // The screen's depth above 8 bits gives a 24-bit picture.
        const QByteArray bytes = EncodeBmpImage(image, 24, BmpHeaderStyle::Export);
        QSaveFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
    }
    return image.save(path, "PNG");
}

// --size WxH, 1024x768 when not given; nothing when malformed.
std::optional<QSize> ViewSize(const Args& a) {
    QSize size(1024, 768);
    if (const auto text = a.Value(QStringLiteral("--size"))) {
        const QStringList wh = text->split('x');
        bool okW = false, okH = false;
        if (wh.size() == 2) size = QSize(wh[0].toInt(&okW), wh[1].toInt(&okH));
        if (!okW || !okH || size.width() < 1 || size.height() < 1 || size.width() > 16384 ||
            size.height() > 16384)
            return std::nullopt;
    }
    return size;
}

int Render(const QStringList& words) {
    const Args a = Parse(words,
                         {QStringLiteral("-o"), QStringLiteral("--frame"), QStringLiteral("--step"),
                          QStringLiteral("--size")},
                         {QStringLiteral("--no-grid")});
    if (!a.error.isEmpty()) return Usage(a.error);
    if (a.positional.size() != 1) return Usage(QStringLiteral("render takes one FILE"));
    const auto out = a.Value(QStringLiteral("-o"));
    if (!out || !(out->endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ||
                  out->endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)))
        return Usage(QStringLiteral("render needs -o OUT.png or -o OUT.bmp"));
    const auto frameNo = Number(a.Value(QStringLiteral("--frame")), 1);
    const auto step = Number(a.Value(QStringLiteral("--step")), -1);
    if (!frameNo || *frameNo < 1)
        return Usage(QStringLiteral("--frame takes a frame number from 1"));
    if (!step) return Usage(QStringLiteral("--step takes a sub-frame number from 0"));
    const auto size = ViewSize(a);
    if (!size) return Usage(QStringLiteral("--size takes WxH, each 1 to 16384"));
    Scheme s;
    if (!LoadFile(a.positional[0], s)) return kBadFile;
    CNeonFrame* frame = s.av.GetFrameAt(*frameNo);
    if (!frame) return Usage(QStringLiteral("no such frame"));
    const bool grid = !a.Has(QStringLiteral("--no-grid"));
    QImage image(*size, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (*step >= 0) {
        if (frame->category != EffectFrameCategory)
            return Usage(QStringLiteral("--step needs an effect frame"));
        CEffectStepper steps(*frame);
        if (!steps.SeekTo(*step)) return Usage(QStringLiteral("no such sub-frame"));
        frame->Render(image, grid, &s.background, &steps.SubFrame());
        frame->RestoreRegions();
    } else {
        frame->Render(image, grid, &s.background);
    }
    if (!WriteImage(image, *out)) {
        Err(*out + QStringLiteral(": cannot be written"));
        return kBadFile;
    }
    return kOk;
}

int Convert(const QStringList& words) {
    const Args a = Parse(words, {}, {});
    if (!a.error.isEmpty()) return Usage(a.error);
    if (a.positional.size() != 2) return Usage(QStringLiteral("convert takes IN and OUT"));
    Scheme s;
    if (!LoadFile(a.positional[0], s)) return kBadFile;
    return SaveFile(a.positional[1], s) ? kOk : kBadFile;
}

int ApplyEffect(const QStringList& words) {
    const Args a = Parse(
        words, {QStringLiteral("--frame"), QStringLiteral("--effect"), QStringLiteral("--region")},
        {QStringLiteral("--no-loop"), QStringLiteral("--expand")});
    if (!a.error.isEmpty()) return Usage(a.error);
    if (a.positional.size() != 2) return Usage(QStringLiteral("apply-effect takes IN and OUT"));
    const auto frameNo = Number(a.Value(QStringLiteral("--frame")), 0);
    const auto effect = Number(a.Value(QStringLiteral("--effect")), 0);
    const auto regionNo = Number(a.Value(QStringLiteral("--region")), 0);
    if (!frameNo || *frameNo < 1) return Usage(QStringLiteral("--frame N is needed"));
    if (!effect || !IsEffect(*effect)) return Usage(QStringLiteral("--effect takes 1 to 56"));
    if (!regionNo || (a.Has(QStringLiteral("--region")) && *regionNo < 1))
        return Usage(QStringLiteral("--region takes a region number from 1"));
    Scheme s;
    if (!LoadFile(a.positional[0], s)) return kBadFile;
    CNeonFrame* frame = s.av.GetFrameAt(*frameNo);
    if (!frame) return Usage(QStringLiteral("no such frame"));
    if (*regionNo > 0) {
        frame->selectedRegion = nullptr;
        int k = 0;
        for (CNeonRegion* r : Ring<CNeonRegion>::Items(frame->regions.get()))
            if (++k == *regionNo) frame->selectedRegion = r;
    }
    if (!frame->selectedRegion) return Usage(QStringLiteral("the frame has no such region"));
    const bool expand = a.Has(QStringLiteral("--expand"));
    frame->ApplyEffect(*s.av.anchor, *effect, a.Has(QStringLiteral("--no-loop")) ? 0 : 1, expand);
    if (expand) s.av.Recount();
    return SaveFile(a.positional[1], s) ? kOk : kBadFile;
}

int ExportVideo(const QStringList& words) {
    const Args a = Parse(words,
                         {QStringLiteral("-o"), QStringLiteral("--rate"), QStringLiteral("--size"),
                          QStringLiteral("--codec")},
                         {QStringLiteral("--no-grid")});
    if (!a.error.isEmpty()) return Usage(a.error);
    std::vector<QString> files = a.positional;
    if (const auto out = a.Value(QStringLiteral("-o"))) files.push_back(*out);
    if (files.size() != 2) return Usage(QStringLiteral("export-video takes IN and OUT"));
    VideoExportOptions options;
    options.path = files[1];
    const auto container = ContainerOfPath(options.path);
    if (!container) return Usage(QStringLiteral("OUT ends in .avi, .mp4, .webm or .gif"));
    const auto rate = Number(a.Value(QStringLiteral("--rate")), 10);
    if (!rate) return Usage(QStringLiteral("--rate takes a whole number from 0"));
    options.rate = *rate;
    const auto size = ViewSize(a);
    if (!size) return Usage(QStringLiteral("--size takes WxH, each 1 to 16384"));
    options.size = *size;
    options.showGrid = !a.Has(QStringLiteral("--no-grid"));
    if (const auto name = a.Value(QStringLiteral("--codec"))) {
        options.codec = CodecFromName(*name);
        if (!options.codec) return Usage(QStringLiteral("no codec named ") + *name);
        if (!Carries(*container, *options.codec))
            return Usage(QStringLiteral("a %1 file cannot hold %2")
                             .arg(ContainerExtension(*container), *name));
        if (!CanEncode(*options.codec)) return Usage(WhyCannotEncode(*options.codec));
    }
    Scheme s;
    if (!LoadFile(files[0], s)) return kBadFile;
    VideoExport job(s.av, &s.background, options);
    const bool tty = isatty(fileno(stderr));
    const bool saved = job.Run([tty](std::int64_t done, std::int64_t total) {
        if (tty) std::fprintf(stderr, "\r%lld / %lld", (long long)done, (long long)total);
        return true;
    });
    if (tty) std::fprintf(stderr, "\n");
    if (job.DurationClamped())
        Err(QStringLiteral("rate %1 is faster than the AVI stream shows; each frame lasts 1/15 s")
                .arg(*rate));
    if (!saved) {
        Err(QStringLiteral("文件保存失败! (") + job.Error() + QStringLiteral(")"));
        return kBadFile;
    }
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
    // Rendering needs fonts but no display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    QStringList words = app.arguments().mid(1);
    if (words.isEmpty()) return Usage(QStringLiteral("no command"));
    const QString command = words.takeFirst();
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h") ||
        command == QStringLiteral("help")) {
        Print(kHelp);
        return kOk;
    }
    if (command == QStringLiteral("info")) return Info(words);
    if (command == QStringLiteral("cells")) return Cells(words);
    if (command == QStringLiteral("render")) return Render(words);
    if (command == QStringLiteral("convert")) return Convert(words);
    if (command == QStringLiteral("apply-effect")) return ApplyEffect(words);
    if (command == QStringLiteral("add-picture")) return AddPicture(words);
    if (command == QStringLiteral("export-video")) return ExportVideo(words);
    return Usage(QStringLiteral("unknown command ") + command);
}
