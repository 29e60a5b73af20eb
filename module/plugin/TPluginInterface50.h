#pragma once
// The COM object the hall creates for a table: it creates the main window by its
// registered class name, takes the hub found inside it, and turns each call of the
// hall into one hub operation. No exception leaves a method: an error becomes a
// failure result with its text left as error information.

#include "platform/RefCount.h"
#include "plugin/INimOpenInterface.h"

#include <QPointer>

#include <functional>

class QWidget;
class TCustomPluginShare;

class TPluginInterface50 final : public INimOpenInterface {
public:
    static constexpr const char *MainWindowClass = "TFormPluginClient";

    TPluginInterface50();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetInterfaceVersion(int32_t *version) override;
    HRESULT STDMETHODCALLTYPE SetRequestInterface(INimOpenInterfaceReq *request) override;
    HRESULT STDMETHODCALLTYPE StartPlugin(int64_t tableKey, const char *title,
                                          const int64_t *userId, const char *nickName,
                                          uint32_t extra, uint32_t, uint32_t, uint32_t) override;
    HRESULT STDMETHODCALLTYPE Reserved1(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t) override;
    HRESULT STDMETHODCALLTYPE Reserved2(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) override;
    HRESULT STDMETHODCALLTYPE Reserved3(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t) override;
    HRESULT STDMETHODCALLTYPE Reserved4(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t) override;
    HRESULT STDMETHODCALLTYPE StopPlugin(uint32_t) override;
    HRESULT STDMETHODCALLTYPE ActivateWindow(int32_t mode) override;
    HRESULT STDMETHODCALLTYPE UpdateUserInfo(const int64_t *userId, const char *nickName,
                                             uint32_t face, uint32_t, uint32_t) override;
    HRESULT STDMETHODCALLTYPE Reserved5(uint32_t, uint32_t, uint32_t) override;
    HRESULT STDMETHODCALLTYPE ShowHallMessage(int32_t length, const char *text) override;
    HRESULT STDMETHODCALLTYPE DeliverPacket(int32_t length, const uint8_t *data) override;

    // Live objects and server locks of the module, for DllCanUnloadNow.
    static Platform::ModuleLockCount &ModuleLocks();

private:
    ~TPluginInterface50();
    // Runs `body` with every error turned into a failure result.
    HRESULT Guarded(const std::function<void()> &body);

    Platform::RefCount m_references;
    QWidget *m_window = nullptr;
    QPointer<TCustomPluginShare> m_hub;
};
