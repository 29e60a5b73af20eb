// vestrano-server: tables of four seats, the room and game protocol, bots and records.

#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vestrano-server"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vestrano game server"));
    parser.addHelpOption();
    parser.process(app);
    return 0;
}
