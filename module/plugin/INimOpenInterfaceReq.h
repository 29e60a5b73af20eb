#pragma once
// The hall's request interface: the only way the module asks anything of the hall.
// Nineteen methods in vtable order; the module calls 1, 6, 9, 12, 13, 14 and 19. The
// others keep their slots so that the table matches the hall's, and a hall may answer
// them as it likes. The first argument of every method but ReadHallValue is the
// table key the hall gave with StartPlugin.

#include "platform/ComBase.h"

#include <cstdint>

// {A992843F-0737-41CA-81C4-C78EAB522845}
constexpr IID IID_INimOpenInterfaceReq = {
    0xA992843F, 0x0737, 0x41CA, {0x81, 0xC4, 0xC7, 0x8E, 0xAB, 0x52, 0x28, 0x45}};

class INimOpenInterfaceReq : public IUnknown {
public:
    // 1: a value of the hall's; the module stores it and never reads it.
    virtual HRESULT STDMETHODCALLTYPE ReadHallValue(int32_t *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod2(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod3(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod4(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod5(int64_t tableKey) = 0;
    // 6: whether a chat text may be sent; the hall sets the low byte of *allowed.
    virtual HRESULT STDMETHODCALLTYPE CheckWords(int64_t tableKey, const char *text, int32_t mode,
                                                 int32_t *allowed) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod7(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod8(int64_t tableKey) = 0;
    // 9: the window's Invite action.
    virtual HRESULT STDMETHODCALLTYPE InviteFriends(int64_t tableKey, int32_t first,
                                                    int32_t second) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod10(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod11(int64_t tableKey) = 0;
    // 12: the module has stopped; the hall ends the table and releases the object.
    virtual HRESULT STDMETHODCALLTYPE PluginFinished(int64_t tableKey) = 0;
    // 13: show the hall's information about a user.
    virtual HRESULT STDMETHODCALLTYPE ShowUserInfo(int64_t tableKey, int64_t userId) = 0;
    // 14: *path points to a zero-filled buffer of HallPathSize bytes; the hall writes a
    // zero-terminated directory into it.
    virtual HRESULT STDMETHODCALLTYPE GetHallPath(int64_t tableKey, char **path) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod15(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod16(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod17(int64_t tableKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE HallMethod18(int64_t tableKey) = 0;
    // 19: send a packet to one user (target) or to the table (0). The hall copies or
    // sends the bytes before it returns.
    virtual HRESULT STDMETHODCALLTYPE SendData(int64_t tableKey, int64_t target, int32_t length,
                                               const uint8_t *data) = 0;

    static constexpr int HallPathSize = 260;

protected:
    ~INimOpenInterfaceReq() = default;
};
