#pragma once
// The settings file: INI text in GBK, sections and keys compared without case, every
// write saved to disk at once and every read taken from the file as it is on disk, so
// two objects on the same file always agree. A missing or unreadable file reads as
// empty; a write that cannot be saved is lost without failing the caller.

#include <string>
#include <string_view>
#include <vector>

class TIniFile {
public:
    explicit TIniFile(std::string path);

    const std::string &FileName() const { return m_path; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // Decimal or "0x"/"$" hexadecimal; anything else gives `def`.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // An integer value other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    std::vector<std::string> ReadSection(std::string_view section) const;
    bool SectionExists(std::string_view section) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    std::string m_path;
};
