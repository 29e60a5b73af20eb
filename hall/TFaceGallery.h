#pragma once
// The hall's face pictures: numbered avatars in <data dir>/Face/, each as N.png (the
// table's seats) and N.bmp (lists), drawn by the hall itself the first time a picture is
// missing. Every picture is a pure function of its number, so two halls draw the same
// faces. Face 0 is the anonymous silhouette shown for hidden names.

#include <QImage>
#include <QString>

class TFaceGallery final {
public:
    static constexpr int FaceCount = 24;
    static constexpr int FaceSize = 48;

    // Writes the pictures that are missing into `faceFolder`; false with `error` when the
    // folder cannot be made or a picture cannot be written.
    static bool Provide(const QString &faceFolder, QString &error);
    static QImage Draw(int number);

private:
    static void DrawPerson(QImage &image, int number);
};
