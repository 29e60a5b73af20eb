#include "hall/TModuleHost.h"

#include "common/ComRegistry.h"
#include "common/Gbk.h"
#include "platform/Guid.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <dlfcn.h>

namespace {

bool IsFile(const QString &path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString ResultText(HRESULT result) {
    return QStringLiteral("0x%1").arg(static_cast<uint32_t>(result), 8, 16, QLatin1Char('0'));
}

} // namespace

// A module that still has objects or locks stays loaded.
TModuleHost::~TModuleHost() {
    ReleaseObject();
}

// The hall's own folder holds an installed module; a build tree keeps it in module/.
QString TModuleHost::FoundBesideHall() {
    const QString hall = QCoreApplication::applicationDirPath();
    for (const QString &candidate :
         {hall + QLatin1Char('/') + QLatin1String(ModuleFileName),
          hall + QStringLiteral("/../module/") + QLatin1String(ModuleFileName)})
        if (IsFile(candidate))
            return QFileInfo(candidate).canonicalFilePath();
    return {};
}

bool TModuleHost::Load(const std::string &classId, const QString &explicitPath, QString &error) {
    const auto guid = Platform::GuidFromText(classId);
    if (!guid) {
        error = QStringLiteral("\"%1\" is not a class identifier").arg(classId.c_str());
        return false;
    }
    m_classId = *guid;
    m_classIdText = Platform::GuidToText(*guid);
    const auto entry = ComRegistry::FindServer(m_classIdText);
    const QString registered = entry ? QString::fromStdString(entry->Path) : QString();
    QString path = explicitPath;
    if (!path.isEmpty() && !IsFile(path)) {
        error = QStringLiteral("no module file at %1").arg(path);
        return false;
    }
    if (path.isEmpty())
        path = IsFile(registered) ? registered : FoundBesideHall();
    if (path.isEmpty()) {
        error =
            QStringLiteral("the game module %1 is not registered (%2) and no %3 lies "
                           "beside the hall; give its path with --module")
                .arg(m_classIdText.c_str(), ComRegistry::RegistryFile().c_str(), ModuleFileName);
        return false;
    }
    if (!Open(QFileInfo(path).absoluteFilePath(), error))
        return false;
    if (!IsFile(registered) && !Register(error))
        return false;
    return true;
}

bool TModuleHost::Open(const QString &path, QString &error) {
    m_library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_library) {
        error = QStringLiteral("cannot load the game module %1: %2").arg(path, dlerror());
        return false;
    }
    m_path = path;
    const auto symbol = [this](const char *name) {
        return dlsym(m_library, name);
    };
    m_getClassObject = reinterpret_cast<GetClassObjectFn>(symbol("DllGetClassObject"));
    m_canUnloadNow = reinterpret_cast<NoArgumentFn>(symbol("DllCanUnloadNow"));
    m_registerServer = reinterpret_cast<NoArgumentFn>(symbol("DllRegisterServer"));
    m_getErrorInfo = reinterpret_cast<GetErrorInfoFn>(symbol("GetErrorInfo"));
    if (!m_getClassObject || !m_canUnloadNow || !m_registerServer) {
        error = QStringLiteral("%1 is not a game module: it lacks the COM entry points").arg(path);
        Unload();
        return false;
    }
    return true;
}

bool TModuleHost::Register(QString &error) {
    const HRESULT result = m_registerServer();
    if (FAILED(result) || !ComRegistry::FindServer(m_classIdText)) {
        error = QStringLiteral("registering %1 in %2 failed (%3)")
                    .arg(m_path, ComRegistry::RegistryFile().c_str(), ResultText(result));
        return false;
    }
    m_registered = true;
    return true;
}

bool TModuleHost::CreateObject(QString &error) {
    if (!m_library) {
        error = QStringLiteral("no game module is loaded");
        return false;
    }
    IClassFactory *factory = nullptr;
    HRESULT result =
        m_getClassObject(m_classId, IID_IClassFactory, reinterpret_cast<void **>(&factory));
    if (FAILED(result) || !factory) {
        error = QStringLiteral("%1 does not serve the class %2: %3")
                    .arg(m_path, m_classIdText.c_str(), Failure("DllGetClassObject", result));
        return false;
    }
    void *object = nullptr;
    result = factory->CreateInstance(nullptr, IID_INimOpenInterface, &object);
    factory->Release();
    if (FAILED(result) || !object) {
        error = Failure("CreateInstance", result);
        return false;
    }
    m_object = static_cast<INimOpenInterface *>(object);
    return true;
}

void TModuleHost::ReleaseObject() {
    if (INimOpenInterface *object = std::exchange(m_object, nullptr))
        object->Release();
    if (m_library && m_canUnloadNow() == S_OK)
        Unload();
}

void TModuleHost::Unload() {
    if (void *library = std::exchange(m_library, nullptr))
        dlclose(library);
    m_getClassObject = nullptr;
    m_canUnloadNow = nullptr;
    m_registerServer = nullptr;
    m_getErrorInfo = nullptr;
}

QString TModuleHost::Failure(const char *method, HRESULT result) const {
    QString text = QStringLiteral("%1 failed (%2)").arg(QLatin1String(method), ResultText(result));
    char info[512];
    if (m_getErrorInfo && m_getErrorInfo(0, info, sizeof info) == S_OK && info[0])
        text += QStringLiteral(": ") + QString::fromStdString(Gbk::ToUtf8(info));
    return text;
}
