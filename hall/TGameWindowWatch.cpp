#include "hall/TGameWindowWatch.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QImage>

TGameWindowWatch::TGameWindowWatch(QObject *parent)
    : QObject(parent) {}

TGameWindowWatch::~TGameWindowWatch() {
    StopWatching();
}

QWidget *TGameWindowWatch::Window() {
    if (!m_window)
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String(GameWindowName))
                m_window = widget;
    return m_window;
}

void TGameWindowWatch::ExpectDealtHand() {
    if (m_reported || m_watching)
        return;
    m_watching = true;
    qApp->installEventFilter(this);
}

void TGameWindowWatch::StopWatching() {
    if (m_watching)
        qApp->removeEventFilter(this);
    m_watching = false;
}

// The filter sees the paint before it is done; the report is queued behind it, so it
// comes once the whole window has been painted.
bool TGameWindowWatch::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::Paint || !watched->inherits(HandControlClass))
        return false;
    auto *control = static_cast<QWidget *>(watched);
    if (!Window() || control->window() != m_window || !control->isVisible())
        return false;
    StopWatching();
    m_reported = true;
    QMetaObject::invokeMethod(this, &TGameWindowWatch::HandPainted, Qt::QueuedConnection);
    return false;
}

bool TGameWindowWatch::Screenshot(const QString &fileName, QString &error) {
    if (!Window()) {
        error = QStringLiteral("there is no game window to take a picture of");
        return false;
    }
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const QImage shot = m_window->grab().toImage();
    if (shot.isNull() || !shot.save(fileName, "PNG")) {
        error = QStringLiteral("cannot write the screenshot %1").arg(fileName);
        return false;
    }
    return true;
}
