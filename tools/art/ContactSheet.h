#pragma once

#include <QImage>

class ArtWriter;

// One picture for review: a hand of overlapped cards, then every generated picture with its
// name, large backgrounds scaled down.
class ContactSheet final {
public:
    static QImage Compose(const ArtWriter &writer);
    // The table as a player sees it mid-hand: background, a full hand overlapped 15 pixels
    // apart, played cards, buttons, clock, marks and a speech bubble.
    static QImage TablePreview(const ArtWriter &writer);
};
