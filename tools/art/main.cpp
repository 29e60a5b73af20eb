// Draws every picture and synthesises every sound of the module, deterministically, and
// writes the Qt resource list that embeds the pictures, plus a contact sheet and a table
// preview (beside the sheet) for review.
//
//   vestrano-art <image dir> <sound dir> <resource list> <contact sheet>

#include "ArtWriter.h"
#include "CardPainter.h"
#include "ContactSheet.h"
#include "EmoticonPainter.h"
#include "SoundSynth.h"
#include "TablePainter.h"
#include "WindowPainter.h"

#include "resources/ArtCatalog.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>

#include <cstdio>
#include <exception>

namespace {

// Every picture of the catalogue must have been drawn, at its size.
bool MatchesCatalog(const ArtWriter &writer) {
    QHash<QString, QSize> drawn;
    for (const auto &picture : writer.Pictures())
        drawn.insert(picture.name, picture.image.size());
    bool ok = true;
    const auto expect = [&](std::string_view name, int width, int height) {
        const QString key = QString::fromLatin1(name.data(), qsizetype(name.size()));
        if (drawn.value(key) != QSize(width, height)) {
            std::fprintf(stderr, "vestrano-art: %s is missing or not %d x %d\n", qPrintable(key),
                         width, height);
            ok = false;
        }
    };
    for (std::string_view card : Resources::kCardPictures)
        expect(card, Resources::kCardWidth, Resources::kCardHeight);
    for (const auto &picture : Resources::kTablePictures)
        expect(picture.name, picture.width, picture.height);
    for (const auto &picture : Resources::kWindowPictures)
        expect(picture.name, picture.width, picture.height);
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <image dir> <sound dir> <resource list> <sheet>\n",
                     argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    try {
        QDir().mkpath(QString::fromLocal8Bit(argv[1]));
        QDir().mkpath(QString::fromLocal8Bit(argv[2]));
        ArtWriter writer(argv[1], argv[2]);
        CardPainter(writer).DrawAll();
        TablePainter(writer).DrawAll();
        WindowPainter(writer).DrawAll();
        EmoticonPainter(writer).DrawAll();
        SoundSynth(writer).WriteAll();
        if (!MatchesCatalog(writer))
            return 1;
        const QString sheet = QString::fromLocal8Bit(argv[4]);
        const QString preview =
            QFileInfo(sheet).dir().filePath(QStringLiteral("table-preview.png"));
        if (!ContactSheet::Compose(writer).save(sheet, "PNG") ||
            !ContactSheet::TablePreview(writer).save(preview, "PNG"))
            throw std::runtime_error("cannot write the contact sheet");
        writer.WriteResourceList(argv[3]);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "vestrano-art: %s\n", error.what());
        return 1;
    }
    return 0;
}
