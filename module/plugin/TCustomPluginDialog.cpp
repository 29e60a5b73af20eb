#include "plugin/TCustomPluginDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

TCustomPluginDialog::TCustomPluginDialog(QWidget *parent)
    : TLovelyPanel(parent) {}

int TCustomPluginDialog::Execute() {
    const QPointer<QWidget> focused = QApplication::focusWidget();
    const QPointer<TCustomPluginDialog> self = this;
    const int result = TLovelyPanel::Execute();
    if (!self)
        return 0;
    SetText({});
    if (focused)
        focused->setFocus();
    return result;
}

void TCustomPluginDialog::SetKind(uint8_t kind) {
    m_kind = kind;
}

void TCustomPluginDialog::SetText(const std::string &text) {
    m_text = text;
    update();
}

int TCustomPluginDialog::SelectedIndex() {
    return -1;
}

void TCustomPluginDialog::SetSelectedIndex(int) {}

void TCustomPluginDialog::SetItems(const std::optional<std::vector<std::string>> &items) {
    m_items = items.value_or(std::vector<std::string>{});
}

void TCustomPluginDialog::Initialize() {}

void TCustomPluginDialog::Finalize() {
    if (Running())
        SetModalResult(drClosed);
}

void TCustomPluginDialog::LoadOptions() {}
void TCustomPluginDialog::BeforeFinalize() {}

void TCustomPluginDialog::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SetModalResult(drOk);
        break;
    case Qt::Key_Escape:
        SetModalResult(drCancel);
        break;
    default:
        TLovelyPanel::keyPressEvent(event);
    }
}
