#pragma once
// The hall's own small window: who is connected where, the table's state, and every
// message of the hall (notices from the server, a lost connection, a module's failure).
// Its dialogs for user information and invitations never block: they are shown and the
// hall carries on, so they also work with no display at all.

#include <QWidget>

class QLabel;
class QPlainTextEdit;

class THallWindow final : public QWidget {
    Q_OBJECT

public:
    explicit THallWindow(QWidget *parent = nullptr);

    void SetStatus(const QString &status);
    QString Status() const;
    // A line in the window's log; an error also becomes the status.
    void AddMessage(const QString &text, bool error = false);
    QStringList Messages() const;
    void ShowUserInfo(const QString &name, int64_t userId, const QString &details);
    void ShowInvitation(const QString &invitation);

signals:
    // The user closed the hall window.
    void CloseRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ShowDialog(const QString &objectName, const QString &title, const QString &text);

    QLabel *m_status;
    QPlainTextEdit *m_log;
};
