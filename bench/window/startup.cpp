// Start-up: from starting the editor on examples/open-sign.zrx to the first paint of
// its view, against a bare main window started the same way, both under one display
// (this program's X server, or a private Xvfb when none is named). Ten starts of
// each, alternating; medians and their ratio. A window with only a menu bar, a tool
// bar and a status text is timed beside them (menu_ms, menu_ratio): what any window
// with text and icons costs over the bare one, whatever else it builds.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

constexpr int kStarts = 10;

// Milliseconds from starting `program` to its "first paint" line; -1 when it never
// came.
double TimeToFirstPaint(const QString& program, const QStringList& args, const QString& dir) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZORVANE_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // A start with nothing stored: no window layout, no recovery copy to offer.
    static const QTemporaryDir home;
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    double ms = -1;
    while (t.elapsed() < 20000 && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(50);
        if (p.readAll().contains("first paint")) {
            ms = double(t.nsecsElapsed()) / 1e6;
            break;
        }
    }
    p.kill();
    p.waitForFinished(5000);
    // The X server and the system are still putting away what the program held (its
    // windows, shared images, memory); the next start is timed from a quiet machine.
    QThread::msleep(500);
    return ms;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BM_Startup(benchmark::State& state) {
    QProcess xvfb;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (exe.isEmpty()) {
            state.SkipWithError("no display and no Xvfb");
            return;
        }
        xvfb.start(exe, {QStringLiteral(":97"), QStringLiteral("-screen"), QStringLiteral("0"),
                         QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"),
                         QStringLiteral("tcp")});
        xvfb.waitForStarted();
        qputenv("DISPLAY", ":97");
        QThread::msleep(500);
    }
    // A folder without logo.bmp: no splash.
    QTemporaryDir dir;
    const QString scheme = QStringLiteral(ZORVANE_EXAMPLES_DIR "/open-sign.zrx");
    for (auto _ : state) {
        std::vector<double> editor, bare, menu;
        for (int i = 0; i < kStarts; ++i) {
            editor.push_back(TimeToFirstPaint(QStringLiteral(ZORVANE_EXE), {scheme}, dir.path()));
            bare.push_back(TimeToFirstPaint(QStringLiteral(BARE_WINDOW_EXE), {}, dir.path()));
            menu.push_back(TimeToFirstPaint(QStringLiteral(MENU_WINDOW_EXE), {}, dir.path()));
        }
        if (*std::min_element(editor.begin(), editor.end()) < 0 ||
            *std::min_element(bare.begin(), bare.end()) < 0 ||
            *std::min_element(menu.begin(), menu.end()) < 0) {
            state.SkipWithError("a program never painted");
            break;
        }
        state.SetIterationTime(Median(editor) / 1e3);
        state.counters["editor_ms"] = Median(editor);
        state.counters["bare_ms"] = Median(bare);
        state.counters["ratio"] = Median(editor) / Median(bare);
        state.counters["menu_ms"] = Median(menu);
        state.counters["menu_ratio"] = Median(menu) / Median(bare);
    }
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(3000);
    }
}
BENCHMARK(BM_Startup)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
