// vestrano-hall: owns the application and the GUI thread, connects to a game server,
// takes a seat and plays at that table with the game module loaded in-process.

#include "hall/THallOptions.h"
#include "hall/THallSession.h"
#include "hall/THallWindow.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Without a display the hall plays headless: the windows exist and paint off screen.
void ChoosePlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool OnScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

int main(int argc, char **argv) {
    ChoosePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestrano-hall"));
    QApplication::setApplicationVersion(QStringLiteral(VESTRANO_VERSION));
    // The hall ends when its table ends, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    QString error;
    const auto options = THallOptions::Parse(QApplication::arguments(), error);
    if (!options) {
        std::fprintf(stderr, "vestrano-hall: %s\nTry 'vestrano-hall --help'.\n", qPrintable(error));
        return 2;
    }
    THallSession session(*options);
    QObject::connect(&session, &THallSession::Finished, &app, [&session](int exitCode) {
        // On a screen, a failure stays in the hall window until the player closes it.
        if (exitCode != 0 && OnScreen() && session.Window().isVisible())
            QObject::connect(&session.Window(), &THallWindow::CloseRequested, qApp,
                             [exitCode] { QApplication::exit(exitCode); });
        else
            QApplication::exit(exitCode);
    });
    QTimer::singleShot(0, &session, &THallSession::Start);
    return QApplication::exec();
}
