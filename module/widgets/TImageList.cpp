#include "widgets/TImageList.h"

TImageList::TImageList(QObject *parent)
    : QObject(parent) {}

TImageList::~TImageList() = default;

const QImage &TImageList::Image(int index) const {
    static const QImage none;
    if (index < 0 || index >= Count())
        return none;
    return m_images[static_cast<size_t>(index)];
}

QSize TImageList::ImageSize() const {
    return m_images.empty() ? QSize() : m_images.front().size();
}

void TImageList::Add(const QImage &image) {
    m_images.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    emit Changed();
}

void TImageList::AddStrip(const QImage &strip, int count) {
    if (count <= 0 || strip.isNull())
        return;
    const int cellWidth = strip.width() / count;
    const QImage source = strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < count; ++i)
        m_images.push_back(source.copy(i * cellWidth, 0, cellWidth, strip.height()));
    emit Changed();
}

void TImageList::Replace(int index, const QImage &image) {
    if (index < 0 || index >= Count())
        return;
    m_images[static_cast<size_t>(index)] =
        image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    emit Changed();
}

void TImageList::Clear() {
    if (m_images.empty())
        return;
    m_images.clear();
    emit Changed();
}
