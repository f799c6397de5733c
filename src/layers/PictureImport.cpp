#include "layers/PictureImport.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <csignal>
#include <cstring>

#include "layers/PictureReply.h"
#include "layers/ProgramFiles.h"

namespace zv {

namespace {

const char kHelperName[] = "zorvane-picture-decoder";

PictureResult Failed(PictureFailure failure, const QString& message) {
    PictureResult r;
    r.failure = failure;
    r.message = message;
    return r;
}

PictureResult UnsupportedType() {
    return Failed(PictureFailure::Unsupported,
                  QStringLiteral("Pictures are imported from BMP, DIB, EMF, GIF, ICO, JPG and WMF "
                                 "files; this file is none of them."));
}

PictureResult NoHelper(const QString& helper, const QString& why) {
    return Failed(
        PictureFailure::NoDecoder,
        helper.isEmpty()
            ? QStringLiteral("The picture decoder (%1) is not installed beside the "
                             "program.")
                  .arg(QLatin1String(kHelperName))
            : QStringLiteral("The picture decoder %1 could not be started: %2.").arg(helper, why));
}

// The helper reads the file itself; its standard error is thrown away so that a
// chatty decoder cannot fill the importer's memory.
void Prepare(QProcess& p, const QString& helper, const QString& path, PictureKind kind,
             const PictureLimits& limits) {
    QStringList args;
    if (kind == PictureKind::Bitmap) args << QStringLiteral("--bitmap");
    args << QStringLiteral("--cpu-seconds") << QString::number(limits.cpuSeconds)
         << QStringLiteral("--memory-mb") << QString::number(limits.memoryMb)
         << QStringLiteral("--") << path;
    p.setProgram(helper);
    p.setArguments(args);
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
}

PictureResult CpuLimit(const PictureLimits& limits) {
    return Failed(PictureFailure::CpuLimit,
                  QStringLiteral("Decoding the picture used more than %1 s of processor time, "
                                 "the limit; it was stopped.")
                      .arg(limits.cpuSeconds));
}

// What the end of the helper means. A complete reply is taken whatever happened to
// the helper afterwards: every field of it has been checked.
PictureResult Conclude(const QProcess& p, PictureReply& reply, bool timedOut,
                       const PictureLimits& limits) {
    if (reply.Complete()) {
        PictureResult r;
        r.failure = reply.Failure();
        r.message = reply.Message();
        r.dataSize = reply.DataSize();
        if (r.Ok()) r.image = reply.TakeImage();
        return r;
    }
    if (timedOut)
        return Failed(PictureFailure::TimeLimit,
                      QStringLiteral("Decoding the picture took longer than %1 s, the time limit; "
                                     "it was stopped.")
                          .arg(limits.wallMilliseconds / 1000.0));
    if (!reply.Problem().isEmpty())
        return Failed(PictureFailure::Crashed,
                      QStringLiteral("The picture decoder went wrong: %1.").arg(reply.Problem()));
    if (p.exitStatus() == QProcess::CrashExit) {
        // QProcess gives the signal that ended the helper as its exit code.
        const int sig = p.exitCode();
        if (sig == SIGXCPU) return CpuLimit(limits);
        return Failed(PictureFailure::Crashed,
                      sig > 0 && sig < NSIG
                          ? QStringLiteral("The picture decoder crashed on this file (%1).")
                                .arg(QString::fromLocal8Bit(strsignal(sig)))
                          : QStringLiteral("The picture decoder crashed on this file."));
    }
    switch (p.exitCode()) {
        case kDecoderExitCpu:
            return CpuLimit(limits);
        case kDecoderExitMemory:
            return Failed(PictureFailure::MemoryLimit,
                          QStringLiteral("Decoding the picture needed more than %1 MB of memory, "
                                         "the limit; it was stopped.")
                              .arg(limits.memoryMb));
        case 0:
            return Failed(PictureFailure::Crashed,
                          QStringLiteral("The picture decoder's answer was cut short."));
        default:
            return Failed(
                PictureFailure::Crashed,
                QStringLiteral("The picture decoder stopped with status %1.").arg(p.exitCode()));
    }
}

void Kill(QProcess& p) {
    if (p.state() == QProcess::NotRunning) return;
    p.kill();
    p.waitForFinished(5000);
}

}  // namespace

PictureImport::PictureImport(QObject* parent) : QObject(parent), timer(std::make_unique<QTimer>()) {
    timer->setSingleShot(true);
    connect(timer.get(), &QTimer::timeout, this, &PictureImport::OnTimeout);
}

PictureImport::~PictureImport() {
    if (!process) return;
    process->disconnect(this);
    Kill(*process);
}

std::optional<PictureKind> PictureImport::KindFor(const QString& path) {
    static const QStringList kLoaderTypes = {"DIB", "EMF", "GIF", "ICO", "JPG", "WMF"};
    const QString type = QFileInfo(path).suffix().toUpper();
    if (type == QLatin1String("BMP")) return PictureKind::Bitmap;
    if (kLoaderTypes.contains(type)) return PictureKind::Picture;
    return std::nullopt;
}

QString PictureImport::HelperPath() {
    const QString chosen = qEnvironmentVariable("ZORVANE_PICTURE_DECODER");
    if (!chosen.isEmpty()) return chosen;
    const QString name = QLatin1String(kHelperName);
    return FindProgramFile({name, QStringLiteral("../libexec/zorvane/") + name},
                           {QStringLiteral(ZORVANE_PICTURE_DECODER_BUILT_AT)}, true);
}

PictureResult PictureImport::Run(const QString& path, const PictureLimits& limits) {
    const std::optional<PictureKind> kind = KindFor(path);
    if (!kind) return UnsupportedType();
    const QString helper = HelperPath();
    if (helper.isEmpty()) return NoHelper(helper, QString());

    QProcess p;
    Prepare(p, helper, path, *kind, limits);
    const QDeadlineTimer deadline(limits.wallMilliseconds);
    p.start(QIODevice::ReadOnly);
    if (!p.waitForStarted(static_cast<int>(deadline.remainingTime()))) {
        Kill(p);
        return NoHelper(helper, p.errorString());
    }
    PictureReply reply;
    bool timedOut = false;
    while (reply.ReadFrom(p) && !reply.Complete() && p.state() != QProcess::NotRunning) {
        if (deadline.hasExpired()) {
            timedOut = true;
            break;
        }
        p.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    }
    if (reply.Complete() || !reply.Problem().isEmpty() || timedOut)
        Kill(p);  // its answer is all there, or it is not worth waiting for
    else
        p.waitForFinished(static_cast<int>(deadline.remainingTime()));
    return Conclude(p, reply, timedOut, limits);
}

void PictureImport::Start(const QString& path, const PictureLimits& limits) {
    Cancel();
    const std::optional<PictureKind> kind = KindFor(path);
    const QString helper = kind ? HelperPath() : QString();
    if (!kind || !QFileInfo(helper).isExecutable()) {
        const PictureResult r =
            kind ? NoHelper(helper, QStringLiteral("it is missing or cannot be run"))
                 : UnsupportedType();
        QMetaObject::invokeMethod(
            this, [this, r] { emit finished(r); }, Qt::QueuedConnection);
        return;
    }
    running = limits;
    const quint64 run = ++runs;
    reply = std::make_unique<PictureReply>();
    process = std::make_unique<QProcess>();
    Prepare(*process, helper, path, *kind, limits);
    connect(process.get(), &QProcess::readyReadStandardOutput, this, &PictureImport::OnReadyRead);
    connect(process.get(), &QProcess::finished, this, &PictureImport::OnFinished);
    // Queued, so that a helper that cannot be started is reported from the event loop
    // too; by then this run may have ended another way.
    connect(
        process.get(), &QProcess::errorOccurred, this,
        [this, helper, run](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart && process && run == runs)
                Finish(NoHelper(helper, process->errorString()));
        },
        Qt::QueuedConnection);
    timer->start(limits.wallMilliseconds);
    process->start(QIODevice::ReadOnly);
}

void PictureImport::Cancel() {
    if (!process) return;
    StopProcess();
    emit finished(Failed(PictureFailure::Cancelled, QStringLiteral("The import was cancelled.")));
}

void PictureImport::OnReadyRead() {
    // A wrong answer is not worth waiting for; a complete one needs no more.
    if (!reply->ReadFrom(*process) || reply->Complete())
        Finish(Conclude(*process, *reply, false, running));
}

void PictureImport::OnFinished() {
    reply->ReadFrom(*process);
    Finish(Conclude(*process, *reply, false, running));
}

void PictureImport::OnTimeout() {
    Finish(Conclude(*process, *reply, true, running));
}

void PictureImport::Finish(PictureResult result) {
    StopProcess();
    emit finished(result);
}

void PictureImport::StopProcess() {
    timer->stop();
    if (!process) return;
    // Disconnected first: killing it makes it signal its end.
    process->disconnect(this);
    Kill(*process);
    // This may run inside one of the process's own signals: it is destroyed from the
    // event loop, or with this object.
    QProcess* ended = process.release();
    ended->setParent(this);
    ended->deleteLater();
    reply.reset();
}

}  // namespace zv
