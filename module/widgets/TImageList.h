#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

#include <vector>

// An ordered list of pictures of one size (button states, emoticons). Every picture is
// kept premultiplied, the format that draws fast. Users that draw from the list listen
// to Changed to follow later edits.
class TImageList : public QObject {
    Q_OBJECT

public:
    explicit TImageList(QObject *parent = nullptr);
    ~TImageList() override;

    int Count() const { return static_cast<int>(m_images.size()); }
    // A null image for an index outside the list.
    const QImage &Image(int index) const;
    // The size of the pictures: that of the first one, empty for an empty list.
    QSize ImageSize() const;

    void Add(const QImage &image);
    // Cuts a strip of `count` cells of equal width, left to right, into pictures.
    void AddStrip(const QImage &strip, int count);
    void Replace(int index, const QImage &image);
    void Clear();

signals:
    void Changed();

private:
    std::vector<QImage> m_images;
};
