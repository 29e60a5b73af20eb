#include "plugin/TPluginInterface50.h"

#include "common/Gbk.h"
#include "platform/ErrorInfo.h"
#include "platform/WindowClasses.h"
#include "platform/WindowMessages.h"
#include "plugin/TCustomPluginChat.h"
#include "plugin/TCustomPluginClient.h"
#include "plugin/TCustomPluginShare.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr int32_t InterfaceVersion = 1;
constexpr int32_t RaiseWindowMode = 2;

std::string Text(const char *text) {
    return text ? std::string(text) : std::string();
}

uint16_t Checked16(uint32_t value, const char *what) {
    if (value > 0xFFFF)
        throw std::range_error(std::string(what) + " is out of range (" + std::to_string(value) +
                               ")");
    return static_cast<uint16_t>(value);
}

} // namespace

Platform::ModuleLockCount &TPluginInterface50::ModuleLocks() {
    static Platform::ModuleLockCount locks;
    return locks;
}

TPluginInterface50::TPluginInterface50() {
    // Without the window class, or without an application to own windows, the object
    // has neither window nor hub and every method succeeds without effect.
    const auto *factory = Platform::FindWindowClass(MainWindowClass);
    if (factory && QApplication::instance())
        m_window = (*factory)();
    if (m_window)
        for (auto *hub : m_window->findChildren<TCustomPluginShare *>())
            m_hub = hub;
    // Counted last: a window that failed to come into being leaves no lock behind.
    ModuleLocks().Lock();
}

TPluginInterface50::~TPluginInterface50() {
    delete m_window;
    ModuleLocks().Unlock();
}

HRESULT TPluginInterface50::QueryInterface(REFIID riid, void **object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_INimOpenInterface) {
        *object = static_cast<INimOpenInterface *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TPluginInterface50::AddRef() {
    return m_references.Increment();
}

ULONG TPluginInterface50::Release() {
    const ULONG count = m_references.Decrement();
    if (count == 0)
        delete this;
    return count;
}

HRESULT TPluginInterface50::Guarded(const std::function<void()> &body) {
    try {
        body();
        return S_OK;
    } catch (const EHallRequestFailed &error) {
        Platform::SetErrorInfoText(error.what());
        return error.Result;
    } catch (const std::exception &error) {
        Platform::SetErrorInfoText(error.what());
        return E_UNEXPECTED;
    } catch (...) {
        Platform::SetErrorInfoText("unexpected error");
        return E_UNEXPECTED;
    }
}

HRESULT TPluginInterface50::GetInterfaceVersion(int32_t *version) {
    if (!version)
        return E_POINTER;
    *version = m_hub ? InterfaceVersion : -1;
    return S_OK;
}

HRESULT TPluginInterface50::SetRequestInterface(INimOpenInterfaceReq *request) {
    return Guarded([&] {
        if (m_hub)
            m_hub->SetInterface(request);
    });
}

HRESULT TPluginInterface50::StartPlugin(int64_t tableKey, const char *title, const int64_t *userId,
                                        const char *nickName, uint32_t extra, uint32_t, uint32_t,
                                        uint32_t) {
    return Guarded([&] {
        if (!m_hub)
            return;
        m_window->setWindowTitle(QtText::FromGbk(Text(title) + "[" + Text(nickName) + "]"));
        TStartInfo start;
        start.Extra = Checked16(extra, "Extra");
        start.TableKey = tableKey;
        start.Title = Text(title);
        start.Nickname = Text(nickName);
        start.UserId = userId ? *userId : 0;
        start.Window = Platform::HandleOf(m_window);
        m_hub->StartPlugin(start);
        m_window->show();
    });
}

HRESULT TPluginInterface50::Reserved1(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                      uint32_t) {
    return S_OK;
}

HRESULT TPluginInterface50::Reserved2(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                      uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
    return S_OK;
}

HRESULT TPluginInterface50::Reserved3(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
    return S_OK;
}

HRESULT TPluginInterface50::Reserved4(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                      uint32_t) {
    return S_OK;
}

HRESULT TPluginInterface50::StopPlugin(uint32_t) {
    return Guarded([&] {
        if (m_hub)
            m_hub->StopPlugin();
    });
}

HRESULT TPluginInterface50::ActivateWindow(int32_t mode) {
    return Guarded([&] {
        if (!m_window || mode != RaiseWindowMode)
            return;
        m_window->raise();
        m_window->show();
        if (m_window->isMinimized())
            m_window->showNormal();
        m_window->activateWindow();
    });
}

HRESULT TPluginInterface50::UpdateUserInfo(const int64_t *userId, const char *nickName,
                                           uint32_t face, uint32_t, uint32_t) {
    return Guarded([&] {
        if (!m_hub || !userId)
            return;
        const uint16_t face16 = Checked16(face, "Face");
        auto *user = m_hub->Room().FindUser(*userId);
        if (!user)
            return;
        user->Face = face16;
        user->SetNickname(Text(nickName));
    });
}

HRESULT TPluginInterface50::Reserved5(uint32_t, uint32_t, uint32_t) {
    return S_OK;
}

// Len counts characters, not bytes: a hall message is cut where a reader sees it end,
// and a two-byte character is never split.
HRESULT TPluginInterface50::ShowHallMessage(int32_t length, const char *text) {
    return Guarded([&] {
        if (!m_hub || length <= 0)
            return;
        const std::string line = Gbk::LeftCharacters(Text(text), static_cast<size_t>(length));
        if (auto *chat = m_hub->PluginChat())
            chat->AddLine(line, TCustomPluginShare::LineHall);
        if (auto *client = m_hub->PluginClient())
            client->OnChatLine(line, TCustomPluginShare::LineHall);
    });
}

HRESULT TPluginInterface50::DeliverPacket(int32_t length, const uint8_t *data) {
    return Guarded([&] {
        if (m_hub)
            m_hub->ReceivePacket(length, data);
    });
}
