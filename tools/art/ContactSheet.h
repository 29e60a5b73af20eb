#pragma once

#include <QImage>

class ArtWriter;

// One picture for review: a hand of overlapped cards, then every generated picture with its
// name, large backgrounds scaled down.
class ContactSheet final {
public:
    static QImage Compose(const ArtWriter &writer);
};
