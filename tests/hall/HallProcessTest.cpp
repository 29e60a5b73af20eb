// The hall program itself, run as a child process against a scripted server in this
// process: its exit status, its messages, and the files it writes.

#include "HallTestSupport.h"

#include "common/ComRegistry.h"

#include <QProcess>

using namespace HallTest;

namespace {

class HallProcessTest : public testing::Test {
protected:
    HallProcessTest() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("SDL_AUDIODRIVER", "dummy");
        environment.insert("VESTRANO_REGISTRY", dir.path() + "/registry.ini");
        environment.insert("VESTRANO_WINDOW_DIR", dir.path() + "/windows");
        hall.setProcessEnvironment(environment);
        QObject::connect(&hall, &QProcess::readyReadStandardOutput,
                         [this] { out += QString::fromUtf8(hall.readAllStandardOutput()); });
    }
    ~HallProcessTest() override {
        if (hall.state() != QProcess::NotRunning) {
            hall.kill();
            hall.waitForFinished();
        }
    }
    void Run(const QStringList &arguments) {
        hall.start(HALL_PATH, QStringList{"--data-dir", dir.path() + "/data"} + arguments);
        ASSERT_TRUE(hall.waitForStarted());
    }
    bool Exited() {
        return RunUntil([&] { return hall.state() == QProcess::NotRunning; }, 60000);
    }
    QString Errors() { return QString::fromUtf8(hall.readAllStandardError()); }

    QTemporaryDir dir;
    QProcess hall;
    QString out;
};

} // namespace

TEST_F(HallProcessTest, PlaysTheHandsAskedForWritesItsFilesAndExitsCleanly) {
    ScriptedHallServer server;
    server.OnTableChoice = [&](const HallProto::TableChoiceFrame &) {
        server.SendUserList("carol");
        server.SendDeal();
    };
    Run({"--port", QString::number(server.Port()), "--nick", "carol", "--table", "4", "--hands",
         "1", "--screenshots", dir.path() + "/shots", "--transcript", dir.path() + "/t.txt"});
    ASSERT_TRUE(RunUntil([&] { return out.contains("dealt hand shown"); }, 60000)) << Errors();
    server.SendHandOver();
    ASSERT_TRUE(Exited());
    EXPECT_EQ(hall.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(hall.exitCode(), 0) << Errors();
    EXPECT_TRUE(RunUntil([&] { return server.HallLeft(); }));
    EXPECT_EQ(server.CountKind(11), 1) << "the module's leave packet went out before the end";

    const QImage shot(dir.path() + "/shots/hand-001.png");
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(HandPixels(shot), 50);
    QFile transcript(dir.path() + "/t.txt");
    ASSERT_TRUE(transcript.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(transcript.readAll());
    for (const char *line :
         {"registered the game module", "logged in as carol (user 4242)",
          "seated at table 4, seat 0", "dealt hand shown", "hand 1 ended: carol +3 (3)",
          "screenshot", "closing the table: 1 hands have been played", "left the table"})
        EXPECT_TRUE(lines.contains(line)) << line << "\n" << lines.toStdString();
    // Found beside the hall in the build tree and registered for the next time.
    EXPECT_TRUE(ComRegistry::FindServer(TModuleHost::VestranoClassId) ||
                QFile::exists(dir.path() + "/registry.ini"));
}

TEST_F(HallProcessTest, ARefusedConnectionEndsWithAMessageAndAFailure) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    Run({"--port", QString::number(port), "--nick", "dave"});
    ASSERT_TRUE(Exited());
    EXPECT_EQ(hall.exitCode(), 1);
    EXPECT_TRUE(Errors().contains(
        QString("vestrano-hall: cannot connect to the server at 127.0.0.1:%1").arg(port)));
}

TEST_F(HallProcessTest, AMistakeOnTheCommandLineIsExplained) {
    Run({"--nick", "erin", "--seat", "9"});
    ASSERT_TRUE(Exited());
    EXPECT_EQ(hall.exitCode(), 2);
    EXPECT_TRUE(Errors().contains("--seat needs a number from 0 to 3"));
}
