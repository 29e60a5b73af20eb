#pragma once
// Finds a game module by its class identifier in the registry of in-process servers,
// loads it, creates its object and keeps the object's lifetime: the hall's side of the
// module's COM exports. A module that is not registered yet is registered from the path
// given, or from the build found beside the hall (DllRegisterServer).

#include "plugin/INimOpenInterface.h"

#include <QString>

#include <string>

class TModuleHost final {
public:
    // The Vestrano game's class, as the hall knows its games.
    static constexpr const char *VestranoClassId = "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}";
    static constexpr const char *ModuleFileName = "VestranoC_Kep.so";

    TModuleHost() = default;
    TModuleHost(const TModuleHost &) = delete;
    TModuleHost &operator=(const TModuleHost &) = delete;
    ~TModuleHost();

    // Loads the module serving `classId`: `explicitPath` when given, else the registered
    // server, else the module beside the hall or in its build tree. False with `error`.
    bool Load(const std::string &classId, const QString &explicitPath, QString &error);
    // A new object of the class; false with `error`.
    bool CreateObject(QString &error);
    INimOpenInterface *Object() const { return m_object; }
    // Releases the object (the module destroys its window) and unloads the module when
    // it says it can be.
    void ReleaseObject();

    const QString &ModulePath() const { return m_path; }
    // Whether Load registered the module.
    bool Registered() const { return m_registered; }
    // "<method> failed (0x8000FFFF): <the module's error text>"
    QString Failure(const char *method, HRESULT result) const;

private:
    using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void **);
    using NoArgumentFn = HRESULT (*)();
    using GetErrorInfoFn = HRESULT (*)(uint32_t, char *, uint32_t);

    bool Open(const QString &path, QString &error);
    bool Register(QString &error);
    void Unload();
    static QString FoundBesideHall();

    void *m_library = nullptr;
    GetClassObjectFn m_getClassObject = nullptr;
    NoArgumentFn m_canUnloadNow = nullptr;
    NoArgumentFn m_registerServer = nullptr;
    GetErrorInfoFn m_getErrorInfo = nullptr;
    GUID m_classId;
    std::string m_classIdText;
    INimOpenInterface *m_object = nullptr;
    QString m_path;
    bool m_registered = false;
};
