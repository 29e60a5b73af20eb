#include "hall/THallRequest.h"

#include "hall/TWordFilter.h"
#include "protocol/HallFrame.h"

#include <cstring>

THallRequest::THallRequest(int64_t tableKey, std::string hallPath, const TWordFilter &words,
                           THandlers handlers)
    : m_tableKey(tableKey)
    , m_hallPath(std::move(hallPath))
    , m_words(words)
    , m_handlers(std::move(handlers)) {}

HRESULT THallRequest::QueryInterface(REFIID riid, void **object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_INimOpenInterfaceReq) {
        *object = static_cast<INimOpenInterfaceReq *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG THallRequest::AddRef() {
    return ++m_references;
}

ULONG THallRequest::Release() {
    return m_references > 0 ? --m_references : 0;
}

HRESULT THallRequest::ReadHallValue(int32_t *value) {
    if (!value)
        return E_POINTER;
    *value = HallVersion;
    return S_OK;
}

// Only the low byte of the cell is the answer; the rest is left as the module set it.
HRESULT THallRequest::CheckWords(int64_t tableKey, const char *text, int32_t, int32_t *allowed) {
    if (tableKey != m_tableKey)
        return E_INVALIDARG;
    if (!text || !allowed)
        return E_POINTER;
    *allowed = (*allowed & ~0xFF) | (m_words.Allows(text) ? 1 : 0);
    return S_OK;
}

HRESULT THallRequest::InviteFriends(int64_t tableKey, int32_t, int32_t) {
    if (tableKey != m_tableKey)
        return E_INVALIDARG;
    if (m_handlers.InviteFriends)
        m_handlers.InviteFriends();
    return S_OK;
}

HRESULT THallRequest::PluginFinished(int64_t tableKey) {
    if (tableKey != m_tableKey)
        return E_INVALIDARG;
    if (m_handlers.PluginFinished)
        m_handlers.PluginFinished();
    return S_OK;
}

HRESULT THallRequest::ShowUserInfo(int64_t tableKey, int64_t userId) {
    if (tableKey != m_tableKey)
        return E_INVALIDARG;
    if (m_handlers.ShowUserInfo)
        m_handlers.ShowUserInfo(userId);
    return S_OK;
}

HRESULT THallRequest::GetHallPath(int64_t tableKey, char **path) {
    if (tableKey != m_tableKey)
        return E_INVALIDARG;
    if (!path || !*path)
        return E_POINTER;
    if (m_hallPath.size() >= HallPathSize)
        return E_BOUNDS;
    std::memcpy(*path, m_hallPath.c_str(), m_hallPath.size() + 1);
    return S_OK;
}

// A packet the connection can no longer carry is dropped with S_FALSE rather than
// refused: the hall ends the table itself when its connection is lost, and a failure
// here would cut the module's own stop short.
HRESULT THallRequest::SendData(int64_t tableKey, int64_t target, int32_t length,
                               const uint8_t *data) {
    if (tableKey != m_tableKey)
        return E_INVALIDARG;
    // The frame's type byte comes before the packet.
    if (length <= 0 || static_cast<uint32_t>(length) >= HallProto::MaxFramePayload)
        return E_INVALIDARG;
    if (!data)
        return E_POINTER;
    const std::string_view packet(reinterpret_cast<const char *>(data),
                                  static_cast<size_t>(length));
    if (!m_handlers.SendData || !m_handlers.SendData(target, packet))
        return S_FALSE;
    return S_OK;
}
