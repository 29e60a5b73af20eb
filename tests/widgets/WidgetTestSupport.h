#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace WidgetTest {

inline QImage Solid(QSize size, QRgb color) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

inline QImage Shot(QWidget &widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Runs the event loop until `done` holds or `limitMs` pass; returns the time it took.
inline qint64 WaitUntil(const std::function<bool()> &done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return clock.elapsed();
}

// A window with a background of one colour.
class Table : public QWidget {
public:
    explicit Table(QRgb color) {
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(color));
        setPalette(palette);
        resize(300, 200);
    }
};

} // namespace WidgetTest
