#pragma once
// Makes a new TPluginInterface50 for every creation request.

#include "platform/RefCount.h"

class TPluginClassFactory final : public IClassFactory {
public:
    TPluginClassFactory();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID riid, void **object) override;
    HRESULT STDMETHODCALLTYPE LockServer(int32_t lock) override;

private:
    ~TPluginClassFactory();

    Platform::RefCount m_references;
};
