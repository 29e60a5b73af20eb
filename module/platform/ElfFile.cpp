#include "platform/ElfFile.h"

#include "platform/ByteReader.h"

#include <cstdio>
#include <memory>

namespace Platform {

namespace {

constexpr uint8_t kElfMagic[4] = {0x7F, 'E', 'L', 'F'};
constexpr uint8_t kClass64 = 2;
constexpr uint8_t kLittleEndian = 1;
constexpr size_t kHeaderSize = 64;
constexpr size_t kSectionHeaderSize = 64;
constexpr uint32_t kSectionNoBits = 8;
constexpr uint32_t kSectionDynSym = 11;
constexpr size_t kSymbolSize = 24;
constexpr uint8_t kBindGlobal = 1;
constexpr uint8_t kBindWeak = 2;
// Refuse absurd tables instead of allocating for them.
constexpr uint64_t kMaxSectionBytes = 512ull << 20;

struct FileCloser {
    void operator()(FILE *f) const { std::fclose(f); }
};

std::string NameAt(const std::vector<uint8_t> &table, uint64_t offset) {
    if (offset >= table.size())
        return {};
    std::string name;
    for (uint64_t i = offset; i < table.size() && table[i] != 0; ++i)
        name.push_back(char(table[i]));
    return name;
}

} // namespace

std::optional<std::vector<uint8_t>> ElfFile::ReadAt(uint64_t offset, uint64_t size) const {
    if (size > kMaxSectionBytes || offset > m_fileSize || size > m_fileSize - offset)
        return std::nullopt;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(m_path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), long(offset), SEEK_SET) != 0)
        return std::nullopt;
    std::vector<uint8_t> bytes(size);
    if (size != 0 && std::fread(bytes.data(), 1, size, file.get()) != size)
        return std::nullopt;
    return bytes;
}

std::optional<ElfFile> ElfFile::Open(const std::string &path) {
    ElfFile elf;
    elf.m_path = path;
    {
        std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
        if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
            return std::nullopt;
        const long size = std::ftell(file.get());
        if (size < 0)
            return std::nullopt;
        elf.m_fileSize = uint64_t(size);
    }
    const auto header = elf.ReadAt(0, kHeaderSize);
    if (!header)
        return std::nullopt;
    ByteReader r(*header);
    const auto ident = r.ReadBytes(16);
    if (!ident || !std::equal(kElfMagic, kElfMagic + 4, ident->begin()) ||
        (*ident)[4] != kClass64 || (*ident)[5] != kLittleEndian)
        return std::nullopt;
    r.Seek(0x28);
    const auto shoff = r.ReadU64LE();
    r.Seek(0x3A);
    const auto shentsize = r.ReadU16LE();
    const auto shnum = r.ReadU16LE();
    const auto shstrndx = r.ReadU16LE();
    if (!shoff || !shentsize || !shnum || !shstrndx || *shentsize != kSectionHeaderSize ||
        *shstrndx >= *shnum)
        return std::nullopt;
    const auto table = elf.ReadAt(*shoff, uint64_t(*shnum) * kSectionHeaderSize);
    if (!table)
        return std::nullopt;

    std::vector<uint32_t> nameOffsets;
    ByteReader t(*table);
    for (unsigned i = 0; i < *shnum; ++i) {
        t.Seek(size_t(i) * kSectionHeaderSize);
        const auto name = t.ReadU32LE();
        const auto type = t.ReadU32LE();
        t.Skip(16); // flags, address
        const auto offset = t.ReadU64LE();
        const auto size = t.ReadU64LE();
        const auto link = t.ReadU32LE();
        t.Skip(12); // info, alignment
        const auto entrySize = t.ReadU64LE();
        if (!name || !type || !offset || !size || !link || !entrySize)
            return std::nullopt;
        nameOffsets.push_back(*name);
        elf.m_sections.push_back({{}, *type, *offset, *size, *link, *entrySize});
    }
    const auto &strtab = elf.m_sections[*shstrndx];
    const auto names = elf.ReadAt(strtab.offset, strtab.size);
    if (!names)
        return std::nullopt;
    for (size_t i = 0; i < elf.m_sections.size(); ++i)
        elf.m_sections[i].name = NameAt(*names, nameOffsets[i]);
    return elf;
}

std::optional<std::vector<uint8_t>> ElfFile::Section(const std::string &name) const {
    for (const auto &s : m_sections) {
        if (s.name == name)
            return s.type == kSectionNoBits ? std::vector<uint8_t>() : ReadAt(s.offset, s.size);
    }
    return std::nullopt;
}

std::vector<std::string> ElfFile::ExportedSymbols() const {
    std::vector<std::string> result;
    for (const auto &s : m_sections) {
        if (s.type != kSectionDynSym || s.link >= m_sections.size())
            continue;
        const auto symbols = ReadAt(s.offset, s.size);
        const auto &strSection = m_sections[s.link];
        const auto strings = ReadAt(strSection.offset, strSection.size);
        if (!symbols || !strings)
            continue;
        ByteReader r(*symbols);
        while (r.Remaining() >= kSymbolSize) {
            const auto name = r.ReadU32LE();
            const auto info = r.ReadU8();
            r.Skip(1); // visibility
            const auto sectionIndex = r.ReadU16LE();
            r.Skip(16); // value, size
            const uint8_t bind = *info >> 4;
            if (*sectionIndex != 0 && (bind == kBindGlobal || bind == kBindWeak))
                result.push_back(NameAt(*strings, *name));
        }
    }
    return result;
}

} // namespace Platform
