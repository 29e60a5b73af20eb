#include "window/TFormPluginClient.h"

#include "common/Emoticons.h"
#include "common/Gbk.h"
#include "game/TChatBubbles.h"
#include "game/TVestranoClient.h"
#include "panels/TLovelyChat.h"
#include "panels/TPluginDialog50.h"
#include "platform/ResourceImages.h"
#include "platform/WindowClasses.h"
#include "platform/WindowMessages.h"
#include "plugin/TPluginShare50.h"
#include "resources/ArtCatalog.h"
#include "widgets/QtText.h"
#include "widgets/TImageList.h"

#include <QCloseEvent>

#include <exception>

namespace {

// The class is known by name as soon as the module is loaded.
const bool kClassRegistered =
    (Platform::RegisterWindowClass(TFormPluginClient::ClassName,
                                   [] { return new TFormPluginClient(); }),
     true);

} // namespace

TFormPluginClient::TFormPluginClient(QWidget *parent)
    : QWidget(parent) {
    setObjectName(ClassName);
    move(0, 0);
    m_pluginShare = new TPluginShare50(this);
    m_pluginShare->setObjectName("PluginShare501");
    m_pluginShare->SetMenuEnabled(false);
    m_pluginShare->SetChatLocked(true);

    m_panelClient = new QWidget(this);
    m_panelClient->setObjectName("PanelClient");
    m_panelClient->setGeometry(0, 0, BigWidth, BigHeight);

    m_pluginDialog = new TPluginDialog50(this);
    m_pluginDialog->SetCaption(QtText::FromGbk("确认"_gbk));
    m_pluginDialog->SetLifeCount(30);
    m_pluginShare->SetPluginDialog(m_pluginDialog);

    const auto &identity = m_pluginShare->Identity();
    setWindowTitle(QtText::FromGbk(identity.ProductName + identity.ProductVersion));

    auto *client = new TVestranoClient(m_panelClient);
    m_gameClient = client;
    client->setObjectName("GameClient");
    client->setGeometry(m_panelClient->rect());
    m_pluginShare->SetPluginClient(client);

    // The speech bubbles draw emoticon codes with the chat's pictures.
    m_emotionImages = new TImageList(this);
    for (int index = 0; index < Emoticons::Count; ++index)
        m_emotionImages->Add(Platform::ResourceImage(std::string(Resources::kEmoticonPrefix) +
                                                     Emoticons::Code(index).substr(1)));
    for (int seat = 0; seat < TVestranoTable::SeatCount; ++seat)
        client->Bubbles().Renderer(seat).SetEmotionImages(m_emotionImages);

    resize(BigWidth, BigHeight);
}

TFormPluginClient::~TFormPluginClient() = default;

bool TFormPluginClient::event(QEvent *event) {
    if (auto *message = Platform::TWindowMessageEvent::From(event)) {
        if (message->Message == TPluginShare50::WM_DISPATCHPACKET)
            message->Handle([this] {
                m_pluginShare->DispatchPacket();
                return 0;
            });
        return true;
    }
    return QWidget::event(event);
}

// The window never closes by itself: the hub asks, and stops the table when the player
// agrees; the hall then releases the module, which destroys the window.
void TFormPluginClient::closeEvent(QCloseEvent *event) {
    bool canClose = false;
    // Nothing may unwind into Qt's event loop. A hall that refused a request during the
    // stop has been told of the end all the same; the window stays until it is released.
    try {
        m_pluginShare->CloseQuery(this, canClose);
    } catch (const std::exception &) {
        canClose = false;
    }
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TFormPluginClient::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    for (auto *panel : {static_cast<QWidget *>(m_pluginDialog)})
        panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
}
