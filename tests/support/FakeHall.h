#pragma once
// A hall for tests: implements the request interface, records every call with its
// arguments, and answers the word filter and the hall path as a test wishes.

#include "plugin/INimOpenInterfaceReq.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class FakeHall final : public INimOpenInterfaceReq {
public:
    struct Call {
        int Method = 0;
        int64_t TableKey = 0;
        int64_t Target = 0;
        std::string Data;
    };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override {
        if (riid == IID_IUnknown || riid == IID_INimOpenInterfaceReq) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++References; }
    ULONG STDMETHODCALLTYPE Release() override { return --References; }

    HRESULT STDMETHODCALLTYPE ReadHallValue(int32_t *value) override {
        *value = HallValue;
        return Record({1, 0, 0, {}});
    }
    HRESULT STDMETHODCALLTYPE HallMethod2(int64_t) override { return Unexpected(2); }
    HRESULT STDMETHODCALLTYPE HallMethod3(int64_t) override { return Unexpected(3); }
    HRESULT STDMETHODCALLTYPE HallMethod4(int64_t) override { return Unexpected(4); }
    HRESULT STDMETHODCALLTYPE HallMethod5(int64_t) override { return Unexpected(5); }
    HRESULT STDMETHODCALLTYPE CheckWords(int64_t key, const char *text, int32_t mode,
                                         int32_t *allowed) override {
        WordCellBefore = *allowed;
        *allowed = (*allowed & ~0xFF) | (AllowWords ? 1 : 0);
        return Record({6, key, mode, text});
    }
    HRESULT STDMETHODCALLTYPE HallMethod7(int64_t) override { return Unexpected(7); }
    HRESULT STDMETHODCALLTYPE HallMethod8(int64_t) override { return Unexpected(8); }
    HRESULT STDMETHODCALLTYPE InviteFriends(int64_t key, int32_t a, int32_t b) override {
        return Record({9, key, int64_t(a) * 1000 + b, {}});
    }
    HRESULT STDMETHODCALLTYPE HallMethod10(int64_t) override { return Unexpected(10); }
    HRESULT STDMETHODCALLTYPE HallMethod11(int64_t) override { return Unexpected(11); }
    HRESULT STDMETHODCALLTYPE PluginFinished(int64_t key) override {
        return Record({12, key, 0, {}});
    }
    HRESULT STDMETHODCALLTYPE ShowUserInfo(int64_t key, int64_t user) override {
        return Record({13, key, user, {}});
    }
    HRESULT STDMETHODCALLTYPE GetHallPath(int64_t key, char **path) override {
        std::strncpy(*path, HallPath.c_str(), HallPathSize - 1);
        return Record({14, key, 0, HallPath});
    }
    HRESULT STDMETHODCALLTYPE HallMethod15(int64_t) override { return Unexpected(15); }
    HRESULT STDMETHODCALLTYPE HallMethod16(int64_t) override { return Unexpected(16); }
    HRESULT STDMETHODCALLTYPE HallMethod17(int64_t) override { return Unexpected(17); }
    HRESULT STDMETHODCALLTYPE HallMethod18(int64_t) override { return Unexpected(18); }
    HRESULT STDMETHODCALLTYPE SendData(int64_t key, int64_t target, int32_t length,
                                       const uint8_t *data) override {
        return Record(
            {19, key, target,
             std::string(reinterpret_cast<const char *>(data), static_cast<size_t>(length))});
    }

    // The packets sent with SendData, in order.
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const auto &call : Calls)
            if (call.Method == 19)
                sent.push_back(call.Data);
        return sent;
    }
    int CountOf(int method) const {
        int count = 0;
        for (const auto &call : Calls)
            count += call.Method == method;
        return count;
    }

    std::vector<Call> Calls;
    ULONG References = 1;
    int32_t HallValue = 42;
    bool AllowWords = true;
    int32_t WordCellBefore = 0;
    std::string HallPath;
    // When set, this method answers with FailResult.
    int FailMethod = 0;
    HRESULT FailResult = E_FAIL;

private:
    HRESULT Record(Call call) {
        const int method = call.Method;
        Calls.push_back(std::move(call));
        return method == FailMethod ? FailResult : S_OK;
    }
    HRESULT Unexpected(int method) { return Record({method, 0, 0, {}}); }
};
