#include "plugin/TPluginClassFactory.h"

#include "plugin/TPluginInterface50.h"

#include <new>
#include <stdexcept>

TPluginClassFactory::TPluginClassFactory() {
    TPluginInterface50::ModuleLocks().Lock();
}

TPluginClassFactory::~TPluginClassFactory() {
    TPluginInterface50::ModuleLocks().Unlock();
}

HRESULT TPluginClassFactory::QueryInterface(REFIID riid, void **object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *object = static_cast<IClassFactory *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TPluginClassFactory::AddRef() {
    return m_references.Increment();
}

ULONG TPluginClassFactory::Release() {
    const ULONG count = m_references.Decrement();
    if (count == 0)
        delete this;
    return count;
}

HRESULT TPluginClassFactory::CreateInstance(IUnknown *outer, REFIID riid, void **object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    TPluginInterface50 *created = nullptr;
    try {
        created = new TPluginInterface50();
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    } catch (...) {
        // The window could not be made: the hall gets a failure, never an exception.
        return E_UNEXPECTED;
    }
    const HRESULT result = created->QueryInterface(riid, object);
    created->Release();
    return result;
}

HRESULT TPluginClassFactory::LockServer(int32_t lock) {
    if (lock)
        TPluginInterface50::ModuleLocks().Lock();
    else
        TPluginInterface50::ModuleLocks().Unlock();
    return S_OK;
}
