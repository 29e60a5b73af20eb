#pragma once
// The hall's request interface, handed to the module with SetRequestInterface: the seven
// requests a module makes (the hall value, the word filter, invitations, the end of the
// table, user information, the hall's folder and outgoing packets). The other twelve
// slots answer E_NOTIMPL. Requests with another table's key are refused, and so are
// null pointers and lengths no packet can have. The session owns the object; reference
// counting only tells it whether the module still holds it.

#include "plugin/INimOpenInterfaceReq.h"

#include <functional>
#include <string>
#include <string_view>

class TWordFilter;

class THallRequest final : public INimOpenInterfaceReq {
public:
    struct THandlers {
        // False when the packet could not be sent because the connection is gone.
        std::function<bool(int64_t target, std::string_view packet)> SendData;
        std::function<void(int64_t userId)> ShowUserInfo;
        std::function<void()> InviteFriends;
        std::function<void()> PluginFinished;
    };

    // The value of ReadHallValue: the hall's version, major.minor.patch as 0xMMmmpppp.
    static constexpr int32_t HallVersion = (2 << 24) | (0 << 16) | 828;

    THallRequest(int64_t tableKey, std::string hallPath, const TWordFilter &words,
                 THandlers handlers);
    THallRequest(const THallRequest &) = delete;
    THallRequest &operator=(const THallRequest &) = delete;

    ULONG References() const { return m_references; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE ReadHallValue(int32_t *value) override;
    HRESULT STDMETHODCALLTYPE HallMethod2(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod3(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod4(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod5(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CheckWords(int64_t tableKey, const char *text, int32_t mode,
                                         int32_t *allowed) override;
    HRESULT STDMETHODCALLTYPE HallMethod7(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod8(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InviteFriends(int64_t tableKey, int32_t, int32_t) override;
    HRESULT STDMETHODCALLTYPE HallMethod10(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod11(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PluginFinished(int64_t tableKey) override;
    HRESULT STDMETHODCALLTYPE ShowUserInfo(int64_t tableKey, int64_t userId) override;
    HRESULT STDMETHODCALLTYPE GetHallPath(int64_t tableKey, char **path) override;
    HRESULT STDMETHODCALLTYPE HallMethod15(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod16(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod17(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HallMethod18(int64_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SendData(int64_t tableKey, int64_t target, int32_t length,
                                       const uint8_t *data) override;

private:
    int64_t m_tableKey;
    std::string m_hallPath;
    const TWordFilter &m_words;
    THandlers m_handlers;
    ULONG m_references = 1;
};
