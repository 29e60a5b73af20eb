// From the start of the hall's process to the first painted table with a dealt hand:
// each iteration starts vestrano-hall against a scripted loopback server that sends the
// table's users and a deal as soon as the hall has chosen its table, and stops the clock
// when the hall reports the painted hand on its standard output. The hall's data folder
// and the registry are prepared by a first run outside the measurement, as after a first
// start of the hall on a machine.

#include "support/ScriptedHallServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The time to the painted hand in seconds, or a negative value when it never came.
double StartHallOnce(const QTemporaryDir &dir) {
    ScriptedHallServer server;
    server.OnTableChoice = [&](const HallProto::TableChoiceFrame &) {
        server.SendUserList("bench");
        server.SendDeal();
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("SDL_AUDIODRIVER", "dummy");
    environment.insert("VESTRANO_REGISTRY", dir.path() + "/registry.ini");
    environment.insert("VESTRANO_WINDOW_DIR", dir.path() + "/windows");
    QProcess hall;
    hall.setProcessEnvironment(environment);
    hall.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QByteArray out;
    QObject::connect(&hall, &QProcess::readyReadStandardOutput,
                     [&] { out += hall.readAllStandardOutput(); });
    QElapsedTimer clock;
    clock.start();
    hall.start(HALL_PATH, {"--port", QString::number(server.Port()), "--nick", "bench",
                           "--data-dir", dir.path() + "/data", "--quit-after-ms", "20000"});
    QDeadlineTimer deadline(30000);
    while (!out.contains("dealt hand shown") && hall.state() != QProcess::NotRunning &&
           !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    const double seconds = out.contains("dealt hand shown") ? clock.nsecsElapsed() * 1e-9 : -1;
    // What comes after the painted hand is not measured; the hall need not end it cleanly.
    hall.kill();
    hall.waitForFinished();
    return seconds;
}

void BM_HallStartToPaintedHand(benchmark::State &state) {
    QTemporaryDir dir;
    if (StartHallOnce(dir) < 0) {
        state.SkipWithError("the hall never reported a painted hand");
        return;
    }
    for (auto _ : state) {
        const double seconds = StartHallOnce(dir);
        if (seconds < 0) {
            state.SkipWithError("the hall never reported a painted hand");
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_HallStartToPaintedHand)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
