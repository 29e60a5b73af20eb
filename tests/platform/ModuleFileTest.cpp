// The built module file as the host sees it: its version resource and its exports.

#include "common/VersionInfo.h"
#include "platform/ComBase.h"
#include "platform/ElfFile.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const char *kModule = VESTRANO_MODULE_PATH;

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/vestrano-test-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempDir() { fs::remove_all(m_path); }
    fs::path operator/(const char *name) const { return m_path / name; }

private:
    fs::path m_path;
};

int RunCommand(const std::string &command) {
    return std::system(command.c_str());
}

} // namespace

TEST(VersionResource, BuiltModuleCarriesTheClassIdentifiers) {
    TFileVersionInfomation info;
    ASSERT_TRUE(ReadVersionInfo(kModule, info));
    EXPECT_EQ(info.Comments, "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}");
    EXPECT_EQ(info.LegalTrademarks, "VestranoC_Kep");
    EXPECT_EQ(info.ProductName, "Vestrano");
    EXPECT_EQ(info.ProductVersion, "2.00.828");
    EXPECT_EQ(info.InternalName, "4002");
    EXPECT_EQ(info.FileVersion, "2.101.0.111");
    EXPECT_EQ(info.OriginalFileName, "VestranoC_Kep.dll");
    EXPECT_EQ(info.FixedFileInfo.Signature, Platform::kFixedFileInfoSignature);
    EXPECT_EQ(info.FixedFileInfo.FileVersionMS, (2u << 16) | 101u);
    EXPECT_EQ(info.FixedFileInfo.FileVersionLS, (0u << 16) | 111u);
    EXPECT_EQ(info.FixedFileInfo.ProductVersionMS, (2u << 16) | 0u);
    EXPECT_EQ(info.FixedFileInfo.ProductVersionLS, 828u << 16);
    EXPECT_TRUE(info.Extra.empty());

    TFileVersionInfomation extra;
    ASSERT_TRUE(ReadVersionInfo(kModule, extra, "companyname"));
    EXPECT_EQ(extra.Extra, "Vestrano") << "keys are found without regard to case";
}

TEST(VersionResource, RebrandedCopyGivesTheNewValue) {
    TempDir dir;
    const fs::path copy = dir / "VestranoC_Kep.so";
    const fs::path blob = dir / "version.bin";
    fs::copy_file(kModule, copy);
    ASSERT_EQ(RunCommand(std::string(VESTRANO_VERSIONRES_PATH) + " --file-version 1.2.3.4" +
                         " --product-version 5.6.7.8 --output " + blob.string() +
                         " Comments={11111111-2222-3333-4444-555555555555}" +
                         " LegalTrademarks=Rebranded ProductVersion=9.99"),
              0);
    ASSERT_EQ(RunCommand(std::string(VESTRANO_OBJCOPY) +
                         " --update-section .vsversion=" + blob.string() + " " + copy.string()),
              0);
    TFileVersionInfomation info;
    ASSERT_TRUE(ReadVersionInfo(copy.string(), info));
    EXPECT_EQ(info.Comments, "{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(info.LegalTrademarks, "Rebranded");
    EXPECT_EQ(info.ProductVersion, "9.99");
    EXPECT_EQ(info.ProductName, "") << "keys the new resource lacks are empty";
    EXPECT_EQ(info.FixedFileInfo.FileVersionMS, (1u << 16) | 2u);
}

TEST(VersionResource, FilesWithoutTheSectionGiveFalseAndAnEmptyRecord) {
    TempDir dir;
    TFileVersionInfomation info;
    info.Comments = "stale";
    EXPECT_FALSE(ReadVersionInfo("/bin/sh", info)); // an ELF file without the section
    EXPECT_TRUE(info.Comments.empty());
    EXPECT_EQ(info.FixedFileInfo, Platform::FixedFileInfo{});

    const fs::path text = dir / "not-elf.txt";
    std::ofstream(text) << "hello";
    EXPECT_FALSE(ReadVersionInfo(text.string(), info));
    EXPECT_FALSE(ReadVersionInfo((dir / "missing").string(), info));

    // A truncated copy of the module: the header survives, the tables do not.
    const fs::path cut = dir / "cut.so";
    fs::copy_file(kModule, cut);
    fs::resize_file(cut, 200);
    EXPECT_FALSE(ReadVersionInfo(cut.string(), info));
}

TEST(VersionResource, DamagedResourceIsRejected) {
    std::vector<uint8_t> garbage = {0xFF, 0xFF, 0x34, 0x00, 0x00, 0x00, 'V', 0};
    EXPECT_FALSE(Platform::ParseVersionResource(garbage));
    EXPECT_FALSE(Platform::ParseVersionResource({}));
}

TEST(ModuleExports, ExactlyTheComEntryPointsAndErrorInfo) {
    const auto elf = Platform::ElfFile::Open(kModule);
    ASSERT_TRUE(elf);
    auto symbols = elf->ExportedSymbols();
    std::sort(symbols.begin(), symbols.end());
    const std::vector<std::string> expected = {"DllCanUnloadNow", "DllGetClassObject",
                                               "DllRegisterServer", "DllUnregisterServer",
                                               "GetErrorInfo"};
    EXPECT_EQ(symbols, expected);
}

TEST(ModuleExports, ModuleLoadsAndErrorInfoIsEmpty) {
    void *module = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void **);
    using GetError = HRESULT (*)(uint32_t, char *, uint32_t);
    auto getClassObject = reinterpret_cast<GetClassObject>(dlsym(module, "DllGetClassObject"));
    auto getError = reinterpret_cast<GetError>(dlsym(module, "GetErrorInfo"));
    ASSERT_TRUE(getClassObject && getError);
    char buffer[64];
    EXPECT_EQ(getError(0, buffer, sizeof buffer), S_FALSE);
    EXPECT_EQ(getError(0, nullptr, 0), E_POINTER);
    // A class the module does not serve.
    void *factory = reinterpret_cast<void *>(1);
    EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    dlclose(module);
}
