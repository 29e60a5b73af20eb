#pragma once
// The module's interface to the hall: thirteen methods after IUnknown, in slot order.
// "dword" arguments are 32-bit values the module does not interpret. Every method
// returns S_OK when it completes, whether or not it had anything to do, and a failure
// result (with error information for GetErrorInfo) when something inside failed.

#include "plugin/INimOpenInterfaceReq.h"

#include <cstdint>

// {CA7E6096-1E95-4855-ABDB-A40772E3C202}
constexpr IID IID_INimOpenInterface = {
    0xCA7E6096, 0x1E95, 0x4855, {0xAB, 0xDB, 0xA4, 0x07, 0x72, 0xE3, 0xC2, 0x02}};

class INimOpenInterface : public IUnknown {
public:
    // 1: 1, or -1 when the object has no table window.
    virtual HRESULT STDMETHODCALLTYPE GetInterfaceVersion(int32_t *version) = 0;
    // 2: the hall's request interface; the module holds a reference until it is released.
    virtual HRESULT STDMETHODCALLTYPE SetRequestInterface(INimOpenInterfaceReq *request) = 0;
    // 3: starts the table: caption "title[nickName]", the hub's start, the window shown.
    // extra must fit in 16 bits.
    virtual HRESULT STDMETHODCALLTYPE StartPlugin(int64_t tableKey, const char *title,
                                                  const int64_t *userId, const char *nickName,
                                                  uint32_t extra, uint32_t, uint32_t, uint32_t) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved1(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                uint32_t, uint32_t) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved2(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                uint32_t) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved3(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                uint32_t) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                uint32_t, uint32_t) = 0;
    // 8: stops the table (once).
    virtual HRESULT STDMETHODCALLTYPE StopPlugin(uint32_t) = 0;
    // 9: mode 2 raises the window and restores it when minimised; other modes do nothing.
    virtual HRESULT STDMETHODCALLTYPE ActivateWindow(int32_t mode) = 0;
    // 10: a user's new nickname (at most 20 bytes) and face number.
    virtual HRESULT STDMETHODCALLTYPE UpdateUserInfo(const int64_t *userId, const char *nickName,
                                                     uint32_t face, uint32_t, uint32_t) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5(uint32_t, uint32_t, uint32_t) = 0;
    // 12: a hall message: the first `length` characters of `text`.
    virtual HRESULT STDMETHODCALLTYPE ShowHallMessage(int32_t length, const char *text) = 0;
    // 13: one packet from the game server, read only during the call.
    virtual HRESULT STDMETHODCALLTYPE DeliverPacket(int32_t length, const uint8_t *data) = 0;

protected:
    ~INimOpenInterface() = default;
};
