#include "hall/THallWindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

THallWindow::THallWindow(QWidget *parent)
    : QWidget(parent)
    , m_status(new QLabel(this))
    , m_log(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("HallWindow"));
    setWindowTitle(QStringLiteral("Vestrano hall"));
    m_status->setObjectName(QStringLiteral("HallStatus"));
    m_status->setWordWrap(true);
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(500);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_log);
    resize(420, 240);
}

void THallWindow::SetStatus(const QString &status) {
    m_status->setText(status);
}

QString THallWindow::Status() const {
    return m_status->text();
}

void THallWindow::AddMessage(const QString &text, bool error) {
    m_log->appendPlainText(text);
    if (error)
        SetStatus(text);
}

QStringList THallWindow::Messages() const {
    return m_log->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void THallWindow::ShowUserInfo(const QString &name, int64_t userId, const QString &details) {
    ShowDialog(QStringLiteral("UserInfoDialog"), QStringLiteral("User %1").arg(name),
               QStringLiteral("%1\nUser id: %2\n%3").arg(name).arg(userId).arg(details));
}

void THallWindow::ShowInvitation(const QString &invitation) {
    ShowDialog(QStringLiteral("InviteDialog"), QStringLiteral("Invite friends"), invitation);
}

void THallWindow::closeEvent(QCloseEvent *event) {
    emit CloseRequested();
    QWidget::closeEvent(event);
}

void THallWindow::ShowDialog(const QString &objectName, const QString &title, const QString &text) {
    auto *dialog = new QDialog(this);
    dialog->setObjectName(objectName);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    auto *label = new QLabel(text, dialog);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(label);
    layout->addWidget(buttons);
    dialog->show();
}
