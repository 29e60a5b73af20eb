#pragma once

#include "platform/VersionResource.h"

#include <string>

// The version record of a module file: the ten standard strings in the host's order,
// the fixed block, and one optional extra string. Texts are GBK.
struct TFileVersionInfomation {
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTrademarks;
    std::string OriginalFileName;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;
    Platform::FixedFileInfo FixedFileInfo;
    std::string Extra;
};

// Fills `info` (cleared first) from the version resource of `fileName`: the strings of
// the string table named by the first language/code-page pair of
// "\VarFileInfo\Translation", then the fixed block, then `extraKey` when it is given.
// False when the file has no version resource.
bool ReadVersionInfo(const std::string &fileName, TFileVersionInfomation &info,
                     const std::string &extraKey = {});
