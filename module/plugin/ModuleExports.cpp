// The module's exported entry points: the four of an in-process COM server, and
// GetErrorInfo, through which the hall reads the error text a failing method left on
// its thread (the host keeps that text itself; here the module does).

#include "common/ComRegistry.h"
#include "common/VersionInfo.h"
#include "platform/ComBase.h"
#include "platform/ErrorInfo.h"
#include "platform/FontSetup.h"
#include "platform/Guid.h"
#include "platform/ModuleLocation.h"
#include "plugin/TPluginClassFactory.h"
#include "plugin/TPluginInterface50.h"

#include <cstring>
#include <filesystem>
#include <new>

#define VESTRANO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The module's fonts are mapped as soon as it is loaded, before any window exists.
const bool kFontsMapped = (Platform::InstallFontSubstitutions(), true);

constexpr const char *ThreadingModel = "Apartment";

// The class is whatever the module's own version resource says: CLSID in Comments,
// class name in LegalTrademarks, description in ProductName.
const TFileVersionInfomation &OwnVersion() {
    static const TFileVersionInfomation info = [] {
        TFileVersionInfomation read;
        ReadVersionInfo(Platform::ModuleFilePath(), read);
        return read;
    }();
    return info;
}

std::optional<GUID> OwnClassId() {
    return Platform::GuidFromText(OwnVersion().Comments);
}

} // namespace

VESTRANO_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    const auto classId = OwnClassId();
    if (!classId || !(*classId == rclsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *factory = new (std::nothrow) TPluginClassFactory();
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(riid, ppv);
    factory->Release();
    return result;
}

VESTRANO_EXPORT HRESULT DllCanUnloadNow() {
    return TPluginInterface50::ModuleLocks().CanUnload() ? S_OK : S_FALSE;
}

// The ProgID is the module's file name without its extension, a point, and the class
// name: "VestranoC_Kep.VestranoC_Kep".
VESTRANO_EXPORT HRESULT DllRegisterServer() {
    const auto &version = OwnVersion();
    if (!OwnClassId() || version.LegalTrademarks.empty())
        return SELFREG_E_CLASS;
    const std::string path = Platform::ModuleFilePath();
    ComRegistry::TServerEntry entry;
    entry.ClassId = Platform::GuidToText(*OwnClassId());
    entry.Path = path;
    entry.Description = version.ProductName;
    entry.ThreadingModel = ThreadingModel;
    entry.ProgId = std::filesystem::path(path).stem().string() + "." + version.LegalTrademarks;
    return ComRegistry::RegisterServer(entry) ? S_OK : SELFREG_E_CLASS;
}

VESTRANO_EXPORT HRESULT DllUnregisterServer() {
    const auto classId = OwnClassId();
    if (!classId)
        return SELFREG_E_CLASS;
    return ComRegistry::UnregisterServer(Platform::GuidToText(*classId)) ? S_OK : SELFREG_E_CLASS;
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
