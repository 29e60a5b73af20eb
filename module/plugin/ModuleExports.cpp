// The module's exported entry points: the four of an in-process COM server, and
// GetErrorInfo, through which the hall reads the error text a failing method left on
// its thread (the host keeps that text itself; here the module does).

#include "platform/ComBase.h"
#include "platform/ErrorInfo.h"
#include "platform/FontSetup.h"

#include <cstring>

#define VESTRANO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The module's fonts are mapped as soon as it is loaded, before any window exists.
const bool kFontsMapped = (Platform::InstallFontSubstitutions(), true);

} // namespace

VESTRANO_EXPORT HRESULT DllGetClassObject(REFCLSID, REFIID, void **ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

VESTRANO_EXPORT HRESULT DllCanUnloadNow() {
    return S_OK;
}

VESTRANO_EXPORT HRESULT DllRegisterServer() {
    return SELFREG_E_CLASS;
}

VESTRANO_EXPORT HRESULT DllUnregisterServer() {
    return SELFREG_E_CLASS;
}

// Copies this thread's error text (GBK, zero-terminated, cut to fit) into `buffer` and
// clears it: S_OK with a text, S_FALSE when there is none.
VESTRANO_EXPORT HRESULT GetErrorInfo(uint32_t, char *buffer, uint32_t bufferSize) {
    if (!buffer || bufferSize == 0)
        return E_POINTER;
    const auto text = Platform::TakeErrorInfoText();
    buffer[0] = '\0';
    if (!text)
        return S_FALSE;
    const size_t n = std::min<size_t>(text->size(), bufferSize - 1);
    std::memcpy(buffer, text->data(), n);
    buffer[n] = '\0';
    return S_OK;
}
