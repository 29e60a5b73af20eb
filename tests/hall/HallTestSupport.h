#pragma once
// A hall session in this process against a scripted server, each test with its own
// registry, window registry and data folder.

#include "hall/THallSession.h"
#include "support/ScriptedHallServer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

// Messages and expectations show texts as they read.
inline std::ostream &operator<<(std::ostream &out, const QString &text) {
    return out << text.toStdString();
}

namespace HallTest {

// Generous: the sanitizers and a busy machine slow everything; only a failure waits it out.
template <typename Condition> bool RunUntil(Condition condition, int timeoutMs = 30000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

inline QWidget *GameWindow() {
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "TFormPluginClient")
            return widget;
    return nullptr;
}

// Pixels along the bottom of the table that differ from its corner: the own hand.
inline int HandPixels(const QImage &shot) {
    const QColor corner = shot.pixelColor(5, shot.height() - 5);
    int differing = 0;
    for (int x = 100; x < 700; x += 2)
        differing += shot.pixelColor(x, shot.height() - 50) != corner;
    return differing;
}

class HallFixture : public testing::Test {
protected:
    HallFixture() {
        qputenv("VESTRANO_REGISTRY", (dir.path() + "/registry.ini").toLocal8Bit());
        qputenv("VESTRANO_WINDOW_DIR", (dir.path() + "/windows").toLocal8Bit());
        qputenv("SDL_AUDIODRIVER", "dummy");
        options.Port = server.Port();
        options.NickName = "alice";
        options.Table = 3;
        options.Seat = 0;
        options.ModulePath = MODULE_PATH;
        options.DataDir = dir.path() + "/data";
        options.TranscriptFile = dir.path() + "/transcript.txt";
        server.OnTableChoice = [this](const HallProto::TableChoiceFrame &) {
            server.SendUserList("alice");
        };
    }

    // Starts the session; true once it is at its table with the module started.
    bool Seat() {
        session = std::make_unique<THallSession>(options);
        QObject::connect(session.get(), &THallSession::Finished,
                         [this](int code) { exitCode = code; });
        session->Start();
        return RunUntil([&] { return server.CountTable(2) > 0; });
    }
    bool Ended() {
        return RunUntil([&] { return exitCode >= 0; });
    }
    QString Transcript() const {
        QFile file(options.TranscriptFile);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    ScriptedHallServer server;
    THallOptions options;
    std::unique_ptr<THallSession> session;
    int exitCode = -1;
};

} // namespace HallTest
