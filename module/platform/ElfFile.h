#pragma once
// Just enough of the ELF format (64-bit, little-endian) to stand in for the host's
// resource and export tables: named sections read from the file on disk, and the
// names a shared object exports.

#include <optional>
#include <string>
#include <vector>

namespace Platform {

class ElfFile {
public:
    // Reads the file's header and section table; nothing when it is not such a file.
    static std::optional<ElfFile> Open(const std::string &path);

    // The contents of the section called `name`; nothing when there is none.
    std::optional<std::vector<uint8_t>> Section(const std::string &name) const;

    // The defined global and weak symbols of the dynamic symbol table.
    std::vector<std::string> ExportedSymbols() const;

private:
    struct SectionHeader {
        std::string name;
        uint32_t type = 0;
        uint64_t offset = 0;
        uint64_t size = 0;
        uint32_t link = 0;
        uint64_t entrySize = 0;
    };

    std::optional<std::vector<uint8_t>> ReadAt(uint64_t offset, uint64_t size) const;

    std::string m_path;
    uint64_t m_fileSize = 0;
    std::vector<SectionHeader> m_sections;
};

} // namespace Platform
