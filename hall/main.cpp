// vestrano-hall: owns the application and the GUI thread, connects to a game server
// and loads the game module for a table.

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestrano-hall"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vestrano game hall"));
    parser.addHelpOption();
    parser.process(app);
    return 0;
}
