#include "common/VersionInfo.h"

#include "common/Gbk.h"
#include "platform/ElfFile.h"

#include <cstdio>

namespace {

std::u16string Widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

} // namespace

bool ReadVersionInfo(const std::string &fileName, TFileVersionInfomation &info,
                     const std::string &extraKey) {
    info = {};
    const auto elf = Platform::ElfFile::Open(fileName);
    if (!elf)
        return false;
    const auto section = elf->Section(Platform::kVersionSectionName);
    if (!section)
        return false;
    const auto root = Platform::ParseVersionResource(*section);
    if (!root)
        return false;

    if (const auto fixed = Platform::DecodeFixedFileInfo(root->Value))
        info.FixedFileInfo = *fixed;

    const Platform::VersionBlock *translation = nullptr;
    if (const auto *varInfo = root->Child(u"VarFileInfo"))
        translation = varInfo->Child(u"Translation");
    const Platform::VersionBlock *table = nullptr;
    if (translation && translation->Value.size() >= 4) {
        const auto &v = translation->Value;
        const unsigned language = v[0] | (v[1] << 8);
        const unsigned codePage = v[2] | (v[3] << 8);
        char name[16];
        std::snprintf(name, sizeof name, "%.4x%.4x", language, codePage);
        if (const auto *strings = root->Child(u"StringFileInfo"))
            table = strings->Child(Widen(name));
    }
    if (!table)
        return true;

    const auto value = [table](std::u16string_view key) {
        const auto *block = table->Child(key);
        return block ? Gbk::FromUtf16(block->Text()) : std::string();
    };
    info.CompanyName = value(u"CompanyName");
    info.FileDescription = value(u"FileDescription");
    info.FileVersion = value(u"FileVersion");
    info.InternalName = value(u"InternalName");
    info.LegalCopyright = value(u"LegalCopyright");
    info.LegalTrademarks = value(u"LegalTrademarks");
    info.OriginalFileName = value(u"OriginalFileName");
    info.ProductName = value(u"ProductName");
    info.ProductVersion = value(u"ProductVersion");
    info.Comments = value(u"Comments");
    if (!extraKey.empty())
        info.Extra = value(Gbk::ToUtf16(extraKey));
    return true;
}
