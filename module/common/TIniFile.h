#pragma once
// The settings file, with the host's profile-function behaviour: INI text in GBK kept
// byte for byte, sections and keys compared without regard to ASCII case, every read
// taken from the file as it is on disk and every write saved at once, so two objects
// on the same file always agree. A missing or unreadable file reads as empty; a write
// that cannot be saved is lost without failing the caller, and a file that exists but
// cannot be read is never overwritten.

#include <string>
#include <string_view>
#include <vector>

class TIniFile {
public:
    explicit TIniFile(std::string path);

    const std::string &FileName() const { return m_path; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // Decimal, "$" or "0x" hexadecimal with an optional sign, within 32 bits
    // ("0xFFFFFFFF" is -1); anything else gives `def`.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // An integer value other than 0 is true; a value that is no number gives `def`.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    // The keys of `section` in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // True when the section holds at least one key: a bare "[section]" line does not
    // count, as with the profile functions.
    bool SectionExists(std::string_view section) const;

    // Sections, keys and values are single lines: each is cut at its first line break or
    // zero byte, so no value can add keys or sections of its own.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    std::string m_path;
};
