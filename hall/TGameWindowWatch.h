#pragma once
// The hall's view of the module's game window, which lives in the hall's process: it
// reports the first time the table is painted with a dealt hand, and writes pictures
// of the window. The window is found among the application's top-level windows by the
// module's window class name.

#include <QObject>
#include <QPointer>
#include <QWidget>

class TGameWindowWatch final : public QObject {
    Q_OBJECT

public:
    static constexpr const char *GameWindowName = "TFormPluginClient";
    static constexpr const char *HandControlClass = "TCardGroupGraphic";

    explicit TGameWindowWatch(QObject *parent = nullptr);
    ~TGameWindowWatch() override;

    // The module's game window, once it exists.
    QWidget *Window();
    // After a deal has been delivered: the next painting of a hand of cards in the
    // game window is reported once, by HandPainted.
    void ExpectDealtHand();
    // Writes the window as it looks now; false with `error`.
    bool Screenshot(const QString &fileName, QString &error);

signals:
    void HandPainted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void StopWatching();

    QPointer<QWidget> m_window;
    bool m_watching = false;
    bool m_reported = false;
};
