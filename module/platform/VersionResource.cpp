#include "platform/VersionResource.h"

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

namespace Platform {

namespace {

constexpr uint16_t kTypeBinary = 0;
constexpr uint16_t kTypeText = 1;
constexpr size_t kBlockHeaderSize = 6;
constexpr int kMaxDepth = 8;

char16_t FoldCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

size_t Align4(size_t n) {
    return (n + 3) & ~size_t(3);
}

// Parses one block starting at the reader's position (aligned); `end` bounds it.
std::optional<VersionBlock> ParseBlock(ByteReader &r, size_t limit, int depth) {
    if (depth > kMaxDepth)
        return std::nullopt;
    const size_t start = r.Position();
    const auto length = r.ReadU16LE();
    const auto valueLength = r.ReadU16LE();
    const auto type = r.ReadU16LE();
    if (!length || !valueLength || !type || *length < kBlockHeaderSize || start + *length > limit ||
        (*type != kTypeBinary && *type != kTypeText))
        return std::nullopt;
    const size_t end = start + *length;

    VersionBlock block;
    block.IsText = *type == kTypeText;
    for (;;) {
        if (r.Position() + 2 > end)
            return std::nullopt;
        const auto c = r.ReadU16LE();
        if (*c == 0)
            break;
        block.Key.push_back(char16_t(*c));
    }
    r.Seek(std::min(Align4(r.Position()), end));
    const size_t valueBytes = block.IsText ? size_t(*valueLength) * 2 : *valueLength;
    if (r.Position() + valueBytes > end)
        return std::nullopt;
    const auto value = r.ReadBytes(valueBytes);
    block.Value.assign(value->begin(), value->end());
    r.Seek(std::min(Align4(r.Position()), end));
    while (r.Position() + kBlockHeaderSize <= end) {
        auto child = ParseBlock(r, end, depth + 1);
        if (!child)
            return std::nullopt;
        block.Children.push_back(std::move(*child));
        r.Seek(std::min(Align4(r.Position()), end));
    }
    r.Seek(end);
    return block;
}

void BuildBlock(const VersionBlock &block, ByteWriter &w) {
    const size_t start = w.Size();
    w.U16LE(0); // length, patched below
    w.U16LE(uint16_t(block.IsText ? block.Value.size() / 2 : block.Value.size()));
    w.U16LE(block.IsText ? kTypeText : kTypeBinary);
    for (char16_t c : block.Key)
        w.U16LE(c);
    w.U16LE(0);
    w.Zeros(Align4(w.Size()) - w.Size());
    w.Bytes({reinterpret_cast<const char *>(block.Value.data()), block.Value.size()});
    for (const auto &child : block.Children) {
        w.Zeros(Align4(w.Size()) - w.Size());
        BuildBlock(child, w);
    }
    w.PatchU16LE(start, uint16_t(w.Size() - start));
}

} // namespace

const VersionBlock *VersionBlock::Child(std::u16string_view key) const {
    for (const auto &child : Children) {
        if (child.Key.size() != key.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < key.size() && same; ++i)
            same = FoldCase(child.Key[i]) == FoldCase(key[i]);
        if (same)
            return &child;
    }
    return nullptr;
}

std::u16string VersionBlock::Text() const {
    std::u16string text;
    for (size_t i = 0; i + 1 < Value.size(); i += 2) {
        const char16_t c = char16_t(Value[i] | (Value[i + 1] << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}

VersionBlock VersionBlock::MakeText(std::u16string key, std::u16string_view text) {
    VersionBlock block;
    block.Key = std::move(key);
    block.IsText = true;
    for (char16_t c : text) {
        block.Value.push_back(uint8_t(c & 0xFF));
        block.Value.push_back(uint8_t(c >> 8));
    }
    block.Value.push_back(0);
    block.Value.push_back(0);
    return block;
}

std::optional<VersionBlock> ParseVersionResource(std::span<const uint8_t> data) {
    ByteReader r(data);
    return ParseBlock(r, data.size(), 0);
}

std::vector<uint8_t> BuildVersionResource(const VersionBlock &root) {
    ByteWriter w;
    BuildBlock(root, w);
    const std::string &bytes = w.Data();
    return {bytes.begin(), bytes.end()};
}

std::optional<FixedFileInfo> DecodeFixedFileInfo(std::span<const uint8_t> value) {
    if (value.size() < kFixedFileInfoSize)
        return std::nullopt;
    ByteReader r(value);
    FixedFileInfo f;
    for (uint32_t *field :
         {&f.Signature, &f.StrucVersion, &f.FileVersionMS, &f.FileVersionLS, &f.ProductVersionMS,
          &f.ProductVersionLS, &f.FileFlagsMask, &f.FileFlags, &f.FileOS, &f.FileType,
          &f.FileSubtype, &f.FileDateMS, &f.FileDateLS})
        *field = *r.ReadU32LE();
    if (f.Signature != kFixedFileInfoSignature)
        return std::nullopt;
    return f;
}

std::vector<uint8_t> EncodeFixedFileInfo(const FixedFileInfo &f) {
    ByteWriter w;
    for (uint32_t field : {f.Signature, f.StrucVersion, f.FileVersionMS, f.FileVersionLS,
                           f.ProductVersionMS, f.ProductVersionLS, f.FileFlagsMask, f.FileFlags,
                           f.FileOS, f.FileType, f.FileSubtype, f.FileDateMS, f.FileDateLS})
        w.U32LE(field);
    const std::string &bytes = w.Data();
    return {bytes.begin(), bytes.end()};
}

} // namespace Platform
