#pragma once
// The host's version resource (VS_VERSIONINFO) as a tree of blocks. Each block on
// disk: WORD wLength (the whole block with its children), WORD wValueLength (bytes for
// binary values, UTF-16 units for text), WORD wType (0 binary, 1 text), the key in
// UTF-16 with its terminating zero, padding to a 32-bit boundary, the value, padding,
// then the child blocks. Offsets of the padding count from the start of the resource.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace Platform {

// The 52-byte fixed block, VS_FIXEDFILEINFO.
struct FixedFileInfo {
    uint32_t Signature = 0;
    uint32_t StrucVersion = 0;
    uint32_t FileVersionMS = 0;
    uint32_t FileVersionLS = 0;
    uint32_t ProductVersionMS = 0;
    uint32_t ProductVersionLS = 0;
    uint32_t FileFlagsMask = 0;
    uint32_t FileFlags = 0;
    uint32_t FileOS = 0;
    uint32_t FileType = 0;
    uint32_t FileSubtype = 0;
    uint32_t FileDateMS = 0;
    uint32_t FileDateLS = 0;

    friend bool operator==(const FixedFileInfo &, const FixedFileInfo &) = default;
};

constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr size_t kFixedFileInfoSize = 52;

struct VersionBlock {
    std::u16string Key;
    bool IsText = false;
    std::vector<uint8_t> Value; // raw bytes; text values are UTF-16LE with the zero
    std::vector<VersionBlock> Children;

    // The child whose key equals `key`, compared case-insensitively like the host does.
    const VersionBlock *Child(std::u16string_view key) const;
    // The value of a text block without its terminating zero.
    std::u16string Text() const;

    static VersionBlock MakeText(std::u16string key, std::u16string_view text);
};

std::optional<VersionBlock> ParseVersionResource(std::span<const uint8_t> data);
std::vector<uint8_t> BuildVersionResource(const VersionBlock &root);

std::optional<FixedFileInfo> DecodeFixedFileInfo(std::span<const uint8_t> value);
std::vector<uint8_t> EncodeFixedFileInfo(const FixedFileInfo &info);

// Where the module keeps its version resource: a non-loaded ELF section.
inline constexpr const char *kVersionSectionName = ".vsversion";

} // namespace Platform
