// The scheme file (.zrx): signature, region defaults, background, then every frame
// with its regions, shapes, texts and pictures, then an end-of-frames header.
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>

#include <limits>
#include <new>
#include <utility>

#include "gdi/BackupChain.h"
#include "gdi/BinaryIO.h"
#include "gdi/ReadWindow.h"
#include "gdi/WriteBehind.h"
#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"

namespace zv {

namespace {

constexpr std::int32_t kVersion = 4;

constexpr std::int32_t Word(const char (&s)[5]) {
    return std::int32_t(std::uint32_t(std::uint8_t(s[0])) | std::uint32_t(std::uint8_t(s[1])) << 8 |
                        std::uint32_t(std::uint8_t(s[2])) << 16 |
                        std::uint32_t(std::uint8_t(s[3])) << 24);
}

// "ZRX\0", version, "PERO", "DAS\0", "MILU", 0
constexpr std::int32_t kSignature[6] = {Word("ZRX\0"), kVersion,     Word("PERO"),
                                        Word("DAS\0"), Word("MILU"), 0};

}  // namespace

int CNeonAv::CheckSignature(std::span<const std::int32_t, 6> w) {
    return w[0] == kSignature[0] && w[2] == kSignature[2] && w[3] == kSignature[3] &&
                   w[4] == kSignature[4]
               ? 1
               : 0;
}

void CNeonFrame::WriteFrame(QDataStream& out, bool content) const {
    const std::int32_t header[4] = {1, category, frameTag, content ? 1 : 0};
    WriteInt32s(out, header);
    if (!content) return;
    // Every ring is written from its last item; the reader appends, so a reloaded
    // frame holds its items in reverse order.
    for (const CNeonRegion* r : Ring<CNeonRegion>::ItemsBackward(regions.get())) r->Save(out, true);
    regions->Save(out, false);
    if (shapes)
        shapes->SaveTo(out, 0);
    else
        CNeonGraph().SaveTo(out, 0);
    for (const CNeonChar* t : Ring<CNeonChar>::ItemsBackward(texts.get())) t->Save(out, true);
    texts->Save(out, false);
    for (const CNeonImg* img : Ring<CNeonImg>::ItemsBackward(pictures.get()))
        if (!img->Save(out, true)) out.setStatus(QDataStream::WriteFailed);
    pictures->Save(out, false);
}

bool CNeonFrame::ReadFrame(const CNeonFrame& anchor, QDataStream& in) {
    RegionRecordHeader rh;
    if (!rh.Read(in)) return false;
    while (rh.kind == 2) {
        CNeonRegion* r = regions->AppendRegion();
        if (!r->ApplyHeader(rh) || !r->Load(in, rh.bodySize)) return false;
        selectedRegion = r;
        if (r->effect != 0) ApplyEffect(anchor, r->effect, r->loop, false);
        if (!rh.Read(in)) return false;
    }
    if (!Ring<CNeonRegion>::IsEmpty(regions.get())) selectedRegion = regions->prev;

    std::int32_t shapeHeader[3];
    if (!ReadInt32s(in, shapeHeader)) return false;
    if (shapeHeader[2] != 0) {
        auto graph = std::make_unique<CNeonGraph>();
        if (!graph->LoadFrom(in, shapeHeader[2])) return false;
        shapes = std::move(graph);
    }

    TextRecordHeader th;
    if (!th.Read(in)) return false;
    while (th.IsItem()) {
        CNeonChar* t = texts->AppendText();
        t->TakeHeader(th);
        if (!t->Load(in, th.bodySize) || !th.Read(in)) return false;
    }

    PictureRecordHeader ph;
    if (!ph.Read(in)) return false;
    while (ph.IsItem()) {
        CNeonImg* img = pictures->AppendPicture();
        img->TakeHeader(ph);
        if (!img->Load(in) || !ph.Read(in)) return false;
    }
    return in.status() == QDataStream::Ok;
}

bool CNeonAv::SaveScheme(QIODevice& file, const CNeonBkg& background) const {
    QDataStream out(&file);
    UseFileByteOrder(out);
    WriteInt32s(out, kSignature);
    const std::int32_t settings[3] = {defaultRows, defaultCols,
                                      CNeonRegion::ZoomPercent(defaultZoom)};
    WriteInt32s(out, settings);
    if (!background.Save(out)) out.setStatus(QDataStream::WriteFailed);
    // Each frame is put together in memory and handed over in one write: a frame is
    // thousands of small fields and cell blocks, each of which would otherwise pass
    // through the device's own small buffer. The next frame is put together while
    // the last one is written.
    WriteBehind behind(file);
    for (const CNeonFrame* f : Ring<CNeonFrame>::Items(anchor.get())) {
        QByteArray chunk = behind.Buffer();
        QBuffer buffer(&chunk);
        buffer.open(QIODevice::WriteOnly);
        QDataStream frameOut(&buffer);
        UseFileByteOrder(frameOut);
        f->WriteFrame(frameOut, true);
        buffer.close();
        if (frameOut.status() != QDataStream::Ok) out.setStatus(QDataStream::WriteFailed);
        behind.Write(std::move(chunk));
    }
    if (!behind.Finish()) out.setStatus(QDataStream::WriteFailed);
    anchor->WriteFrame(out, false);
    // A full disk shows itself when the last buffered bytes go out.
    if (auto* device = qobject_cast<QFileDevice*>(&file)) {
        if (!device->flush()) return false;
    }
    return out.status() == QDataStream::Ok;
}

bool CNeonAv::LoadScheme(QIODevice& file, CNeonBkg& background, std::int32_t* version) {
    // Every size in the file is checked against the bytes that remain, which needs a
    // device that knows its size. A file is read through a window that is used again
    // for every piece, so the cells are copied once from the system's cache into warm
    // memory and once into their own arrays; a sequential device is read whole first.
    QByteArray bytes;
    QBuffer whole(&bytes);
    ReadWindow window(file);
    QIODevice* source = &window;
    if (file.isSequential()) {
        bytes = file.readAll();
        source = &whole;
    }
    if (!source->open(QIODevice::ReadOnly)) return false;
    QDataStream in(source);
    UseFileByteOrder(in);
    std::int32_t signature[6];
    if (!ReadInt32s(in, signature) || !CheckSignature(signature)) return false;

    // Everything is read into a fresh animation and background; only a complete,
    // valid file replaces what the user has.
    CNeonAv fresh;
    CNeonBkg freshBackground = background;
    std::int32_t settings[3];
    if (!ReadInt32s(in, settings)) return false;
    // New regions take these counts: they must make a grid we can hold.
    if (settings[0] < 0 || settings[1] < 0 ||
        (settings[0] > 0 &&
         settings[1] > std::numeric_limits<std::int32_t>::max() / 28 / settings[0]))
        return false;
    fresh.defaultRows = settings[0];
    fresh.defaultCols = settings[1];
    fresh.defaultZoom = CNeonRegion::ZoomFromPercent(std::uint32_t(settings[2]));

    if (signature[1] == kVersion) {
        BackgroundRecordHeader bh;
        if (!bh.Read(in)) return false;
        freshBackground.TakeHeader(bh);
        if (freshBackground.hasBitmap && !freshBackground.Load(in)) return false;
    }

    std::int32_t header[4];
    if (!ReadInt32s(in, header)) return false;
    while (header[3] == 1) {
        CNeonFrame* f = fresh.InsertAfter(fresh.anchor->prev, false);
        f->category = header[1];
        f->frameTag = header[2];
        if (!f->ReadFrame(*fresh.anchor, in) || !ReadInt32s(in, header)) return false;
    }
    fresh.currentFrame = fresh.First();

    std::swap(anchor, fresh.anchor);
    std::swap(frameCount, fresh.frameCount);
    std::swap(currentIndex, fresh.currentIndex);
    std::swap(currentFrame, fresh.currentFrame);
    defaultRows = fresh.defaultRows;
    defaultCols = fresh.defaultCols;
    defaultZoom = fresh.defaultZoom;
    background = std::move(freshBackground);
    if (version) *version = signature[1];
    return true;
}

bool CNeonAv::SaveSchemeFile(const QString& path, const CNeonBkg& background,
                             QString* error) const {
    // The file that is really written (a link's target), and whether it is a
    // regular file that the backup chain moves aside.
    const QFileInfo given(path);
    const QString target = given.isSymLink() ? given.canonicalFilePath() : path;
    const QFileInfo before(target);
    const bool existed = !target.isEmpty() && before.exists();
    const bool kept = existed && before.isFile() && !before.isSymLink();
    if (!KeepBackup(path, error)) return false;
    // The previous version is safe under its backup name, so the file is written in
    // place (no temporary copy and no forced sync, which would double the time a
    // large scheme takes); every write and the final flush are checked.
    QFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    bool outOfMemory = false;
    if (written) {
        // Running out of memory while a frame is put together is a failed save like
        // any other: the previous version comes back below.
        try {
            written = SaveScheme(file, background) && file.flush();
        } catch (const std::bad_alloc&) {
            written = false;
            outOfMemory = true;
        }
    }
    if (!written && error)
        *error = outOfMemory ? QStringLiteral("Not enough memory") : file.errorString();
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    // A file left half written is worth nothing: the previous version takes its
    // name again. A device or pipe given as the output is never removed.
    if (!written && (kept || (!existed && QFileInfo(target).isFile()))) {
        if (kept)
            RestoreBackup(target);
        else
            QFile::remove(target);
    }
    return written;
}

bool CNeonAv::LoadSchemeFile(const QString& path, CNeonBkg& background, std::int32_t* version,
                             QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    if (!LoadScheme(file, background, version)) {
        if (error) *error = kFileFormatError;
        return false;
    }
    return true;
}

}  // namespace zv
